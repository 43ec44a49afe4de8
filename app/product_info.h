// The product's own data, shown in the About dialog and used by the links.
#pragma once

namespace product {
inline constexpr char16_t kName[] = u"Ostrel AVI Converter";
inline constexpr char16_t kHomePage[] = u"https://vidmorph.example/";
inline constexpr char16_t kSupportAddress[] = u"support@vidmorph.example";
inline constexpr char16_t kAcknowledgements[] =
    u"Conversions are made by the FFmpeg encoder (LGPL/GPL); the installer is built "
    u"with NSIS. Our thanks to both projects.";
inline constexpr char16_t kMakerLine[] = u"Made by the Vidmorph team, 2026";
}  // namespace product

// A property value read from the theme INI, tagged with its type, and the
// conversion of a value's text by the rules of each type.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "skin/theme_vocabulary.h"

struct ThemeMargins {
  int32_t left = 0;
  int32_t right = 0;
  int32_t top = 0;
  int32_t bottom = 0;
};

struct ThemePosition {
  int32_t x = 0;
  int32_t y = 0;
};

// A font as the theme names it; the screen's resolution and character set are
// added when a platform font is made from it.
struct ThemeFont {
  static constexpr size_t kMaxFace = 31;  // the platform's face field less its NUL
  std::u16string face;
  int32_t points = 0;
  int32_t bold = 0;
  int32_t Weight() const { return bold ? 700 : 400; }
};

struct ThemeValue {
  ThemeValueType type = kThemeNoType;
  int32_t number = 0;  // integer, boolean (0 or 1), enumeration index (-1 unknown)
  uint32_t color = 0;  // red + green * 256 + blue * 65536
  ThemeMargins margins;
  ThemePosition position;
  std::u16string text;
  ThemeFont font;
};

// Converts a value's text (already trimmed and upper-cased) by the rule of
// `type`; `propertyId` names the enumeration for kThemeEnum. False for types
// that are not stored (integer lists) or unknown types.
bool ParseThemeValue(ThemeValueType type, int propertyId, std::u16string_view text,
                     ThemeValue& out);

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c
// is 0 or the result does not fit 32 bits.
int32_t ThemeMulDiv(int32_t a, int32_t b, int32_t c);

// The platform font height of a size in points at the given dots per inch.
inline int32_t ThemeFontHeight(int32_t points, int32_t dpi) {
  return -ThemeMulDiv(points, dpi, 72);
}

// Arbitrary bytes as a theme's UTF-16 INI text, through the line reader, the
// property reader and a few lookups of every type.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "skin/ini_line_reader.h"
#include "skin/theme_default_colors.h"
#include "skin/theme_properties.h"
#include "skin/theme_resource_name.h"
#include "skin/theme_section.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Copy into char16_t storage so the text is aligned as a resource's is.
  std::u16string buffer((size + 1) / 2, u'\0');
  if (size > 0) std::memcpy(buffer.data(), data, size);
  const std::u16string_view text = ThemeTextFromBytes(buffer.data(), size);

  // Lines are views into the text and never run past it.
  IniLineReader lines(text);
  std::u16string_view line;
  size_t consumed = 0;
  while (lines.Next(line)) {
    if (line.data() < text.data() || line.data() + line.size() >= text.data() + text.size())
      __builtin_trap();
    consumed += line.size() + 1;
  }
  if (consumed > text.size() || !lines.AtEnd()) __builtin_trap();

  ThemeProperties props;
  const int count = props.ReadText(text);
  if (count < 0 || size_t(count) != props.Size()) __builtin_trap();
  if (props.ReadText(text) != count) __builtin_trap();

  for (int cls = 0; cls <= 31; ++cls) {
    const int part = cls % 8, state = cls % 5;
    std::u16string s;
    int32_t n = 0;
    uint32_t color = 0;
    ThemeMargins margins;
    ThemeFont font;
    ThemePosition pos;
    props.GetString(cls, part, state, kTmtImageFile, s);
    props.GetInt(cls, part, state, kTmtImageCount, n);
    props.GetBool(cls, part, state, kTmtTransparent, n);
    props.GetColor(cls, part, state, kTmtTextColor, color);
    props.GetEnum(cls, part, state, kTmtBgType, n);
    props.GetMargins(cls, part, state, kTmtSizingMargins, margins);
    if (props.GetFont(cls, part, state, kTmtCaptionFont, font) == kThemeOk) {
      if (font.face.size() > ThemeFont::kMaxFace) __builtin_trap();
      (void)ThemeFontHeight(font.points, 96);
    }
    props.GetPosition(cls, part, state, 3401, pos);
  }
  for (int i = 0; i < kThemeSysColorCount; ++i) (void)ThemeSysColor(props, i);

  // The same text as a section name and as the module's THEMES_INI text.
  ThemeSection section;
  if (ParseThemeSection(text.substr(0, 256), section) &&
      (section.classCode < 1 || section.classCode > kThemeClassCount || section.part < 0 ||
       section.part >= kThemeMaxPart || section.state < 0 || section.state >= kThemeMaxState)) {
    __builtin_trap();
  }
  (void)DefaultThemeIniName(text);
  (void)ThemeResourceName(text.substr(0, 256));
  return 0;
}

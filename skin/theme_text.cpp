#include "skin/theme_text.h"

bool IsThemeSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

char16_t ThemeUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return char16_t(c - 0x20);
  // Latin-1 small letters except the division sign; y-diaeresis has no
  // upper-case form in this block and stays as it is.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return char16_t(c - 0x20);
  return c;
}

bool ThemeNameEquals(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ThemeUpper(a[i]) != ThemeUpper(b[i])) return false;
  }
  return true;
}

std::u16string ThemeUpperCopy(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = ThemeUpper(c);
  return out;
}

std::u16string_view TrimThemeLeft(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && IsThemeSpace(text[i])) ++i;
  return text.substr(i);
}

std::u16string_view TrimThemeRight(std::u16string_view text) {
  size_t n = text.size();
  while (n > 0 && IsThemeSpace(text[n - 1])) --n;
  return text.substr(0, n);
}

std::u16string_view TrimTheme(std::u16string_view text) {
  return TrimThemeRight(TrimThemeLeft(text));
}

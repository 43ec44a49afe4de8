// Small text helpers for theme names and INI lines. Theme vocabulary is ASCII,
// so case folding covers ASCII and Latin-1 letters only, never the locale.
#pragma once
#include <string>
#include <string_view>

bool IsThemeSpace(char16_t c);
char16_t ThemeUpper(char16_t c);

// Case-insensitive equality of two names.
bool ThemeNameEquals(std::u16string_view a, std::u16string_view b);

std::u16string ThemeUpperCopy(std::u16string_view text);
std::u16string_view TrimThemeLeft(std::u16string_view text);
std::u16string_view TrimThemeRight(std::u16string_view text);
std::u16string_view TrimTheme(std::u16string_view text);

// The system colours a theme supplies through "SysMetrics", and the built-in
// colour used for each when the theme lacks it.
#pragma once
#include <cstdint>

class ThemeProperties;

constexpr int kThemeSysColorCount = 31;

// Built-in colour of system colour `index` (0 to 30) as red + green * 256 +
// blue * 65536; 0 outside the range.
uint32_t DefaultThemeSysColor(int index);

// The theme's colour for system colour `index` (property 1601 + index of
// "SysMetrics", with the usual fallbacks), else the built-in one. Colour
// filters are the caller's to apply.
uint32_t ThemeSysColor(const ThemeProperties& props, int index);

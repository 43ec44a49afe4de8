#include "skin/theme_default_colors.h"

#include "skin/theme_properties.h"

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return r + g * 256 + b * 65536;
}

// Indexed like the platform's system colours: SCROLLBAR, BACKGROUND, ... MENUBAR.
constexpr uint32_t kDefaults[kThemeSysColorCount] = {
    Rgb(192, 192, 192),  // SCROLLBAR
    Rgb(58, 110, 165),   // BACKGROUND
    Rgb(0, 0, 128),      // ACTIVECAPTION
    Rgb(128, 128, 128),  // INACTIVECAPTION
    Rgb(192, 192, 192),  // MENU
    Rgb(255, 255, 255),  // WINDOW
    Rgb(0, 0, 0),        // WINDOWFRAME
    Rgb(0, 0, 0),        // MENUTEXT
    Rgb(0, 0, 0),        // WINDOWTEXT
    Rgb(255, 255, 255),  // CAPTIONTEXT
    Rgb(192, 192, 192),  // ACTIVEBORDER
    Rgb(192, 192, 192),  // INACTIVEBORDER
    Rgb(128, 128, 128),  // APPWORKSPACE
    Rgb(0, 0, 128),      // HIGHLIGHT
    Rgb(255, 255, 255),  // HIGHLIGHTTEXT
    Rgb(192, 192, 192),  // BTNFACE
    Rgb(128, 128, 128),  // BTNSHADOW
    Rgb(128, 128, 128),  // GRAYTEXT
    Rgb(0, 0, 0),        // BTNTEXT
    Rgb(192, 192, 192),  // INACTIVECAPTIONTEXT
    Rgb(255, 255, 255),  // BTNHIGHLIGHT
    Rgb(0, 0, 0),        // DKSHADOW3D
    Rgb(223, 223, 223),  // LIGHT3D
    Rgb(0, 0, 0),        // INFOTEXT
    Rgb(255, 255, 225),  // INFOBK
    Rgb(180, 180, 180),  // BUTTONALTERNATEFACE
    Rgb(0, 0, 255),      // HOTTRACKING
    Rgb(16, 132, 208),   // GRADIENTACTIVECAPTION
    Rgb(181, 181, 181),  // GRADIENTINACTIVECAPTION
    Rgb(0, 0, 128),      // MENUHILIGHT
    Rgb(192, 192, 192),  // MENUBAR
};

}  // namespace

uint32_t DefaultThemeSysColor(int index) {
  return index >= 0 && index < kThemeSysColorCount ? kDefaults[index] : 0;
}

uint32_t ThemeSysColor(const ThemeProperties& props, int index) {
  uint32_t color = DefaultThemeSysColor(index);
  if (index >= 0 && index < kThemeSysColorCount) {
    props.GetColor(kThemeClassSysMetrics, 0, 0, kTmtFirstSysColor + index, color);
  }
  return color;
}

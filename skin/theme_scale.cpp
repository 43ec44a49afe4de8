#include "skin/theme_scale.h"

#include <algorithm>
#include <cstdlib>

#include "skin/theme_value.h"

namespace {
constexpr int kImageScales[] = {100, 150, 200};
}

int ThemeScaleForDpi(int dpi) {
  return dpi > 0 ? ThemeMulDiv(dpi, kThemeScaleBase, 96) : kThemeScaleBase;
}

int ThemeScaleLength(int length, int from, int to) {
  return from > 0 ? ThemeMulDiv(length, to, from) : length;
}

std::vector<int> ThemeImageScalesNearest(int scale) {
  std::vector<int> scales(std::begin(kImageScales), std::end(kImageScales));
  std::stable_sort(scales.begin(), scales.end(), [scale](int a, int b) {
    const int da = std::abs(a - scale), db = std::abs(b - scale);
    return da != db ? da < db : a > b;
  });
  return scales;
}

std::u16string ThemeScaledImageName(const std::u16string& name, int scale) {
  if (scale == kThemeScaleBase) return name;
  std::u16string folder = u"Scale";
  for (char c : std::to_string(scale)) folder += char16_t(c);
  return folder + u"\\" + name;
}

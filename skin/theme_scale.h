// A theme drawn at a display scale: lengths the theme gives for 100 % are
// scaled, and each image comes in the size made for the nearest scale the
// theme carries (the 100 % image alone is stretched).
#pragma once
#include <string>
#include <vector>

constexpr int kThemeScaleBase = 100;

// The scale, in percent, of a display of `dpi` dots per inch (96 is 100 %).
int ThemeScaleForDpi(int dpi);
// A length given at scale `from`, at scale `to`, to the nearest pixel.
int ThemeScaleLength(int length, int from, int to);
// The scales a theme's images may be made for, the nearest to `scale` first
// (of two as near, the larger: shrinking keeps lines sharper).
std::vector<int> ThemeImageScalesNearest(int scale);
// The name of the image `name` made for `scale`: in the folder "Scale<scale>"
// of the theme; the name itself at 100 %.
std::u16string ThemeScaledImageName(const std::u16string& name, int scale);

#include "skin/theme_scale.h"

#include <gtest/gtest.h>

TEST(ThemeScale, DisplayScaleFromDotsPerInch) {
  EXPECT_EQ(ThemeScaleForDpi(96), 100);
  EXPECT_EQ(ThemeScaleForDpi(120), 125);
  EXPECT_EQ(ThemeScaleForDpi(144), 150);
  EXPECT_EQ(ThemeScaleForDpi(192), 200);
  EXPECT_EQ(ThemeScaleForDpi(0), 100);  // unknown: as at 96
}

TEST(ThemeScale, LengthsRoundToTheNearestPixel) {
  EXPECT_EQ(ThemeScaleLength(13, 100, 150), 20);  // 19.5
  EXPECT_EQ(ThemeScaleLength(26, 100, 150), 39);
  EXPECT_EQ(ThemeScaleLength(20, 150, 100), 13);
  EXPECT_EQ(ThemeScaleLength(13, 150, 150), 13);
  EXPECT_EQ(ThemeScaleLength(7, 0, 200), 7);
}

TEST(ThemeScale, ImagesOfTheNearestScaleComeFirstAndTheLargerOfTwoAsNear) {
  EXPECT_EQ(ThemeImageScalesNearest(100), (std::vector<int>{100, 150, 200}));
  EXPECT_EQ(ThemeImageScalesNearest(144), (std::vector<int>{150, 100, 200}));
  EXPECT_EQ(ThemeImageScalesNearest(125), (std::vector<int>{150, 100, 200}));
  EXPECT_EQ(ThemeImageScalesNearest(175), (std::vector<int>{200, 150, 100}));
  EXPECT_EQ(ThemeImageScalesNearest(300), (std::vector<int>{200, 150, 100}));
}

TEST(ThemeScale, ScaledImagesLiveInAFolderPerScale) {
  EXPECT_EQ(ThemeScaledImageName(u"CheckBox.png", 100), u"CheckBox.png");
  EXPECT_EQ(ThemeScaledImageName(u"CheckBox.png", 150), u"Scale150\\CheckBox.png");
  EXPECT_EQ(ThemeScaledImageName(u"CheckBox.png", 200), u"Scale200\\CheckBox.png");
}

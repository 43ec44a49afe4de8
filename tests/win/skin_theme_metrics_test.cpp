// The metrics a loaded theme puts in force: each scroll bar's sizes, the
// fonts the system parameters answer with, and the brushes of its colours
// over repeated loads.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/win/engine/skin_engine.h"
#include "skin/win/system/skin_redirect_table.h"
#include "tests/win/skin_test_support.h"

namespace {

const char16_t kNoTheme[] = u"C:\\no\\such\\theme.skinstyles";

class SkinThemeMetrics : public ::testing::Test {
 protected:
  void TearDown() override { SkinEngine::Get().LoadTheme(kNoTheme, u""); }
};

std::u16string FaceOf(const LOGFONTW& font) {
  return std::u16string(reinterpret_cast<const char16_t*>(font.lfFaceName));
}

TEST_F(SkinThemeMetrics, ScrollBarWidthAndHeightEachSizeTheirOwnBarAndItsArrows) {
  LooseTheme theme(u"[SysMetrics]\r\nScrollbarWidth = 21\r\nScrollbarHeight = 13\r\n");
  ASSERT_EQ(1, theme.Load());
  const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
  EXPECT_EQ(21, s.vScrollWidth);
  EXPECT_EQ(21, s.vScrollArrowHeight);
  EXPECT_EQ(13, s.hScrollHeight);
  EXPECT_EQ(13, s.hScrollArrowWidth);
}

// The scheme's lines are read upper case, face names included.
TEST_F(SkinThemeMetrics, SystemParametersAnswerWithTheThemesStatusAndIconTitleFonts) {
  NONCLIENTMETRICSW system = {};
  system.cbSize = sizeof(system);
  // The system's own answer: the import may be read once for the whole test.
  ASSERT_TRUE(
      SystemFunctions().SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(system), &system, 0));
  LooseTheme theme(
      u"[SysMetrics]\r\nCaptionFont = Arial, 11, Bold\r\nSmallCaptionFont = Courier New, 7\r\n"
      u"MenuFont = Tahoma, 9\r\nStatusFont = Verdana, 10\r\n"
      u"IconTitleFont = Times New Roman, 12, Bold\r\n");
  ASSERT_EQ(1, theme.Load());

  NONCLIENTMETRICSW nc = {};
  nc.cbSize = sizeof(nc);
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(nc), &nc, 0));
  EXPECT_EQ(u"ARIAL", FaceOf(nc.lfCaptionFont));
  EXPECT_EQ(u"TAHOMA", FaceOf(nc.lfMenuFont));
  EXPECT_EQ(u"VERDANA", FaceOf(nc.lfStatusFont));
  // The small caption is not among the fonts replaced.
  EXPECT_EQ(FaceOf(system.lfSmCaptionFont), FaceOf(nc.lfSmCaptionFont));
  EXPECT_EQ(system.lfSmCaptionFont.lfHeight, nc.lfSmCaptionFont.lfHeight);

  LOGFONTW icon = {};
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0));
  EXPECT_EQ(u"TIMES NEW ROMAN", FaceOf(icon));
  EXPECT_EQ(700, icon.lfWeight);

  // A scheme without them leaves the system's.
  LooseTheme plain(u"[SysMetrics]\r\nCaptionFont = Arial, 11, Bold\r\n");
  ASSERT_EQ(1, plain.Load());
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(nc), &nc, 0));
  EXPECT_EQ(FaceOf(system.lfStatusFont), FaceOf(nc.lfStatusFont));
}

// Loads that change the colours replace their brushes; the old ones must go,
// although the redirected DeleteObject refuses to delete the theme's brushes.
TEST_F(SkinThemeMetrics, LoadsDeleteTheBrushesTheyReplace) {
  SkinEngine& engine = SkinEngine::Get();
  int replaced = 0, leaked = 0;
  for (int i = 0; i < 20; ++i) {
    std::vector<HBRUSH> before, after;
    for (int c = 0; c < 31; ++c) before.push_back(engine.Metrics().Brush(c));
    // The theme's colours and the system's in turn.
    engine.LoadTheme(i % 2 == 0 ? U16(ShippedTheme()) : std::u16string(kNoTheme),
                     u"NormalBlack2.ini");
    for (int c = 0; c < 31; ++c) after.push_back(engine.Metrics().Brush(c));
    for (HBRUSH old : before) {
      if (std::find(after.begin(), after.end(), old) != after.end()) continue;
      ++replaced;
      if (::GetObjectType(old) != 0) ++leaked;
    }
  }
  EXPECT_GT(replaced, 200);
  EXPECT_EQ(0, leaked);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "skin/theme_default_colors.h"
#include "skin/theme_properties.h"
#include "skin/theme_resource_name.h"

namespace {

constexpr int kPush = 1, kRadio = 2, kHot = 2, kPressed = 3;

const char16_t kScheme[] =
    u"; a colour scheme\r\n"
    u"[Globals]\r\n"
    u"TextColor = 1 2 3\r\n"
    u"ImageFile = global.png ; the fallback image\r\n"
    u"\r\n"
    u"[Button]\r\n"
    u"  TextColor = 0 128 0\r\n"
    u"BorderSize=2\r\n"
    u"[Button.PushButton(Hot)]\r\n"
    u"TextColor = 0 0 255\r\n"
    u"[Button.PushButton]\r\n"
    u"SizingMargins = 1, 2, 3, 4\r\n"
    u"bgtype = borderfill\r\n"
    u"Transparent = True\r\n"
    u"[Explorer::Button.PushButton]\r\n"
    u"TextColor = 9 9 9\r\n"
    u"SizingMargins = 9, 9, 9, 9\r\n"
    u"[NoSuchClass]\r\n"
    u"TextColor = 8 8 8\r\n"
    u"[SysMetrics]\r\n"
    u"CaptionFont = Tahoma, 8, Bold\r\n"
    u"Window = 10 20 30\r\n"
    u"NoSuchProperty = 1\r\n"
    u"IntList = 1, 2, 3\r\n"
    u"=5\r\n"
    u"MenuBarHeight 19\r\n"
    u"[Window.Caption]\r\n"
    u"ContentMargins = 5, 6, 7, 8\r\n"
    u"ContentMargins = 1, 1, 1, 1\r\n"
    u"[Progress]\r\n"
    u"ImageCount = 4\r\n"
    u"[Documentation]\r\n"
    u"AlphaLevel = 254\r\n"
    u"[Button.RadioButton]\r\n"
    u"TextColor = 255 0 0";  // no carriage return: never read

class SkinThemeLookup : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_GT(props.ReadText(kScheme), 0); }
  ThemeProperties props;
};

TEST_F(SkinThemeLookup, StateThenPartThenClassThenGlobals) {
  uint32_t color = 0;
  ASSERT_EQ(props.GetColor(kThemeClassButton, kPush, kHot, kTmtTextColor, color), kThemeOk);
  EXPECT_EQ(color, 0xFF0000u);  // blue
  // Other states and parts of the class take the class's value.
  ASSERT_EQ(props.GetColor(kThemeClassButton, kPush, kPressed, kTmtTextColor, color), kThemeOk);
  EXPECT_EQ(color, 0x008000u);
  ASSERT_EQ(props.GetColor(kThemeClassButton, 4, 0, kTmtTextColor, color), kThemeOk);
  EXPECT_EQ(color, 0x008000u);
  // The unterminated last line left the radio button without its own colour.
  ASSERT_EQ(props.GetColor(kThemeClassButton, kRadio, 0, kTmtTextColor, color), kThemeOk);
  EXPECT_EQ(color, 0x008000u);
  // Classes without a value fall back to Globals.
  ASSERT_EQ(props.GetColor(kThemeClassEdit, 1, 1, kTmtTextColor, color), kThemeOk);
  EXPECT_EQ(color, 0x030201u);
  std::u16string file;
  ASSERT_EQ(props.GetString(kThemeClassTab, 10, 0, kTmtImageFile, file), kThemeOk);
  EXPECT_EQ(file, u"GLOBAL.PNG");  // upper-cased, comment cut, blanks trimmed
  // Part values do not serve other parts.
  ThemeMargins m;
  EXPECT_EQ(props.GetMargins(kThemeClassButton, 3, 0, kTmtSizingMargins, m), kThemeNotFound);
}

TEST_F(SkinThemeLookup, TypedReadsReportStatus) {
  ThemeMargins m;
  ASSERT_EQ(props.GetMargins(kThemeClassButton, kPush, kHot, kTmtSizingMargins, m), kThemeOk);
  EXPECT_EQ(m.left, 1);
  EXPECT_EQ(m.right, 2);
  EXPECT_EQ(m.top, 3);
  EXPECT_EQ(m.bottom, 4);
  int32_t n = 77;
  EXPECT_EQ(props.GetInt(kThemeClassButton, kPush, 0, kTmtSizingMargins, n), kThemeWrongType);
  EXPECT_EQ(n, 77);
  EXPECT_EQ(props.GetInt(kThemeClassButton, kPush, 0, kTmtImageCount, n), kThemeNotFound);
  EXPECT_EQ(kThemeNotFound, int32_t(0x80004005u));
  EXPECT_EQ(kThemeWrongType, int32_t(0x80070057u));
  ASSERT_EQ(props.GetInt(kThemeClassButton, kPush, kHot, kTmtBorderSize, n), kThemeOk);
  EXPECT_EQ(n, 2);
  ASSERT_EQ(props.GetEnum(kThemeClassButton, kPush, 0, kTmtBgType, n), kThemeOk);
  EXPECT_EQ(n, kBgTypeBorderFill);
  ASSERT_EQ(props.GetBool(kThemeClassButton, kPush, 1, kTmtTransparent, n), kThemeOk);
  EXPECT_EQ(n, 1);
  ASSERT_EQ(props.GetInt(kThemeClassProgress, 3, 1, kTmtImageCount, n), kThemeOk);
  EXPECT_EQ(n, 4);
  // A later line replaces an earlier one.
  ASSERT_EQ(props.GetMargins(kThemeClassWindow, 1, 1, kTmtContentMargins, m), kThemeOk);
  EXPECT_EQ(m.left, 1);
  // Arguments outside the key's ranges find nothing instead of aliasing.
  EXPECT_EQ(props.Find(kThemeClassButton, kPush, 256 + kHot, kTmtTextColor), nullptr);
  EXPECT_EQ(props.Find(kThemeClassButton, -1, 0, kTmtTextColor), nullptr);
}

TEST_F(SkinThemeLookup, SkippedSectionsAndLines) {
  // SizingMargins 9,... from the "::" section, colour 8 8 8 of the unknown class,
  // the unknown property, the integer list and the lines without a name or "=",
  // and the last line: 13 values remain.
  EXPECT_EQ(props.Size(), 13u);
  ThemeFont font;
  ASSERT_EQ(props.GetFont(kThemeClassSysMetrics, 0, 0, kTmtCaptionFont, font), kThemeOk);
  EXPECT_EQ(font.face, u"TAHOMA");
  EXPECT_EQ(font.Weight(), 700);
  EXPECT_EQ(ThemeFontHeight(font.points, 96), -11);
  EXPECT_EQ(props.Premultiply(), 1);
}

TEST(SkinThemeSchema, PremultiplyAndReread) {
  ThemeProperties props;
  props.ReadText(u"[Documentation]\r\nALPHALEVEL=255\r\n");
  EXPECT_EQ(props.Premultiply(), 0);
  props.ReadText(u"[Documentation]\r\nALPHALEVEL=255\r\nALPHALEVEL=200\r\n");
  EXPECT_EQ(props.Premultiply(), 1);
  // The flag is read like any value of the class, so Globals serves too.
  props.ReadText(u"[Globals]\r\nALPHALEVEL=255\r\n");
  EXPECT_EQ(props.Premultiply(), 0);
  EXPECT_EQ(props.Size(), 1u);
  // Lines before any section are ignored, and a section line ends the previous.
  props.ReadText(u"TextColor=1 1 1\r\n[Button]\r\n[::]\r\nTextColor=2 2 2\r\n");
  EXPECT_EQ(props.Size(), 0u);
}

TEST(SkinThemeSchema, SysColorsFromThemeOrDefaults) {
  ThemeProperties props;
  props.ReadText(u"[SysMetrics]\r\nWindow = 10 20 30\r\n");
  EXPECT_EQ(ThemeSysColor(props, 5), 10u + 20u * 256u + 30u * 65536u);
  EXPECT_EQ(ThemeSysColor(props, 0), 0xC0C0C0u);   // SCROLLBAR
  EXPECT_EQ(ThemeSysColor(props, 1), 0xA56E3Au);   // BACKGROUND 58, 110, 165
  EXPECT_EQ(DefaultThemeSysColor(24), 0xE1FFFFu);  // INFOBK 255, 255, 225
  EXPECT_EQ(DefaultThemeSysColor(27), 0xD08410u);  // GRADIENTACTIVECAPTION 16, 132, 208
  EXPECT_EQ(DefaultThemeSysColor(30), 0xC0C0C0u);  // MENUBAR
  EXPECT_EQ(DefaultThemeSysColor(31), 0u);
}

TEST(SkinThemeSchema, ResourceNames) {
  EXPECT_EQ(ThemeResourceName(u"NormalBlack2.ini"), u"NormalBlack2_ini");
  EXPECT_EQ(ThemeResourceName(u"images\\Button.Push.png"), u"images_Button_Push_png");
  EXPECT_EQ(DefaultThemeIniName(u"[Theme]\r\n[File.NormalBlack2]\r\n[File.Other]\r\n"),
            u"NormalBlack2_ini");
  EXPECT_EQ(DefaultThemeIniName(u"[file.lower]"), u"");  // the marker's case counts
  EXPECT_EQ(DefaultThemeIniName(u"[File.Open"), u"");
  EXPECT_EQ(DefaultThemeIniName(u"[File.]"), u"");
  EXPECT_EQ(DefaultThemeIniName(u""), u"");
}

}  // namespace

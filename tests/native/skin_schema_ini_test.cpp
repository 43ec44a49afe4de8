#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "skin/ini_line_reader.h"
#include "skin/theme_properties.h"
#include "skin/theme_section.h"
#include "skin/theme_vocabulary.h"

namespace {

std::vector<std::u16string> Lines(std::u16string_view text) {
  IniLineReader reader(text);
  std::vector<std::u16string> out;
  std::u16string_view line;
  while (reader.Next(line)) out.emplace_back(line);
  EXPECT_TRUE(reader.AtEnd());
  return out;
}

TEST(SkinIniReader, LinesEndAtCarriageReturns) {
  using V = std::vector<std::u16string>;
  EXPECT_EQ(Lines(u"a\r\nb\rc\r\n"), (V{u"a", u"b", u"c"}));
  EXPECT_EQ(Lines(u"\r\n\r\n"), (V{u"", u""}));
  // Only one line feed is skipped; a lone line feed belongs to the line.
  EXPECT_EQ(Lines(u"a\r\n\nb\r"), (V{u"a", u"\nb"}));
  // The last line without a carriage return is not read.
  EXPECT_EQ(Lines(u"a\r\nlast"), (V{u"a"}));
  EXPECT_EQ(Lines(u"no end"), V{});
  EXPECT_EQ(Lines(u""), V{});
  IniLineReader empty;
  std::u16string_view line;
  EXPECT_FALSE(empty.Next(line));
}

TEST(SkinIniReader, TextFromBytesSkipsMarkAndOddByte) {
  const char16_t text[] = {0xFEFF, u'[', u'x', u']', u'\r', 0};
  std::vector<char16_t> buf(text, text + 5);
  const auto* bytes = reinterpret_cast<const unsigned char*>(buf.data());
  EXPECT_EQ(ThemeTextFromBytes(bytes, 10), u"[x]\r");
  EXPECT_EQ(ThemeTextFromBytes(bytes, 9), u"[x]");  // rounded down to whole characters
  EXPECT_EQ(ThemeTextFromBytes(bytes + 2, 8), u"[x]\r");
  EXPECT_EQ(ThemeTextFromBytes(bytes, 1), u"");
  EXPECT_EQ(ThemeTextFromBytes(bytes + 1, 8), u"");  // misaligned
  EXPECT_EQ(ThemeTextFromBytes(nullptr, 8), u"");
}

TEST(SkinIniSections, NamesGiveClassPartState) {
  ThemeSection s;
  ASSERT_TRUE(ParseThemeSection(u"BUTTON.PUSHBUTTON(HOT)", s));
  EXPECT_EQ(s.classCode, 7);
  EXPECT_EQ(s.part, 1);
  EXPECT_EQ(s.state, 2);
  ASSERT_TRUE(ParseThemeSection(u" Window . Caption ( Inactive ) ", s));
  EXPECT_EQ(s.classCode, 6);
  EXPECT_EQ(s.part, 1);
  EXPECT_EQ(s.state, 2);
  // Without a part the class name picks the states.
  ASSERT_TRUE(ParseThemeSection(u"SCROLLBAR(DISABLED)", s));
  EXPECT_EQ(s.part, 0);
  EXPECT_EQ(s.state, 4);
  // Unknown part and state names give 0; the class still counts.
  ASSERT_TRUE(ParseThemeSection(u"BUTTON.NOSUCHPART(HOT)", s));
  EXPECT_EQ(s.classCode, 7);
  EXPECT_EQ(s.part, 0);
  EXPECT_EQ(s.state, 0);
  ASSERT_TRUE(ParseThemeSection(u"BUTTON.CHECKBOX(NOSUCHSTATE", s));
  EXPECT_EQ(s.part, 3);
  EXPECT_EQ(s.state, 0);

  EXPECT_FALSE(ParseThemeSection(u"NOSUCHCLASS.PUSHBUTTON", s));
  EXPECT_FALSE(ParseThemeSection(u"", s));
  EXPECT_FALSE(ParseThemeSection(u"EXPLORER::BUTTON.PUSHBUTTON", s));
  EXPECT_FALSE(ParseThemeSection(u"BUTTON:PUSHBUTTON", s));
  EXPECT_EQ(ThemeSectionKey(u"GLOBALS"), ThemePropertyKey(1, 0, 0, 0));
  EXPECT_EQ(ThemeSectionKey(u"TOOLBAR::BUTTON"), 0u);
}

TEST(SkinThemeValues, NumbersColoursAndFlags) {
  ThemeValue v;
  ASSERT_TRUE(ParseThemeValue(kThemeColor, 3803, u"0 0 255", v));
  EXPECT_EQ(v.color, 0xFF0000u);
  ASSERT_TRUE(ParseThemeValue(kThemeColor, 3803, u"0x10 010 -1", v));  // "%i" forms
  EXPECT_EQ(v.color, 16u + 8u * 256u + uint32_t(-65536));
  ASSERT_TRUE(ParseThemeValue(kThemeColor, 3803, u"12 34", v));
  EXPECT_EQ(v.color, 12u + 34u * 256u);
  ASSERT_TRUE(ParseThemeValue(kThemeColor, 3803, u"12,34,56", v));  // commas stop the scan
  EXPECT_EQ(v.color, 12u);

  ASSERT_TRUE(ParseThemeValue(kThemeInt, 2401, u"-42", v));
  EXPECT_EQ(v.number, -42);
  ASSERT_TRUE(ParseThemeValue(kThemeInt, 2401, u"0x10", v));  // decimal only
  EXPECT_EQ(v.number, 0);
  ASSERT_TRUE(ParseThemeValue(kThemeBool, 2201, u"true", v));
  EXPECT_EQ(v.number, 1);
  ASSERT_TRUE(ParseThemeValue(kThemeBool, 2201, u"1", v));
  EXPECT_EQ(v.number, 0);
  ASSERT_TRUE(ParseThemeValue(kThemeEnum, 4004, u"TILE", v));
  EXPECT_EQ(v.number, 2);
  ASSERT_TRUE(ParseThemeValue(kThemeEnum, 4004, u"SQUASH", v));
  EXPECT_EQ(v.number, -1);
  ASSERT_TRUE(ParseThemeValue(kThemePosition, 3401, u"-3, 0x7", v));
  EXPECT_EQ(v.position.x, -3);
  EXPECT_EQ(v.position.y, 7);
  EXPECT_FALSE(ParseThemeValue(kThemeIntList, 211, u"1, 2", v));
}

TEST(SkinThemeValues, MarginsAreLeftRightTopBottom) {
  ThemeValue v;
  ASSERT_TRUE(ParseThemeValue(kThemeMargins, 3601, u"1, 2, 3, 4", v));
  EXPECT_EQ(v.margins.left, 1);
  EXPECT_EQ(v.margins.right, 2);
  EXPECT_EQ(v.margins.top, 3);
  EXPECT_EQ(v.margins.bottom, 4);
  // A blank before a comma ends the scan; the rest stays 0.
  ASSERT_TRUE(ParseThemeValue(kThemeMargins, 3601, u"5 ,6,7,8", v));
  EXPECT_EQ(v.margins.left, 5);
  EXPECT_EQ(v.margins.right, 0);
  EXPECT_EQ(v.margins.bottom, 0);
  ASSERT_TRUE(ParseThemeValue(kThemeMargins, 3601, u"010,2,3,4", v));  // "%ld" is decimal
  EXPECT_EQ(v.margins.left, 10);
}

TEST(SkinThemeValues, Fonts) {
  ThemeValue v;
  ASSERT_TRUE(ParseThemeValue(kThemeFont, 801, u"TAHOMA, 8, BOLD", v));
  EXPECT_EQ(v.font.face, u"TAHOMA");
  EXPECT_EQ(v.font.points, 8);
  EXPECT_EQ(v.font.Weight(), 700);
  EXPECT_EQ(ThemeFontHeight(v.font.points, 96), -11);  // 10.67 rounds up
  EXPECT_EQ(ThemeFontHeight(9, 96), -12);
  EXPECT_EQ(ThemeFontHeight(8, 120), -13);  // 13.33 rounds down
  EXPECT_EQ(ThemeFontHeight(3, 12), -1);    // exactly half rounds away from zero

  ASSERT_TRUE(ParseThemeValue(kThemeFont, 801, u"SEGOE UI,9,bold italic", v));
  EXPECT_EQ(v.font.face, u"SEGOE UI");
  EXPECT_EQ(v.font.points, 9);
  EXPECT_EQ(v.font.bold, 1);  // only the first word counts
  ASSERT_TRUE(ParseThemeValue(kThemeFont, 801, u"ARIAL, 10, BOLDER", v));
  EXPECT_EQ(v.font.Weight(), 400);
  ASSERT_TRUE(ParseThemeValue(kThemeFont, 801, u"ARIAL, 10", v));
  EXPECT_EQ(v.font.points, 10);
  EXPECT_EQ(v.font.Weight(), 400);
  ASSERT_TRUE(ParseThemeValue(kThemeFont, 801, u", 10, BOLD", v));  // no face: nothing read
  EXPECT_EQ(v.font.points, 0);
  EXPECT_EQ(v.font.bold, 0);
  ASSERT_TRUE(ParseThemeValue(kThemeFont, 801, std::u16string(40, u'X') + u", 8, BOLD", v));
  EXPECT_EQ(v.font.face.size(), ThemeFont::kMaxFace);
  EXPECT_EQ(v.font.bold, 1);

  EXPECT_EQ(ThemeMulDiv(1, 1, 0), -1);
  EXPECT_EQ(ThemeMulDiv(-8, 96, 72), -11);
  EXPECT_EQ(ThemeMulDiv(8, 96, -72), -11);
  EXPECT_EQ(ThemeMulDiv(0x7FFFFFFF, 2, 1), -1);
}

}  // namespace

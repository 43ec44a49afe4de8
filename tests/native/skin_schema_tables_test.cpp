#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "skin/theme_section.h"
#include "skin/theme_vocabulary.h"

namespace {

TEST(SkinSchemaTables, PropertyTypeCounts) {
  std::map<int, int> counts;
  std::set<int> ids;
  std::set<std::u16string> names;
  for (const ThemePropertyInfo& p : ThemePropertyTable()) {
    ++counts[p.type];
    EXPECT_TRUE(ids.insert(p.id).second) << p.id;
    EXPECT_TRUE(names.insert(p.name).second) << p.id;
    EXPECT_GT(p.id, 0);
    EXPECT_LT(p.id, kThemeMaxPropertyId);
  }
  EXPECT_EQ(ThemePropertyTable().size, 192u);
  EXPECT_EQ(counts[kThemeString], 23);
  EXPECT_EQ(counts[kThemeInt], 47);
  EXPECT_EQ(counts[kThemeBool], 16);
  EXPECT_EQ(counts[kThemeColor], 66);
  EXPECT_EQ(counts[kThemeMargins], 6);
  EXPECT_EQ(counts[kThemeFont], 8);
  EXPECT_EQ(counts[kThemeIntList], 1);
  EXPECT_EQ(counts[kThemeEnum], 15);
  EXPECT_EQ(counts[kThemePosition], 10);
}

TEST(SkinSchemaTables, PropertyNamesAndIds) {
  struct Case {
    const char16_t* name;
    int id;
    ThemeValueType type;
  };
  const Case cases[] = {
      {u"INT", 202, kThemeInt},
      {u"bool", 203, kThemeBool},
      {u"FILENAME", 206, kThemeString},
      {u"POSITION", 208, kThemePosition},
      {u"IntList", 211, kThemeIntList},
      {u"CAPTIONFONT", 801, kThemeFont},
      {u"ICONTITLEFONT", 806, kThemeFont},
      {u"SIZINGBORDERWIDTH", 1201, kThemeInt},
      {u"MENUBARHEIGHT", 1209, kThemeInt},
      {u"Scrollbar", 1601, kThemeColor},
      {u"MENUHILIGHT", 1630, kThemeColor},
      {u"MENUBAR", 1631, kThemeColor},
      {u"MirrorImage", 2209, kThemeBool},
      {u"TRUESIZESTRETCHMARK", 2419, kThemeInt},
      {u"GLYPHFONT", 2601, kThemeFont},
      {u"ImageFile5", 3006, kThemeString},
      {u"GLYPHIMAGEFILE", 3008, kThemeString},
      {u"NORMALSIZE", 3409, kThemePosition},
      {u"CaptionMargins", 3603, kThemeMargins},
      {u"TRANSPARENTCOLOR", 3809, kThemeColor},
      {u"TRUESIZESCALINGTYPE", 4015, kThemeEnum},
      {u"USERPICTURE", 5001, kThemeBool},
      {u"DEFAULTPANESIZE", 5002, kThemeMargins},
      {u"BLENDCOLOR", 5003, kThemeColor},
  };
  for (const Case& c : cases) {
    const ThemePropertyInfo* p = FindThemeProperty(c.name);
    ASSERT_NE(p, nullptr) << c.id;
    EXPECT_EQ(p->id, c.id);
    EXPECT_EQ(p->type, c.type) << c.id;
    EXPECT_EQ(ThemePropertyById(c.id), p);
  }
  EXPECT_EQ(FindThemeProperty(u"WINBOOL"), nullptr);
  EXPECT_EQ(FindThemeProperty(u"IMAGEFILE6"), nullptr);
  EXPECT_EQ(FindThemeProperty(u""), nullptr);
  EXPECT_EQ(ThemePropertyById(4016), nullptr);
}

TEST(SkinSchemaTables, ClassCodes) {
  EXPECT_EQ(ThemeClassCode(u"globals"), 1);
  EXPECT_EQ(ThemeClassCode(u"DOCUMENTATION"), 2);
  EXPECT_EQ(ThemeClassCode(u"SysMetrics"), 3);
  EXPECT_EQ(ThemeClassCode(u"Window"), 6);
  EXPECT_EQ(ThemeClassCode(u"Button"), 7);
  EXPECT_EQ(ThemeClassCode(u"TAB"), 15);
  EXPECT_EQ(ThemeClassCode(u"ScrollBar"), 21);
  EXPECT_EQ(ThemeClassCode(u"ComboBox"), 23);
  EXPECT_EQ(ThemeClassCode(u"MENUBAND"), 30);
  EXPECT_EQ(ThemeClassCode(u"STATIC"), 0);
  EXPECT_EQ(ThemeClassCode(u"BUTTON "), 0);
  for (int code = 1; code <= kThemeClassCount; ++code) {
    EXPECT_EQ(ThemeClassCode(ThemeClassName(code)), code);
  }
  EXPECT_EQ(ThemeClassName(0), nullptr);
  EXPECT_EQ(ThemeClassName(31), nullptr);
}

TEST(SkinSchemaTables, PartsAndStates) {
  EXPECT_EQ(ThemePartNumber(kThemeClassWindow, u"Caption"), 1);
  EXPECT_EQ(ThemePartNumber(kThemeClassWindow, u"FRAMEBOTTOM"), 9);
  EXPECT_EQ(ThemePartNumber(kThemeClassWindow, u"SMALLFRAMEBOTTOM"), 12);
  EXPECT_EQ(ThemePartNumber(kThemeClassWindow, u"MINBUTTON"), 15);
  EXPECT_EQ(ThemePartNumber(kThemeClassWindow, u"CLOSEBUTTON"), 18);
  EXPECT_EQ(ThemePartNumber(kThemeClassWindow, u"RESTOREBUTTON"), 21);
  EXPECT_EQ(ThemePartNumber(kThemeClassWindow, u"HELPBUTTON"), 23);
  EXPECT_EQ(ThemePartNumber(kThemeClassWindow, u"DIALOG"), 29);
  EXPECT_EQ(ThemePartNumber(kThemeClassWindow, u"CAPTIONSIZINGTEMPLATE"), 30);
  EXPECT_EQ(ThemePartNumber(kThemeClassButton, u"PushButton"), 1);
  EXPECT_EQ(ThemePartNumber(kThemeClassButton, u"CAPTION"), 0);  // another class's part
  EXPECT_EQ(ThemePartNumber(kThemeClassScrollBar, u"SIZEBOX"), 10);
  EXPECT_EQ(ThemePartNumber(kThemeClassComboBox, u"DROPDOWNBUTTON"), 1);
  EXPECT_EQ(ThemePartNumber(kThemeClassGlobals, u"CAPTION"), 0);  // no parts at all
  ASSERT_NE(ThemePartName(kThemeClassWindow, 7), nullptr);
  EXPECT_EQ(std::u16string(ThemePartName(kThemeClassWindow, 7)), u"FRAMELEFT");
  EXPECT_EQ(ThemePartName(kThemeClassWindow, 38), nullptr);

  // The part table ends with the menu band's two parts, spelled as the schema does.
  const ThemeTableView<ThemeNameTable> parts = ThemePartTables();
  const ThemeNameTable& last = parts.data[parts.size - 1];
  EXPECT_EQ(std::u16string(last.owner), u"MENUBAND");
  ASSERT_EQ(last.count, 2u);
  EXPECT_EQ(std::u16string(last.entries[0].name), u"NEWAPPBUTTON");
  EXPECT_EQ(last.entries[0].number, 1);
  EXPECT_EQ(std::u16string(last.entries[1].name), u"SEPERATOR");
  EXPECT_EQ(last.entries[1].number, 2);
  EXPECT_EQ(parts.size, 25u);

  EXPECT_EQ(ThemeStateNumber(u"FRAME", u"inactive"), 2);
  EXPECT_EQ(ThemeStateNumber(u"CAPTION", u"DISABLED"), 3);
  EXPECT_EQ(ThemeStateNumber(u"PushButton", u"Hot"), 2);
  EXPECT_EQ(ThemeStateNumber(u"PUSHBUTTON", u"DEFAULTED"), 5);
  EXPECT_EQ(ThemeStateNumber(u"CHECKBOX", u"MIXEDDISABLED"), 12);
  EXPECT_EQ(ThemeStateNumber(u"ARROWBTN", u"RIGHTDISABLED"), 16);
  EXPECT_EQ(ThemeStateNumber(u"SCROLLBAR", u"PRESSED"), 3);
  EXPECT_EQ(ThemeStateNumber(u"PUSHBUTTON", u"ACTIVE"), 0);
  EXPECT_EQ(ThemeStateNumber(u"FRAMELEFT", u"ACTIVE"), 0);  // no table of that name
}

TEST(SkinSchemaTables, Enumerations) {
  EXPECT_EQ(ThemeEnumTables().size, 15u);
  EXPECT_EQ(ThemeEnumValue(4001, u"BorderFill"), 1);
  EXPECT_EQ(ThemeEnumValue(4001, u"NONE"), 2);
  EXPECT_EQ(ThemeEnumValue(4004, u"TRUESIZE"), 0);
  EXPECT_EQ(ThemeEnumValue(4008, u"BELOWLASTBUTTON"), 13);
  EXPECT_EQ(ThemeEnumValue(4011, u"HORIZONTAL"), 1);
  EXPECT_EQ(ThemeEnumValue(4012, u"IMAGEGLYPH"), 1);
  EXPECT_EQ(ThemeEnumValue(4015, u"DPI"), 2);
  EXPECT_EQ(ThemeEnumValue(4001, u"STRETCH"), -1);
  EXPECT_EQ(ThemeEnumValue(3001, u"NONE"), -1);  // not an enumeration
  // Every enumerated property has its table, and every table belongs to one.
  int enums = 0;
  for (const ThemePropertyInfo& p : ThemePropertyTable()) {
    if (p.type != kThemeEnum) continue;
    ++enums;
    const ThemeNameTable* t = ThemeEnumTable(p.id);
    ASSERT_NE(t, nullptr) << p.id;
    EXPECT_EQ(p.id, 4000 + enums);
    for (size_t i = 0; i < t->count; ++i) EXPECT_EQ(t->entries[i].number, int(i));
  }
  EXPECT_EQ(enums, 15);
}

TEST(SkinSchemaTables, PropertyKey) {
  EXPECT_EQ(ThemePropertyKey(7, 1, 2, 3803), 135384795u);  // BUTTON.PUSHBUTTON(HOT) TEXTCOLOR
  EXPECT_EQ(ThemePropertyKey(1, 0, 0, 0), 16384u);
  // Distinct fields never collide within their ranges.
  EXPECT_NE(ThemePropertyKey(1, 1, 0, 0), ThemePropertyKey(0, 0, 1, 0));
  EXPECT_NE(ThemePropertyKey(63, 63, 15, 16383), ThemePropertyKey(0, 0, 16, 0));
  // State 64 and above wraps in 32 bits.
  EXPECT_EQ(ThemePropertyKey(0, 0, 64, 0), 0u);
}

}  // namespace

// The theme vocabulary: class codes, the part and state names of each class
// and part, the property names with their ids and value types, and the value
// names of the enumerated properties. Name lookups ignore case; an unknown
// name gives 0 (-1 for an enumeration value).
#pragma once
#include <cstddef>
#include <string_view>

// Value types of the property table; the numbers are the table's type codes.
enum ThemeValueType : int {
  kThemeNoType = 0,
  kThemeString = 1,  // also file names
  kThemeInt = 2,     // also sizes
  kThemeBool = 3,
  kThemeColor = 4,
  kThemeMargins = 5,  // also rectangles
  kThemeFont = 6,
  kThemeIntList = 7,  // never stored
  kThemeEnum = 8,
  kThemePosition = 9,  // also sizes given as two numbers
};

// Class codes the engine itself relies on.
enum ThemeClassCodeValue : int {
  kThemeClassGlobals = 1,
  kThemeClassDocumentation = 2,
  kThemeClassSysMetrics = 3,
  kThemeClassWindow = 6,
  kThemeClassButton = 7,
  kThemeClassProgress = 14,
  kThemeClassTab = 15,
  kThemeClassScrollBar = 21,
  kThemeClassEdit = 22,
  kThemeClassComboBox = 23,
};
constexpr int kThemeClassCount = 30;

// Property ids used by the engine's own code (the full set is in the table).
enum ThemePropertyId : int {
  kTmtCaptionFont = 801,
  kTmtSmallCaptionFont = 802,
  kTmtMenuFont = 803,
  kTmtStatusFont = 804,
  kTmtIconTitleFont = 806,
  kTmtScrollBarWidth = 1202,
  kTmtScrollBarHeight = 1203,
  kTmtCaptionBarHeight = 1205,
  kTmtSmCaptionBarHeight = 1207,
  kTmtFirstSysColor = 1601,  // system colour i is 1601 + i
  kTmtTransparent = 2201,
  kTmtBorderOnly = 2203,
  kTmtGlyphTransparent = 2206,
  kTmtMirrorImage = 2209,
  kTmtImageCount = 2401,
  kTmtAlphaLevel = 2402,
  kTmtBorderSize = 2403,
  kTmtTrueSizeStretchMark = 2419,
  kTmtGlyphFont = 2601,
  kTmtImageFile = 3001,
  kTmtImageFile1 = 3002,  // to kTmtImageFile1 + 4 for IMAGEFILE5
  kTmtStockImageFile = 3007,
  kTmtGlyphImageFile = 3008,
  kTmtSizingMargins = 3601,
  kTmtContentMargins = 3602,
  kTmtCaptionMargins = 3603,
  kTmtBorderColor = 3801,
  kTmtFillColor = 3802,
  kTmtTextColor = 3803,
  kTmtTransparentColor = 3809,
  kTmtGlyphTransparentColor = 3820,
  kTmtBgType = 4001,
  kTmtSizingType = 4004,
  kTmtHAlign = 4005,
  kTmtContentAlignment = 4006,
  kTmtVAlign = 4007,
  kTmtImageLayout = 4011,
  kTmtGlyphType = 4012,
  kTmtImageSelectType = 4013,
};

// Value indexes of the enumerations the drawing code tests.
enum ThemeEnumValueIndex : int {
  kBgTypeImageFile = 0,
  kBgTypeBorderFill = 1,
  kBgTypeNone = 2,
  kSizingTrueSize = 0,
  kSizingStretch = 1,
  kSizingTile = 2,
  kVAlignTop = 0,
  kVAlignCenter = 1,
  kVAlignBottom = 2,
  kLayoutVertical = 0,
  kLayoutHorizontal = 1,
  kGlyphNone = 0,
  kGlyphImage = 1,
  kGlyphFont = 2,
  kImageSelectNone = 0,
  kImageSelectSize = 1,
  kImageSelectDpi = 2,
};

struct ThemeName {
  const char16_t* name;
  int number;
};

// A named list of names: a class's parts, a part's states or an
// enumeration's values (numbered by index).
struct ThemeNameTable {
  const char16_t* owner;
  const ThemeName* entries;
  size_t count;
};

struct ThemePropertyInfo {
  const char16_t* name;
  int id;
  ThemeValueType type;
};

template <typename T>
struct ThemeTableView {
  const T* data;
  size_t size;
  const T* begin() const { return data; }
  const T* end() const { return data + size; }
};

// Class codes 1 to 30.
int ThemeClassCode(std::u16string_view name);
const char16_t* ThemeClassName(int code);  // nullptr outside 1 to 30

// Parts of a class; 0 when the class has no such part.
int ThemePartNumber(int classCode, std::u16string_view partName);
const ThemeNameTable* ThemePartTable(int classCode);
const char16_t* ThemePartName(int classCode, int part);

// States are listed per part name, or per class name for classes whose
// states do not depend on a part.
int ThemeStateNumber(std::u16string_view ownerName, std::u16string_view stateName);
const ThemeNameTable* ThemeStateTable(std::u16string_view ownerName);

const ThemePropertyInfo* FindThemeProperty(std::u16string_view name);
const ThemePropertyInfo* ThemePropertyById(int id);

// Value index of an enumerated property's value name, or -1.
int ThemeEnumValue(int propertyId, std::u16string_view valueName);
const ThemeNameTable* ThemeEnumTable(int propertyId);

// Whole tables, for counting and for tools that walk every part and state.
ThemeTableView<ThemePropertyInfo> ThemePropertyTable();
ThemeTableView<ThemeNameTable> ThemePartTables();
ThemeTableView<ThemeNameTable> ThemeStateTables();
ThemeTableView<ThemeNameTable> ThemeEnumTables();

// Name lookups over the vocabulary tables. The tables are small and read once
// per INI line, so a linear search is enough.
#include "skin/theme_vocabulary.h"
#include "skin/theme_text.h"

namespace {

const ThemeNameTable* FindTable(ThemeTableView<ThemeNameTable> tables, std::u16string_view owner) {
  for (const ThemeNameTable& t : tables) {
    if (ThemeNameEquals(t.owner, owner)) return &t;
  }
  return nullptr;
}

int FindNumber(const ThemeNameTable* table, std::u16string_view name, int unknown) {
  if (table == nullptr) return unknown;
  for (size_t i = 0; i < table->count; ++i) {
    if (ThemeNameEquals(table->entries[i].name, name)) return table->entries[i].number;
  }
  return unknown;
}

}  // namespace

int ThemeClassCode(std::u16string_view name) {
  for (int code = 1; code <= kThemeClassCount; ++code) {
    if (ThemeNameEquals(ThemeClassName(code), name)) return code;
  }
  return 0;
}

const ThemeNameTable* ThemePartTable(int classCode) {
  const char16_t* name = ThemeClassName(classCode);
  return name == nullptr ? nullptr : FindTable(ThemePartTables(), name);
}

int ThemePartNumber(int classCode, std::u16string_view partName) {
  return FindNumber(ThemePartTable(classCode), partName, 0);
}

const char16_t* ThemePartName(int classCode, int part) {
  const ThemeNameTable* table = ThemePartTable(classCode);
  if (table == nullptr) return nullptr;
  for (size_t i = 0; i < table->count; ++i) {
    if (table->entries[i].number == part) return table->entries[i].name;
  }
  return nullptr;
}

const ThemeNameTable* ThemeStateTable(std::u16string_view ownerName) {
  return FindTable(ThemeStateTables(), ownerName);
}

int ThemeStateNumber(std::u16string_view ownerName, std::u16string_view stateName) {
  return FindNumber(ThemeStateTable(ownerName), stateName, 0);
}

const ThemePropertyInfo* FindThemeProperty(std::u16string_view name) {
  for (const ThemePropertyInfo& p : ThemePropertyTable()) {
    if (ThemeNameEquals(p.name, name)) return &p;
  }
  return nullptr;
}

const ThemePropertyInfo* ThemePropertyById(int id) {
  for (const ThemePropertyInfo& p : ThemePropertyTable()) {
    if (p.id == id) return &p;
  }
  return nullptr;
}

const ThemeNameTable* ThemeEnumTable(int propertyId) {
  const ThemePropertyInfo* p = ThemePropertyById(propertyId);
  if (p == nullptr || p->type != kThemeEnum) return nullptr;
  return FindTable(ThemeEnumTables(), p->name);
}

int ThemeEnumValue(int propertyId, std::u16string_view valueName) {
  return FindNumber(ThemeEnumTable(propertyId), valueName, -1);
}

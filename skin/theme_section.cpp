#include "skin/theme_section.h"

#include <string>

#include "skin/theme_vocabulary.h"

bool ParseThemeSection(std::u16string_view name, ThemeSection& out) {
  out = ThemeSection();
  if (name.find(u':') != std::u16string_view::npos) return false;

  std::u16string compact;
  compact.reserve(name.size());
  for (char16_t c : name) {
    if (c != u' ' && c != u'\t') compact.push_back(c);
  }
  std::u16string_view rest = compact;

  std::u16string_view stateName;
  const size_t open = rest.find(u'(');
  if (open != std::u16string_view::npos) {
    stateName = rest.substr(open + 1);
    stateName = stateName.substr(0, stateName.find(u')'));
    rest = rest.substr(0, open);
  }
  std::u16string_view className = rest;
  std::u16string_view partName;
  const size_t dot = rest.find(u'.');
  if (dot != std::u16string_view::npos) {
    className = rest.substr(0, dot);
    partName = rest.substr(dot + 1);
  }

  out.classCode = ThemeClassCode(className);
  if (out.classCode == 0) return false;
  if (!partName.empty()) out.part = ThemePartNumber(out.classCode, partName);
  if (!stateName.empty()) {
    out.state = ThemeStateNumber(partName.empty() ? className : partName, stateName);
  }
  return true;
}

uint32_t ThemeSectionKey(std::u16string_view name) {
  ThemeSection s;
  if (!ParseThemeSection(name, s)) return 0;
  return ThemePropertyKey(uint32_t(s.classCode), uint32_t(s.part), uint32_t(s.state), 0);
}

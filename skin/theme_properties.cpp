#include "skin/theme_properties.h"

#include "skin/theme_section.h"
#include "skin/theme_text.h"

void ThemeProperties::Clear() {
  m_values.clear();
  m_premultiply = 1;
}

int ThemeProperties::Read(IniLineReader& lines) {
  Clear();
  uint32_t sectionKey = 0;
  std::u16string_view line;
  while (lines.Next(line)) ReadLine(line, sectionKey);

  int32_t alphaLevel = 0;
  if (GetInt(kThemeClassDocumentation, 0, 0, kTmtAlphaLevel, alphaLevel) == kThemeOk &&
      alphaLevel == 255) {
    m_premultiply = 0;
  }
  return int(m_values.size());
}

void ThemeProperties::ReadLine(std::u16string_view raw, uint32_t& sectionKey) {
  std::u16string_view trimmed = TrimThemeLeft(raw);
  trimmed = trimmed.substr(0, trimmed.find(u';'));
  if (trimmed.empty()) return;
  const std::u16string line = ThemeUpperCopy(trimmed);

  if (line[0] == u'[') {
    // The name lies between the first and the last character, whatever the
    // last one is.
    const std::u16string_view name =
        line.size() >= 2 ? std::u16string_view(line).substr(1, line.size() - 2) : u"";
    sectionKey = ThemeSectionKey(name);
    return;
  }
  if (sectionKey == 0) return;

  const size_t eq = line.find(u'=', 1);
  if (eq == std::u16string::npos) return;
  const std::u16string_view view = line;
  const ThemePropertyInfo* info = FindThemeProperty(TrimThemeRight(view.substr(0, eq)));
  if (info == nullptr || info->type == kThemeIntList) return;

  ThemeValue value;
  if (!ParseThemeValue(info->type, info->id, TrimTheme(view.substr(eq + 1)), value)) return;
  m_values[sectionKey + uint32_t(info->id)] = std::move(value);
}

const ThemeValue* ThemeProperties::FindKey(uint32_t key) const {
  const auto it = m_values.find(key);
  return it == m_values.end() ? nullptr : &it->second;
}

const ThemeValue* ThemeProperties::Find(int classCode, int part, int state, int id) const {
  if (classCode < 0 || classCode >= kThemeMaxClass || part < 0 || part >= kThemeMaxPart ||
      state < 0 || state >= kThemeMaxState || id < 0 || id >= kThemeMaxPropertyId) {
    return nullptr;
  }
  const auto key = [id](int c, int p, int s) {
    return ThemePropertyKey(uint32_t(c), uint32_t(p), uint32_t(s), uint32_t(id));
  };
  const ThemeValue* v = nullptr;
  if (state != 0) v = FindKey(key(classCode, part, state));
  if (v == nullptr) v = FindKey(key(classCode, part, 0));
  if (v == nullptr) v = FindKey(key(classCode, 0, 0));
  if (v == nullptr) v = FindKey(key(kThemeClassGlobals, 0, 0));
  return v;
}

const ThemeValue* ThemeProperties::FindTyped(int classCode, int part, int state, int id,
                                             ThemeValueType type, int32_t& status) const {
  const ThemeValue* v = Find(classCode, part, state, id);
  if (v == nullptr) {
    status = kThemeNotFound;
    return nullptr;
  }
  if (v->type != type) {
    status = kThemeWrongType;
    return nullptr;
  }
  status = kThemeOk;
  return v;
}

int32_t ThemeProperties::GetString(int c, int p, int s, int id, std::u16string& out) const {
  return GetTyped(c, p, s, id, kThemeString, &ThemeValue::text, out);
}

int32_t ThemeProperties::GetInt(int c, int p, int s, int id, int32_t& out) const {
  return GetTyped(c, p, s, id, kThemeInt, &ThemeValue::number, out);
}

int32_t ThemeProperties::GetBool(int c, int p, int s, int id, int32_t& out) const {
  return GetTyped(c, p, s, id, kThemeBool, &ThemeValue::number, out);
}

int32_t ThemeProperties::GetColor(int c, int p, int s, int id, uint32_t& out) const {
  return GetTyped(c, p, s, id, kThemeColor, &ThemeValue::color, out);
}

int32_t ThemeProperties::GetEnum(int c, int p, int s, int id, int32_t& out) const {
  return GetTyped(c, p, s, id, kThemeEnum, &ThemeValue::number, out);
}

int32_t ThemeProperties::GetMargins(int c, int p, int s, int id, ThemeMargins& out) const {
  return GetTyped(c, p, s, id, kThemeMargins, &ThemeValue::margins, out);
}

int32_t ThemeProperties::GetFont(int c, int p, int s, int id, ThemeFont& out) const {
  return GetTyped(c, p, s, id, kThemeFont, &ThemeValue::font, out);
}

int32_t ThemeProperties::GetPosition(int c, int p, int s, int id, ThemePosition& out) const {
  return GetTyped(c, p, s, id, kThemePosition, &ThemeValue::position, out);
}

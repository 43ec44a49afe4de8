// The properties of a theme's colour scheme: every value of the INI text,
// keyed by class, part, state and property id, and the typed reads that look
// a value up for a part and state with the fallbacks to the part, the class
// and "Globals". The platform's theme object owns one of these.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "skin/ini_line_reader.h"
#include "skin/theme_value.h"

// Status codes of the typed reads (the platform's HRESULT values).
constexpr int32_t kThemeOk = 0;
constexpr int32_t kThemeNotFound = int32_t(0x80004005u);   // E_FAIL
constexpr int32_t kThemeWrongType = int32_t(0x80070057u);  // E_INVALIDARG

class ThemeProperties {
 public:
  // Replaces all values by those of the lines; returns how many are stored.
  int Read(IniLineReader& lines);
  int ReadText(std::u16string_view text) {
    IniLineReader lines(text);
    return Read(lines);
  }
  void Clear();

  size_t Size() const { return m_values.size(); }
  // 0 when the scheme's "Documentation" says its images are premultiplied
  // already (ALPHALEVEL 255); 1 otherwise.
  int Premultiply() const { return m_premultiply; }

  // The value stored under exactly this key, or nullptr.
  const ThemeValue* FindKey(uint32_t key) const;
  // The first value of (state), (part), (class), ("Globals"); nullptr if none
  // or if an argument is outside the key's ranges.
  const ThemeValue* Find(int classCode, int part, int state, int propertyId) const;

  // Typed reads: kThemeOk and `out` set, kThemeNotFound, or kThemeWrongType
  // when the value found has another type (`out` untouched on failure).
  int32_t GetString(int classCode, int part, int state, int id, std::u16string& out) const;
  int32_t GetInt(int classCode, int part, int state, int id, int32_t& out) const;
  int32_t GetBool(int classCode, int part, int state, int id, int32_t& out) const;
  int32_t GetColor(int classCode, int part, int state, int id, uint32_t& out) const;
  int32_t GetEnum(int classCode, int part, int state, int id, int32_t& out) const;
  int32_t GetMargins(int classCode, int part, int state, int id, ThemeMargins& out) const;
  int32_t GetFont(int classCode, int part, int state, int id, ThemeFont& out) const;
  int32_t GetPosition(int classCode, int part, int state, int id, ThemePosition& out) const;

  // The one typed read behind them all: the value found must have `type`,
  // and `out` is then made from its `field` (as `Out(value.*field)`).
  template <typename Out, typename Field>
  int32_t GetTyped(int classCode, int part, int state, int id, ThemeValueType type,
                   Field ThemeValue::*field, Out& out) const {
    int32_t status;
    if (const ThemeValue* v = FindTyped(classCode, part, state, id, type, status))
      out = Out(v->*field);
    return status;
  }

 private:
  void ReadLine(std::u16string_view raw, uint32_t& sectionKey);
  const ThemeValue* FindTyped(int classCode, int part, int state, int id, ThemeValueType type,
                              int32_t& status) const;

  std::unordered_map<uint32_t, ThemeValue> m_values;
  int m_premultiply = 1;
};

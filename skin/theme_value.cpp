// Value conversions. The number forms follow the C scanning rules the theme
// format was written against ("%i" takes 0x and leading-0 octal, "%ld" only
// decimal); fields after the first mismatch keep 0. Numbers too large for 32
// bits wrap, as the scanning library did.
#include "skin/theme_value.h"

#include "skin/theme_text.h"

namespace {

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 99;
}

class Scanner {
 public:
  explicit Scanner(std::u16string_view text) : m_text(text) {}

  void SkipSpace() {
    while (m_pos < m_text.size() && IsThemeSpace(m_text[m_pos])) ++m_pos;
  }

  bool Literal(char16_t c) {
    if (m_pos >= m_text.size() || m_text[m_pos] != c) return false;
    ++m_pos;
    return true;
  }

  // "%i" when autoBase, else "%ld" / "%d".
  bool Number(bool autoBase, int32_t& out) {
    SkipSpace();
    size_t p = m_pos;
    bool negative = false;
    if (p < m_text.size() && (m_text[p] == u'+' || m_text[p] == u'-')) {
      negative = m_text[p] == u'-';
      ++p;
    }
    int base = 10;
    if (autoBase && p < m_text.size() && m_text[p] == u'0') {
      base = 8;
      if (p + 2 < m_text.size() && (m_text[p + 1] == u'x' || m_text[p + 1] == u'X') &&
          DigitValue(m_text[p + 2]) < 16) {
        base = 16;
        p += 2;
      }
    }
    uint32_t value = 0;
    size_t digits = 0;
    while (p < m_text.size() && DigitValue(m_text[p]) < base) {
      value = value * uint32_t(base) + uint32_t(DigitValue(m_text[p]));
      ++p;
      ++digits;
    }
    if (digits == 0) return false;
    m_pos = p;
    out = int32_t(negative ? 0u - value : value);
    return true;
  }

  // "%[^,]": at least one character up to a comma.
  bool UpToComma(std::u16string_view& out) {
    size_t p = m_pos;
    while (p < m_text.size() && m_text[p] != u',') ++p;
    if (p == m_pos) return false;
    out = m_text.substr(m_pos, p - m_pos);
    m_pos = p;
    return true;
  }

  // "%s": a word of non-blank characters.
  bool Word(std::u16string_view& out) {
    SkipSpace();
    size_t p = m_pos;
    while (p < m_text.size() && !IsThemeSpace(m_text[p])) ++p;
    if (p == m_pos) return false;
    out = m_text.substr(m_pos, p - m_pos);
    m_pos = p;
    return true;
  }

 private:
  std::u16string_view m_text;
  size_t m_pos = 0;
};

uint32_t ParseColor(std::u16string_view text) {
  Scanner s(text);
  int32_t rgb[3] = {0, 0, 0};
  for (int i = 0; i < 3 && s.Number(true, rgb[i]); ++i) {
  }
  return uint32_t(rgb[0]) + uint32_t(rgb[1]) * 256u + uint32_t(rgb[2]) * 65536u;
}

ThemeMargins ParseMargins(std::u16string_view text) {
  Scanner s(text);
  int32_t v[4] = {0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    if (i > 0 && !s.Literal(u',')) break;
    if (!s.Number(false, v[i])) break;
  }
  return ThemeMargins{v[0], v[1], v[2], v[3]};
}

ThemePosition ParsePosition(std::u16string_view text) {
  Scanner s(text);
  ThemePosition pos;
  if (s.Number(true, pos.x) && s.Literal(u',')) s.Number(true, pos.y);
  return pos;
}

ThemeFont ParseFont(std::u16string_view text) {
  Scanner s(text);
  ThemeFont font;
  std::u16string_view face;
  if (!s.UpToComma(face)) return font;
  font.face = std::u16string(face.substr(0, ThemeFont::kMaxFace));
  if (!s.Literal(u',') || !s.Number(false, font.points) || !s.Literal(u',')) return font;
  std::u16string_view style;
  if (s.Word(style)) font.bold = ThemeNameEquals(style, u"BOLD") ? 1 : 0;
  return font;
}

int32_t ParseDecimal(std::u16string_view text) {
  Scanner s(text);
  int32_t value = 0;
  s.Number(false, value);
  return value;
}

}  // namespace

bool ParseThemeValue(ThemeValueType type, int propertyId, std::u16string_view text,
                     ThemeValue& out) {
  out = ThemeValue();
  out.type = type;
  switch (type) {
    case kThemeString:
      out.text = std::u16string(text);
      return true;
    case kThemeInt:
      out.number = ParseDecimal(text);
      return true;
    case kThemeBool:
      out.number = ThemeNameEquals(text, u"TRUE") ? 1 : 0;
      return true;
    case kThemeColor:
      out.color = ParseColor(text);
      return true;
    case kThemeMargins:
      out.margins = ParseMargins(text);
      return true;
    case kThemeFont:
      out.font = ParseFont(text);
      return true;
    case kThemeEnum:
      out.number = ThemeEnumValue(propertyId, text);
      return true;
    case kThemePosition:
      out.position = ParsePosition(text);
      return true;
    default:
      out.type = kThemeNoType;
      return false;
  }
}

int32_t ThemeMulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t product = int64_t(a) * int64_t(b);
  const bool negative = (product < 0) != (c < 0);
  const uint64_t num = product < 0 ? uint64_t(-product) : uint64_t(product);
  const uint64_t den = c < 0 ? uint64_t(-int64_t(c)) : uint64_t(c);
  const uint64_t q = (num + den / 2) / den;
  if (q > 2147483647u) return -1;
  return negative ? -int32_t(q) : int32_t(q);
}

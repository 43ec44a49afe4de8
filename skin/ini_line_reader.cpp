#include "skin/ini_line_reader.h"

#include <cstdint>

bool IniLineReader::Next(std::u16string_view& line) {
  const char16_t* p = m_pos;
  while (p != m_end && *p != u'\r') ++p;
  if (p == m_end) {
    m_pos = m_end;
    return false;
  }
  line = std::u16string_view(m_pos, size_t(p - m_pos));
  ++p;
  if (p != m_end && *p == u'\n') ++p;
  m_pos = p;
  return true;
}

std::u16string_view ThemeTextFromBytes(const void* data, size_t size) {
  if (data == nullptr || reinterpret_cast<uintptr_t>(data) % alignof(char16_t) != 0) return {};
  const auto* text = static_cast<const char16_t*>(data);
  size_t count = size / sizeof(char16_t);
  if (count > 0 && text[0] == 0xFEFF) {
    ++text;
    --count;
  }
  return std::u16string_view(text, count);
}

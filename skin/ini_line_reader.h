// A cursor over UTF-16 INI text that hands out one line at a time as a view
// into the text; nothing is copied, so the text must outlive the reader.
// Works the same for a resource's text and for a loose file read into memory.
#pragma once
#include <cstddef>
#include <string_view>

class IniLineReader {
 public:
  IniLineReader() = default;
  explicit IniLineReader(std::u16string_view text)
      : m_pos(text.data()), m_end(text.data() + text.size()) {}

  // The next line without its carriage return; false at the end. Text after
  // the last carriage return is not a line: a theme's last line must end.
  bool Next(std::u16string_view& line);

  bool AtEnd() const { return m_pos == m_end; }
  // Characters not read yet.
  size_t Remaining() const { return size_t(m_end - m_pos); }

 private:
  const char16_t* m_pos = nullptr;
  const char16_t* m_end = nullptr;
};

// The UTF-16 text held in raw bytes (a "TEXTFILE" resource or a file's
// contents): after a byte-order mark if there is one, up to the size rounded
// down to whole characters. Data not aligned to 2 bytes yields no text.
std::u16string_view ThemeTextFromBytes(const void* data, size_t size);

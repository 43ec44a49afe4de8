// UTF-8 and UTF-16 text: bytes read as they arrive (a character cut between
// two reads comes out whole with the second), and text written as UTF-8.
#pragma once
#include <cstddef>
#include <string>

class Utf8Decoder {
 public:
  // The text of `bytes`, after what earlier calls left unfinished. A byte that
  // cannot start or continue a character becomes U+FFFD, one per byte.
  std::u16string Decode(const char* bytes, size_t count);
  // The text of a sequence left unfinished at the end, U+FFFD per byte.
  std::u16string Finish();
  void Reset() { m_count = 0; }

 private:
  unsigned char m_pending[4] = {};
  size_t m_count = 0;
};

// The whole of `bytes` at once.
std::u16string Utf8ToText(const std::string& bytes);

// `text` as UTF-8; a lone surrogate, which has no UTF-8 form, becomes U+FFFD.
std::string TextToUtf8(const std::u16string& text);

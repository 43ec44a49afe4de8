#include "framework/utf8_text.h"

namespace {

constexpr char16_t kReplacement = u'\xFFFD';

// How many bytes a character starting with `lead` has; 0 for a byte that
// cannot start one.
size_t LengthOf(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Whether the `index`th byte (1 on) may follow `lead`: the ranges that keep out
// overlong forms, surrogates and code points beyond U+10FFFF.
bool Follows(unsigned char lead, size_t index, unsigned char byte) {
  if (index == 1) {
    if (lead == 0xE0) return byte >= 0xA0 && byte <= 0xBF;
    if (lead == 0xED) return byte >= 0x80 && byte <= 0x9F;
    if (lead == 0xF0) return byte >= 0x90 && byte <= 0xBF;
    if (lead == 0xF4) return byte >= 0x80 && byte <= 0x8F;
  }
  return byte >= 0x80 && byte <= 0xBF;
}

void Put(std::u16string& out, const unsigned char* c, size_t n) {
  char32_t cp = n == 1 ? c[0] : n == 2 ? c[0] & 0x1F : n == 3 ? c[0] & 0x0F : c[0] & 0x07;
  for (size_t i = 1; i < n; ++i) cp = (cp << 6) | (c[i] & 0x3F);
  if (cp < 0x10000) {
    out += char16_t(cp);
  } else {
    cp -= 0x10000;
    out += char16_t(0xD800 + (cp >> 10));
    out += char16_t(0xDC00 + (cp & 0x3FF));
  }
}

}  // namespace

std::u16string Utf8Decoder::Decode(const char* bytes, size_t count) {
  std::u16string out;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (m_count > 0) {
      if (Follows(m_pending[0], m_count, byte)) {
        m_pending[m_count++] = byte;
        if (m_count == LengthOf(m_pending[0])) {
          Put(out, m_pending, m_count);
          m_count = 0;
        }
        continue;
      }
      // A broken sequence: its bytes are lost, the byte that broke it starts anew.
      out.append(m_count, kReplacement);
      m_count = 0;
    }
    const size_t length = LengthOf(byte);
    if (length == 0) {
      out += kReplacement;
    } else if (length == 1) {
      out += char16_t(byte);
    } else {
      m_pending[0] = byte;
      m_count = 1;
    }
  }
  return out;
}

std::u16string Utf8Decoder::Finish() {
  std::u16string out(m_count, kReplacement);
  m_count = 0;
  return out;
}

std::u16string Utf8ToText(const std::string& bytes) {
  Utf8Decoder decoder;
  std::u16string text = decoder.Decode(bytes.data(), bytes.size());
  return text + decoder.Finish();
}

std::string TextToUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = kReplacement;  // a lone surrogate has no UTF-8 form
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

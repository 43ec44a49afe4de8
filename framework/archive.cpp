#include "framework/archive.h"

Archive::Archive() : m_storing(true) {}

Archive::Archive(const uint8_t* data, size_t size, AnsiDecoder decode)
    : m_storing(false), m_in(data), m_size(size), m_decode(decode) {}

void Archive::PutLe(uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) m_out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool Archive::Take(size_t n, const uint8_t*& p) {
  if (!m_ok || n > m_size - m_pos) {
    m_ok = false;
    return false;
  }
  p = m_in + m_pos;
  m_pos += n;
  return true;
}

bool Archive::ReadU8(uint32_t& v) {
  const uint8_t* p;
  if (!Take(1, p)) return false;
  v = p[0];
  return true;
}

bool Archive::ReadU16(uint32_t& v) {
  const uint8_t* p;
  if (!Take(2, p)) return false;
  v = p[0] | (uint32_t(p[1]) << 8);
  return true;
}

bool Archive::ReadU32(uint32_t& v) {
  const uint8_t* p;
  if (!Take(4, p)) return false;
  v = p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
  return true;
}

Archive& Archive::Serialize(int32_t& value) {
  if (m_storing) {
    PutLe(static_cast<uint32_t>(value), 4);
    return *this;
  }
  uint32_t v;
  if (ReadU32(v)) value = static_cast<int32_t>(v);
  return *this;
}

Archive& Archive::Serialize(std::u16string& value) {
  if (m_storing) {
    // Always the marked UTF-16 form: FF, FE FF, then the length.
    PutLe(0xFF, 1);
    PutLe(0xFFFE, 2);
    const size_t n = value.size();
    if (n < 0xFF) {
      PutLe(static_cast<uint32_t>(n), 1);
    } else if (n < 0xFFFE) {
      PutLe(0xFF, 1);
      PutLe(static_cast<uint32_t>(n), 2);
    } else {
      PutLe(0xFF, 1);
      PutLe(0xFFFF, 2);
      PutLe(static_cast<uint32_t>(n), 4);
    }
    for (char16_t c : value) PutLe(c, 2);
    return *this;
  }

  // A length field; the mark FF FE FF switches to UTF-16 and a length follows.
  bool wide = false;
  uint32_t len = 0;
  for (;;) {
    uint32_t b;
    if (!ReadU8(b)) return *this;
    if (b < 0xFF) {
      len = b;
      break;
    }
    uint32_t w;
    if (!ReadU16(w)) return *this;
    if (w == 0xFFFE) {
      if (wide) {  // a second mark is not a length
        m_ok = false;
        return *this;
      }
      wide = true;
      continue;
    }
    if (w == 0xFFFF) {
      if (!ReadU32(len)) return *this;
    } else {
      len = w;
    }
    break;
  }

  const uint8_t* p;
  const size_t bytes = wide ? size_t(len) * 2 : size_t(len);
  if (!Take(bytes, p)) return *this;  // never allocates more than the data holds
  if (wide) {
    std::u16string s(len, u'\0');
    for (uint32_t i = 0; i < len; ++i) s[i] = char16_t(p[2 * i] | (p[2 * i + 1] << 8));
    value = std::move(s);
  } else {
    const std::string narrow(reinterpret_cast<const char*>(p), bytes);
    value = m_decode ? m_decode(narrow) : DecodeLatin1(narrow);
  }
  return *this;
}

std::u16string DecodeLatin1(const std::string& bytes) {
  std::u16string s;
  s.reserve(bytes.size());
  for (unsigned char c : bytes) s.push_back(c);
  return s;
}

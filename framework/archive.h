// Binary archive of the settings file: 32-bit integers and length-prefixed
// strings, little-endian. One Serialize call serves both directions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Archive {
 public:
  // Converts an 8-bit string in the system's ANSI code page to UTF-16.
  using AnsiDecoder = std::u16string (*)(const std::string&);

  // A storing archive collects bytes.
  Archive();
  // A loading archive reads from the given bytes, which must outlive it.
  Archive(const uint8_t* data, size_t size, AnsiDecoder decode);

  bool IsStoring() const { return m_storing; }
  // False once a read ran past the data or met a malformed item; every read
  // after that leaves its value untouched.
  bool Ok() const { return m_ok; }

  Archive& Serialize(int32_t& value);
  Archive& Serialize(std::u16string& value);

  const std::vector<uint8_t>& Bytes() const { return m_out; }

 private:
  bool Take(size_t n, const uint8_t*& p);
  bool ReadU8(uint32_t& v);
  bool ReadU16(uint32_t& v);
  bool ReadU32(uint32_t& v);
  void PutLe(uint32_t v, int bytes);

  bool m_storing;
  bool m_ok = true;
  std::vector<uint8_t> m_out;
  const uint8_t* m_in = nullptr;
  size_t m_size = 0;
  size_t m_pos = 0;
  AnsiDecoder m_decode = nullptr;
};

// Latin-1 stand-in for the ANSI code page, for code that runs off Windows.
std::u16string DecodeLatin1(const std::string& bytes);

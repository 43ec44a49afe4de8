#include "skin/image_header.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t Le16(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}
uint32_t Le32(const uint8_t* p) {
  return Le16(p) | uint32_t(Le16(p + 2)) << 16;
}
uint32_t Be16(const uint8_t* p) {
  return uint32_t(p[0]) << 8 | p[1];
}
uint32_t Be32(const uint8_t* p) {
  return uint32_t(Be16(p)) << 16 | Be16(p + 2);
}

bool Starts(const uint8_t* data, size_t size, const char* magic, size_t n) {
  return size >= n && std::memcmp(data, magic, n) == 0;
}

bool Png(const uint8_t* d, size_t size, int64_t& w, int64_t& h) {
  if (size < 24 || std::memcmp(d + 12, "IHDR", 4) != 0) return false;
  w = Be32(d + 16);
  h = Be32(d + 20);
  return true;
}

bool Bmp(const uint8_t* d, size_t size, int64_t& w, int64_t& h) {
  if (size < 18) return false;
  const uint32_t header = Le32(d + 14);
  if (header == 12) {  // the old core header: 16-bit sizes
    if (size < 22) return false;
    w = Le16(d + 18);
    h = Le16(d + 20);
    return true;
  }
  if (size < 26) return false;
  w = int32_t(Le32(d + 18));
  h = int32_t(Le32(d + 22));  // negative for a top-down bitmap
  if (w < 0) w = -w;
  if (h < 0) h = -h;
  return true;
}

bool Gif(const uint8_t* d, size_t size, int64_t& w, int64_t& h) {
  if (size < 10) return false;
  w = Le16(d + 6);
  h = Le16(d + 8);
  return true;
}

bool Jpeg(const uint8_t* d, size_t size, int64_t& w, int64_t& h) {
  size_t at = 2;
  while (at + 4 <= size) {
    if (d[at] != 0xFF) return false;
    const uint8_t marker = d[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      at += 2;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return false;  // the scan, or the end: no frame header
    const size_t length = Be16(d + at + 2);
    if (length < 2) return false;
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > size) return false;
      h = Be16(d + at + 5);
      w = Be16(d + at + 7);
      return true;
    }
    at += 2 + length;
  }
  return false;
}

// Icons and cursors: the largest of their images (a size byte of 0 is 256).
bool Icon(const uint8_t* d, size_t size, int64_t& w, int64_t& h) {
  if (size < 6) return false;
  const size_t count = Le16(d + 4);
  if (count == 0 || size < 6 + 16 * count) return false;
  w = h = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = d + 6 + 16 * i;
    w = std::max<int64_t>(w, entry[0] ? entry[0] : 256);
    h = std::max<int64_t>(h, entry[1] ? entry[1] : 256);
  }
  return true;
}

}  // namespace

bool ReadImageHeaderSize(const uint8_t* data, size_t size, int64_t& width, int64_t& height) {
  if (!data) return false;
  if (Starts(data, size, "\x89PNG\r\n\x1a\n", 8)) return Png(data, size, width, height);
  if (Starts(data, size, "BM", 2)) return Bmp(data, size, width, height);
  if (Starts(data, size, "GIF87a", 6) || Starts(data, size, "GIF89a", 6))
    return Gif(data, size, width, height);
  if (Starts(data, size, "\xFF\xD8", 2)) return Jpeg(data, size, width, height);
  if (Starts(data, size, "\0\0\1\0", 4) || Starts(data, size, "\0\0\2\0", 4))
    return Icon(data, size, width, height);
  return false;
}

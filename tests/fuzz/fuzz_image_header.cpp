// Arbitrary bytes as a loose theme image: its size is read from the header
// alone, never past the bytes given, and a size once read stays the same
// with more bytes after it.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/image_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy of exactly `size` bytes, so that reading past them is caught.
  const std::vector<uint8_t> bytes(data, data + size);
  int64_t width = -1, height = -1;
  if (!ReadImageHeaderSize(bytes.data(), bytes.size(), width, height)) return 0;
  if (width < 0 || height < 0) std::abort();
  std::vector<uint8_t> longer = bytes;
  longer.resize(size + 64, 0xFF);
  int64_t w2 = -1, h2 = -1;
  if (!ReadImageHeaderSize(longer.data(), longer.size(), w2, h2) || w2 != width || h2 != height)
    std::abort();
  return 0;
}

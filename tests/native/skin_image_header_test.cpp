// The size a picture states in its header, as the loose-image loader reads it
// before any decoder runs. The JPEG and GIF headers are the first bytes of
// files another program wrote.
#include "skin/image_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

const uint8_t kJpeg5000x3[] = {
    0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x03, 0x02, 0x02, 0x02, 0x02, 0x02, 0x03,
    0x02, 0x02, 0x02, 0x03, 0x03, 0x03, 0x03, 0x04, 0x06, 0x04, 0x04, 0x04, 0x04, 0x04, 0x08, 0x06,
    0x06, 0x05, 0x06, 0x09, 0x08, 0x0A, 0x0A, 0x09, 0x08, 0x09, 0x09, 0x0A, 0x0C, 0x0F, 0x0C, 0x0A,
    0x0B, 0x0E, 0x0B, 0x09, 0x09, 0x0D, 0x11, 0x0D, 0x0E, 0x0F, 0x10, 0x10, 0x11, 0x10, 0x0A, 0x0C,
    0x12, 0x13, 0x12, 0x10, 0x13, 0x0F, 0x10, 0x10, 0x10, 0xFF, 0xDB, 0x00, 0x43, 0x01, 0x03, 0x03,
    0x03, 0x04, 0x03, 0x04, 0x08, 0x04, 0x04, 0x08, 0x10, 0x0B, 0x09, 0x0B, 0x10, 0x10, 0x10, 0x10,
    0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10,
    0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10,
    0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0xFF, 0xC0,
    0x00, 0x11, 0x08, 0x00, 0x03, 0x13, 0x88,
};
const uint8_t kGif2100x2100[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x34, 0x08, 0x34, 0x08, 0xF0, 0x00, 0x00,
};

struct Sized {
  bool read;
  int64_t width;
  int64_t height;
};

Sized Read(const std::vector<uint8_t>& bytes) {
  Sized s{false, -1, -1};
  s.read = ReadImageHeaderSize(bytes.data(), bytes.size(), s.width, s.height);
  return s;
}

std::vector<uint8_t> Bytes(const uint8_t* data, size_t size) {
  return std::vector<uint8_t>(data, data + size);
}

std::vector<uint8_t> Png(uint32_t w, uint32_t h) {
  std::vector<uint8_t> b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                            0,    0,   0,   13,  'I',  'H',  'D',  'R'};
  for (uint32_t v : {w, h})
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(uint8_t(v >> shift));
  return b;
}

std::vector<uint8_t> Bmp(int32_t w, int32_t h) {
  std::vector<uint8_t> b(54, 0);
  b[0] = 'B', b[1] = 'M', b[14] = 40;
  for (int i = 0; i < 4; ++i) {
    b[18 + i] = uint8_t(uint32_t(w) >> (8 * i));
    b[22 + i] = uint8_t(uint32_t(h) >> (8 * i));
  }
  return b;
}

}  // namespace

TEST(SkinImageHeader, EveryFormatTellsItsSizeFromTheHeaderAlone) {
  // JPEG: the frame header comes after the quantisation tables; nothing
  // past it is needed.
  const Sized jpeg = Read(Bytes(kJpeg5000x3, sizeof(kJpeg5000x3)));
  EXPECT_TRUE(jpeg.read);
  EXPECT_EQ(5000, jpeg.width);
  EXPECT_EQ(3, jpeg.height);
  const Sized gif = Read(Bytes(kGif2100x2100, sizeof(kGif2100x2100)));
  EXPECT_TRUE(gif.read);
  EXPECT_EQ(2100, gif.width);
  EXPECT_EQ(2100, gif.height);
  const Sized png = Read(Png(70000, 2));
  EXPECT_TRUE(png.read);
  EXPECT_EQ(70000, png.width);
  // A top-down bitmap states a negative height.
  const Sized bmp = Read(Bmp(4097, -12));
  EXPECT_TRUE(bmp.read);
  EXPECT_EQ(4097, bmp.width);
  EXPECT_EQ(12, bmp.height);
  // An icon with a 256-pixel image (size byte 0) beside a 16-pixel one.
  std::vector<uint8_t> ico = {0, 0, 1, 0, 2, 0};
  ico.resize(6 + 32, 0);
  ico[6] = 16, ico[7] = 16;
  const Sized icon = Read(ico);
  EXPECT_TRUE(icon.read);
  EXPECT_EQ(256, icon.width);
  EXPECT_EQ(256, icon.height);
}

TEST(SkinImageHeader, HeadersCutShortOrWithoutASizeAreNotRead) {
  // The JPEG cut inside its frame header, and one whose scan starts first.
  EXPECT_FALSE(Read(Bytes(kJpeg5000x3, sizeof(kJpeg5000x3) - 2)).read);
  EXPECT_FALSE(Read({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x08, 1, 2, 3, 4, 5, 6}).read);
  EXPECT_FALSE(Read(Bytes(kGif2100x2100, 8)).read);
  std::vector<uint8_t> png = Png(10, 10);
  png.resize(20);
  EXPECT_FALSE(Read(png).read);
  EXPECT_FALSE(Read({'B', 'M', 0, 0}).read);
  // An icon whose directory says more images than it holds.
  EXPECT_FALSE(Read({0, 0, 1, 0, 3, 0, 16, 16}).read);
  EXPECT_FALSE(Read({0, 0, 1, 0}).read);
  // No picture format at all.
  EXPECT_FALSE(Read({'<', 's', 'v', 'g', ' ', 'w', 'i', 'd', 't', 'h', '=', '"'}).read);
}

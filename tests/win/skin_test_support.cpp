#include "tests/win/skin_test_support.h"

#include <gtest/gtest.h>
#include <png.h>

#include "skin/win/engine/skin_engine.h"

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

std::wstring ShippedTheme() {
  return AppDir() + L"Vista.skinstyles";
}

void WriteIni(const std::wstring& path, const std::u16string& text) {
  std::vector<uint8_t> bytes = {0xFF, 0xFE};
  for (char16_t c : text) {
    bytes.push_back(uint8_t(c & 0xFF));
    bytes.push_back(uint8_t(c >> 8));
  }
  ASSERT_TRUE(WriteBytes(path, bytes));
}

std::vector<uint8_t> Bmp(int w, int h, int bits, const PixelFn& px) {
  const int row = ((w * bits / 8) + 3) & ~3;
  std::vector<uint8_t> b(54 + size_t(row) * h, 0);
  const auto put32 = [&b](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, uint32_t(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));  // bottom row first
  b[26] = 1;
  b[28] = uint8_t(bits);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t c = px(x, h - 1 - y);
      uint8_t* p = &b[54 + size_t(y) * row + size_t(x) * (bits / 8)];
      p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16);
      if (bits == 32) p[3] = uint8_t(c >> 24);
    }
  }
  return b;
}

std::vector<uint8_t> Png(int w, int h, const PixelFn& px) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) pixels.push_back(px(x, y));
  }
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(w);
  image.height = png_uint_32(h);
  image.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
  std::vector<uint8_t> bytes(size);
  png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr);
  bytes.resize(size);
  return bytes;
}

LooseTheme::LooseTheme(const std::u16string& scheme) {
  EXPECT_TRUE(CopyInto(ShippedTheme(), m_dir.Path()));
  WriteIni(m_dir.Path() + L"NormalBlack2.ini", scheme);
}

void LooseTheme::File(const wchar_t* name, const std::vector<uint8_t>& bytes) const {
  ASSERT_TRUE(WriteBytes(m_dir.Path() + name, bytes));
}

int LooseTheme::Load() const {
  return SkinEngine::Get().LoadTheme(U16(m_dir.Path() + L"Vista.skinstyles"), u"NormalBlack2.ini");
}

Canvas::Canvas(int w, int h, COLORREF fill) : m_w(w) {
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  m_bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_pixels = static_cast<uint32_t*>(bits);
  m_dc = ::CreateCompatibleDC(nullptr);
  m_old = ::SelectObject(m_dc, m_bitmap);
  const RECT all = {0, 0, w, h};
  HBRUSH brush = ::CreateSolidBrush(fill);
  ::FillRect(m_dc, &all, brush);
  ::DeleteObject(brush);
}

Canvas::~Canvas() {
  ::SelectObject(m_dc, m_old);
  ::DeleteDC(m_dc);
  ::DeleteObject(m_bitmap);
}

COLORREF Canvas::At(int x, int y) const {
  ::GdiFlush();
  const uint32_t p = m_pixels[size_t(y) * m_w + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
  HDC dc = ::GetWindowDC(hwnd);
  const COLORREF c = ::GetPixel(dc, x, y);
  ::ReleaseDC(hwnd, dc);
  return c;
}

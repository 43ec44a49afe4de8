// What the skin's Windows tests share: themes written into scratch folders
// (loose colour schemes and images), and bitmaps to draw into and read back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/win/program_harness.h"

using PixelFn = std::function<uint32_t(int x, int y)>;  // 0xAARRGGBB

std::u16string U16(const std::wstring& s);
// The theme file the build ships.
std::wstring ShippedTheme();

// INI text as the theme tools write it: UTF-16 after a byte-order mark.
void WriteIni(const std::wstring& path, const std::u16string& text);
// A .bmp file of 24 or 32 bits per pixel.
std::vector<uint8_t> Bmp(int w, int h, int bits, const PixelFn& px);
std::vector<uint8_t> Png(int w, int h, const PixelFn& px);

// A copy of the shipped theme file with a loose colour scheme beside it,
// which wins over the file's own; its images then come from loose files in
// the same folder.
class LooseTheme {
 public:
  explicit LooseTheme(const std::u16string& scheme);
  void File(const wchar_t* name, const std::vector<uint8_t>& bytes) const;
  // Loads it into the engine: 1 on success.
  int Load() const;
  const std::wstring& Folder() const { return m_dir.Path(); }

 private:
  ScratchDir m_dir;
};

// A 32-bit top-down bitmap to draw into.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  HDC Dc() const { return m_dc; }
  COLORREF At(int x, int y) const;

 private:
  int m_w;
  HBITMAP m_bitmap;
  uint32_t* m_pixels;
  HDC m_dc;
  HGDIOBJ m_old;
};

// A pixel of a window as it shows, window relative (frame included).
COLORREF WindowPixel(HWND hwnd, int x, int y);

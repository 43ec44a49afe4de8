// A theme image: one bitmap holding a part's frames, decoded once and drawn
// with a nine-grid. Images with transparency are kept as 32-bit DIB sections
// with premultiplied alpha and drawn with AlphaBlend; opaque ones are blitted.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "skin/theme_value.h"
#include "skin/theme_vocabulary.h"

// How one frame is spread over a destination rectangle.
struct ImageDrawParams {
  RECT frame = {0, 0, 0, 0};  // the frame inside the image
  ThemeMargins margins;       // nine-grid margins in image pixels
  // The image is made for display scale `fromScale` (percent) and drawn at
  // `toScale`: the margins keep their size on the display.
  int fromScale = 100;
  int toScale = 100;
  int sizingType = kSizingStretch;
  bool borderOnly = false;  // leave the middle cell out
  bool useTransparent = false;
  COLORREF transparent = RGB(255, 0, 255);
  bool mirror = true;  // a right-to-left device context mirrors the image
};

// Theme images are strips of small frames. Anything larger is refused from
// its header, before a pixel is allocated, and its part falls back to the
// system's look: at most 4096 pixels on a side and 4 Mi pixels in all
// (16 MiB as 32-bit pixels).
constexpr int kMaxThemeImageSide = 4096;
constexpr int64_t kMaxThemeImagePixels = int64_t(4) << 20;
bool ThemeImageSizeAllowed(int64_t width, int64_t height);

class ThemeImage {
 public:
  ~ThemeImage();
  ThemeImage(const ThemeImage&) = delete;
  ThemeImage& operator=(const ThemeImage&) = delete;

  static bool IsPng(const void* data, size_t size);
  // PNG data; null when it is not a PNG or cannot be decoded.
  static std::unique_ptr<ThemeImage> FromPng(const void* data, size_t size, bool premultiply);
  // A packed 32-bit DIB (info header, then the bits) as bitmap resources and
  // .bmp files hold it; its fourth byte is alpha. Null for other depths.
  static std::unique_ptr<ThemeImage> FromPackedDib32(const void* data, size_t size,
                                                     bool premultiply);
  // A packed DIB's header (info header, colour table) and the bytes that
  // follow it: true when its size is allowed and `bitsAvailable` bytes hold
  // all its pixels, so the system's loader can read it safely.
  static bool DibFits(const void* header, size_t headerBytes, size_t bitsAvailable);
  // Where a packed DIB's pixels begin, 0 when the header is unreadable.
  static size_t PackedDibBitsOffset(const void* header, size_t size);
  // Takes an ordinary (opaque) bitmap; null for a null handle.
  static std::unique_ptr<ThemeImage> FromBitmap(HBITMAP bitmap);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Drawn with per-pixel alpha (some pixel is not opaque, or the theme's
  // images are premultiplied already).
  bool HasAlpha() const { return m_alpha; }

  // Frame `index` of `count` frames side by side (horizontal) or stacked;
  // an index outside the count gives frame 0.
  RECT Frame(int count, bool horizontal, int index) const;

  // Draws p.frame into dst; false when nothing could be drawn.
  bool Draw(HDC hdc, const RECT& dst, const ImageDrawParams& p) const;

 private:
  ThemeImage();
  // A top-down 32-bit DIB section; m_pixels points at its bits.
  bool CreateDib(int width, int height);
  // Premultiplies straight alpha (when asked) and decides how to draw.
  void FinishAlpha(bool premultiply);
  void DrawCell(HDC hdc, HDC source, const RECT& src, const RECT& dst, const ImageDrawParams& p,
                bool tileX, bool tileY) const;
  void Blit(HDC hdc, HDC source, int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh,
            const ImageDrawParams& p) const;

  HBITMAP m_bitmap = nullptr;
  uint32_t* m_pixels = nullptr;
  int m_width = 0;
  int m_height = 0;
  bool m_alpha = false;
  // A bitmap can be selected into one device context at a time.
  mutable CRITICAL_SECTION m_drawLock;
};

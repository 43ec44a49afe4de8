#include "skin/win/theme/theme_image.h"

#include <png.h>

#include <algorithm>
#include <cstring>

#include "skin/win/system/skin_lock.h"

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

int Scaled(int margin, int total, int available) {
  return total <= 0 ? 0 : MulDiv(margin, available, total);
}

// The header's fields that decide how many bytes its pixels take.
struct DibShape {
  int64_t width = 0, height = 0;
  int bitCount = 0;
  uint32_t compression = BI_RGB;
  uint32_t sizeImage = 0;
  size_t bitsOffset = 0;  // header and colour table
};

bool ReadDibShape(const void* data, size_t size, DibShape& shape) {
  if (data == nullptr || size < sizeof(BITMAPCOREHEADER)) return false;
  uint32_t headerSize = 0;
  std::memcpy(&headerSize, data, 4);
  size_t colours = 0;
  if (headerSize == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER core;
    std::memcpy(&core, data, sizeof(core));
    shape.width = core.bcWidth;
    shape.height = core.bcHeight;
    shape.bitCount = core.bcBitCount;
    shape.bitsOffset = headerSize + (shape.bitCount <= 8 ? (size_t(1) << shape.bitCount) * 3 : 0);
    return shape.bitsOffset <= size;
  }
  BITMAPINFOHEADER h;
  if (headerSize < sizeof(h) || headerSize > size) return false;
  std::memcpy(&h, data, sizeof(h));
  shape.width = h.biWidth;
  shape.height = h.biHeight < 0 ? -int64_t(h.biHeight) : int64_t(h.biHeight);
  shape.bitCount = h.biBitCount;
  shape.compression = h.biCompression;
  shape.sizeImage = h.biSizeImage;
  if (h.biClrUsed > 256) return false;
  colours = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? size_t(1) << h.biBitCount : 0);
  shape.bitsOffset = headerSize + colours * 4;
  if (h.biCompression == BI_BITFIELDS && headerSize == sizeof(h)) shape.bitsOffset += 12;
  return shape.bitsOffset <= size;
}

}  // namespace

bool ThemeImageSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxThemeImageSide && height <= kMaxThemeImageSide &&
         width * height <= kMaxThemeImagePixels;
}

size_t ThemeImage::PackedDibBitsOffset(const void* data, size_t size) {
  DibShape shape;
  return ReadDibShape(data, size, shape) ? shape.bitsOffset : 0;
}

bool ThemeImage::DibFits(const void* header, size_t headerBytes, size_t bitsAvailable) {
  DibShape s;
  if (!ReadDibShape(header, headerBytes, s) || !ThemeImageSizeAllowed(s.width, s.height))
    return false;
  switch (s.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return false;
  }
  if (s.compression == BI_RGB || s.compression == BI_BITFIELDS) {
    const int64_t stride = ((s.width * s.bitCount + 31) / 32) * 4;
    return int64_t(bitsAvailable) / stride >= s.height;
  }
  // Run-length data says its own length.
  return (s.compression == BI_RLE8 || s.compression == BI_RLE4) && s.sizeImage > 0 &&
         s.sizeImage <= bitsAvailable;
}

ThemeImage::ThemeImage() {
  ::InitializeCriticalSection(&m_drawLock);
}

ThemeImage::~ThemeImage() {
  if (m_bitmap) ::DeleteObject(m_bitmap);
  ::DeleteCriticalSection(&m_drawLock);
}

bool ThemeImage::IsPng(const void* data, size_t size) {
  return data != nullptr && size >= sizeof(kPngSignature) &&
         std::memcmp(data, kPngSignature, sizeof(kPngSignature)) == 0;
}

bool ThemeImage::CreateDib(int width, int height) {
  if (!ThemeImageSizeAllowed(width, height)) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (m_bitmap == nullptr || bits == nullptr) return false;
  m_pixels = static_cast<uint32_t*>(bits);
  m_width = width;
  m_height = height;
  return true;
}

void ThemeImage::FinishAlpha(bool premultiply) {
  const size_t count = size_t(m_width) * size_t(m_height);
  bool translucent = false;
  for (size_t i = 0; i < count && !translucent; ++i) translucent = (m_pixels[i] >> 24) != 255;
  if (premultiply && translucent) {
    for (size_t i = 0; i < count; ++i) {
      const uint32_t px = m_pixels[i];
      const uint32_t a = px >> 24;
      const auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
      m_pixels[i] = (a << 24) | (mul((px >> 16) & 0xFF) << 16) | (mul((px >> 8) & 0xFF) << 8) |
                    mul(px & 0xFF);
    }
  }
  // A theme that premultiplied its own images wants them blended as they are.
  m_alpha = premultiply ? translucent : true;
  ::GdiFlush();
}

std::unique_ptr<ThemeImage> ThemeImage::FromPng(const void* data, size_t size, bool premultiply) {
  if (!IsPng(data, size)) return nullptr;
  png_image png;
  std::memset(&png, 0, sizeof(png));
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) return nullptr;
  png.format = PNG_FORMAT_BGRA;  // straight alpha, blue first as in a DIB
  std::unique_ptr<ThemeImage> image(new ThemeImage());
  if (!ThemeImageSizeAllowed(png.width, png.height) ||
      !image->CreateDib(int(png.width), int(png.height))) {
    png_image_free(&png);
    return nullptr;
  }
  if (!png_image_finish_read(&png, nullptr, image->m_pixels, png_int_32(png.width * 4), nullptr)) {
    png_image_free(&png);
    return nullptr;
  }
  image->FinishAlpha(premultiply);
  return image;
}

std::unique_ptr<ThemeImage> ThemeImage::FromPackedDib32(const void* data, size_t size,
                                                        bool premultiply) {
  BITMAPINFOHEADER header;
  if (data == nullptr || size < sizeof(header)) return nullptr;
  std::memcpy(&header, data, sizeof(header));
  if (header.biSize < sizeof(header) || header.biSize > size || header.biBitCount != 32 ||
      header.biPlanes != 1 ||
      (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS)) {
    return nullptr;
  }
  const size_t offset = PackedDibBitsOffset(data, size);
  if (offset == 0 || !DibFits(data, size, size - offset)) return nullptr;
  const int width = header.biWidth;
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  const size_t row = size_t(width) * 4;
  std::unique_ptr<ThemeImage> image(new ThemeImage());
  if (!image->CreateDib(width, height)) return nullptr;
  const auto* bits = static_cast<const uint8_t*>(data) + offset;
  for (int y = 0; y < height; ++y) {
    const int from = header.biHeight > 0 ? height - 1 - y : y;  // bottom-up unless negative
    std::memcpy(image->m_pixels + size_t(y) * width, bits + size_t(from) * row, row);
  }
  // Many 32-bit bitmaps leave the fourth byte 0 throughout: they are opaque.
  const size_t count = size_t(width) * size_t(height);
  bool anyAlpha = false;
  for (size_t i = 0; i < count && !anyAlpha; ++i) anyAlpha = (image->m_pixels[i] >> 24) != 0;
  if (!anyAlpha) {
    for (size_t i = 0; i < count; ++i) image->m_pixels[i] |= 0xFF000000u;
  }
  image->FinishAlpha(premultiply);
  return image;
}

std::unique_ptr<ThemeImage> ThemeImage::FromBitmap(HBITMAP bitmap) {
  BITMAP info;
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0) {
    if (bitmap) ::DeleteObject(bitmap);
    return nullptr;
  }
  std::unique_ptr<ThemeImage> image(new ThemeImage());
  image->m_bitmap = bitmap;
  image->m_width = info.bmWidth;
  image->m_height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  return image;
}

RECT ThemeImage::Frame(int count, bool horizontal, int index) const {
  if (count < 1) count = 1;
  if (index < 0 || index >= count) index = 0;
  if (horizontal) {
    const int w = m_width / count;
    return RECT{index * w, 0, index * w + w, m_height};
  }
  const int h = m_height / count;
  return RECT{0, index * h, m_width, index * h + h};
}

void ThemeImage::Blit(HDC hdc, HDC source, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                      int dh, const ImageDrawParams& p) const {
  if (m_alpha) {
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(hdc, dx, dy, dw, dh, source, sx, sy, sw, sh, blend);
  } else if (p.useTransparent) {
    ::TransparentBlt(hdc, dx, dy, dw, dh, source, sx, sy, sw, sh, p.transparent);
  } else if (sw == dw && sh == dh) {
    ::BitBlt(hdc, dx, dy, dw, dh, source, sx, sy, SRCCOPY);
  } else {
    ::StretchBlt(hdc, dx, dy, dw, dh, source, sx, sy, sw, sh, SRCCOPY);
  }
}

void ThemeImage::DrawCell(HDC hdc, HDC source, const RECT& src, const RECT& dst,
                          const ImageDrawParams& p, bool tileX, bool tileY) const {
  const int sw = src.right - src.left;
  const int sh = src.bottom - src.top;
  const int dw = dst.right - dst.left;
  const int dh = dst.bottom - dst.top;
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  const int stepX = tileX ? sw : dw;
  const int stepY = tileY ? sh : dh;
  for (int y = dst.top; y < dst.bottom; y += stepY) {
    const int h = tileY ? std::min(sh, int(dst.bottom - y)) : dh;
    for (int x = dst.left; x < dst.right; x += stepX) {
      const int w = tileX ? std::min(sw, int(dst.right - x)) : dw;
      Blit(hdc, source, src.left, src.top, tileX ? w : sw, tileY ? h : sh, x, y, w, h, p);
    }
  }
}

bool ThemeImage::Draw(HDC hdc, const RECT& dst, const ImageDrawParams& p) const {
  RECT f;
  const RECT whole = {0, 0, m_width, m_height};
  if (!::IntersectRect(&f, &p.frame, &whole)) return false;
  if (dst.right <= dst.left || dst.bottom <= dst.top) return true;

  const int fw = f.right - f.left;
  const int fh = f.bottom - f.top;
  const int dw = dst.right - dst.left;
  const int dh = dst.bottom - dst.top;
  int l = std::max(0, int(p.margins.left)), r = std::max(0, int(p.margins.right));
  int t = std::max(0, int(p.margins.top)), b = std::max(0, int(p.margins.bottom));
  if (l + r > fw) {
    l = Scaled(l, l + r, fw);
    r = fw - l;
  }
  if (t + b > fh) {
    t = Scaled(t, t + b, fh);
    b = fh - t;
  }
  // Margins never overlap in the destination either: a small target shrinks them.
  int dl = Scaled(l, p.fromScale, p.toScale), dr = Scaled(r, p.fromScale, p.toScale);
  int dt = Scaled(t, p.fromScale, p.toScale), db = Scaled(b, p.fromScale, p.toScale);
  if (dl + dr > dw) {
    dl = Scaled(dl, dl + dr, dw);
    dr = dw - dl;
  }
  if (dt + db > dh) {
    dt = Scaled(dt, dt + db, dh);
    db = dh - dt;
  }
  const LONG xs[4] = {f.left, f.left + l, f.right - r, f.right};
  const LONG ys[4] = {f.top, f.top + t, f.bottom - b, f.bottom};
  const LONG xd[4] = {dst.left, dst.left + dl, dst.right - dr, dst.right};
  const LONG yd[4] = {dst.top, dst.top + dt, dst.bottom - db, dst.bottom};

  ScopedLock lock(m_drawLock);
  HDC source = ::CreateCompatibleDC(hdc);
  if (source == nullptr) return false;
  HGDIOBJ old = ::SelectObject(source, m_bitmap);
  const DWORD layout = ::GetLayout(hdc);
  const bool keepOrientation = !p.mirror && layout != GDI_ERROR && (layout & LAYOUT_RTL);
  if (keepOrientation) ::SetLayout(hdc, layout | LAYOUT_BITMAPORIENTATIONPRESERVED);
  const int oldMode = ::SetStretchBltMode(hdc, COLORONCOLOR);
  const bool tile = p.sizingType == kSizingTile;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      if (p.borderOnly && row == 1 && col == 1) continue;
      const RECT src = {xs[col], ys[row], xs[col + 1], ys[row + 1]};
      const RECT to = {xd[col], yd[row], xd[col + 1], yd[row + 1]};
      DrawCell(hdc, source, src, to, p, tile && col == 1, tile && row == 1);
    }
  }
  ::SetStretchBltMode(hdc, oldMode);
  if (keepOrientation) ::SetLayout(hdc, layout);
  ::SelectObject(source, old);
  ::DeleteDC(source);
  return true;
}

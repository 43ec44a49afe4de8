#include "skin/win/theme/theme_schema.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>
#include <vector>

#include "framework/win/file_io.h"
#include "framework/win/wide.h"
#include "skin/image_header.h"
#include "skin/theme_default_colors.h"
#include "skin/theme_resource_name.h"
#include "skin/theme_scale.h"
#include "skin/theme_text.h"
#include "skin/win/system/skin_lock.h"
#include "skin/win/theme/theme_class.h"

namespace {

constexpr size_t kMaxImageBytes = 32u << 20;

// Other picture formats (JPEG, GIF, icons) through the system's picture
// loader, drawn at their natural size onto the button face.
HBITMAP RenderPicture(const std::vector<uint8_t>& bytes, COLORREF background) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (memory == nullptr) return nullptr;
  if (void* p = ::GlobalLock(memory)) {
    std::memcpy(p, bytes.data(), bytes.size());
    ::GlobalUnlock(memory);
  }
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    ::GlobalFree(memory);
    return nullptr;
  }
  IPicture* picture = nullptr;
  const HRESULT loaded = ::OleLoadPicture(stream, LONG(bytes.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(loaded) || picture == nullptr) return nullptr;

  OLE_XSIZE_HIMETRIC hmWidth = 0;
  OLE_YSIZE_HIMETRIC hmHeight = 0;
  picture->get_Width(&hmWidth);
  picture->get_Height(&hmHeight);
  HDC screen = ::GetDC(nullptr);
  const int width = ::MulDiv(hmWidth, ::GetDeviceCaps(screen, LOGPIXELSX), 2540);
  const int height = ::MulDiv(hmHeight, ::GetDeviceCaps(screen, LOGPIXELSY), 2540);
  HBITMAP bitmap = nullptr;
  if (ThemeImageSizeAllowed(width, height))
    bitmap = ::CreateCompatibleBitmap(screen, width, height);
  if (bitmap) {
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const RECT all = {0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(background);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    // Pictures are measured upward: start at the top and run downward.
    picture->Render(dc, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
  }
  ::ReleaseDC(nullptr, screen);
  picture->Release();
  return bitmap;
}

}  // namespace

ThemeSchema::ThemeSchema(std::shared_ptr<ThemeContainer> container)
    : m_container(std::move(container)),
      m_globalsCode(ThemeClassCode(u"Globals")),
      m_windowCode(ThemeClassCode(u"WINDOW")) {
  ::InitializeCriticalSection(&m_lock);
  ::InitializeCriticalSection(&m_captionLock);
}

ThemeSchema::~ThemeSchema() {
  m_classes.clear();
  m_images.clear();
  ::DeleteCriticalSection(&m_captionLock);
  ::DeleteCriticalSection(&m_lock);
}

int ThemeSchema::ReadProperties() {
  if (m_container == nullptr) return -1;
  IniLineReader lines = m_container->Lines();
  const int count = m_props.Read(lines);
  m_premultiply = m_props.Premultiply();
  return count;
}

ThemeClass* ThemeSchema::GetClass(std::u16string_view name) {
  const std::u16string upper = ThemeUpperCopy(name);
  const int code = ThemeClassCode(upper);
  if (code == 0) return nullptr;
  ScopedLock lock(m_lock);
  std::unique_ptr<ThemeClass>& slot = m_classes[upper];
  if (!slot) slot.reset(new ThemeClass(*this, upper, code));
  return slot.get();
}

ThemeImage* ThemeSchema::GetImage(const std::u16string& fileName) {
  if (fileName.empty()) return nullptr;
  {
    ScopedLock lock(m_lock);
    auto it = m_images.find(fileName);
    if (it != m_images.end()) return it->second.get();
  }
  // Decoded outside the lock, so that a slow or bad image holds up no other
  // drawing; a file that cannot be read is remembered as missing.
  std::unique_ptr<ThemeImage> loaded;
  try {
    loaded = LoadImageFile(fileName);
  } catch (...) {
    loaded.reset();
  }
  ScopedLock lock(m_lock);
  // Another thread may have decoded it meanwhile: the first one stays.
  return m_images.emplace(fileName, std::move(loaded)).first->second.get();
}

ThemeImage* ThemeSchema::GetScaledImage(const std::u16string& fileName, int& imageScale) {
  if (fileName.empty()) return nullptr;
  for (int scale : ThemeImageScalesNearest(m_scale)) {
    if (ThemeImage* image = GetImage(ThemeScaledImageName(fileName, scale))) {
      imageScale = scale;
      return image;
    }
  }
  return nullptr;
}

std::unique_ptr<ThemeImage> ThemeSchema::LoadImageFile(const std::u16string& fileName) const {
  return m_container->IsLooseFile() ? LoadLooseImage(fileName) : LoadModuleImage(fileName);
}

std::unique_ptr<ThemeImage> ThemeSchema::LoadLooseImage(const std::u16string& fileName) const {
  const std::u16string path = m_container->LoosePath(fileName);
  const DWORD attributes = ::GetFileAttributesW(W(path));
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return nullptr;
  }
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, kMaxImageBytes) || bytes.empty()) return nullptr;
  // Measured from its header before any decoder sees it, whatever its format:
  // too large, or of no size the header tells, it is refused.
  int64_t width = 0, height = 0;
  if (!ReadImageHeaderSize(bytes.data(), bytes.size(), width, height) ||
      !ThemeImageSizeAllowed(width, height))
    return nullptr;
  if (ThemeImage::IsPng(bytes.data(), bytes.size())) {
    return ThemeImage::FromPng(bytes.data(), bytes.size(), m_premultiply != 0);
  }
  const size_t fileHeader = sizeof(BITMAPFILEHEADER);
  if (bytes.size() > fileHeader && bytes[0] == 'B' && bytes[1] == 'M') {
    if (auto image = ThemeImage::FromPackedDib32(bytes.data() + fileHeader,
                                                 bytes.size() - fileHeader, m_premultiply != 0)) {
      return image;
    }
    // The system's loader trusts the header: it is checked against the file first.
    BITMAPFILEHEADER file;
    std::memcpy(&file, bytes.data(), sizeof(file));
    const uint8_t* info = bytes.data() + fileHeader;
    const size_t infoBytes = bytes.size() - fileHeader;
    const size_t bitsAt = ThemeImage::PackedDibBitsOffset(info, infoBytes) + fileHeader;
    if (bitsAt == fileHeader || file.bfOffBits < bitsAt || file.bfOffBits > bytes.size() ||
        !ThemeImage::DibFits(info, infoBytes, bytes.size() - file.bfOffBits)) {
      return nullptr;
    }
    HANDLE bitmap = ::LoadImageW(nullptr, W(path), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    return bitmap ? ThemeImage::FromBitmap(static_cast<HBITMAP>(bitmap)) : nullptr;
  }
  const COLORREF face = COLORREF(ThemeSysColor(m_props, COLOR_BTNFACE));
  return ThemeImage::FromBitmap(RenderPicture(bytes, face));
}

std::unique_ptr<ThemeImage> ThemeSchema::LoadModuleImage(const std::u16string& fileName) const {
  const std::u16string name = ThemeUpperCopy(ThemeResourceName(fileName));
  const void* data = nullptr;
  size_t size = 0;
  if (m_container->ResourceBytes(name, L"PNG", data, size) && ThemeImage::IsPng(data, size)) {
    return ThemeImage::FromPng(data, size, m_premultiply != 0);
  }
  if (!m_container->ResourceBytes(name, RT_BITMAP, data, size)) {
    return nullptr;
  }
  if (auto image = ThemeImage::FromPackedDib32(data, size, m_premultiply != 0)) return image;
  const size_t bitsAt = ThemeImage::PackedDibBitsOffset(data, size);
  if (bitsAt == 0 || !ThemeImage::DibFits(data, size, size - bitsAt)) return nullptr;
  HANDLE bitmap =
      ::LoadImageW(m_container->Module(), W(name), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  return bitmap ? ThemeImage::FromBitmap(static_cast<HBITMAP>(bitmap)) : nullptr;
}

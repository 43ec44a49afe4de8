// A memory device context with a bitmap compatible with a target, so that a
// control is painted whole before it reaches the screen (no flicker).
#pragma once
#include <windows.h>

class OffscreenBuffer {
 public:
  OffscreenBuffer(HDC like, int width, int height) : m_width(width), m_height(height) {
    m_dc = ::CreateCompatibleDC(like);
    m_bitmap = ::CreateCompatibleBitmap(like, width > 0 ? width : 1, height > 0 ? height : 1);
    m_old = ::SelectObject(m_dc, m_bitmap);
  }
  ~OffscreenBuffer() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
  }
  OffscreenBuffer(const OffscreenBuffer&) = delete;
  OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

  HDC dc() const { return m_dc; }
  void CopyTo(HDC target, int x, int y) const {
    ::BitBlt(target, x, y, m_width, m_height, m_dc, 0, 0, SRCCOPY);
  }

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
  int m_width, m_height;
};

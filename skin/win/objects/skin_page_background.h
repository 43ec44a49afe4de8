// The background of a dialog used as a child page: a pattern brush of the
// theme's "TAB" body stock image at the page's size (the button face when the theme
// has none), made again when the page's size or the skin changes. A part of
// the frame object.
#pragma once
#include <windows.h>

class SkinTheme;

class SkinPageBackground {
 public:
  SkinPageBackground() = default;
  ~SkinPageBackground() { Reset(); }
  SkinPageBackground(const SkinPageBackground&) = delete;
  SkinPageBackground& operator=(const SkinPageBackground&) = delete;

  // The brush for `page`; owned by this part.
  HBRUSH Brush(HWND page, const SkinTheme& theme);
  void Reset();

 private:
  HBRUSH m_brush = nullptr;
  SIZE m_size = {0, 0};
};

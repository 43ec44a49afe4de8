// The background of a dialog used as a child page: a pattern brush of the
// theme's "TAB" body stock image at the display scale, tiled (the button face
// when the theme has none), made again when the skin changes. A part of the
// frame object.
#pragma once
#include <windows.h>

class SkinTheme;

class SkinPageBackground {
 public:
  SkinPageBackground() = default;
  ~SkinPageBackground() { Reset(); }
  SkinPageBackground(const SkinPageBackground&) = delete;
  SkinPageBackground& operator=(const SkinPageBackground&) = delete;

  // The brush for the page; owned by this part.
  HBRUSH Brush(const SkinTheme& theme);
  void Reset();

 private:
  HBRUSH m_brush = nullptr;
};

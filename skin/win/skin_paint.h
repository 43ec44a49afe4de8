// Small helpers that skinned painting shares: the portable geometry's
// rectangle at the Win32 boundary.
#pragma once
#include <windows.h>

#include "skin/skin_geometry.h"

inline SkinRect ToSkin(const RECT& r) {
  return SkinRect{r.left, r.top, r.right, r.bottom};
}

inline RECT ToRect(const SkinRect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

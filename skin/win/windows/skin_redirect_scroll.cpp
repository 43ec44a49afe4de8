// The scroll bar and menu bar functions: the engine draws the non-client
// scroll bars of skinned windows, so a change the system would draw is drawn
// by the skin instead, and a dragged thumb's position is the engine's.
#include <windows.h>

#include "skin/win/objects/skin_object.h"
#include "skin/win/objects/skin_scroll_track.h"
#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/windows/skin_redirect.h"
#include "skin/win/windows/skin_windows.h"

namespace {

// The scroll functions are called with no context: the theme is the one
// engine's, or none once it is gone.
bool Enabled() {
  return SkinEnabled();
}

// A skinned window's own bars are drawn by the engine: the system sets the
// value without drawing, and the engine's non-client paint follows.
template <class Set>
int SetWithoutSystemDrawing(HWND hwnd, int bar, BOOL redraw, Set set) {
  try {
    if (bar != SB_CTL && Enabled() && SkinObjectFor(hwnd)) {
      const int r = set(FALSE);
      if (redraw) ::SendMessageW(hwnd, WM_NCPAINT, 1, 0);
      return r;
    }
  } catch (...) {
  }
  return set(redraw);
}

}  // namespace

int WINAPI redirected::SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  return SetWithoutSystemDrawing(hwnd, bar, redraw, [&](BOOL draw) {
    return SystemFunctions().SetScrollInfo(hwnd, bar, info, draw);
  });
}

int WINAPI redirected::SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  return SetWithoutSystemDrawing(hwnd, bar, redraw, [&](BOOL draw) {
    return SystemFunctions().SetScrollPos(hwnd, bar, pos, draw);
  });
}

// The thumb being dragged is the engine's, so is the position it stands for.
BOOL WINAPI redirected::GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  const BOOL ok = SystemFunctions().GetScrollInfo(hwnd, bar, info);
  try {
    if (ok && info && (info->fMask & SIF_TRACKPOS) && Enabled()) {
      if (CSkinObject* o = SkinObjectFor(hwnd)) {
        const SkinScrollBar* b = o->ScrollBarFor(bar);
        if (b && b->thumbTracking) info->nTrackPos = b->trackPosition;
      }
    }
  } catch (...) {
  }
  return ok;
}

// The system draws the changed arrows over the skinned bar; the engine's
// drawing follows.
BOOL WINAPI redirected::EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  const BOOL ok = SystemFunctions().EnableScrollBar(hwnd, bar, arrows);
  try {
    if (Enabled() && SkinObjectFor(hwnd)) {
      if (bar == SB_CTL)
        ::InvalidateRect(hwnd, nullptr, FALSE);
      else
        ::SendMessageW(hwnd, WM_NCPAINT, 1, 0);
    }
  } catch (...) {
  }
  return ok;
}

BOOL WINAPI redirected::DrawMenuBar(HWND hwnd) {
  const BOOL ok = SystemFunctions().DrawMenuBar(hwnd);
  try {
    if (Enabled() && SkinObjectFor(hwnd)) ::SendMessageW(hwnd, WM_NCPAINT, 1, 0);
  } catch (...) {
  }
  return ok;
}

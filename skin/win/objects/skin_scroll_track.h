// A skinned scroll bar, wherever it stands (a window's non-client bar or the
// scroll bar control): its drawing with the "SCROLLBAR" class, and a press on
// it tracked in a local loop until the mouse button is released.
#pragma once
#include <windows.h>

#include <functional>

#include "skin/scroll_geometry.h"

class SkinTheme;
struct ThemeSizes;

// One scroll bar of a skinned window: where it is and what is hot or pressed.
struct SkinScrollBar {
  bool shown = false;
  bool vertical = false;
  ScrollLayout layout;
  int hotHit = 0;
  int pressedHit = 0;
  // While the thumb is dragged: the position it stands for, which the system
  // (not tracking it) cannot tell a caller of GetScrollInfo.
  bool thumbTracking = false;
  int trackPosition = 0;
};

// The scroll information of SB_HORZ, SB_VERT or SB_CTL.
ScrollInfo ReadScrollInfo(HWND hwnd, int which);
// The theme's arrow length along a bar.
int ScrollArrowSize(const ThemeSizes& sizes, bool vertical);

// Draws a laid-out bar, through a buffer, at its rectangle in `target`.
void PaintScrollBar(HDC target, const SkinScrollBar& bar, bool disabled, const SkinTheme& theme);

// Where a tracked press sends its notifications and how it reads the mouse.
struct ScrollPressTarget {
  HWND window;        // holds the capture and the repeat timer
  HWND notify;        // gets WM_VSCROLL / WM_HSCROLL
  HWND control;       // the scroll bar control, or null for a window's own bar
  bool clientCoords;  // mouse relative to the client area, else to the window
};

// Tracks a press at `p` on `bar` until the button is released, the capture
// is lost or the notified window is gone; `redraw` repaints the bar.
void TrackScrollPress(const ScrollPressTarget& target, SkinScrollBar& bar, POINT p, bool shift,
                      const std::function<void()>& redraw);

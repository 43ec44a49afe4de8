// Small helpers that skinned painting shares: the portable geometry's
// rectangle at the Win32 boundary, window coordinates, the device context a
// paint message asks for, and the brush a parent's control-colour answer
// stands for.
#pragma once
#include <windows.h>

#include "skin/skin_geometry.h"

class ThemeClass;
class ThemeMetrics;

inline SkinRect ToSkin(const RECT& r) {
  return SkinRect{r.left, r.top, r.right, r.bottom};
}

inline RECT ToRect(const SkinRect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

// The window's rectangle moved to (0, 0), and a screen point relative to it:
// the coordinates of the non-client area.
inline RECT WindowRectAtZero(HWND hwnd) {
  RECT r;
  ::GetWindowRect(hwnd, &r);
  ::OffsetRect(&r, -r.left, -r.top);
  return r;
}

inline POINT WindowPointOf(HWND hwnd, POINT screen) {
  RECT r;
  ::GetWindowRect(hwnd, &r);
  return POINT{screen.x - r.left, screen.y - r.top};
}

// The client rectangle in the coordinates of the non-client area.
inline RECT ClientRectInWindow(HWND hwnd) {
  RECT client;
  ::GetClientRect(hwnd, &client);
  ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT wr;
  ::GetWindowRect(hwnd, &wr);
  ::OffsetRect(&client, -wr.left, -wr.top);
  return client;
}

// A control asks its parent for colours with one of these.
inline bool IsControlColorMessage(UINT msg) {
  switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
      return true;
  }
  return false;
}

// Answers WM_PAINT: into the device context the message carries (a parent
// painting the control into its own), else between BeginPaint and EndPaint.
template <typename PaintFn>
void PaintForMessage(HWND hwnd, WPARAM w, PaintFn paint) {
  PAINTSTRUCT ps;
  HDC hdc = w ? reinterpret_cast<HDC>(w) : ::BeginPaint(hwnd, &ps);
  paint(hdc);
  if (!w) ::EndPaint(hwnd, &ps);
}

// The brush of a parent's answer to a control-colour message: 1 to 30 stand
// for the theme's system-colour brushes, 0 for its button face.
HBRUSH SkinBrushFromAnswer(LRESULT answer, const ThemeMetrics& metrics);
// The brush a control's parent answers `msg` with for it.
HBRUSH ParentBrushFor(HWND control, UINT msg, HDC hdc, const ThemeMetrics& metrics);

// Draws (part, state) from the theme; where the theme cannot (no theme, an
// image that is missing or refused), the frame control of that kind stands
// in, so that the state stays visible. False when the fallback was drawn.
bool DrawPartOrFrameControl(const ThemeClass* theme, HDC dc, int part, int state, const RECT& rect,
                            UINT frameType, UINT frameState);

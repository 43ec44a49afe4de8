#include "skin/win/objects/skin_object_spin.h"

#include <windowsx.h>

#include <commctrl.h>
#include <vssym32.h>

#include "skin/win/objects/offscreen_buffer.h"
#include "skin/win/theme/theme_class.h"

namespace {

bool Horizontal(HWND hwnd) {
  return (::GetWindowLongW(hwnd, GWL_STYLE) & UDS_HORZ) != 0;
}

// The two buttons halve the client area: up above down, or left beside right.
RECT ButtonRect(const RECT& client, bool horizontal, int button) {
  RECT r = client;
  if (horizontal) {
    const int mid = (client.left + client.right) / 2;
    (button == 0 ? r.right : r.left) = mid;
  } else {
    const int mid = (client.top + client.bottom) / 2;
    (button == 0 ? r.bottom : r.top) = mid;
  }
  return r;
}

}  // namespace

int CSkinObjectSpin::ButtonAt(LPARAM point) const {
  if (!ClientHas(point)) return -1;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const POINT p{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const RECT first = ButtonRect(client, Horizontal(m_hWnd), 0);
  return ::PtInRect(&first, p) ? 0 : 1;
}

void CSkinObjectSpin::SetHot(int button) {
  if (button == m_hot) return;
  const bool entered = m_hot < 0;
  m_hot = button;
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
  if (entered && button >= 0) {
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&tme);
  }
}

void CSkinObjectSpin::Paint(HDC target) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  OffscreenBuffer buffer(target, client.right, client.bottom);
  HDC dc = buffer.dc();
  ::FillRect(dc, &client, Metrics().Brush(COLOR_BTNFACE));
  const bool horizontal = Horizontal(m_hWnd);
  const bool disabled = !::IsWindowEnabled(m_hWnd);
  ThemeClass* t = Theme();
  for (int button = 0; button < 2; ++button) {
    // Left is "down" on a horizontal control, as the system draws it.
    const int part = horizontal ? (button == 0 ? SPNP_DOWNHORZ : SPNP_UPHORZ)
                                : (button == 0 ? SPNP_UP : SPNP_DOWN);
    const bool pressed = m_pressed == button && m_hot == button;
    const int state = disabled ? 4 : pressed ? 3 : m_hot == button ? 2 : 1;
    UINT look = horizontal ? (button == 0 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)
                           : (button == 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
    if (pressed) look |= DFCS_PUSHED;
    if (disabled) look |= DFCS_INACTIVE;
    DrawPartOrFrameControl(t, dc, part, state, ButtonRect(client, horizontal, button), DFC_SCROLL,
                           look);
  }
  buffer.CopyTo(target, 0, 0);
}

bool CSkinObjectSpin::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (AnswerPaintMessages(msg, w, l, result, [this](HDC hdc) { Paint(hdc); })) return true;
  switch (msg) {
    case WM_MOUSEMOVE:
      SetHot(ButtonAt(l));
      return false;
    case WM_MOUSELEAVE:
      SetHot(-1);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      m_pressed = ButtonAt(l);
      m_hot = m_pressed;
      ::InvalidateRect(m_hWnd, nullptr, FALSE);
      return false;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      m_pressed = -1;
      ::InvalidateRect(m_hWnd, nullptr, FALSE);
      return false;
    case WM_ENABLE:
      result = CallPreviousAndRepaint(msg, w, l);
      return true;
  }
  return CSkinObject::MessageHook(msg, w, l, result);
}

#include <windowsx.h>

#include "skin/win/objects/skin_object_scrollbar.h"

void CSkinObjectScrollBar::Paint(HDC hdc) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const bool vertical = (::GetWindowLongW(m_hWnd, GWL_STYLE) & SBS_VERT) != 0;
  m_bar.vertical = vertical;
  m_bar.shown = true;
  if (m_bar.pressedHit != kScrollHitThumb)
    m_bar.layout = LayoutScrollBar(ToSkin(client), vertical, ReadScrollInfo(m_hWnd, SB_CTL),
                                   ScrollArrowSize(Sizes(), vertical));
  PaintScrollBar(hdc, m_bar, !::IsWindowEnabled(m_hWnd), Skin());
}

bool CSkinObjectScrollBar::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (AnswerPaintMessages(msg, w, l, result, [this](HDC hdc) { Paint(hdc); })) return true;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      ::InvalidateRect(m_hWnd, nullptr, FALSE);
      ::UpdateWindow(m_hWnd);
      const ScrollPressTarget target{m_hWnd, ::GetParent(m_hWnd), m_hWnd, true};
      TrackScrollPress(target, m_bar, POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}, (w & MK_SHIFT) != 0,
                       [this]() {
                         HDC hdc = ::GetDC(m_hWnd);
                         PaintScrollBar(hdc, m_bar, false, Skin());
                         ::ReleaseDC(m_hWnd, hdc);
                       });
      // The control may have been destroyed while the press was tracked.
      if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
      result = 0;
      return true;
    }
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_ENABLE_ARROWS:
      result = CallPreviousAndRepaint(msg, w, l);
      return true;
  }
  return CSkinObject::MessageHook(msg, w, l, result);
}

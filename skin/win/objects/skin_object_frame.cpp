#include "skin/win/objects/skin_object_frame.h"

#include "skin/win/system/skin_redirect_table.h"

void CSkinObjectFrame::KeepClientSize() {
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  const LONG ex = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  RECT sys{0, 0, 0, 0};
  SystemFunctions().AdjustWindowRectEx(&sys, style, ::GetMenu(m_hWnd) != nullptr, ex);
  const RECT mine = SkinFrameBorders(style, ex, Sizes());
  RECT wr;
  ::GetWindowRect(m_hWnd, &wr);
  const int dx = (mine.left + mine.right) - (sys.right - sys.left);
  const int dy = (mine.top + mine.bottom) - (sys.bottom - sys.top);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, wr.right - wr.left + dx, wr.bottom - wr.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool CSkinObjectFrame::EraseBackground(HDC hdc) {
  const int type = FrameType();
  if (type != kFramePage && type != kFrameDialog) return false;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  HBRUSH brush = type == kFramePage ? m_page.Brush(Skin()) : Metrics().Brush(COLOR_BTNFACE);
  ::SetBrushOrgEx(hdc, 0, 0, nullptr);
  ::FillRect(hdc, &client, brush);
  return true;
}

HBRUSH CSkinObjectFrame::FaceBrushFor(HDC dc, HWND child, UINT msg) {
  if (FrameType() != kFramePage) return CSkinObjectNonClient::FaceBrushFor(dc, child, msg);
  HBRUSH brush = m_page.Brush(Skin());
  if (child && child != m_hWnd && msg != WM_CTLCOLORDLG) {
    // The child's background continues the page's pattern behind it.
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    ::SetBrushOrgEx(dc, -r.left, -r.top, nullptr);
    ::SetBkMode(dc, TRANSPARENT);
  }
  return brush;
}

void CSkinObjectFrame::SkinChanged(int oldEnabled, int newEnabled) {
  if (!m_hWnd) return;
  m_caption.SkinChanged(oldEnabled != 0, newEnabled != 0);
  m_page.Reset();
  RecalcFrame();
  m_caption.UpdateRegion(true);
  RedrawAll();
}

bool CSkinObjectFrame::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  const bool caption = m_caption.Shown();
  switch (msg) {
    case WM_CREATE: {
      // A sizing window made outside a dialog template was sized through the
      // redirected AdjustWindowRectEx, which already gave it the theme's frame.
      const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
      const bool sizedByTheme = (style & WS_THICKFRAME) && FrameType() != kFrameDialog &&
                                (Skin().GetApplyOptions() & kApplyMetrics);
      if (!caption || (style & WS_CHILD) || sizedByTheme) break;
      result = CallPrevious(msg, w, l);
      KeepClientSize();
      return true;
    }
    case WM_NCCALCSIZE:
      if (!caption) break;
      m_caption.CalcClient(w ? reinterpret_cast<NCCALCSIZE_PARAMS*>(l)->rgrc[0]
                             : *reinterpret_cast<RECT*>(l));
      result = 0;
      return true;
    case WM_NCACTIVATE:
      if (!caption) break;
      m_caption.SetActive(w != 0 && ::IsWindowEnabled(m_hWnd));
      // The dialog procedure still sees the message; -1 keeps the system from
      // painting its own frame.
      CallPrevious(msg, w, LPARAM(-1));
      DrawFrame();
      result = TRUE;
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      if (!caption) break;
      result = CallPrevious(msg, w, l);
      DrawFrame();
      return true;
    case WM_ERASEBKGND:
      if (!EraseBackground(reinterpret_cast<HDC>(w))) break;
      result = 1;
      return true;
    case WM_SIZE:
      if (FrameType() == kFramePage) ::InvalidateRect(m_hWnd, nullptr, TRUE);
      m_caption.UpdateRegion();
      break;
    case WM_STYLECHANGED:
      m_caption.StyleChanged();
      break;
  }
  return CSkinObjectNonClient::MessageHook(msg, w, l, result);
}

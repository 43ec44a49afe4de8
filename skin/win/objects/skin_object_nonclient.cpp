#include "skin/win/objects/skin_object_nonclient.h"

#include <windowsx.h>

namespace {

// The messages the non-client side answers or passes on itself; any other
// message may let the control's own procedure move its scroll bars.
bool IsNonClientMessage(UINT msg) {
  switch (msg) {
    case WM_CREATE:
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_SIZE:
    case WM_STYLECHANGED:
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_TIMER:
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_NCHITTEST:
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONUP:
      return true;
  }
  return IsControlColorMessage(msg);
}

POINT PointOf(LPARAM l) {
  return POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
}

}  // namespace

bool CSkinObjectNonClient::CaptionShown() const {
  const SkinCaptionPart* caption = Caption();
  return caption && caption->Shown();
}

bool CSkinObjectNonClient::ScrollsShown() const {
  return FrameOption() && (::GetWindowLongW(m_hWnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
}

void CSkinObjectNonClient::DrawFrame() {
  if (FrameSuppressed() || !m_hWnd || !::IsWindowVisible(m_hWnd)) return;
  const bool edges = DrawsEdges();
  const bool scrolls = ScrollsShown();
  if (!edges && !scrolls) return;
  HDC hdc = ::GetWindowDC(m_hWnd);
  if (!hdc) return;
  if (edges) DrawEdges(hdc, WindowRectAtZero(m_hWnd));
  if (scrolls) {
    m_bars.Update();
    m_bars.Draw(hdc);
  }
  ::ReleaseDC(m_hWnd, hdc);
}

LRESULT CSkinObjectNonClient::HitTest(POINT screen) {
  const POINT p = WindowPointOf(m_hWnd, screen);
  if (const LRESULT bar = m_bars.HitTest(p)) return bar;
  const bool caption = CaptionShown();
  if (caption) {
    if (const LRESULT code = Caption()->HitTest(p)) return code;
  }
  const LRESULT sys = CallPrevious(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  switch (sys) {
    case HTSYSMENU:
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
      // Only the skin's caption buttons are buttons.
      return caption ? HTCAPTION : sys;
    case HTVSCROLL:
    case HTHSCROLL:
      return HTCLIENT;
  }
  return sys;
}

void CSkinObjectNonClient::NcMouseMove(int hit, POINT screen) {
  const bool left = screen.x == -1 && screen.y == -1;
  const POINT p = left ? screen : WindowPointOf(m_hWnd, screen);
  bool hot = false;
  if (SkinCaptionPart* caption = Caption()) {
    if (caption->SetHotAt(left ? nullptr : &p)) DrawFrame();
    hot = caption->HasHot();
  }
  hot = m_bars.SetHot(hit, p) || hot;
  if (hot && !m_hotTimer) {
    ::SetTimer(m_hWnd, kHotTimerId, 50, nullptr);
    m_hotTimer = true;
  }
}

void CSkinObjectNonClient::OnHotTimer() {
  POINT screen;
  ::GetCursorPos(&screen);
  const POINT p = WindowPointOf(m_hWnd, screen);
  const SkinCaptionPart* caption = Caption();
  if ((caption && caption->StillHot(p)) || m_bars.StillHot(p)) return;
  ::KillTimer(m_hWnd, kHotTimerId);
  m_hotTimer = false;
  NcMouseMove(HTNOWHERE, POINT{-1, -1});
}

bool CSkinObjectNonClient::OnNcButtonDown(WPARAM hit, POINT screen) {
  if (hit == HTVSCROLL || hit == HTHSCROLL) {
    m_bars.Track(hit == HTVSCROLL, screen, (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return true;
  }
  return CaptionShown() && Caption()->Press(hit, screen);
}

bool CSkinObjectNonClient::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  const bool caption = CaptionShown();
  const bool scrolls = ScrollsShown();
  const bool active = caption || scrolls;
  switch (msg) {
    case WM_NCPAINT:
      if (!DrawsEdges() && !scrolls) break;
      if (!DrawsEdges()) CallPrevious(msg, w, l);
      DrawFrame();
      result = 0;
      return true;
    case WM_NCHITTEST:
      if (!active) break;
      result = HitTest(PointOf(l));
      return true;
    case WM_NCMOUSEMOVE:
      if (!active) break;
      NcMouseMove(int(w), PointOf(l));
      result = CallPrevious(msg, w, l);
      return true;
    case WM_NCMOUSELEAVE:
      if (active) NcMouseMove(HTNOWHERE, POINT{-1, -1});
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (!active || !OnNcButtonDown(w, PointOf(l))) break;
      result = 0;
      return true;
    case WM_NCRBUTTONUP:
      if (!scrolls || (w != HTVSCROLL && w != HTHSCROLL)) break;
      ::SendMessageW(m_hWnd, WM_CONTEXTMENU, WPARAM(m_hWnd), l);
      result = 0;
      return true;
    case WM_TIMER:
      if (w == kHotTimerId) {
        OnHotTimer();
        result = 0;
        return true;
      }
      if (w == kRefreshTimerId) {
        ::KillTimer(m_hWnd, kRefreshTimerId);
        DrawFrame();
        result = 0;
        return true;
      }
      break;
  }
  if (CSkinObject::MessageHook(msg, w, l, result)) return true;
  if (scrolls && !caption && !IsNonClientMessage(msg)) {
    result = CallPrevious(msg, w, l);
    if (::IsWindow(m_hWnd) && m_bars.InfoChanged()) m_bars.Redraw();
    return true;
  }
  return false;
}

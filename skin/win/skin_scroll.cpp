// Skinned scroll bars: the window's own (non-client) bars and the scroll bar
// control, drawn with the "SCROLLBAR" class and tracked in a local loop.
#include <windows.h>

#include <vssym32.h>
#include <windowsx.h>

#include "skin/win/offscreen_buffer.h"
#include "skin/win/skin_engine.h"
#include "skin/win/skin_object.h"
#include "skin/win/skin_paint.h"
#include "skin/win/theme_class.h"

namespace {

constexpr UINT_PTR kRepeatTimerId = 64069;

ScrollInfo ReadInfo(HWND hwnd, int which) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ScrollInfo info;
  if (::GetScrollInfo(hwnd, which, &si)) {
    info.minimum = si.nMin;
    info.maximum = si.nMax;
    info.page = int(si.nPage);
    info.position = si.nPos;
  }
  return info;
}

int ArrowState(int hitCode, const SkinScrollBar& bar, bool disabled, bool second) {
  const int base = bar.vertical ? (second ? 4 : 0) : (second ? 12 : 8);
  if (disabled) return base + 4;
  const int me = second ? kScrollHitArrowTwo : kScrollHitArrowOne;
  if (bar.pressedHit == me) return base + 3;
  if (hitCode == me) return base + 2;
  return base + 1;
}

int PartState(int me, const SkinScrollBar& bar, bool disabled) {
  if (disabled) return 4;
  if (bar.pressedHit == me) return 3;
  if (bar.hotHit == me) return 2;
  return 1;
}

// Draws one laid-out bar into `dc`, whose origin is the bar's rectangle.
void PaintBar(HDC dc, const SkinScrollBar& bar, bool disabled) {
  ThemeClass* t = SkinEngine::Get().GetThemeClass(u"SCROLLBAR");
  const ScrollLayout& l = bar.layout;
  const RECT all{0, 0, l.bar.Width(), l.bar.Height()};
  ::FillRect(dc, &all, SkinEngine::Get().Metrics().Brush(COLOR_SCROLLBAR));
  if (!t) return;
  auto local = [&](int from, int to) {
    SkinRect r = ScrollAxisRect(l, from, to);
    RECT out = ToRect(r);
    ::OffsetRect(&out, -l.bar.left, -l.bar.top);
    return out;
  };
  const bool v = bar.vertical;
  t->DrawBackground(dc, SBP_ARROWBTN, ArrowState(bar.hotHit, bar, disabled, false),
                    local(l.start, l.e1));
  t->DrawBackground(dc, SBP_ARROWBTN, ArrowState(bar.hotHit, bar, disabled, true),
                    local(l.e2, l.end));
  if (l.e2 <= l.e1) return;
  const bool thumb = !disabled && l.thumbSize < l.e2 - l.e1;
  if (!thumb) {
    t->DrawBackground(dc, v ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ, disabled ? 4 : 1,
                      local(l.e1, l.e2));
    return;
  }
  t->DrawBackground(dc, v ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ,
                    PartState(kScrollHitPageBefore, bar, false), local(l.e1, l.thumbStart));
  const RECT th = local(l.thumbStart, l.thumbEnd);
  const int ts = PartState(kScrollHitThumb, bar, false);
  t->DrawBackground(dc, v ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, ts, th);
  t->DrawBackground(dc, v ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, ts, th);
  t->DrawBackground(dc, v ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ,
                    PartState(kScrollHitPageAfter, bar, false), local(l.thumbEnd, l.e2));
}

void PaintBarBuffered(HDC target, const SkinScrollBar& bar, bool disabled) {
  const ScrollLayout& l = bar.layout;
  if (l.bar.IsEmpty()) return;
  OffscreenBuffer buffer(target, l.bar.Width(), l.bar.Height());
  PaintBar(buffer.dc(), bar, disabled);
  buffer.CopyTo(target, l.bar.left, l.bar.top);
}

int ArrowSize(bool vertical) {
  const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
  return vertical ? s.vScrollArrowHeight : s.hScrollArrowWidth;
}

void Notify(HWND target, HWND control, bool vertical, int code, int position) {
  ::SendMessageW(target, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(WORD(code), WORD(position)),
                 reinterpret_cast<LPARAM>(control));
}

// One press on a bar, tracked until the button is released.
class ScrollTracker {
 public:
  ScrollTracker(HWND window, HWND target, HWND control, SkinScrollBar& bar, bool clientCoords,
                std::function<void()> redraw)
      : m_window(window),
        m_target(target),
        m_control(control),
        m_bar(bar),
        m_client(clientCoords),
        m_redraw(std::move(redraw)) {}
  ~ScrollTracker() { m_bar.thumbTracking = false; }

  void Run(POINT p, bool shift) {
    const int c = ScrollAxisCoord(m_bar.layout, p.x, p.y);
    m_press = ClassifyScrollPress(m_bar.layout, c, shift);
    m_bar.pressedHit = m_press.hit;
    if (m_press.thumbTracking) {
      if (!ScrollCanTrackThumb(m_bar.layout)) {
        m_bar.pressedHit = 0;
        return;
      }
      m_thumb = BeginScrollThumbTrack(
          m_bar.layout, c, shift, ::GetSystemMetrics(m_bar.vertical ? SM_CYVTHUMB : SM_CXHTHUMB));
      m_thumbTracking = true;
      m_bar.thumbTracking = true;
      m_bar.trackPosition = m_thumb.lastPosition;
      m_bar.pressedHit = kScrollHitThumb;
      ::SetCapture(m_window);
      Notify(m_target, m_control, m_bar.vertical, kScrollThumbTrack, m_thumb.lastPosition);
    }
    ::SetCapture(m_window);
    m_redraw();
    Handle(WM_LBUTTONDOWN, p);
    MSG msg;
    while (!m_ended && ::GetCapture() == m_window && ::IsWindow(m_target)) {
      if (!::GetMessageW(&msg, nullptr, 0, 0)) {
        ::PostQuitMessage(int(msg.wParam));
        break;
      }
      if (msg.message == WM_TIMER && msg.hwnd == m_window && msg.wParam == kRepeatTimerId) {
        Repeat();
      } else if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
        Handle(msg.message, Cursor());
      } else {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
    if (m_timer) ::KillTimer(m_window, kRepeatTimerId);
    if (!m_ended && ::GetCapture() == m_window) ::ReleaseCapture();
    m_bar.pressedHit = 0;
    if (::IsWindow(m_window)) m_redraw();
  }

 private:
  POINT Cursor() const {
    POINT p;
    ::GetCursorPos(&p);
    if (m_client) {
      ::ScreenToClient(m_window, &p);
    } else {
      RECT r;
      ::GetWindowRect(m_window, &r);
      p.x -= r.left;
      p.y -= r.top;
    }
    return p;
  }

  void Handle(UINT msg, POINT p) {
    if (m_thumbTracking) {
      if (msg == WM_LBUTTONUP || !(::GetKeyState(VK_LBUTTON) & 0x8000)) {
        End();
        return;
      }
      MoveThumb(ScrollThumbStartForPoint(m_bar.layout, m_thumb, p.x, p.y));
      return;
    }
    const bool inside = Follow(p);
    UINT delay = ::GetDoubleClickTime() / 10;
    if (msg == WM_LBUTTONDOWN) {
      if (m_timer) ::KillTimer(m_window, kRepeatTimerId);
      m_timer = false;
      delay = ::GetDoubleClickTime() * 4 / 5;
    } else if (msg == WM_LBUTTONUP) {
      End();
      return;
    } else if (msg != WM_MOUSEMOVE) {
      return;
    }
    if (inside && m_justEntered) {
      ::SetTimer(m_window, kRepeatTimerId, delay, nullptr);
      m_timer = true;
      Notify(m_target, m_control, m_bar.vertical, m_press.code, 0);
    }
  }

  // Steps 1 and 2 of the part handler; true when the cursor is inside.
  bool Follow(POINT p) {
    const RECT r = ToRect(ScrollPressRectNow(m_bar.layout, m_press));
    const bool inside = ::PtInRect(&r, p) != FALSE;
    m_justEntered = inside && !m_inside;
    if (inside != m_inside) {
      m_inside = inside;
      m_bar.pressedHit = inside ? m_press.hit : 0;
      m_redraw();
    }
    return inside;
  }

  void Repeat() {
    Follow(Cursor());
    if (m_inside) {
      ::SetTimer(m_window, kRepeatTimerId, ::GetDoubleClickTime() / 10, nullptr);
      m_timer = true;
      Notify(m_target, m_control, m_bar.vertical, m_press.code, 0);
    }
  }

  void MoveThumb(int c) {
    if (c == m_thumb.currentThumb) return;
    const int pos = ScrollPixelToPosition(m_bar.layout, c);
    if (pos != m_thumb.lastPosition) {
      m_bar.trackPosition = pos;
      Notify(m_target, m_control, m_bar.vertical, kScrollThumbTrack, pos);
      m_thumb.lastPosition = pos;
    }
    m_thumb.currentThumb = c;
    SetScrollThumbStart(m_bar.layout, c);
    m_redraw();
  }

  void End() {
    if (::GetCapture() == m_window) ::ReleaseCapture();
    if (m_thumbTracking) {
      m_bar.thumbTracking = false;
      Notify(m_target, m_control, m_bar.vertical, kScrollThumbPosition, m_thumb.lastPosition);
    } else if (m_timer) {
      ::KillTimer(m_window, kRepeatTimerId);
      m_timer = false;
    }
    Notify(m_target, m_control, m_bar.vertical, kScrollEndScroll, 0);
    m_ended = true;
  }

  HWND m_window, m_target, m_control;
  SkinScrollBar& m_bar;
  bool m_client;
  std::function<void()> m_redraw;
  ScrollPress m_press;
  ScrollThumbTrack m_thumb;
  bool m_thumbTracking = false;
  bool m_inside = false;
  bool m_justEntered = false;
  bool m_timer = false;
  bool m_ended = false;
};

}  // namespace

RECT CSkinObjectFrame::ScrollBarRect(bool vertical) const {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT wr;
  ::GetWindowRect(m_hWnd, &wr);
  ::OffsetRect(&client, -wr.left, -wr.top);
  const bool themed = HasSkinCaption();
  const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
  const int vw = themed ? s.vScrollWidth : ::GetSystemMetrics(SM_CXVSCROLL);
  const int hh = themed ? s.hScrollHeight : ::GetSystemMetrics(SM_CYHSCROLL);
  const bool left = (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  if (vertical)
    return left ? RECT{client.left - vw, client.top, client.left, client.bottom}
                : RECT{client.right, client.top, client.right + vw, client.bottom};
  return RECT{client.left, client.bottom, client.right, client.bottom + hh};
}

void CSkinObjectFrame::UpdateScrollBars() {
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  for (int i = 0; i < 2; ++i) {
    const bool vertical = i == 0;
    SkinScrollBar& bar = vertical ? m_vbar : m_hbar;
    bar.vertical = vertical;
    bar.shown = (style & (vertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
    if (!bar.shown) continue;
    if (bar.pressedHit == kScrollHitThumb) continue;  // the tracker owns the thumb
    bar.layout =
        LayoutScrollBar(ToSkin(ScrollBarRect(vertical)), vertical,
                        ReadInfo(m_hWnd, vertical ? SB_VERT : SB_HORZ), ArrowSize(vertical));
  }
  m_lastV.cbSize = m_lastH.cbSize = sizeof(SCROLLINFO);
  m_lastV.fMask = m_lastH.fMask = SIF_ALL;
  ::GetScrollInfo(m_hWnd, SB_VERT, &m_lastV);
  ::GetScrollInfo(m_hWnd, SB_HORZ, &m_lastH);
}

bool CSkinObjectFrame::ScrollInfoChanged() {
  SCROLLINFO v = {}, h = {};
  v.cbSize = h.cbSize = sizeof(SCROLLINFO);
  v.fMask = h.fMask = SIF_ALL;
  ::GetScrollInfo(m_hWnd, SB_VERT, &v);
  ::GetScrollInfo(m_hWnd, SB_HORZ, &h);
  return v.nMin != m_lastV.nMin || v.nMax != m_lastV.nMax || v.nPage != m_lastV.nPage ||
         v.nPos != m_lastV.nPos || h.nMin != m_lastH.nMin || h.nMax != m_lastH.nMax ||
         h.nPage != m_lastH.nPage || h.nPos != m_lastH.nPos;
}

void CSkinObjectFrame::DrawScrollBars(HDC hdc) {
  const bool disabled = !::IsWindowEnabled(m_hWnd);
  if (m_vbar.shown) PaintBarBuffered(hdc, m_vbar, disabled);
  if (m_hbar.shown) PaintBarBuffered(hdc, m_hbar, disabled);
  if (m_vbar.shown && m_hbar.shown) {
    const RECT v = ScrollBarRect(true), h = ScrollBarRect(false);
    const RECT corner{v.left, h.top, v.right, h.bottom};
    ::FillRect(hdc, &corner, SkinEngine::Get().Metrics().Brush(COLOR_BTNFACE));
    if (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_THICKFRAME) {
      if (ThemeClass* t = SkinEngine::Get().GetThemeClass(u"SCROLLBAR"))
        t->DrawBackground(hdc, SBP_SIZEBOX, 1, corner);
    }
  }
}

void CSkinObjectFrame::DrawScrollBar(HDC hdc, SkinScrollBar& bar) {
  PaintBarBuffered(hdc, bar, !::IsWindowEnabled(m_hWnd));
}

void CSkinObjectFrame::RedrawScrollBars() {
  HDC hdc = ::GetWindowDC(m_hWnd);
  if (!hdc) return;
  UpdateScrollBars();
  DrawScrollBars(hdc);
  ::ReleaseDC(m_hWnd, hdc);
}

const SkinScrollBar* CSkinObjectFrame::ScrollBarFor(int bar) const {
  if (bar == SB_VERT) return &m_vbar;
  if (bar == SB_HORZ) return &m_hbar;
  return nullptr;
}

void CSkinObjectFrame::TrackScrollBar(bool vertical, POINT screen, bool shift) {
  UpdateScrollBars();
  SkinScrollBar& bar = vertical ? m_vbar : m_hbar;
  if (!bar.shown) return;
  const POINT p = ScreenToWindowPoint(screen);
  ScrollTracker tracker(m_hWnd, m_hWnd, nullptr, bar, false, [this, &bar]() {
    HDC hdc = ::GetWindowDC(m_hWnd);
    if (!hdc) return;
    DrawScrollBar(hdc, bar);
    ::ReleaseDC(m_hWnd, hdc);
  });
  tracker.Run(p, shift);
  RedrawScrollBars();
}

void CSkinObjectScrollBar::Paint(HDC hdc) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const bool vertical = (::GetWindowLongW(m_hWnd, GWL_STYLE) & SBS_VERT) != 0;
  m_bar.vertical = vertical;
  m_bar.shown = true;
  if (m_bar.pressedHit != kScrollHitThumb)
    m_bar.layout =
        LayoutScrollBar(ToSkin(client), vertical, ReadInfo(m_hWnd, SB_CTL), ArrowSize(vertical));
  PaintBarBuffered(hdc, m_bar, !::IsWindowEnabled(m_hWnd));
}

bool CSkinObjectScrollBar::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (AnswerPaintMessages(msg, w, result, [this](HDC hdc) { Paint(hdc); })) return true;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const POINT p{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
      ::InvalidateRect(m_hWnd, nullptr, FALSE);
      ::UpdateWindow(m_hWnd);
      ScrollTracker tracker(m_hWnd, ::GetParent(m_hWnd), m_hWnd, m_bar, true, [this]() {
        HDC hdc = ::GetDC(m_hWnd);
        PaintBarBuffered(hdc, m_bar, false);
        ::ReleaseDC(m_hWnd, hdc);
      });
      tracker.Run(p, (w & MK_SHIFT) != 0);
      ::InvalidateRect(m_hWnd, nullptr, FALSE);
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
  return CSkinObjectFrame::MessageHook(msg, w, l, result);
}

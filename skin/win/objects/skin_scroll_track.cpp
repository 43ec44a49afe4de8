#include "skin/win/objects/skin_scroll_track.h"

#include <vssym32.h>

#include "skin/win/objects/offscreen_buffer.h"
#include "skin/win/objects/skin_paint.h"
#include "skin/win/theme/skin_theme.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_metrics.h"

namespace {

constexpr UINT_PTR kRepeatTimerId = 64069;

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
void PaintBar(HDC dc, const SkinScrollBar& bar, bool disabled, const SkinTheme& theme) {
  ThemeClass* t = theme.GetThemeClass(u"SCROLLBAR");
  const ScrollLayout& l = bar.layout;
  const RECT all{0, 0, l.bar.Width(), l.bar.Height()};
  ::FillRect(dc, &all, theme.Metrics().Brush(COLOR_SCROLLBAR));
  if (!t) return;
  auto local = [&](int from, int to) {
    SkinRect r = ScrollAxisRect(l, from, to);
    RECT out = ToRect(r);
    ::OffsetRect(&out, -l.bar.left, -l.bar.top);
    return out;
  };
  const bool v = bar.vertical;
  for (const bool second : {false, true}) {
    UINT look = v ? (second ? DFCS_SCROLLDOWN : DFCS_SCROLLUP)
                  : (second ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT);
    if (bar.pressedHit == (second ? kScrollHitArrowTwo : kScrollHitArrowOne)) look |= DFCS_PUSHED;
    if (disabled) look |= DFCS_INACTIVE;
    DrawPartOrFrameControl(t, dc, SBP_ARROWBTN, ArrowState(bar.hotHit, bar, disabled, second),
                           second ? local(l.e2, l.end) : local(l.start, l.e1), DFC_SCROLL, look);
  }
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
  DrawPartOrFrameControl(t, dc, v ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, ts, th, DFC_BUTTON,
                         DFCS_BUTTONPUSH);
  t->DrawBackground(dc, v ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, ts, th);
  t->DrawBackground(dc, v ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ,
                    PartState(kScrollHitPageAfter, bar, false), local(l.thumbEnd, l.e2));
}

void Notify(HWND target, HWND control, bool vertical, int code, int position) {
  ::SendMessageW(target, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(WORD(code), WORD(position)),
                 reinterpret_cast<LPARAM>(control));
}

class ScrollTracker {
 public:
  ScrollTracker(const ScrollPressTarget& target, SkinScrollBar& bar,
                const std::function<void()>& redraw)
      : m_window(target.window),
        m_target(target.notify),
        m_control(target.control),
        m_bar(bar),
        m_client(target.clientCoords),
        m_redraw(redraw) {}
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
      Send(kScrollThumbTrack, m_thumb.lastPosition);
    }
    if (!m_ended) {
      ::SetCapture(m_window);
      Redraw();
      Handle(WM_LBUTTONDOWN, p);
    }
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
        if (Gone()) break;
      }
    }
    m_bar.pressedHit = 0;
    if (Gone()) return;
    if (m_timer) ::KillTimer(m_window, kRepeatTimerId);
    if (!m_ended && ::GetCapture() == m_window) ::ReleaseCapture();
    Redraw();
  }

 private:
  // The bar's window was destroyed by a message the loop dispatched or a
  // notification's answer: the tracking ends without touching it again.
  bool Gone() {
    if (!m_ended && !::IsWindow(m_window)) m_ended = true;
    return !::IsWindow(m_window);
  }
  void Redraw() {
    if (!Gone()) m_redraw();
  }
  // A scroll notification; false when the window went with its answer.
  bool Send(int code, int position) {
    Notify(m_target, m_control, m_bar.vertical, code, position);
    return !Gone();
  }

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
      Send(m_press.code, 0);
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
      Redraw();
    }
    return inside;
  }

  void Repeat() {
    Follow(Cursor());
    if (m_inside) {
      ::SetTimer(m_window, kRepeatTimerId, ::GetDoubleClickTime() / 10, nullptr);
      m_timer = true;
      Send(m_press.code, 0);
    }
  }

  void MoveThumb(int c) {
    if (c == m_thumb.currentThumb) return;
    const int pos = ScrollPixelToPosition(m_bar.layout, c);
    if (pos != m_thumb.lastPosition) {
      m_bar.trackPosition = pos;
      m_thumb.lastPosition = pos;
      if (!Send(kScrollThumbTrack, pos)) return;
    }
    m_thumb.currentThumb = c;
    SetScrollThumbStart(m_bar.layout, c);
    Redraw();
  }

  void End() {
    if (::GetCapture() == m_window) ::ReleaseCapture();
    m_ended = true;
    if (m_thumbTracking) {
      m_bar.thumbTracking = false;
      if (!Send(kScrollThumbPosition, m_thumb.lastPosition)) return;
    } else if (m_timer) {
      ::KillTimer(m_window, kRepeatTimerId);
      m_timer = false;
    }
    Send(kScrollEndScroll, 0);
  }

  HWND m_window, m_target, m_control;
  SkinScrollBar& m_bar;
  bool m_client;
  const std::function<void()>& m_redraw;
  ScrollPress m_press;
  ScrollThumbTrack m_thumb;
  bool m_thumbTracking = false;
  bool m_inside = false;
  bool m_justEntered = false;
  bool m_timer = false;
  bool m_ended = false;
};

}  // namespace

ScrollInfo ReadScrollInfo(HWND hwnd, int which) {
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

int ScrollArrowSize(const ThemeSizes& sizes, bool vertical) {
  return vertical ? sizes.vScrollArrowHeight : sizes.hScrollArrowWidth;
}

void PaintScrollBar(HDC target, const SkinScrollBar& bar, bool disabled, const SkinTheme& theme) {
  const ScrollLayout& l = bar.layout;
  if (l.bar.IsEmpty()) return;
  OffscreenBuffer buffer(target, l.bar.Width(), l.bar.Height());
  PaintBar(buffer.dc(), bar, disabled, theme);
  buffer.CopyTo(target, l.bar.left, l.bar.top);
}

void TrackScrollPress(const ScrollPressTarget& target, SkinScrollBar& bar, POINT p, bool shift,
                      const std::function<void()>& redraw) {
  ScrollTracker tracker(target, bar, redraw);
  tracker.Run(p, shift);
}

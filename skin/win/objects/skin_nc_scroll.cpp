#include "skin/win/objects/skin_nc_scroll.h"

#include <vssym32.h>

#include "skin/win/objects/skin_object_nonclient.h"
#include "skin/win/objects/skin_paint.h"
#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/theme/theme_class.h"

namespace {

SCROLLINFO CurrentInfo(HWND hwnd, int which) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ::GetScrollInfo(hwnd, which, &si);
  return si;
}

bool SameInfo(const SCROLLINFO& a, const SCROLLINFO& b) {
  return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

}  // namespace

RECT SkinScrollBars::Rect(bool vertical) const {
  HWND hwnd = m_owner.GetSafeHwnd();
  const RECT client = ClientRectInWindow(hwnd);
  // Beside a skinned caption the frame is the theme's, and so are the bars.
  const bool themed = m_owner.CaptionShown();
  const ThemeSizes& s = m_owner.Sizes();
  const int vw = themed ? s.vScrollWidth : SystemFunctions().GetSystemMetrics(SM_CXVSCROLL);
  const int hh = themed ? s.hScrollHeight : SystemFunctions().GetSystemMetrics(SM_CYHSCROLL);
  const bool left = (::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  if (vertical)
    return left ? RECT{client.left - vw, client.top, client.left, client.bottom}
                : RECT{client.right, client.top, client.right + vw, client.bottom};
  return RECT{client.left, client.bottom, client.right, client.bottom + hh};
}

void SkinScrollBars::Update() {
  HWND hwnd = m_owner.GetSafeHwnd();
  const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
  for (const bool vertical : {true, false}) {
    SkinScrollBar& bar = vertical ? m_vbar : m_hbar;
    bar.vertical = vertical;
    bar.shown = (style & (vertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
    if (!bar.shown) continue;
    if (bar.pressedHit == kScrollHitThumb) continue;  // the tracker owns the thumb
    bar.layout = LayoutScrollBar(ToSkin(Rect(vertical)), vertical,
                                 ReadScrollInfo(hwnd, vertical ? SB_VERT : SB_HORZ),
                                 ScrollArrowSize(m_owner.Sizes(), vertical));
  }
  m_lastV = CurrentInfo(hwnd, SB_VERT);
  m_lastH = CurrentInfo(hwnd, SB_HORZ);
}

LRESULT SkinScrollBars::HitTest(POINT p) const {
  if (m_vbar.shown) {
    const RECT r = Rect(true);
    if (::PtInRect(&r, p)) return HTVSCROLL;
  }
  if (m_hbar.shown) {
    const RECT r = Rect(false);
    if (::PtInRect(&r, p)) return HTHSCROLL;
  }
  if (m_vbar.shown && m_hbar.shown) {
    const RECT v = Rect(true), h = Rect(false);
    const RECT corner{v.left, h.top, v.right, h.bottom};
    if (::PtInRect(&corner, p))
      return (::GetWindowLongW(m_owner.GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
                 ? HTBOTTOMLEFT
                 : HTBOTTOMRIGHT;
  }
  return 0;
}

bool SkinScrollBars::SetHot(int hit, POINT p) {
  int vHot = 0, hHot = 0;
  if (hit == HTVSCROLL) vHot = ScrollHitTest(m_vbar.layout, p.x, p.y);
  if (hit == HTHSCROLL) hHot = ScrollHitTest(m_hbar.layout, p.x, p.y);
  if (vHot != m_vbar.hotHit || hHot != m_hbar.hotHit) {
    m_vbar.hotHit = vHot;
    m_hbar.hotHit = hHot;
    Redraw();
  }
  return vHot || hHot;
}

bool SkinScrollBars::StillHot(POINT p) const {
  bool still = false;
  if (m_vbar.hotHit) still = ScrollHitTest(m_vbar.layout, p.x, p.y) == m_vbar.hotHit;
  if (m_hbar.hotHit) still = still || ScrollHitTest(m_hbar.layout, p.x, p.y) == m_hbar.hotHit;
  return still;
}

void SkinScrollBars::Draw(HDC hdc) {
  HWND hwnd = m_owner.GetSafeHwnd();
  const bool disabled = !::IsWindowEnabled(hwnd);
  if (m_vbar.shown) PaintScrollBar(hdc, m_vbar, disabled, m_owner.Skin());
  if (m_hbar.shown) PaintScrollBar(hdc, m_hbar, disabled, m_owner.Skin());
  if (m_vbar.shown && m_hbar.shown) {
    const RECT v = Rect(true), h = Rect(false);
    const RECT corner{v.left, h.top, v.right, h.bottom};
    ThemeClass* t = m_owner.Skin().GetThemeClass(u"SCROLLBAR");
    // The size box's colour, the button face where the theme has none.
    COLORREF fill = m_owner.Metrics().Color(COLOR_BTNFACE);
    if (t) t->GetColor(SBP_SIZEBOX, SZB_RIGHTALIGN, TMT_FILLCOLOR, fill);
    const COLORREF old = ::SetBkColor(hdc, fill);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &corner, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
    if (t && (::GetWindowLongW(hwnd, GWL_STYLE) & WS_THICKFRAME))
      t->DrawBackground(hdc, SBP_SIZEBOX, SZB_RIGHTALIGN, corner);
  }
}

void SkinScrollBars::Redraw() {
  HWND hwnd = m_owner.GetSafeHwnd();
  // Without a window (destroyed while a press was tracked) there is nothing to draw.
  if (!::IsWindow(hwnd)) return;
  HDC hdc = ::GetWindowDC(hwnd);
  if (!hdc) return;
  Update();
  Draw(hdc);
  ::ReleaseDC(hwnd, hdc);
}

void SkinScrollBars::Track(bool vertical, POINT screen, bool shift) {
  Update();
  SkinScrollBar& bar = vertical ? m_vbar : m_hbar;
  if (!bar.shown) return;
  HWND hwnd = m_owner.GetSafeHwnd();
  const ScrollPressTarget target{hwnd, hwnd, nullptr, false};
  const SkinTheme& theme = m_owner.Skin();
  TrackScrollPress(target, bar, WindowPointOf(hwnd, screen), shift, [hwnd, &bar, &theme]() {
    HDC hdc = ::GetWindowDC(hwnd);
    if (!hdc) return;
    PaintScrollBar(hdc, bar, !::IsWindowEnabled(hwnd), theme);
    ::ReleaseDC(hwnd, hdc);
  });
  Redraw();
}

bool SkinScrollBars::InfoChanged() const {
  HWND hwnd = m_owner.GetSafeHwnd();
  return !SameInfo(CurrentInfo(hwnd, SB_VERT), m_lastV) ||
         !SameInfo(CurrentInfo(hwnd, SB_HORZ), m_lastH);
}

const SkinScrollBar* SkinScrollBars::For(int bar) const {
  if (bar == SB_VERT) return &m_vbar;
  if (bar == SB_HORZ) return &m_hbar;
  return nullptr;
}

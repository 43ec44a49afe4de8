// The frame object's message handling: non-client size and hit testing,
// caption buttons and the mouse, activation, text changes and colours.
#include <windows.h>

#include <vssym32.h>
#include <windowsx.h>

#include "skin/win/skin_engine.h"
#include "skin/win/skin_object.h"
#include "skin/win/skin_redirect_table.h"
#include "skin/win/skin_windows.h"
#include "skin/win/theme_class.h"
#include "skin/win/theme_schema.h"

CSkinObjectFrame::CSkinObjectFrame() = default;

CSkinObjectFrame::~CSkinObjectFrame() {
  if (m_pageBrush) ::DeleteObject(m_pageBrush);
}

ThemeClass* CSkinObjectFrame::Theme() const {
  return SkinEngine::Get().GetThemeClass(ThemeClassName());
}

ThemeClass* CSkinObjectFrame::WindowTheme() const {
  return SkinEngine::Get().GetThemeClass(u"WINDOW");
}

bool CSkinObjectFrame::FrameOption() const {
  return (SkinEngine::Get().GetApplyOptions() & SkinEngine::kFrame) != 0;
}

bool CSkinObjectFrame::HasSkinCaption() const {
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  return (style & WS_CAPTION) == WS_CAPTION && FrameOption() && WindowTheme() != nullptr;
}

RECT CSkinObjectFrame::WindowRectAtZero() const {
  RECT r;
  ::GetWindowRect(m_hWnd, &r);
  ::OffsetRect(&r, -r.left, -r.top);
  return r;
}

POINT CSkinObjectFrame::ScreenToWindowPoint(POINT screen) const {
  RECT r;
  ::GetWindowRect(m_hWnd, &r);
  return POINT{screen.x - r.left, screen.y - r.top};
}

void CSkinObjectFrame::ComputeBorders(DWORD style, DWORD exStyle, RECT& b) {
  const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
  int count = (exStyle & WS_EX_WINDOWEDGE) ? 2 : (exStyle & WS_EX_STATICEDGE) ? 1 : 0;
  if ((style & WS_DLGFRAME) || (style & WS_BORDER) || (exStyle & WS_EX_DLGMODALFRAME)) ++count;
  if (style & WS_THICKFRAME) count += s.borderMultiplier;
  const bool maximized = (style & WS_MAXIMIZE) && !(style & WS_CHILD);
  if (maximized) {
    const int bx = SystemFunctions().GetSystemMetrics(SM_CXFRAME),
              by = SystemFunctions().GetSystemMetrics(SM_CYFRAME);
    b = RECT{bx, by, bx, by};
  } else {
    b = RECT{count * s.borderWidth, count * s.borderHeight, count * s.borderWidth,
             count * s.borderHeight};
  }
  if ((style & WS_CAPTION) == WS_CAPTION)
    b.top += (exStyle & WS_EX_TOOLWINDOW) ? s.smallCaptionHeight : s.captionHeight;
  if (exStyle & WS_EX_CLIENTEDGE) {
    b.left += s.edgeWidth;
    b.right += s.edgeWidth;
    b.top += s.edgeHeight;
    b.bottom += s.edgeHeight;
  }
}

LRESULT CSkinObjectFrame::OnNcCalcSize(WPARAM, LPARAM l) {
  auto* r = reinterpret_cast<RECT*>(l);
  const DWORD style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  const DWORD ex = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  m_toolWindow = (ex & WS_EX_TOOLWINDOW) != 0;
  ComputeBorders(style, ex, m_borders);
  RECT c = *r;
  c.left += m_borders.left;
  c.top += m_borders.top;
  c.right -= m_borders.right;
  c.bottom -= m_borders.bottom;
  const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
  if (style & WS_VSCROLL) {
    if (ex & (WS_EX_LEFTSCROLLBAR | WS_EX_LAYOUTRTL))
      c.left += s.vScrollWidth;
    else
      c.right -= s.vScrollWidth;
  }
  if (style & WS_HSCROLL) c.bottom -= s.hScrollHeight;
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  *r = c;
  return 0;
}

void CSkinObjectFrame::UpdateCaptionButtons() {
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  const LONG ex = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  if (style == m_cachedStyle && ex == m_cachedExStyle && !m_buttons.empty()) return;
  m_cachedStyle = style;
  m_cachedExStyle = ex;
  m_buttons.clear();
  const bool tool = (ex & WS_EX_TOOLWINDOW) != 0;
  const bool sysMenu = (style & WS_SYSMENU) != 0;
  CaptionButton close;
  close.command = SC_CLOSE;
  close.hitCode = HTCLOSE;
  close.part = tool ? WP_SMALLCLOSEBUTTON : WP_CLOSEBUTTON;
  close.present = sysMenu || !((style & WS_DLGFRAME) || (ex & WS_EX_DLGMODALFRAME));
  if (HMENU menu = sysMenu ? ::GetSystemMenu(m_hWnd, FALSE) : nullptr) {
    const UINT st = ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
    close.enabled = st == UINT(-1) || !(st & (MF_GRAYED | MF_DISABLED));
  }
  m_buttons.push_back(close);
  const bool boxes = sysMenu && !tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  CaptionButton max;
  max.command = (style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE;
  max.hitCode = HTMAXBUTTON;
  max.part = (style & WS_MAXIMIZE) ? WP_RESTOREBUTTON : WP_MAXBUTTON;
  max.present = boxes;
  max.enabled = (style & WS_MAXIMIZEBOX) != 0;
  m_buttons.push_back(max);
  CaptionButton min;
  min.command = (style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE;
  min.hitCode = HTMINBUTTON;
  min.part = (style & WS_MINIMIZE) ? WP_RESTOREBUTTON : WP_MINBUTTON;
  min.present = boxes;
  min.enabled = (style & WS_MINIMIZEBOX) != 0;
  m_buttons.push_back(min);
  CaptionButton help;
  help.command = SC_CONTEXTHELP;
  help.hitCode = HTHELP;
  help.part = WP_HELPBUTTON;
  help.present = (ex & WS_EX_CONTEXTHELP) && sysMenu && !tool;
  m_buttons.push_back(help);
  m_hotButton = -1;
}

void CSkinObjectFrame::LayoutCaptionButtons(int windowWidth) {
  const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
  const int caption = m_toolWindow ? s.smallCaptionHeight : s.captionHeight;
  const int top = m_borders.top - caption;  // the frame line above the caption
  const int size = caption > 8 ? caption - 6 : caption;
  int x = windowWidth - m_borders.right - 2;
  for (CaptionButton& b : m_buttons) {
    if (!b.present) continue;
    b.rect = RECT{x - size, top + (caption - size) / 2, x, top + (caption - size) / 2 + size};
    x -= size + 2;
  }
}

int CSkinObjectFrame::CaptionButtonAt(POINT p) const {
  for (size_t i = 0; i < m_buttons.size(); ++i)
    if (m_buttons[i].present && ::PtInRect(&m_buttons[i].rect, p)) return int(i);
  return -1;
}

LRESULT CSkinObjectFrame::HitTest(POINT screen) {
  const POINT p = ScreenToWindowPoint(screen);
  if (m_vbar.shown) {
    RECT r = ScrollBarRect(true);
    if (::PtInRect(&r, p)) return HTVSCROLL;
  }
  if (m_hbar.shown) {
    RECT r = ScrollBarRect(false);
    if (::PtInRect(&r, p)) return HTHSCROLL;
  }
  if (m_vbar.shown && m_hbar.shown) {
    RECT v = ScrollBarRect(true), h = ScrollBarRect(false);
    RECT corner{v.left, h.top, v.right, h.bottom};
    if (::PtInRect(&corner, p))
      return (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) ? HTBOTTOMLEFT
                                                                       : HTBOTTOMRIGHT;
  }
  if (HasSkinCaption()) {
    UpdateCaptionButtons();
    LayoutCaptionButtons(WindowRectAtZero().right);
    const int i = CaptionButtonAt(p);
    if (i >= 0) return m_buttons[i].hitCode;
    const RECT w = WindowRectAtZero();
    if (p.y >= 0 && p.y < m_borders.top && p.x >= m_borders.left &&
        p.x < w.right - m_borders.right &&
        !(::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_THICKFRAME && p.y < m_borders.left))
      return HTCAPTION;
  }
  const LRESULT sys = CallPrevious(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  switch (sys) {
    case HTSYSMENU:
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
      return HasSkinCaption() ? HTCAPTION : sys;
    case HTVSCROLL:
    case HTHSCROLL:
      return HTCLIENT;
  }
  return sys;
}

void CSkinObjectFrame::NcMouseMove(int hit, POINT screen) {
  int hot = -1;
  if (screen.x != -1 || screen.y != -1) {
    const POINT p = ScreenToWindowPoint(screen);
    hot = CaptionButtonAt(p);
    if (hot >= 0 && !m_buttons[hot].enabled) hot = -1;
  }
  if (hot != m_hotButton) {
    m_hotButton = hot;
    DrawButtonsOnly();
  }
  int vHot = 0, hHot = 0;
  if (hit == HTVSCROLL || hit == HTHSCROLL) {
    const POINT p = ScreenToWindowPoint(screen);
    SkinScrollBar& bar = hit == HTVSCROLL ? m_vbar : m_hbar;
    (hit == HTVSCROLL ? vHot : hHot) = ScrollHitTest(bar.layout, p.x, p.y);
  }
  if (vHot != m_vbar.hotHit || hHot != m_hbar.hotHit) {
    m_vbar.hotHit = vHot;
    m_hbar.hotHit = hHot;
    RedrawScrollBars();
  }
  const bool anything = m_hotButton >= 0 || vHot || hHot;
  if (anything && !m_hotTimer) {
    ::SetTimer(m_hWnd, kHotTimerId, 50, nullptr);
    m_hotTimer = true;
  }
}

void CSkinObjectFrame::OnHotTimer() {
  POINT screen;
  ::GetCursorPos(&screen);
  const POINT p = ScreenToWindowPoint(screen);
  bool still = false;
  if (m_hotButton >= 0) still = ::PtInRect(&m_buttons[m_hotButton].rect, p) != FALSE;
  if (m_vbar.hotHit) still = still || ScrollHitTest(m_vbar.layout, p.x, p.y) == m_vbar.hotHit;
  if (m_hbar.hotHit) still = still || ScrollHitTest(m_hbar.layout, p.x, p.y) == m_hbar.hotHit;
  if (still) return;
  ::KillTimer(m_hWnd, kHotTimerId);
  m_hotTimer = false;
  NcMouseMove(HTNOWHERE, POINT{-1, -1});
}

// The pressed caption button follows the mouse until it is released.
bool CSkinObjectFrame::RunCaptionButtonLoop(int index) {
  m_pressedButton = index;
  DrawButtonsOnly();
  ::SetCapture(m_hWnd);
  bool command = false;
  MSG msg;
  while (::GetCapture() == m_hWnd) {
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONUP && msg.hwnd == m_hWnd) {
      POINT screen;
      ::GetCursorPos(&screen);
      command = ::PtInRect(&m_buttons[index].rect, ScreenToWindowPoint(screen)) != FALSE;
      break;
    }
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == m_hWnd) {
      POINT screen;
      ::GetCursorPos(&screen);
      const bool over = ::PtInRect(&m_buttons[index].rect, ScreenToWindowPoint(screen)) != FALSE;
      const int pressed = over ? index : -1;
      if (pressed != m_pressedButton) {
        m_pressedButton = pressed;
        m_hotButton = over ? index : -1;
        DrawButtonsOnly();
      }
      continue;
    }
    if (msg.message == WM_NCMOUSELEAVE) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  m_pressedButton = -1;
  if (::IsWindow(m_hWnd)) DrawButtonsOnly();
  if (command && ::IsWindow(m_hWnd)) {
    POINT screen;
    ::GetCursorPos(&screen);
    ::SendMessageW(m_hWnd, WM_SYSCOMMAND, m_buttons[index].command, MAKELPARAM(screen.x, screen.y));
  }
  return command;
}

void CSkinObjectFrame::RefreshFrame() {
  ++m_suppressFrame;
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  --m_suppressFrame;
  m_regionSize = SIZE{0, 0};
  UpdateRegion();
  ::RedrawWindow(m_hWnd, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CSkinObjectFrame::SkinChanged(int oldEnabled, int newEnabled) {
  if (!m_hWnd) return;
  if (newEnabled) {
    m_cachedStyle = m_cachedExStyle = -1;
    if (!oldEnabled) m_active = ::GetActiveWindow() == m_hWnd;
  }
  if (m_pageBrush) {
    ::DeleteObject(m_pageBrush);
    m_pageBrush = nullptr;
  }
  RefreshFrame();
}

HBRUSH SkinBrushFromAnswer(LRESULT answer) {
  const ThemeMetrics& m = SkinEngine::Get().Metrics();
  if (answer >= 1 && answer <= 30) return m.Brush(int(answer));
  if (answer > 30) return reinterpret_cast<HBRUSH>(answer);
  return m.Brush(COLOR_BTNFACE);
}

HBRUSH CSkinObjectFrame::PageBrush() {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const SIZE size{client.right, client.bottom};
  if (m_pageBrush && size.cx == m_pageBrushSize.cx && size.cy == m_pageBrushSize.cy)
    return m_pageBrush;
  if (m_pageBrush) ::DeleteObject(m_pageBrush);
  m_pageBrush = nullptr;
  ThemeClass* tab = SkinEngine::Get().GetThemeClass(u"TAB");
  std::u16string image;
  if (!tab || size.cx <= 0 || size.cy <= 0 ||
      FAILED(tab->GetString(TABP_BODY, 0, 3007 /* STOCKIMAGEFILE */, image)) || image.empty())
    return SkinEngine::Get().Metrics().Brush(COLOR_BTNFACE);
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
  HGDIOBJ old = ::SelectObject(dc, bmp);
  ::FillRect(dc, &client, SkinEngine::Get().Metrics().Brush(COLOR_BTNFACE));
  tab->DrawBackground(dc, TABP_BODY, 0, client);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  m_pageBrush = ::CreatePatternBrush(bmp);
  ::DeleteObject(bmp);
  m_pageBrushSize = size;
  return m_pageBrush;
}

bool CSkinObjectFrame::OnControlColor(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  HDC dc = reinterpret_cast<HDC>(w);
  const ThemeMetrics& m = SkinEngine::Get().Metrics();
  if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) {
    ::SetBkColor(dc, m.Color(COLOR_WINDOW));
    ::SetTextColor(dc, m.Color(COLOR_WINDOWTEXT));
    result = reinterpret_cast<LRESULT>(m.Brush(COLOR_WINDOW));
    return true;
  }
  ::SetBkColor(dc, m.Color(COLOR_BTNFACE));
  ::SetTextColor(dc, m.Color(COLOR_BTNTEXT));
  HBRUSH brush = m.Brush(COLOR_BTNFACE);
  if (m_frameType == kFramePage) {
    brush = PageBrush();
    HWND child = reinterpret_cast<HWND>(l);
    if (child && child != m_hWnd && msg != WM_CTLCOLORDLG) {
      RECT r;
      ::GetWindowRect(child, &r);
      ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
      ::SetBrushOrgEx(dc, -r.left, -r.top, nullptr);
      ::SetBkMode(dc, TRANSPARENT);
    }
  }
  result = reinterpret_cast<LRESULT>(brush);
  return true;
}

bool CSkinObjectFrame::OnEraseBackground(HDC hdc) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  if (m_frameType == kFramePage || m_frameType == kFrameDialog) {
    HBRUSH brush =
        m_frameType == kFramePage ? PageBrush() : SkinEngine::Get().Metrics().Brush(COLOR_BTNFACE);
    ::SetBrushOrgEx(hdc, 0, 0, nullptr);
    ::FillRect(hdc, &client, brush);
    return true;
  }
  const auto cls = ::GetClassLongPtrW(m_hWnd, GCLP_HBRBACKGROUND);
  if (cls >= 1 && cls <= 31) {
    ::FillRect(hdc, &client, SkinEngine::Get().Metrics().Brush(int(cls - 1)));
    return true;
  }
  return false;
}

bool CSkinObjectFrame::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == SkinUpdateStateMessage()) {
    m_defaultOnly = ::SendMessageW(m_hWnd, SkinQueryStateMessage(), 0, 0) != 0;
    result = 0;
    return true;
  }
  const bool caption = HasSkinCaption();
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  const bool scrolls = FrameOption() && (style & (WS_VSCROLL | WS_HSCROLL));
  switch (msg) {
    case WM_CREATE:
      // A sizing window made outside a dialog template was sized through the
      // redirected AdjustWindowRectEx, which already gave it the theme's frame.
      if (caption && !(style & WS_CHILD) &&
          !((style & WS_THICKFRAME) && m_frameType != kFrameDialog &&
            (SkinEngine::Get().GetApplyOptions() & SkinEngine::kMetrics))) {
        result = CallPrevious(msg, w, l);
        // Keep the client size the template asked for under the theme's frame.
        RECT sys{0, 0, 0, 0};
        SystemFunctions().AdjustWindowRectEx(&sys, style, ::GetMenu(m_hWnd) != nullptr,
                                             ::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
        RECT mine;
        ComputeBorders(style, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE), mine);
        RECT wr;
        ::GetWindowRect(m_hWnd, &wr);
        const int dx = (mine.left + mine.right) - (sys.right - sys.left);
        const int dy = (mine.top + mine.bottom) - (sys.bottom - sys.top);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, wr.right - wr.left + dx, wr.bottom - wr.top + dy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return true;
      }
      return false;
    case WM_NCCALCSIZE:
      if (!caption) return false;
      if (w) {
        result = OnNcCalcSize(
            w, reinterpret_cast<LPARAM>(&reinterpret_cast<NCCALCSIZE_PARAMS*>(l)->rgrc[0]));
      } else {
        result = OnNcCalcSize(w, l);
      }
      return true;
    case WM_NCPAINT:
      if (!caption && !scrolls && !DrawsOwnBorder()) return false;
      if (!caption) {
        if (!DrawsOwnBorder()) CallPrevious(msg, w, l);
      }
      DrawFrame();
      result = 0;
      return true;
    case WM_NCACTIVATE: {
      if (!caption) return false;
      m_active = w != 0 && ::IsWindowEnabled(m_hWnd);
      // The dialog procedure still sees the message; -1 keeps the system from
      // painting its own frame.
      CallPrevious(msg, w, LPARAM(-1));
      DrawFrame();
      result = TRUE;
      return true;
    }
    case WM_SETTEXT:
    case WM_SETICON:
      if (!caption) return false;
      result = CallPrevious(msg, w, l);
      DrawFrame();
      return true;
    case WM_NCHITTEST:
      if (!caption && !scrolls) return false;
      result = HitTest(POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
      return true;
    case WM_NCMOUSEMOVE:
      if (!caption && !scrolls) return false;
      NcMouseMove(int(w), POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
      result = CallPrevious(msg, w, l);
      return true;
    case WM_NCMOUSELEAVE:
      if (!caption && !scrolls) return false;
      NcMouseMove(HTNOWHERE, POINT{-1, -1});
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      if (!caption && !scrolls) return false;
      const POINT screen{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
      if (w == HTVSCROLL || w == HTHSCROLL) {
        TrackScrollBar(w == HTVSCROLL, screen, (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
        result = 0;
        return true;
      }
      if (caption) {
        UpdateCaptionButtons();
        LayoutCaptionButtons(WindowRectAtZero().right);
        const int i = CaptionButtonAt(ScreenToWindowPoint(screen));
        if (i >= 0) {
          if (m_buttons[i].enabled) RunCaptionButtonLoop(i);
          result = 0;
          return true;
        }
        if (w == HTSYSMENU || w == HTMINBUTTON || w == HTMAXBUTTON || w == HTCLOSE || w == HTHELP) {
          result = 0;
          return true;
        }
      }
      return false;
    }
    case WM_NCRBUTTONUP:
      if (scrolls && (w == HTVSCROLL || w == HTHSCROLL)) {
        ::SendMessageW(m_hWnd, WM_CONTEXTMENU, WPARAM(m_hWnd), l);
        result = 0;
        return true;
      }
      return false;
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
      return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
      if (dynamic_cast<CSkinObjectComboBox*>(this)) return false;
      return OnControlColor(msg, w, l, result);
    case WM_ERASEBKGND:
      if (OnEraseBackground(reinterpret_cast<HDC>(w))) {
        result = 1;
        return true;
      }
      return false;
    case WM_SIZE:
      if (m_frameType == kFramePage) ::InvalidateRect(m_hWnd, nullptr, TRUE);
      UpdateRegion();
      return false;
    case WM_STYLECHANGED:
      m_cachedStyle = m_cachedExStyle = -1;
      return false;
  }
  // The control's own procedure may have moved its scroll bars.
  if (scrolls && !caption && msg != WM_PAINT && msg != WM_NCPAINT) {
    result = CallPrevious(msg, w, l);
    if (::IsWindow(m_hWnd) && ScrollInfoChanged()) RedrawScrollBars();
    return true;
  }
  return false;
}

// The caption's geometry and mouse: borders, caption buttons built from the
// window's styles, hit testing, the hot button and the pressed button's loop.
#include "skin/win/objects/skin_caption.h"

#include <vssym32.h>

#include "skin/win/objects/skin_object_frame.h"
#include "skin/win/system/skin_redirect_table.h"

RECT SkinFrameBorders(DWORD style, DWORD exStyle, const ThemeSizes& s) {
  int count = (exStyle & WS_EX_WINDOWEDGE) ? 2 : (exStyle & WS_EX_STATICEDGE) ? 1 : 0;
  if ((style & WS_DLGFRAME) || (style & WS_BORDER) || (exStyle & WS_EX_DLGMODALFRAME)) ++count;
  if (style & WS_THICKFRAME) count += s.borderMultiplier;
  const bool maximized = (style & WS_MAXIMIZE) && !(style & WS_CHILD);
  RECT b;
  if (maximized) {
    const int bx = SystemFunctions().GetSystemMetrics(SM_CXFRAME);
    const int by = SystemFunctions().GetSystemMetrics(SM_CYFRAME);
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
  return b;
}

HWND SkinCaption::Window() const {
  return m_owner.GetSafeHwnd();
}

bool SkinCaption::Shown() const {
  const LONG style = ::GetWindowLongW(Window(), GWL_STYLE);
  return (style & WS_CAPTION) == WS_CAPTION && (m_owner.Skin().GetApplyOptions() & kApplyFrame) &&
         m_owner.Skin().GetThemeClass(u"WINDOW") != nullptr;
}

void SkinCaption::CalcClient(RECT& r) {
  const DWORD style = ::GetWindowLongW(Window(), GWL_STYLE);
  const DWORD ex = ::GetWindowLongW(Window(), GWL_EXSTYLE);
  const ThemeSizes& s = m_owner.Sizes();
  m_toolWindow = (ex & WS_EX_TOOLWINDOW) != 0;
  m_borders = SkinFrameBorders(style, ex, s);
  RECT c = r;
  c.left += m_borders.left;
  c.top += m_borders.top;
  c.right -= m_borders.right;
  c.bottom -= m_borders.bottom;
  if (style & WS_VSCROLL) {
    if (ex & (WS_EX_LEFTSCROLLBAR | WS_EX_LAYOUTRTL))
      c.left += s.vScrollWidth;
    else
      c.right -= s.vScrollWidth;
  }
  if (style & WS_HSCROLL) c.bottom -= s.hScrollHeight;
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  r = c;
}

void SkinCaption::UpdateButtons() {
  HWND hwnd = Window();
  const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
  const LONG ex = ::GetWindowLongW(hwnd, GWL_EXSTYLE);
  if (style == m_cachedStyle && ex == m_cachedExStyle && !m_buttons.empty()) return;
  m_cachedStyle = style;
  m_cachedExStyle = ex;
  m_buttons.clear();
  const bool tool = (ex & WS_EX_TOOLWINDOW) != 0;
  const bool sysMenu = (style & WS_SYSMENU) != 0;
  auto add = [this](UINT command, int hitCode, int part, bool present, bool enabled) {
    CaptionButton b;
    b.command = command;
    b.hitCode = hitCode;
    b.part = part;
    b.present = present;
    b.enabled = enabled;
    m_buttons.push_back(b);
  };
  bool closeEnabled = true;
  if (HMENU menu = sysMenu ? ::GetSystemMenu(hwnd, FALSE) : nullptr) {
    const UINT st = ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
    closeEnabled = st == UINT(-1) || !(st & (MF_GRAYED | MF_DISABLED));
  }
  add(SC_CLOSE, HTCLOSE, tool ? WP_SMALLCLOSEBUTTON : WP_CLOSEBUTTON,
      sysMenu || !((style & WS_DLGFRAME) || (ex & WS_EX_DLGMODALFRAME)), closeEnabled);
  const bool boxes = sysMenu && !tool && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  const bool maximized = (style & WS_MAXIMIZE) != 0, minimized = (style & WS_MINIMIZE) != 0;
  add(maximized ? SC_RESTORE : SC_MAXIMIZE, HTMAXBUTTON,
      maximized ? WP_RESTOREBUTTON : WP_MAXBUTTON, boxes, (style & WS_MAXIMIZEBOX) != 0);
  add(minimized ? SC_RESTORE : SC_MINIMIZE, HTMINBUTTON,
      minimized ? WP_RESTOREBUTTON : WP_MINBUTTON, boxes, (style & WS_MINIMIZEBOX) != 0);
  add(SC_CONTEXTHELP, HTHELP, WP_HELPBUTTON, (ex & WS_EX_CONTEXTHELP) && sysMenu && !tool, true);
  m_hotButton = -1;
}

void SkinCaption::LayoutButtons(int windowWidth) {
  const ThemeSizes& s = m_owner.Sizes();
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

int SkinCaption::ButtonAt(POINT p) const {
  for (size_t i = 0; i < m_buttons.size(); ++i)
    if (m_buttons[i].present && ::PtInRect(&m_buttons[i].rect, p)) return int(i);
  return -1;
}

LRESULT SkinCaption::HitTest(POINT p) {
  UpdateButtons();
  const RECT w = WindowRectAtZero(Window());
  LayoutButtons(w.right);
  const int i = ButtonAt(p);
  if (i >= 0) return m_buttons[i].hitCode;
  // The caption strip, less the sizing border above it.
  if (p.y >= 0 && p.y < m_borders.top && p.x >= m_borders.left && p.x < w.right - m_borders.right &&
      !(::GetWindowLongW(Window(), GWL_STYLE) & WS_THICKFRAME && p.y < m_borders.left))
    return HTCAPTION;
  return 0;
}

bool SkinCaption::SetHotAt(const POINT* p) {
  int hot = p ? ButtonAt(*p) : -1;
  if (hot >= 0 && !m_buttons[hot].enabled) hot = -1;
  if (hot == m_hotButton) return false;
  m_hotButton = hot;
  return true;
}

bool SkinCaption::StillHot(POINT p) const {
  return m_hotButton >= 0 && ::PtInRect(&m_buttons[m_hotButton].rect, p);
}

bool SkinCaption::Press(WPARAM hit, POINT screen) {
  UpdateButtons();
  LayoutButtons(WindowRectAtZero(Window()).right);
  const int i = ButtonAt(WindowPointOf(Window(), screen));
  if (i >= 0) {
    if (m_buttons[i].enabled) RunButtonLoop(i);
    return true;
  }
  return hit == HTSYSMENU || hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE ||
         hit == HTHELP;
}

// The pressed caption button follows the mouse until it is released.
bool SkinCaption::RunButtonLoop(int index) {
  HWND hwnd = Window();
  m_pressedButton = index;
  m_owner.DrawFrame();
  ::SetCapture(hwnd);
  bool command = false;
  MSG msg;
  while (::GetCapture() == hwnd) {
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONUP && msg.hwnd == hwnd) {
      POINT screen;
      ::GetCursorPos(&screen);
      command = ::PtInRect(&m_buttons[index].rect, WindowPointOf(hwnd, screen)) != FALSE;
      break;
    }
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == hwnd) {
      POINT screen;
      ::GetCursorPos(&screen);
      const bool over = ::PtInRect(&m_buttons[index].rect, WindowPointOf(hwnd, screen)) != FALSE;
      const int pressed = over ? index : -1;
      if (pressed != m_pressedButton) {
        m_pressedButton = pressed;
        m_hotButton = over ? index : -1;
        m_owner.DrawFrame();
      }
      continue;
    }
    if (msg.message == WM_NCMOUSELEAVE) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    // A message dispatched here may have destroyed the window: the press
    // ends, and the object (kept until this call returns) is left alone.
    if (!::IsWindow(hwnd) || m_owner.GetSafeHwnd() != hwnd) return false;
  }
  m_pressedButton = -1;
  if (!::IsWindow(hwnd)) return false;
  if (::GetCapture() == hwnd) ::ReleaseCapture();
  m_owner.DrawFrame();
  if (command) {
    POINT screen;
    ::GetCursorPos(&screen);
    ::SendMessageW(hwnd, WM_SYSCOMMAND, m_buttons[index].command, MAKELPARAM(screen.x, screen.y));
  }
  return command;
}

void SkinCaption::SkinChanged(bool wasEnabled, bool enabled) {
  if (!enabled) return;
  StyleChanged();
  if (!wasEnabled) m_active = ::GetActiveWindow() == Window();
}

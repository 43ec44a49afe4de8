// The frame object's drawing: frame sides, the caption through an off-screen
// bitmap, caption buttons, and the borders of edit and list box controls.
#include <windows.h>

#include <vssym32.h>
#include <windowsx.h>

#include "skin/win/offscreen_buffer.h"
#include "skin/win/skin_engine.h"
#include "skin/win/skin_object.h"
#include "skin/win/theme_class.h"
#include "skin/win/theme_schema.h"

namespace {

HICON SmallIconOf(HWND hwnd) {
  auto icon = reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL2, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(hwnd, GCLP_HICONSM));
  return icon;
}

}  // namespace

void CSkinObjectFrame::DrawFrame() {
  if (m_suppressFrame || !m_hWnd || !::IsWindowVisible(m_hWnd)) return;
  const bool caption = HasSkinCaption();
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  const bool scrolls = FrameOption() && (style & (WS_VSCROLL | WS_HSCROLL));
  if (!caption && !scrolls && !DrawsOwnBorder()) return;
  HDC hdc = ::GetWindowDC(m_hWnd);
  if (!hdc) return;
  const RECT w = WindowRectAtZero();
  if (caption) {
    if (m_borders.top == 0) {
      ComputeBorders(style, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE), m_borders);
      m_toolWindow = (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    }
    UpdateCaptionButtons();
    LayoutCaptionButtons(w.right);
    ThemeClass* t = WindowTheme();
    const int state = m_active ? FS_ACTIVE : FS_INACTIVE;
    const bool tool = m_toolWindow;
    if (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
      const ThemeSizes& s = SkinEngine::Get().Metrics().Sizes();
      RECT edge{m_borders.left - s.edgeWidth, m_borders.top - s.edgeHeight,
                w.right - m_borders.right + s.edgeWidth,
                w.bottom - m_borders.bottom + s.edgeHeight};
      ::DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT);
    }
    const RECT left{0, m_borders.top, m_borders.left, w.bottom - m_borders.bottom};
    const RECT right{w.right - m_borders.right, m_borders.top, w.right,
                     w.bottom - m_borders.bottom};
    const RECT bottom{0, w.bottom - m_borders.bottom, w.right, w.bottom};
    if (m_borders.left > 0)
      t->DrawBackground(hdc, tool ? WP_SMALLFRAMELEFT : WP_FRAMELEFT, state, left);
    if (m_borders.right > 0)
      t->DrawBackground(hdc, tool ? WP_SMALLFRAMERIGHT : WP_FRAMERIGHT, state, right);
    if (m_borders.bottom > 0)
      t->DrawBackground(hdc, tool ? WP_SMALLFRAMEBOTTOM : WP_FRAMEBOTTOM, state, bottom);
    DrawCaption(hdc, w);
  } else if (DrawsOwnBorder()) {
    DrawControlBorder(hdc, w, ThemeClassName());
  }
  if (scrolls) {
    UpdateScrollBars();
    DrawScrollBars(hdc);
  }
  ::ReleaseDC(m_hWnd, hdc);
}

void CSkinObjectFrame::DrawCaption(HDC hdc, const RECT& window) {
  ThemeClass* t = WindowTheme();
  std::shared_ptr<ThemeSchema> schema = SkinEngine::Get().Schema();
  if (!t || !schema) return;
  CaptionLock lock(*schema);
  const int height = m_borders.top;
  OffscreenBuffer buf(hdc, window.right, height);
  HDC dc = buf.dc();
  const RECT all{0, 0, window.right, height};
  const ThemeMetrics& m = SkinEngine::Get().Metrics();
  ::FillRect(dc, &all, m.Brush(m_active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  t->DrawBackground(dc, m_toolWindow ? WP_SMALLCAPTION : WP_CAPTION,
                    m_active ? CS_ACTIVE : CS_INACTIVE, all);
  const ThemeSizes& s = m.Sizes();
  const int caption = m_toolWindow ? s.smallCaptionHeight : s.captionHeight;
  const int captionTop = height - caption;
  int textLeft = m_borders.left + 2;
  if (HICON icon = m_toolWindow ? nullptr : SmallIconOf(m_hWnd)) {
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    ::DrawIconEx(dc, textLeft, captionTop + (caption - cy) / 2, icon, cx, cy, 0, nullptr,
                 DI_NORMAL);
    textLeft += cx + 2;
  }
  int textRight = window.right - m_borders.right;
  for (const CaptionButton& b : m_buttons)
    if (b.present && b.rect.left < textRight) textRight = b.rect.left;
  const std::u16string text = GetWindowText();
  if (!text.empty()) {
    LOGFONTW lf = m_toolWindow ? m.SmallCaptionFont() : m.CaptionFont();
    HFONT font = ::CreateFontIndirectW(&lf);
    HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m.Color(m_active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT tr{textLeft, captionTop, textRight - 2, height};
    const LONG ex = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    if (ex & WS_EX_RIGHT) format |= DT_RIGHT;
    if (ex & WS_EX_RTLREADING) format |= DT_RTLREADING;
    ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), int(text.size()), &tr, format);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
  }
  DrawCaptionButtons(dc, 0, 0);
  buf.CopyTo(hdc, 0, 0);
}

void CSkinObjectFrame::DrawCaptionButtons(HDC hdc, int dx, int dy) {
  ThemeClass* t = WindowTheme();
  if (!t) return;
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    CaptionButton& b = m_buttons[i];
    if (!b.present) continue;
    int state = !b.enabled ? 4 : int(i) == m_pressedButton ? 3 : int(i) == m_hotButton ? 2 : 1;
    if (!m_active) state += 4;
    b.state = state;
    RECT r = b.rect;
    ::OffsetRect(&r, dx, dy);
    t->DrawBackground(hdc, b.part, state, r);
  }
}

void CSkinObjectFrame::DrawButtonsOnly() {
  DrawFrame();
}

// Edit, list box: a one-pixel theme border, the rest of the system's border
// in the control's background.
void CSkinObjectFrame::DrawControlBorder(HDC hdc, const RECT& w, const char16_t* themeClass) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT wr;
  ::GetWindowRect(m_hWnd, &wr);
  ::OffsetRect(&client, -wr.left, -wr.top);
  if (::EqualRect(&client, &w)) return;  // no border
  const ThemeMetrics& m = SkinEngine::Get().Metrics();
  ThemeClass* t = SkinEngine::Get().GetThemeClass(themeClass);
  COLORREF border = m.Color(COLOR_BTNSHADOW);
  if (t) {
    const int part = std::u16string(themeClass) == u"EDIT" ? EP_EDITTEXT : 0;
    int state = ::IsWindowEnabled(m_hWnd) ? (::GetFocus() == m_hWnd ? 5 : 1) : 3;
    if (part == 0) state = 0;
    t->GetColor(part, state, TMT_BORDERCOLOR, border);
  }
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  // Scroll bars sit between the client area and the border.
  RECT inner = client;
  if (style & WS_VSCROLL) inner.right += ::GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) inner.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
  HRGN outer = ::CreateRectRgnIndirect(&w);
  HRGN hole = ::CreateRectRgnIndirect(&inner);
  ::CombineRgn(outer, outer, hole, RGN_DIFF);
  ::FillRgn(hdc, outer, m.Brush(COLOR_WINDOW));
  HBRUSH b = ::CreateSolidBrush(border);
  ::FrameRect(hdc, &w, b);
  ::DeleteObject(b);
  ::DeleteObject(hole);
  ::DeleteObject(outer);
}

// The caption's drawing: frame sides, the caption through an off-screen
// bitmap (icon, text, buttons), in the active or inactive look.
#include <vssym32.h>

#include <memory>

#include "skin/win/objects/offscreen_buffer.h"
#include "skin/win/objects/skin_caption.h"
#include "skin/win/objects/skin_object_frame.h"
#include "skin/win/objects/skin_paint.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_schema.h"

namespace {

HICON SmallIconOf(HWND hwnd) {
  auto icon = reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL2, 0));
  if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(hwnd, GCLP_HICONSM));
  return icon;
}

// The system's caption button standing in for a "WINDOW" button part.
UINT CaptionFrameControl(int part) {
  switch (part) {
    case WP_MINBUTTON:
      return DFCS_CAPTIONMIN;
    case WP_MAXBUTTON:
      return DFCS_CAPTIONMAX;
    case WP_RESTOREBUTTON:
      return DFCS_CAPTIONRESTORE;
    case WP_HELPBUTTON:
      return DFCS_CAPTIONHELP;
  }
  return DFCS_CAPTIONCLOSE;
}

}  // namespace

void DrawSkinFrameSides(HDC hdc, const ThemeClass& t, const RECT& b, SIZE size, bool tool,
                        int state, int dy) {
  const int w = size.cx, h = size.cy;
  const RECT left{0, b.top - dy, b.left, h - b.bottom - dy};
  const RECT right{w - b.right, b.top - dy, w, h - b.bottom - dy};
  const RECT bottom{0, h - b.bottom - dy, w, h - dy};
  if (b.left > 0) t.DrawBackground(hdc, tool ? WP_SMALLFRAMELEFT : WP_FRAMELEFT, state, left);
  if (b.right > 0) t.DrawBackground(hdc, tool ? WP_SMALLFRAMERIGHT : WP_FRAMERIGHT, state, right);
  if (b.bottom > 0)
    t.DrawBackground(hdc, tool ? WP_SMALLFRAMEBOTTOM : WP_FRAMEBOTTOM, state, bottom);
}

void SkinCaption::Draw(HDC hdc, const RECT& w) {
  HWND hwnd = Window();
  const LONG ex = ::GetWindowLongW(hwnd, GWL_EXSTYLE);
  if (m_borders.top == 0) {
    m_borders = SkinFrameBorders(::GetWindowLongW(hwnd, GWL_STYLE), ex, m_owner.Sizes());
    m_toolWindow = (ex & WS_EX_TOOLWINDOW) != 0;
  }
  UpdateButtons();
  LayoutButtons(w.right);
  ThemeClass* t = m_owner.Skin().GetThemeClass(u"WINDOW");
  const int state = m_active ? FS_ACTIVE : FS_INACTIVE;
  const bool tool = m_toolWindow;
  if (ex & WS_EX_CLIENTEDGE) {
    const ThemeSizes& s = m_owner.Sizes();
    RECT edge{m_borders.left - s.edgeWidth, m_borders.top - s.edgeHeight,
              w.right - m_borders.right + s.edgeWidth, w.bottom - m_borders.bottom + s.edgeHeight};
    ::DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT);
  }
  DrawSkinFrameSides(hdc, *t, m_borders, SIZE{w.right, w.bottom}, tool, state);
  DrawCaption(hdc, w);
}

void SkinCaption::DrawCaption(HDC hdc, const RECT& window) {
  HWND hwnd = Window();
  ThemeClass* t = m_owner.Skin().GetThemeClass(u"WINDOW");
  std::shared_ptr<ThemeSchema> schema = m_owner.Skin().Schema();
  if (!t || !schema) return;
  CaptionLock lock(*schema);
  const int height = m_borders.top;
  OffscreenBuffer buf(hdc, window.right, height);
  HDC dc = buf.dc();
  const RECT all{0, 0, window.right, height};
  const ThemeMetrics& m = m_owner.Metrics();
  ::FillRect(dc, &all, m.Brush(m_active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  t->DrawBackground(dc, m_toolWindow ? WP_SMALLCAPTION : WP_CAPTION,
                    m_active ? CS_ACTIVE : CS_INACTIVE, all);
  const ThemeSizes& s = m.Sizes();
  const int caption = m_toolWindow ? s.smallCaptionHeight : s.captionHeight;
  const int captionTop = height - caption;
  int textLeft = m_borders.left + 2;
  if (HICON icon = m_toolWindow ? nullptr : SmallIconOf(hwnd)) {
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    ::DrawIconEx(dc, textLeft, captionTop + (caption - cy) / 2, icon, cx, cy, 0, nullptr,
                 DI_NORMAL);
    textLeft += cx + 2;
  }
  int textRight = window.right - m_borders.right;
  for (const CaptionButton& b : m_buttons)
    if (b.present && b.rect.left < textRight) textRight = b.rect.left;
  const std::u16string text = m_owner.GetWindowText();
  if (!text.empty()) {
    LOGFONTW lf = m_toolWindow ? m.SmallCaptionFont() : m.CaptionFont();
    HFONT font = ::CreateFontIndirectW(&lf);
    HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m.Color(m_active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT tr{textLeft, captionTop, textRight - 2, height};
    const LONG ex = ::GetWindowLongW(hwnd, GWL_EXSTYLE);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    if (ex & WS_EX_RIGHT) format |= DT_RIGHT;
    if (ex & WS_EX_RTLREADING) format |= DT_RTLREADING;
    ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), int(text.size()), &tr, format);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
  }
  DrawButtons(dc);
  buf.CopyTo(hdc, 0, 0);
}

void SkinCaption::DrawButtons(HDC hdc) {
  ThemeClass* t = m_owner.Skin().GetThemeClass(u"WINDOW");
  if (!t) return;
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    CaptionButton& b = m_buttons[i];
    if (!b.present) continue;
    int state = !b.enabled ? 4 : int(i) == m_pressedButton ? 3 : int(i) == m_hotButton ? 2 : 1;
    if (!m_active) state += 4;
    b.state = state;
    UINT look = CaptionFrameControl(b.part);
    if (int(i) == m_pressedButton) look |= DFCS_PUSHED;
    if (!b.enabled) look |= DFCS_INACTIVE;
    DrawPartOrFrameControl(t, hdc, b.part, state, b.rect, DFC_CAPTION, look);
  }
}

#include "skin/win/objects/skin_object_edit.h"

#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/theme/theme_class.h"

// The rest of the system's border is filled with the control's background.
void CSkinObjectEdit::DrawEdges(HDC hdc, const RECT& w) {
  const RECT client = ClientRectInWindow(m_hWnd);
  if (::EqualRect(&client, &w)) return;  // no border
  const ThemeMetrics& m = Metrics();
  COLORREF border = m.Color(COLOR_BTNSHADOW);
  if (ThemeClass* t = Theme()) {
    const int part = BorderPart();
    int state = ::IsWindowEnabled(m_hWnd) ? (::GetFocus() == m_hWnd ? ETS_FOCUSED : ETS_NORMAL)
                                          : ETS_DISABLED;
    if (part == 0) state = 0;
    t->GetColor(part, state, TMT_BORDERCOLOR, border);
  }
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  // Scroll bars sit between the client area and the border.
  RECT inner = client;
  if (style & WS_VSCROLL) inner.right += SystemFunctions().GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) inner.bottom += SystemFunctions().GetSystemMetrics(SM_CYHSCROLL);
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

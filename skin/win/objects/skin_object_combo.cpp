// The combo box object: the drop-down styles are painted over the system's
// own text with the theme's border and drop-down button; the simple style
// gets only the edit field's border.
#include "skin/win/objects/skin_object_combo.h"

#include <vssym32.h>

#include "skin/win/objects/offscreen_buffer.h"
#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/theme/theme_class.h"

void CSkinObjectComboBox::OnAttached() {
  ::InvalidateRect(m_hWnd, nullptr, TRUE);
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  const LONG ex = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  ::SetWindowLongW(m_hWnd, GWL_STYLE, style & ~WS_BORDER);
  ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ex & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  RecalcFrame();
}

HBRUSH CSkinObjectComboBox::BackgroundBrush(HDC hdc) {
  HWND edit = ::GetWindow(m_hWnd, GW_CHILD);
  const bool readOnly = edit && (::GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
  const UINT msg = (!::IsWindowEnabled(m_hWnd) || readOnly) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  return ParentBrushFor(m_hWnd, msg, hdc, Metrics());
}

int CSkinObjectComboBox::State() const {
  if (!::IsWindowEnabled(m_hWnd)) return 4;
  if ((::GetKeyState(VK_LBUTTON) & 0x8000) && ::SendMessageW(m_hWnd, CB_GETDROPPEDSTATE, 0, 0))
    return 3;
  if (m_hot || ::GetCapture() == m_hWnd) return 2;
  return 1;
}

// The theme's border around the system's text; `area` ends as the rectangle
// the drop-down button stands in.
void CSkinObjectComboBox::PaintBorder(HDC dc, const ThemeClass& t, int state, HBRUSH brush,
                                      RECT& area) {
  const bool leftButton = (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
  const int vw = Sizes().vScrollWidth;
  auto besideButton = [&](RECT r) {
    if (leftButton)
      r.left += vw;
    else
      r.right -= vw;
    return r;
  };
  int bg = BT_IMAGEFILE;
  t.GetEnum(0, state, TMT_BGTYPE, bg);
  if (bg == BT_IMAGEFILE) {
    // The system's text inside stays.
    RECT inner = area;
    ::InflateRect(&inner, -3, -3);
    inner = besideButton(inner);
    const int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    t.DrawBackground(dc, 0, state, area);
    ::RestoreDC(dc, saved);
  } else if (bg == BT_BORDERFILL) {
    COLORREF border = RGB(0, 0, 0);
    t.GetColor(0, state, TMT_BORDERCOLOR, border);
    HBRUSH b = ::CreateSolidBrush(border);
    ::FrameRect(dc, &area, b);
    ::DeleteObject(b);
    ::InflateRect(&area, -1, -1);
    RECT frame = besideButton(area);
    for (int i = 0; i < 2; ++i) {
      ::FrameRect(dc, &frame, brush);
      ::InflateRect(&frame, -1, -1);
    }
  }
  area = leftButton ? RECT{area.left, area.top, area.left + vw, area.bottom}
                    : RECT{area.right - vw, area.top, area.right, area.bottom};
}

void CSkinObjectComboBox::Paint(HDC target) {
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  if ((style & 3) == CBS_SIMPLE) {
    PaintSimpleBorder(target);
    return;
  }
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  OffscreenBuffer buffer(target, r.right, r.bottom);
  HDC dc = buffer.dc();
  HBRUSH brush = BackgroundBrush(dc);
  ::FillRect(dc, &r, brush);
  // The system draws the selected text and its own drop-down button.
  m_inDefaultPaint = true;
  CallPrevious(WM_PAINT, WPARAM(dc), 0);
  m_inDefaultPaint = false;
  const int state = State();
  // The system's button goes under the background; the theme's follows.
  const bool leftButton = (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
  const int sysStrip = SystemFunctions().GetSystemMetrics(SM_CXVSCROLL) + 3;
  RECT strip = leftButton ? RECT{r.left, r.top, r.left + sysStrip, r.bottom}
                          : RECT{r.right - sysStrip, r.top, r.right, r.bottom};
  ::FillRect(dc, &strip, brush);
  if (ThemeClass* t = Theme()) {
    RECT button = r;
    PaintBorder(dc, *t, state, brush, button);
    UINT look = DFCS_SCROLLCOMBOBOX;
    if (state == CBXS_PRESSED) look |= DFCS_PUSHED;
    if (state == CBXS_DISABLED) look |= DFCS_INACTIVE;
    DrawPartOrFrameControl(t, dc, CP_DROPDOWNBUTTON, state, button, DFC_SCROLL, look);
  }
  buffer.CopyTo(target, 0, 0);
}

void CSkinObjectComboBox::PaintSimpleBorder(HDC hdc) {
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  const int item = int(::SendMessageW(m_hWnd, CB_GETITEMHEIGHT, WPARAM(-1), 0));
  r.bottom = r.top + item + 2 * SystemFunctions().GetSystemMetrics(SM_CYDLGFRAME);
  const ThemeMetrics& m = Metrics();
  HBRUSH brush = BackgroundBrush(hdc);
  ThemeClass* edit = Skin().GetThemeClass(u"EDIT");
  int bg = 0;
  if (edit && SUCCEEDED(edit->GetEnum(0, 0, TMT_BGTYPE, bg)) && bg == BT_BORDERFILL) {
    COLORREF border = RGB(0, 0, 0);
    edit->GetColor(0, 0, TMT_BORDERCOLOR, border);
    HBRUSH b = ::CreateSolidBrush(border);
    ::FrameRect(hdc, &r, b);
    ::DeleteObject(b);
    ::InflateRect(&r, -1, -1);
  } else {
    auto edge = [&](COLORREF tl, COLORREF br) {
      HBRUSH a = ::CreateSolidBrush(tl), b = ::CreateSolidBrush(br);
      RECT s{r.left, r.top, r.right, r.top + 1};
      ::FillRect(hdc, &s, a);
      s = RECT{r.left, r.top, r.left + 1, r.bottom};
      ::FillRect(hdc, &s, a);
      s = RECT{r.left, r.bottom - 1, r.right, r.bottom};
      ::FillRect(hdc, &s, b);
      s = RECT{r.right - 1, r.top, r.right, r.bottom};
      ::FillRect(hdc, &s, b);
      ::DeleteObject(a);
      ::DeleteObject(b);
      ::InflateRect(&r, -1, -1);
    };
    edge(m.Color(COLOR_BTNSHADOW), m.Color(COLOR_BTNHIGHLIGHT));
    edge(m.Color(COLOR_3DDKSHADOW), m.Color(COLOR_3DLIGHT));
  }
  ::FrameRect(hdc, &r, brush);
}

bool CSkinObjectComboBox::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  switch (msg) {
    case WM_PAINT: {
      const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
      if ((style & 3) == CBS_SIMPLE) {
        result = CallPrevious(msg, w, l);
        HDC hdc = ::GetDC(m_hWnd);
        PaintSimpleBorder(hdc);
        ::ReleaseDC(m_hWnd, hdc);
        return true;
      }
      PaintForMessage(m_hWnd, w, [this](HDC hdc) { Paint(hdc); });
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      if (!(l & PRF_CLIENT) || m_inDefaultPaint) return false;
      Paint(reinterpret_cast<HDC>(w));
      result = 0;
      return true;
    case WM_MOUSEMOVE:
      TrackHot(m_hot, ClientHas(l));
      return false;
    case WM_MOUSELEAVE:
      TrackHot(m_hot, false);
      return false;
  }
  // The parent colours the combo box's edit field and list.
  if (IsControlColorMessage(msg)) return false;
  return CSkinObject::MessageHook(msg, w, l, result);
}

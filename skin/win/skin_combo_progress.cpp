// The combo box object (drop-down painting over the system's own text) and
// the progress object (bar, chunks, marquee).
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

#include "skin/progress_chunks.h"
#include "skin/win/offscreen_buffer.h"
#include "skin/win/skin_engine.h"
#include "skin/win/skin_object.h"
#include "skin/win/skin_paint.h"
#include "skin/win/theme_class.h"

namespace {

void RecalcFrame(HWND hwnd) {
  ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

std::optional<int> ThemeInt(ThemeClass* t, int part, int id) {
  int v = 0;
  if (t && SUCCEEDED(t->GetInt(part, 0, id, v))) return v;
  return std::nullopt;
}

}  // namespace

// ---- combo box ----------------------------------------------------------------

void CSkinObjectComboBox::OnAttached() {
  ::InvalidateRect(m_hWnd, nullptr, TRUE);
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  const LONG ex = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  ::SetWindowLongW(m_hWnd, GWL_STYLE, style & ~WS_BORDER);
  ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ex & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  RecalcFrame(m_hWnd);
}

HBRUSH CSkinObjectComboBox::BackgroundBrush(HDC hdc) {
  HWND parent = ::GetParent(m_hWnd);
  HWND edit = ::GetWindow(m_hWnd, GW_CHILD);
  const bool readOnly = edit && (::GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
  const UINT msg = (!::IsWindowEnabled(m_hWnd) || readOnly) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  LRESULT answer = 0;
  if (parent) answer = ::SendMessageW(parent, msg, WPARAM(hdc), LPARAM(m_hWnd));
  return SkinBrushFromAnswer(answer);
}

void CSkinObjectComboBox::Paint(HDC target) {
  ThemeClass* t = Theme();
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
  m_inDefaultPaint = true;
  CallPrevious(WM_PAINT, WPARAM(dc), 0);
  m_inDefaultPaint = false;
  int state = 1;
  if (!::IsWindowEnabled(m_hWnd))
    state = 4;
  else if ((::GetKeyState(VK_LBUTTON) & 0x8000) && ::SendMessageW(m_hWnd, CB_GETDROPPEDSTATE, 0, 0))
    state = 3;
  else if (m_hot || ::GetCapture() == m_hWnd)
    state = 2;
  const bool leftButton = (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
  const int sysStrip = ::GetSystemMetrics(SM_CXVSCROLL) + 3;
  RECT strip = leftButton ? RECT{r.left, r.top, r.left + sysStrip, r.bottom}
                          : RECT{r.right - sysStrip, r.top, r.right, r.bottom};
  ::FillRect(dc, &strip, brush);
  const int vw = SkinEngine::Get().Metrics().Sizes().vScrollWidth;
  RECT area = r;
  if (t) {
    int bg = BT_IMAGEFILE;
    t->GetEnum(0, state, TMT_BGTYPE, bg);
    if (bg == BT_IMAGEFILE) {
      RECT inner = r;
      ::InflateRect(&inner, -3, -3);
      if (leftButton)
        inner.left += vw;
      else
        inner.right -= vw;
      const int saved = ::SaveDC(dc);
      ::ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
      t->DrawBackground(dc, 0, state, r);
      ::RestoreDC(dc, saved);
    } else if (bg == BT_BORDERFILL) {
      COLORREF border = RGB(0, 0, 0);
      t->GetColor(0, state, TMT_BORDERCOLOR, border);
      HBRUSH b = ::CreateSolidBrush(border);
      ::FrameRect(dc, &area, b);
      ::DeleteObject(b);
      ::InflateRect(&area, -1, -1);
      RECT frame = area;
      if (leftButton)
        frame.left += vw;
      else
        frame.right -= vw;
      for (int i = 0; i < 2; ++i) {
        ::FrameRect(dc, &frame, brush);
        ::InflateRect(&frame, -1, -1);
      }
    }
    RECT button = leftButton ? RECT{area.left, area.top, area.left + vw, area.bottom}
                             : RECT{area.right - vw, area.top, area.right, area.bottom};
    t->DrawBackground(dc, CP_DROPDOWNBUTTON, state, button);
  }
  buffer.CopyTo(target, 0, 0);
}

void CSkinObjectComboBox::PaintSimpleBorder(HDC hdc) {
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  const int item = int(::SendMessageW(m_hWnd, CB_GETITEMHEIGHT, WPARAM(-1), 0));
  r.bottom = r.top + item + 2 * ::GetSystemMetrics(SM_CYDLGFRAME);
  const ThemeMetrics& m = SkinEngine::Get().Metrics();
  HBRUSH brush = BackgroundBrush(hdc);
  ThemeClass* edit = SkinEngine::Get().GetThemeClass(u"EDIT");
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
    case WM_MOUSEMOVE: {
      RECT c;
      ::GetClientRect(m_hWnd, &c);
      const bool hot = ::PtInRect(&c, POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}) != FALSE;
      if (hot != m_hot) {
        m_hot = hot;
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        if (hot) {
          TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
          ::TrackMouseEvent(&tme);
        }
      }
      return false;
    }
    case WM_MOUSELEAVE:
      if (m_hot) {
        m_hot = false;
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
      }
      return false;
  }
  return CSkinObjectFrame::MessageHook(msg, w, l, result);
}

// ---- progress -------------------------------------------------------------------

void CSkinObjectProgress::OnAttached() {
  FixStaticEdge();
}

void CSkinObjectProgress::SkinChanged(int oldEnabled, int newEnabled) {
  FixStaticEdge();
  CSkinObjectFrame::SkinChanged(oldEnabled, newEnabled);
}

void CSkinObjectProgress::FixStaticEdge() {
  const bool want = !(SkinEngine::Get().IsEnabled() || ::IsThemeActive());
  const LONG ex = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
  const LONG next = want ? (ex | WS_EX_STATICEDGE) : (ex & ~WS_EX_STATICEDGE);
  if (next != ex) {
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, next);
    RecalcFrame(m_hWnd);
  }
}

void CSkinObjectProgress::Paint(HDC target) {
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  OffscreenBuffer buffer(target, r.right, r.bottom);
  HDC dc = buffer.dc();
  ::FillRect(dc, &r, SkinEngine::Get().Metrics().Brush(COLOR_BTNFACE));
  ThemeClass* t = Theme();
  const LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
  const bool vertical = (style & PBS_VERTICAL) != 0;
  if (t) {
    const int barPart = vertical ? PP_BARVERT : PP_BAR;
    const int chunkPart = vertical ? PP_CHUNKVERT : PP_CHUNK;
    t->DrawBackground(dc, barPart, 0, r);
    ThemeMargins mg{};
    RECT content = r;
    if (SUCCEEDED(t->GetMargins(barPart, 0, TMT_CONTENTMARGINS, mg))) {
      content.left += mg.left;
      content.right -= mg.right;
      content.top += mg.top;
      content.bottom -= mg.bottom;
    }
    const std::optional<int> chunk = ThemeInt(t, 0, TMT_PROGRESSCHUNKSIZE);
    const std::optional<int> space = ThemeInt(t, 0, TMT_PROGRESSSPACESIZE);
    std::vector<SkinRect> chunks;
    if (style & PBS_MARQUEE) {
      chunks = MarqueeChunkRects(ToSkin(content), m_marqueeOffset, chunk, space);
    } else {
      PBRANGE range{0, 100};
      ::SendMessageW(m_hWnd, PBM_GETRANGE, FALSE, LPARAM(&range));
      ProgressBarInput in;
      in.client = ToSkin(r);
      in.content = ToSkin(content);
      in.vertical = vertical;
      in.low = range.iLow;
      in.high = range.iHigh;
      in.position = int(::SendMessageW(m_hWnd, PBM_GETPOS, 0, 0));
      in.themeChunk = chunk;
      in.themeSpace = space;
      chunks = ProgressChunkRects(in);
    }
    for (const SkinRect& c : chunks) t->DrawBackground(dc, chunkPart, 0, ToRect(c));
  }
  buffer.CopyTo(target, 0, 0);
}

void CSkinObjectProgress::StepMarquee(int steps) {
  RECT r;
  ::GetClientRect(m_hWnd, &r);
  ThemeClass* t = Theme();
  m_marqueeOffset =
      AdvanceMarquee(m_marqueeOffset, steps, ToSkin(r), ThemeInt(t, 0, TMT_PROGRESSCHUNKSIZE),
                     ThemeInt(t, 0, TMT_PROGRESSSPACESIZE));
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool CSkinObjectProgress::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  const bool marquee = (::GetWindowLongW(m_hWnd, GWL_STYLE) & PBS_MARQUEE) != 0;
  if (msg == WM_PRINTCLIENT && !(l & PRF_CLIENT)) return false;
  if (AnswerPaintMessages(msg, w, result, [this](HDC hdc) { Paint(hdc); })) return true;
  switch (msg) {
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
      result = CallPreviousAndRepaint(msg, w, l);
      return true;
    case PBM_STEPIT:
      if (!marquee) {
        result = CallPreviousAndRepaint(msg, w, l);
        return true;
      }
      StepMarquee(1);
      result = 1;
      return true;
    case PBM_SETMARQUEE:
      if (!marquee) return false;
      m_marqueeOffset = 0;
      m_marqueeInterval = 0;
      ::KillTimer(m_hWnd, kMarqueeTimerId);
      if (w && int(l) > 0) {
        m_marqueeInterval = int(l);
        ::SetTimer(m_hWnd, kMarqueeTimerId, UINT(l), nullptr);
      }
      result = TRUE;
      return true;
    case WM_TIMER:
      if (w == kMarqueeTimerId) {
        StepMarquee(MarqueeStepsPerTick(m_marqueeInterval));
        result = 0;
        return true;
      }
      break;
  }
  return CSkinObjectFrame::MessageHook(msg, w, l, result);
}

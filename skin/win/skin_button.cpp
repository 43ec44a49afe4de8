// The button object: push buttons, check boxes, radio buttons and group boxes
// painted with the "BUTTON" class through an off-screen buffer.
#include <windows.h>

#include <vssym32.h>
#include <windowsx.h>

#include "skin/button_state.h"
#include "skin/win/skin_engine.h"
#include "skin/win/skin_object.h"
#include "skin/win/skin_paint.h"
#include "skin/win/theme_class.h"

namespace {

int BlankHeight(HDC dc) {
  SIZE s{0, 0};
  ::GetTextExtentPoint32W(dc, L" ", 1, &s);
  return s.cy;
}

UINT TextFormat(uint32_t style, ButtonKind kind, HWND hwnd) {
  UINT f = 0;
  switch (ButtonHAlignOf(style, kind)) {
    case ButtonHAlign::kLeft:
      f |= DT_LEFT;
      break;
    case ButtonHAlign::kCenter:
      f |= DT_CENTER;
      break;
    case ButtonHAlign::kRight:
      f |= DT_RIGHT;
      break;
  }
  const bool multi = (style & kBsMultiLine) != 0;
  if (!multi) {
    f |= DT_SINGLELINE;
    switch (ButtonVAlignOf(style)) {
      case ButtonVAlign::kTop:
        f |= DT_TOP;
        break;
      case ButtonVAlign::kCenter:
        f |= DT_VCENTER;
        break;
      case ButtonVAlign::kBottom:
        f |= DT_BOTTOM;
        break;
    }
  } else {
    f |= DT_WORDBREAK;
  }
  f |= DT_NOCLIP;
  const LRESULT ui = ::SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0);
  if (ui & UISF_HIDEACCEL) f |= DT_HIDEPREFIX;
  if (::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_RTLREADING) f |= DT_RTLREADING;
  return f;
}

}  // namespace

void CSkinObjectButton::SetHot(bool hot) {
  if (hot == m_hot) return;
  m_hot = hot;
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
  if (hot) {
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&tme);
  }
}

void CSkinObjectButton::Paint(HDC target) {
  ThemeClass* t = Theme();
  const ThemeMetrics& m = SkinEngine::Get().Metrics();
  const ThemeSizes& sz = m.Sizes();
  const auto style = uint32_t(::GetWindowLongW(m_hWnd, GWL_STYLE));
  const ButtonKind kind = ButtonKindOf(style, m_typeOverride);
  if (kind == ButtonKind::kOwnerDraw || !t) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  HWND parent = ::GetParent(m_hWnd);

  ButtonFlags f = ButtonFlagsForStyle(style, m_typeOverride);
  f.disabled = !::IsWindowEnabled(m_hWnd);
  f.pushed = m_pushed;
  f.hot = m_hot;
  f.capturing = ::GetCapture() == m_hWnd;
  f.check = int(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0));
  const int part = ButtonPartOf(kind);
  const int state = ButtonStateOf(kind, f);

  const bool group = kind == ButtonKind::kGroup;
  HDC dc = target;
  HDC mem = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ oldBmp = nullptr;
  if (!group) {
    mem = ::CreateCompatibleDC(target);
    bmp = ::CreateCompatibleBitmap(target, client.right > 0 ? client.right : 1,
                                   client.bottom > 0 ? client.bottom : 1);
    oldBmp = ::SelectObject(mem, bmp);
    dc = mem;
  }
  // 1. Background from the parent.
  HBRUSH brush = m.Brush(COLOR_BTNFACE);
  if (parent) {
    const LRESULT answer = ::SendMessageW(parent, WM_CTLCOLORBTN, WPARAM(dc), LPARAM(m_hWnd));
    if (answer) brush = SkinBrushFromAnswer(answer);
  }
  if (!group)
    ::FillRect(dc, &client, brush);
  else
    ::SetBkColor(dc, m.Color(COLOR_BTNFACE));
  // 2. Font.
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
  ::SetBkMode(dc, TRANSPARENT);
  const int blank = BlankHeight(dc);
  const SkinRect c = ToSkin(client);
  // 3. Part.
  const std::u16string text = GetWindowText();
  SkinRect content = c;
  int glyphW = kDefaultGlyphSize, glyphH = kDefaultGlyphSize;
  if (kind == ButtonKind::kCheck || kind == ButtonKind::kRadio || kind == ButtonKind::kPushBox) {
    SIZE ps{0, 0};
    if (t->GetPartSize(kind == ButtonKind::kCheck ? BP_CHECKBOX : BP_RADIOBUTTON, 1, ps) &&
        ps.cx > 0 && ps.cy > 0) {
      glyphW = ps.cx;
      glyphH = ps.cy;
    }
  }
  UINT format = TextFormat(style, kind, m_hWnd);
  SIZE textSize{0, 0};
  if (!text.empty()) {
    RECT measure{0, 0, c.Width(), c.Height()};
    ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), int(text.size()), &measure,
                (format & ~UINT(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
    textSize = SIZE{measure.right - measure.left, measure.bottom - measure.top};
  }
  switch (kind) {
    case ButtonKind::kPush:
      t->DrawBackground(dc, part, state, client);
      content = ButtonContentRect(c, kind, style, 0, sz.edgeWidth, sz.edgeHeight);
      break;
    case ButtonKind::kCheck:
    case ButtonKind::kRadio: {
      const SkinRect g = ButtonGlyphRect(c, glyphW, glyphH, style, blank);
      t->DrawBackground(dc, part, state, ToRect(g));
      content = ButtonContentRect(c, kind, style, glyphW, sz.edgeWidth, sz.edgeHeight);
      break;
    }
    case ButtonKind::kGroup: {
      t->DrawBackground(dc, part, state, ToRect(GroupBoxFrameRect(c, blank)));
      content = GroupBoxCaptionRect(c, ButtonHAlignOf(style, kind), textSize.cx, textSize.cy,
                                    sz.borderWidth, sz.edgeWidth);
      if (!text.empty()) {
        RECT fill = ToRect(GroupBoxCaptionFillRect(content, sz.edgeWidth));
        ::FillRect(dc, &fill, brush);
      }
      break;
    }
    case ButtonKind::kPushBox:
      content = ButtonGlyphRect(c, glyphW, glyphH, style, blank);
      format |= DT_NOCLIP;
      break;
    default:
      break;
  }
  // 5. Content.
  if (kind != ButtonKind::kUser) {
    ::SetTextColor(dc, m.Color(COLOR_BTNTEXT));
    RECT r = ToRect(content);
    if ((style & (kBsBitmap | kBsIcon)) != 0) {
      const bool icon = (style & kBsIcon) != 0;
      HANDLE image = reinterpret_cast<HANDLE>(
          ::SendMessageW(m_hWnd, BM_GETIMAGE, icon ? IMAGE_ICON : IMAGE_BITMAP, 0));
      if (image) {
        int iw = 0, ih = 0;
        if (icon) {
          ICONINFO ii;
          if (::GetIconInfo(static_cast<HICON>(image), &ii)) {
            BITMAP b;
            ::GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(b), &b);
            iw = b.bmWidth;
            ih = ii.hbmColor ? b.bmHeight : b.bmHeight / 2;
            if (ii.hbmColor) ::DeleteObject(ii.hbmColor);
            if (ii.hbmMask) ::DeleteObject(ii.hbmMask);
          }
        } else {
          BITMAP b;
          ::GetObjectW(image, sizeof(b), &b);
          iw = b.bmWidth;
          ih = b.bmHeight;
        }
        int x = r.left, y = r.top + (r.bottom - r.top - ih) / 2;
        const ButtonHAlign ha = ButtonHAlignOf(style, kind);
        if (ha == ButtonHAlign::kCenter) x = r.left + (r.right - r.left - iw) / 2;
        if (ha == ButtonHAlign::kRight) x = r.right - iw;
        if (ButtonVAlignOf(style) == ButtonVAlign::kTop) y = r.top;
        if (ButtonVAlignOf(style) == ButtonVAlign::kBottom) y = r.bottom - ih;
        ::DrawStateW(dc, nullptr, nullptr, LPARAM(image), 0, x, y, iw, ih,
                     (icon ? DST_ICON : DST_BITMAP) | DSS_NORMAL);
      }
    } else if (!text.empty()) {
      if (kind == ButtonKind::kPush) ::InflateRect(&r, -sz.borderWidth, -sz.borderHeight);
      if (style & kBsMultiLine) {
        // Placed as a block of its measured size.
        RECT block{r.left, r.top, r.left + textSize.cx, r.top + textSize.cy};
        const int dx = r.right - r.left - textSize.cx, dy = r.bottom - r.top - textSize.cy;
        const ButtonHAlign ha = ButtonHAlignOf(style, kind);
        const ButtonVAlign va = ButtonVAlignOf(style);
        ::OffsetRect(&block,
                     ha == ButtonHAlign::kCenter  ? dx / 2
                     : ha == ButtonHAlign::kRight ? dx
                                                  : 0,
                     va == ButtonVAlign::kCenter   ? dy / 2
                     : va == ButtonVAlign::kBottom ? dy
                                                   : 0);
        r = block;
      }
      t->DrawText(dc, part ? part : BP_PUSHBUTTON, part ? state : 1,
                  reinterpret_cast<const wchar_t*>(text.c_str()), int(text.size()), format, r);
    }
  }
  // 6. Focus.
  const LRESULT ui = ::SendMessageW(m_hWnd, WM_QUERYUISTATE, 0, 0);
  if (::GetFocus() == m_hWnd && !(ui & UISF_HIDEFOCUS) && kind != ButtonKind::kGroup) {
    RECT fr;
    if (kind == ButtonKind::kPush) {
      fr = ToRect(content);
      ::InflateRect(&fr, -sz.borderWidth, -sz.borderHeight);
    } else if (kind == ButtonKind::kUser) {
      fr = client;
    } else {
      int x = content.left, w = textSize.cx;
      const ButtonHAlign ha = ButtonHAlignOf(style, kind);
      if (ha == ButtonHAlign::kCenter) x = content.left + (content.Width() - w) / 2;
      if (ha == ButtonHAlign::kRight) x = content.right - w;
      const int y = content.top + (content.Height() - textSize.cy) / 2;
      fr = RECT{x - sz.borderWidth, y - sz.borderHeight, x - sz.borderWidth + w + sz.edgeWidth,
                y - sz.borderHeight + textSize.cy + sz.edgeHeight};
      ::IntersectRect(&fr, &fr, &client);
    }
    if (!text.empty() || kind == ButtonKind::kPush || kind == ButtonKind::kUser) {
      ::SetTextColor(dc, RGB(0, 0, 0));
      ::SetBkColor(dc, RGB(255, 255, 255));
      ::DrawFocusRect(dc, &fr);
    }
  }
  if (oldFont) ::SelectObject(dc, oldFont);
  if (mem) {
    ::BitBlt(target, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, oldBmp);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
  }
}

bool CSkinObjectButton::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  const auto style = uint32_t(::GetWindowLongW(m_hWnd, GWL_STYLE));
  const ButtonKind kind = ButtonKindOf(style, m_typeOverride);
  if (kind == ButtonKind::kOwnerDraw) return CSkinObjectFrame::MessageHook(msg, w, l, result);
  if (AnswerPaintMessages(msg, w, result, [this](HDC hdc) { Paint(hdc); })) return true;
  switch (msg) {
    case WM_MOUSEMOVE:
      if (kind != ButtonKind::kGroup) {
        RECT c;
        ::GetClientRect(m_hWnd, &c);
        SetHot(::PtInRect(&c, POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}) != FALSE);
      }
      return false;
    case WM_MOUSELEAVE:
      if (kind != ButtonKind::kGroup) SetHot(false);
      return false;
    case BM_SETSTATE:
    case WM_SETTEXT: {
      // The system would draw its own look; it may change only the state.
      const LONG s = ::GetWindowLongW(m_hWnd, GWL_STYLE);
      ::SetWindowLongW(m_hWnd, GWL_STYLE, s & ~WS_VISIBLE);
      result = CallPrevious(msg, w, l);
      ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | (s & WS_VISIBLE));
      if (msg == BM_SETSTATE) m_pushed = w != 0;
      ::InvalidateRect(m_hWnd, nullptr, FALSE);
      return true;
    }
    case BM_SETCHECK:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case BM_SETSTYLE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
      result = CallPrevious(msg, w, l);
      if (msg == WM_LBUTTONUP || msg == WM_CAPTURECHANGED || msg == WM_KILLFOCUS || msg == WM_KEYUP)
        m_pushed = (::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
      ::InvalidateRect(m_hWnd, nullptr, FALSE);
      return true;
  }
  return CSkinObjectFrame::MessageHook(msg, w, l, result);
}

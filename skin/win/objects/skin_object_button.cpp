// The button object. Painting: one small painter per kind of button, chosen
// from a table, draws the kind's part and says where its content goes; the
// steps every kind shares (background, font, text or image, focus) are the
// helpers around it. Messages: the mouse's hot look, the push state, and the
// changes after which the skin repaints what the system would draw.
#include <vssym32.h>

#include <optional>
#include <string>

#include "skin/button_state.h"
#include "skin/win/objects/offscreen_buffer.h"
#include "skin/win/objects/skin_object_button.h"
#include "skin/win/objects/skin_paint.h"
#include "skin/win/theme/theme_class.h"

namespace {

// One paint of one button, as the painters see it.
struct ButtonPaint {
  HDC dc;
  HWND hwnd;
  const ThemeClass& theme;
  const ThemeMetrics& metrics;
  const ThemeSizes& sizes;
  uint32_t style;
  ButtonKind kind;
  int part;
  int state;
  RECT client;
  HBRUSH background;  // the parent's brush for the button
  int blank;          // the height of a blank in the window's font
  std::u16string text;
  UINT format;  // DrawText flags for the text
  SIZE textSize;
  SkinRect content;  // where the text or image goes; set by the painter
  bool systemLook;   // the theme could not draw the part: the system's stands in
};

// How a kind of button is painted.
struct ButtonPainter {
  // Draws the kind's part and sets the content rectangle.
  void (*part)(ButtonPaint&);
  bool buffered;   // painted off screen, then copied whole
  bool content;    // draws its text or image
  bool insetText;  // the text keeps the border's width off the content's edges
  // The focus rectangle; false when the kind draws none for this paint.
  bool (*focus)(const ButtonPaint&, RECT&);
};

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
  if (style & kBsMultiLine) {
    f |= DT_WORDBREAK;
  } else {
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
  }
  f |= DT_NOCLIP;
  const LRESULT ui = ::SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0);
  if (ui & UISF_HIDEACCEL) f |= DT_HIDEPREFIX;
  if (::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_RTLREADING) f |= DT_RTLREADING;
  return f;
}

// The text's size when laid out in `area`: a multi-line text wraps at its width.
SIZE MeasureText(const ButtonPaint& p, const RECT& area) {
  if (p.text.empty()) return SIZE{0, 0};
  RECT measure{0, 0, area.right - area.left, area.bottom - area.top};
  ::DrawTextW(p.dc, reinterpret_cast<const wchar_t*>(p.text.c_str()), int(p.text.size()), &measure,
              (p.format & ~UINT(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
  return SIZE{measure.right - measure.left, measure.bottom - measure.top};
}

// The check box or radio button glyph: the theme's part size, or the default.
SIZE GlyphSize(const ButtonPaint& p) {
  SIZE ps{0, 0};
  if (p.theme.GetPartSize(p.kind == ButtonKind::kCheck ? BP_CHECKBOX : BP_RADIOBUTTON, 1, ps) &&
      ps.cx > 0 && ps.cy > 0)
    return ps;
  return SIZE{kDefaultGlyphSize, kDefaultGlyphSize};
}

void PaintPushButton(ButtonPaint& p) {
  UINT look = DFCS_BUTTONPUSH;
  if (p.state == PBS_PRESSED) look |= DFCS_PUSHED;
  if (p.state == PBS_DISABLED) look |= DFCS_INACTIVE;
  p.systemLook =
      !DrawPartOrFrameControl(&p.theme, p.dc, p.part, p.state, p.client, DFC_BUTTON, look);
  p.content = ButtonContentRect(ToSkin(p.client), p.kind, p.style, 0, p.sizes.edgeWidth,
                                p.sizes.edgeHeight);
}

// The frame control that shows a check box's or radio button's state: states
// run normal, hot, pressed, disabled, first unchecked, then checked, then mixed.
UINT GlyphFrameState(const ButtonPaint& p) {
  const int look = (p.state - 1) % 4, mark = (p.state - 1) / 4;
  UINT f = p.kind == ButtonKind::kCheck ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
  if (mark == 1) f |= DFCS_CHECKED;
  if (mark == 2) f = DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (look == 2) f |= DFCS_PUSHED;
  if (look == 3) f |= DFCS_INACTIVE;
  return f;
}

void PaintGlyphButton(ButtonPaint& p) {
  const SIZE glyph = GlyphSize(p);
  const SkinRect c = ToSkin(p.client);
  const SkinRect g = ButtonGlyphRect(c, glyph.cx, glyph.cy, p.style, p.blank);
  p.systemLook = !DrawPartOrFrameControl(&p.theme, p.dc, p.part, p.state, ToRect(g), DFC_BUTTON,
                                         GlyphFrameState(p));
  p.content =
      ButtonContentRect(c, p.kind, p.style, glyph.cx, p.sizes.edgeWidth, p.sizes.edgeHeight);
}

// The frame line is broken behind the caption.
void PaintGroupBox(ButtonPaint& p) {
  const SkinRect c = ToSkin(p.client);
  p.textSize = MeasureText(p, p.client);
  p.theme.DrawBackground(p.dc, p.part, p.state, ToRect(GroupBoxFrameRect(c, p.blank)));
  p.content = GroupBoxCaptionRect(c, ButtonHAlignOf(p.style, p.kind), p.textSize.cx, p.textSize.cy,
                                  p.sizes.borderWidth, p.sizes.edgeWidth);
  if (!p.text.empty()) {
    const RECT fill = ToRect(GroupBoxCaptionFillRect(p.content, p.sizes.edgeWidth));
    ::FillRect(p.dc, &fill, p.background);
  }
}

// The text stands where a radio button's glyph would.
void PaintPushBox(ButtonPaint& p) {
  const SIZE glyph = GlyphSize(p);
  p.content = ButtonGlyphRect(ToSkin(p.client), glyph.cx, glyph.cy, p.style, p.blank);
}

void PaintUserButton(ButtonPaint& p) {
  p.content = ToSkin(p.client);
}

bool PushFocus(const ButtonPaint& p, RECT& r) {
  r = ToRect(p.content);
  ::InflateRect(&r, -p.sizes.borderWidth, -p.sizes.borderHeight);
  return true;
}

bool ClientFocus(const ButtonPaint& p, RECT& r) {
  r = p.client;
  return true;
}

// A box around the text, kept inside the client area.
bool TextFocus(const ButtonPaint& p, RECT& r) {
  if (p.text.empty()) return false;
  const SkinRect& c = p.content;
  const int w = p.textSize.cx;
  int x = c.left;
  const ButtonHAlign ha = ButtonHAlignOf(p.style, p.kind);
  if (ha == ButtonHAlign::kCenter) x = c.left + (c.Width() - w) / 2;
  if (ha == ButtonHAlign::kRight) x = c.right - w;
  const int y = c.top + (c.Height() - p.textSize.cy) / 2;
  const ThemeSizes& s = p.sizes;
  r = RECT{x - s.borderWidth, y - s.borderHeight, x - s.borderWidth + w + s.edgeWidth,
           y - s.borderHeight + p.textSize.cy + s.edgeHeight};
  ::IntersectRect(&r, &r, &p.client);
  return true;
}

const ButtonPainter* PainterFor(ButtonKind kind) {
  static const ButtonPainter kPush = {&PaintPushButton, true, true, true, &PushFocus};
  static const ButtonPainter kGlyph = {&PaintGlyphButton, true, true, false, &TextFocus};
  static const ButtonPainter kGroup = {&PaintGroupBox, false, true, false, nullptr};
  static const ButtonPainter kPushBox = {&PaintPushBox, true, true, false, &TextFocus};
  static const ButtonPainter kUser = {&PaintUserButton, true, false, false, &ClientFocus};
  switch (kind) {
    case ButtonKind::kPush:
      return &kPush;
    case ButtonKind::kCheck:
    case ButtonKind::kRadio:
      return &kGlyph;
    case ButtonKind::kGroup:
      return &kGroup;
    case ButtonKind::kPushBox:
      return &kPushBox;
    case ButtonKind::kUser:
      return &kUser;
    case ButtonKind::kOwnerDraw:
      break;
  }
  return nullptr;
}

// A bitmap or icon image: its size in pixels, 0 by 0 when unknown.
SIZE ImageSize(HANDLE image, bool icon) {
  if (!icon) {
    BITMAP b;
    if (!::GetObjectW(image, sizeof(b), &b)) return SIZE{0, 0};
    return SIZE{b.bmWidth, b.bmHeight};
  }
  ICONINFO ii;
  if (!::GetIconInfo(static_cast<HICON>(image), &ii)) return SIZE{0, 0};
  BITMAP b = {};
  ::GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(b), &b);
  // A monochrome icon's mask holds the AND and XOR halves one above the other.
  const SIZE size{b.bmWidth, ii.hbmColor ? b.bmHeight : b.bmHeight / 2};
  if (ii.hbmColor) ::DeleteObject(ii.hbmColor);
  if (ii.hbmMask) ::DeleteObject(ii.hbmMask);
  return size;
}

// The button's bitmap or icon, in its normal look, placed by the alignment.
void DrawImage(const ButtonPaint& p) {
  const bool icon = (p.style & kBsIcon) != 0;
  HANDLE image = reinterpret_cast<HANDLE>(
      ::SendMessageW(p.hwnd, BM_GETIMAGE, icon ? IMAGE_ICON : IMAGE_BITMAP, 0));
  if (!image) return;
  const SIZE size = ImageSize(image, icon);
  const RECT r = ToRect(p.content);
  int x = r.left, y = r.top + (r.bottom - r.top - size.cy) / 2;
  const ButtonHAlign ha = ButtonHAlignOf(p.style, p.kind);
  if (ha == ButtonHAlign::kCenter) x = r.left + (r.right - r.left - size.cx) / 2;
  if (ha == ButtonHAlign::kRight) x = r.right - size.cx;
  if (ButtonVAlignOf(p.style) == ButtonVAlign::kTop) y = r.top;
  if (ButtonVAlignOf(p.style) == ButtonVAlign::kBottom) y = r.bottom - size.cy;
  ::DrawStateW(p.dc, nullptr, nullptr, LPARAM(image), 0, x, y, size.cx, size.cy,
               (icon ? DST_ICON : DST_BITMAP) | DSS_NORMAL);
}

// A multi-line text is placed as a block of its measured size.
RECT MultiLineBlock(const ButtonPaint& p, const RECT& r) {
  RECT block{r.left, r.top, r.left + p.textSize.cx, r.top + p.textSize.cy};
  const int dx = r.right - r.left - p.textSize.cx, dy = r.bottom - r.top - p.textSize.cy;
  const ButtonHAlign ha = ButtonHAlignOf(p.style, p.kind);
  const ButtonVAlign va = ButtonVAlignOf(p.style);
  ::OffsetRect(&block,
               ha == ButtonHAlign::kCenter  ? dx / 2
               : ha == ButtonHAlign::kRight ? dx
                                            : 0,
               va == ButtonVAlign::kCenter   ? dy / 2
               : va == ButtonVAlign::kBottom ? dy
                                             : 0);
  return block;
}

// Where the text is laid out and drawn: the content, less the border for a
// push button.
RECT TextArea(const ButtonPaint& p, bool insetText) {
  RECT r = ToRect(p.content);
  if (insetText) ::InflateRect(&r, -p.sizes.borderWidth, -p.sizes.borderHeight);
  return r;
}

void DrawContent(const ButtonPaint& p, bool insetText) {
  ::SetTextColor(p.dc, p.metrics.Color(COLOR_BTNTEXT));
  if (p.style & (kBsBitmap | kBsIcon)) {
    DrawImage(p);
    return;
  }
  if (p.text.empty()) return;
  RECT r = TextArea(p, insetText);
  if (p.style & kBsMultiLine) r = MultiLineBlock(p, r);
  if (p.systemLook && !::IsWindowEnabled(p.hwnd)) {
    // Beside the system's look the system's grey text tells it is disabled.
    ::SetTextColor(p.dc, p.metrics.Color(COLOR_GRAYTEXT));
    ::DrawTextW(p.dc, reinterpret_cast<const wchar_t*>(p.text.c_str()), int(p.text.size()), &r,
                p.format);
    return;
  }
  p.theme.DrawText(p.dc, p.part ? p.part : BP_PUSHBUTTON, p.part ? p.state : 1,
                   reinterpret_cast<const wchar_t*>(p.text.c_str()), int(p.text.size()), p.format,
                   r);
}

// Black on white, while the window has the focus and shows focus rectangles.
void DrawFocus(const ButtonPaint& p, bool (*focus)(const ButtonPaint&, RECT&)) {
  const LRESULT ui = ::SendMessageW(p.hwnd, WM_QUERYUISTATE, 0, 0);
  RECT r;
  if (::GetFocus() != p.hwnd || (ui & UISF_HIDEFOCUS) || !focus(p, r)) return;
  ::SetTextColor(p.dc, RGB(0, 0, 0));
  ::SetBkColor(p.dc, RGB(255, 255, 255));
  ::DrawFocusRect(p.dc, &r);
}

}  // namespace

ButtonFlags CSkinObjectButton::Flags(uint32_t style) const {
  ButtonFlags f = ButtonFlagsForStyle(style, m_typeOverride);
  f.disabled = !::IsWindowEnabled(m_hWnd);
  f.pushed = m_pushed;
  f.hot = m_hot;
  f.capturing = ::GetCapture() == m_hWnd;
  f.check = int(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0));
  return f;
}

void CSkinObjectButton::Paint(HDC target) {
  ThemeClass* t = Theme();
  const auto style = uint32_t(::GetWindowLongW(m_hWnd, GWL_STYLE));
  const ButtonKind kind = ButtonKindOf(style, m_typeOverride);
  const ButtonPainter* painter = PainterFor(kind);
  if (!painter || !t) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);

  // A group box is painted straight into the window, so that the controls
  // inside it are not covered.
  std::optional<OffscreenBuffer> buffer;
  if (painter->buffered) buffer.emplace(target, client.right, client.bottom);
  HDC dc = buffer ? buffer->dc() : target;
  const ThemeMetrics& m = Metrics();
  const HBRUSH background = ParentBrushFor(m_hWnd, WM_CTLCOLORBTN, dc, Metrics());
  if (painter->buffered)
    ::FillRect(dc, &client, background);
  else
    ::SetBkColor(dc, m.Color(COLOR_BTNFACE));

  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
  ::SetBkMode(dc, TRANSPARENT);
  ButtonPaint p{dc,
                m_hWnd,
                *t,
                m,
                m.Sizes(),
                style,
                kind,
                ButtonPartOf(kind),
                ButtonStateOf(kind, Flags(style)),
                client,
                background,
                BlankHeight(dc),
                GetWindowText(),
                TextFormat(style, kind, m_hWnd),
                SIZE{0, 0},
                ToSkin(client),
                false};
  painter->part(p);
  // Measured where it is drawn, so that a wrapped text breaks where it fits.
  if (kind != ButtonKind::kGroup) p.textSize = MeasureText(p, TextArea(p, painter->insetText));
  if (painter->content) DrawContent(p, painter->insetText);
  if (painter->focus) DrawFocus(p, painter->focus);
  if (oldFont) ::SelectObject(dc, oldFont);
  if (buffer) buffer->CopyTo(target, 0, 0);
}

bool CSkinObjectButton::MessageHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  const auto style = uint32_t(::GetWindowLongW(m_hWnd, GWL_STYLE));
  const ButtonKind kind = ButtonKindOf(style, m_typeOverride);
  if (kind == ButtonKind::kOwnerDraw) return CSkinObject::MessageHook(msg, w, l, result);
  if (AnswerPaintMessages(msg, w, l, result, [this](HDC hdc) { Paint(hdc); })) return true;
  switch (msg) {
    case WM_MOUSEMOVE:
      if (kind != ButtonKind::kGroup) TrackHot(m_hot, ClientHas(l));
      return false;
    case WM_MOUSELEAVE:
      if (kind != ButtonKind::kGroup) TrackHot(m_hot, false);
      return false;
    case BM_SETSTATE:
    case WM_SETTEXT: {
      // The system would draw its own look; it may change only the state.
      const LONG s = ::GetWindowLongW(m_hWnd, GWL_STYLE);
      ::SetWindowLongW(m_hWnd, GWL_STYLE, s & ~WS_VISIBLE);
      result = CallPrevious(msg, w, l);
      if (msg == BM_SETSTATE) m_pushed = w != 0;
      if (!m_hWnd) return true;  // gone with the message
      ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | (s & WS_VISIBLE));
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
      result = CallPreviousAndRepaint(msg, w, l);
      if (msg == WM_LBUTTONUP || msg == WM_CAPTURECHANGED || msg == WM_KILLFOCUS || msg == WM_KEYUP)
        m_pushed = (::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
      return true;
  }
  return CSkinObject::MessageHook(msg, w, l, result);
}

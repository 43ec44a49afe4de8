#include "skin/win/objects/skin_menu_level.h"

#include <algorithm>
#include <string>

#include "skin/win/objects/offscreen_buffer.h"
#include "skin/win/objects/skin_paint.h"
#include "skin/win/theme/theme_metrics.h"

namespace {

const wchar_t kClassName[] = L"SkinManagerMenu";
constexpr int kSeparatorHeight = 7;
constexpr int kTextIndent = 4;  // from the check column to the label
constexpr int kAcceleratorGap = 24;
constexpr int kArrowWidth = 20;  // the sub-menu arrow's column
constexpr int kMinTextWidth = 80;

void Fill(HDC dc, const RECT& r, COLORREF color) {
  ::SetBkColor(dc, color);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

COLORREF Sys(const ThemeMetrics& m, int index) {
  return m.Color(index);
}

// Some themes leave the menu highlight unset or equal to the menu itself.
COLORREF HighlightColor(const ThemeMetrics& m) {
  const COLORREF c = Sys(m, COLOR_MENUHILIGHT);
  return c == CLR_INVALID || c == Sys(m, COLOR_MENU) ? Sys(m, COLOR_HIGHLIGHT) : c;
}

bool RegisterMenuClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DROPSHADOW | CS_SAVEBITS;
    wc.lpfnWndProc = &SkinMenuLevel::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

void DrawCheck(HDC dc, const RECT& box, bool radio, COLORREF color) {
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  if (radio) {
    HBRUSH brush = ::CreateSolidBrush(color);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    ::Ellipse(dc, cx - 3, cy - 3, cx + 4, cy + 4);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(brush);
    return;
  }
  HPEN pen = ::CreatePen(PS_SOLID, 2, color);
  HGDIOBJ old = ::SelectObject(dc, pen);
  POINT mark[] = {{cx - 4, cy}, {cx - 1, cy + 3}, {cx + 4, cy - 3}};
  ::Polyline(dc, mark, 3);
  ::SelectObject(dc, old);
  ::DeleteObject(pen);
}

void DrawArrow(HDC dc, const RECT& column, COLORREF color) {
  const int cx = (column.left + column.right) / 2, cy = (column.top + column.bottom) / 2;
  HBRUSH brush = ::CreateSolidBrush(color);
  HPEN pen = ::CreatePen(PS_SOLID, 1, color);
  HGDIOBJ oldBrush = ::SelectObject(dc, brush), oldPen = ::SelectObject(dc, pen);
  POINT arrow[] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
  ::Polygon(dc, arrow, 3);
  ::SelectObject(dc, oldPen);
  ::SelectObject(dc, oldBrush);
  ::DeleteObject(pen);
  ::DeleteObject(brush);
}

int TextWidth(HDC dc, const std::u16string& text, UINT format) {
  if (text.empty()) return 0;
  RECT r = {0, 0, 0, 0};
  ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.c_str()), int(text.size()), &r,
              format | DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}

}  // namespace

SkinMenuLevel::SkinMenuLevel(HMENU menu, HWND owner, bool* captureLost, const ThemeMetrics& metrics)
    : m_menu(menu), m_owner(owner), m_captureLost(captureLost), m_metrics(metrics) {}

SkinMenuLevel::~SkinMenuLevel() {
  m_captureLost = nullptr;
  if (m_hwnd && ::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
  if (m_font) ::DeleteObject(m_font);
  if (m_bold) ::DeleteObject(m_bold);
}

bool SkinMenuLevel::Create() {
  if (!RegisterMenuClass()) return false;
  m_hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"", WS_POPUP, 0, 0, 0,
                             0, m_owner, nullptr, ::GetModuleHandleW(nullptr), this);
  return m_hwnd != nullptr;
}

void SkinMenuLevel::MakeFonts() {
  LOGFONTW lf = m_metrics.MenuFont();
  if (lf.lfFaceName[0] == 0 && lf.lfHeight == 0)
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  m_font = ::CreateFontIndirectW(&lf);
  lf.lfWeight = FW_BOLD;
  m_bold = ::CreateFontIndirectW(&lf);
}

bool SkinMenuLevel::Load() {
  const int count = ::GetMenuItemCount(m_menu);
  if (count <= 0) return false;
  MakeFonts();
  HDC dc = ::GetDC(m_hwnd);
  HGDIOBJ oldFont = ::SelectObject(dc, m_font);
  TEXTMETRICW tm = {};
  ::GetTextMetricsW(dc, &tm);
  const int textHeight = tm.tmHeight + 8;
  m_checkWidth = textHeight;
  int labelWidth = 0, acceleratorWidth = 0, drawnWidth = 0;
  std::vector<int> heights;
  for (int i = 0; i < count; ++i) {
    SkinMenuItem item;
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    if (!::GetMenuItemInfoW(m_menu, UINT(i), TRUE, &mii)) mii.fType = MFT_SEPARATOR;
    item.id = mii.wID;
    item.type = mii.fType;
    item.state = mii.fState;
    item.sub = mii.hSubMenu;
    item.data = mii.dwItemData;
    if (!(item.type & (MFT_SEPARATOR | MFT_OWNERDRAW)) && mii.cch > 0) {
      std::u16string text(mii.cch + 1, u'\0');
      mii.fMask = MIIM_STRING;
      mii.dwTypeData = reinterpret_cast<wchar_t*>(&text[0]);
      mii.cch = UINT(text.size());
      if (::GetMenuItemInfoW(m_menu, UINT(i), TRUE, &mii)) {
        text.resize(mii.cch);
        item.text = SplitMenuLabel(text);
      }
    }
    if (item.Separator()) {
      item.height = kSeparatorHeight;
    } else if (item.type & MFT_OWNERDRAW) {
      MEASUREITEMSTRUCT mis = {ODT_MENU, 0, item.id, 0, UINT(textHeight), item.data};
      ::SendMessageW(m_owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
      item.height = int(mis.itemHeight);
      drawnWidth = std::max(drawnWidth, int(mis.itemWidth));
    } else {
      item.height = textHeight;
      ::SelectObject(dc, (item.state & MFS_DEFAULT) ? m_bold : m_font);
      labelWidth = std::max(labelWidth, TextWidth(dc, item.text.label, 0));
      acceleratorWidth =
          std::max(acceleratorWidth, TextWidth(dc, item.text.accelerator, DT_NOPREFIX));
    }
    heights.push_back(item.height);
    m_items.push_back(std::move(item));
  }
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(m_hwnd, dc);

  int content = labelWidth + kTextIndent;
  if (acceleratorWidth > 0) content += kAcceleratorGap + acceleratorWidth;
  content = std::max({content, drawnWidth, kMinTextWidth});
  m_width = 2 * kFrame + m_checkWidth + content + kArrowWidth;
  m_rects = StackMenuItems(heights, m_width, kFrame);
  m_height = (m_rects.empty() ? kFrame : m_rects.back().bottom) + kFrame;
  return true;
}

void SkinMenuLevel::Show(const SkinRect& screen) {
  ::SetWindowPos(m_hwnd, HWND_TOPMOST, screen.left, screen.top, screen.Width(), screen.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::UpdateWindow(m_hwnd);
}

void SkinMenuLevel::Select(int index) {
  if (index == m_selected) return;
  m_selected = index;
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
  ::UpdateWindow(m_hwnd);
}

SkinRect SkinMenuLevel::ScreenRect() const {
  RECT r = {};
  ::GetWindowRect(m_hwnd, &r);
  return SkinRect{r.left, r.top, r.right, r.bottom};
}

int SkinMenuLevel::ItemAt(POINT screen) const {
  const SkinRect w = ScreenRect();
  return MenuItemAt(m_rects, screen.x - w.left, screen.y - w.top);
}

SkinRect SkinMenuLevel::ItemScreenRect(int index) const {
  const SkinRect w = ScreenRect(), &r = m_rects[size_t(index)];
  return SkinRect{w.left + r.left, w.top + r.top, w.left + r.right, w.top + r.bottom};
}

std::vector<bool> SkinMenuLevel::SelectableMask() const {
  std::vector<bool> mask;
  for (const SkinMenuItem& item : m_items) mask.push_back(item.Selectable());
  return mask;
}

std::vector<char16_t> SkinMenuLevel::Mnemonics() const {
  std::vector<char16_t> keys;
  for (const SkinMenuItem& item : m_items) {
    wchar_t c = item.Selectable() ? wchar_t(item.text.mnemonic) : 0;
    ::CharUpperBuffW(&c, 1);
    keys.push_back(char16_t(c));
  }
  return keys;
}

void SkinMenuLevel::Paint(HDC target) {
  OffscreenBuffer buffer(target, m_width, m_height);
  HDC dc = buffer.dc();
  const RECT all = {0, 0, m_width, m_height};
  Fill(dc, all, Sys(m_metrics, COLOR_MENU));
  const COLORREF edge = Sys(m_metrics, COLOR_3DSHADOW);
  Fill(dc, RECT{0, 0, m_width, 1}, edge);
  Fill(dc, RECT{0, m_height - 1, m_width, m_height}, edge);
  Fill(dc, RECT{0, 0, 1, m_height}, edge);
  Fill(dc, RECT{m_width - 1, 0, m_width, m_height}, edge);
  HGDIOBJ oldFont = ::SelectObject(dc, m_font);
  for (size_t i = 0; i < m_items.size(); ++i) PaintItem(dc, int(i));
  ::SelectObject(dc, oldFont);
  buffer.CopyTo(target, 0, 0);
}

void SkinMenuLevel::PaintItem(HDC dc, int index) {
  const SkinMenuItem& item = m_items[size_t(index)];
  const RECT r = ToRect(m_rects[size_t(index)]);
  const bool selected = index == m_selected;
  if (item.Separator()) {
    const int y = (r.top + r.bottom) / 2;
    Fill(dc, RECT{r.left + m_checkWidth, y, r.right - 2, y + 1}, Sys(m_metrics, COLOR_3DSHADOW));
    return;
  }
  const COLORREF back = selected ? HighlightColor(m_metrics) : Sys(m_metrics, COLOR_MENU);
  const COLORREF text = item.Disabled() ? Sys(m_metrics, COLOR_GRAYTEXT)
                        : selected      ? Sys(m_metrics, COLOR_HIGHLIGHTTEXT)
                                        : Sys(m_metrics, COLOR_MENUTEXT);
  Fill(dc, r, back);
  ::SetTextColor(dc, text);
  if (item.type & MFT_OWNERDRAW) {
    UINT state = selected ? ODS_SELECTED : 0;
    if (item.state & MFS_GRAYED) state |= ODS_GRAYED | ODS_DISABLED;
    if (item.state & MFS_CHECKED) state |= ODS_CHECKED;
    if (item.state & MFS_DEFAULT) state |= ODS_DEFAULT;
    DRAWITEMSTRUCT dis = {
        ODT_MENU, 0, item.id,  ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(m_menu),
        dc,       r, item.data};
    const int saved = ::SaveDC(dc);
    ::SendMessageW(m_owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    ::RestoreDC(dc, saved);
    return;
  }
  if (item.state & MFS_CHECKED)
    DrawCheck(dc, RECT{r.left, r.top, r.left + m_checkWidth, r.bottom},
              (item.type & MFT_RADIOCHECK) != 0, text);
  ::SetBkMode(dc, TRANSPARENT);
  RECT t = {r.left + m_checkWidth + kTextIndent, r.top, r.right - kArrowWidth, r.bottom};
  HGDIOBJ old = ::SelectObject(dc, (item.state & MFS_DEFAULT) ? m_bold : m_font);
  ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(item.text.label.c_str()),
              int(item.text.label.size()), &t, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
  ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(item.text.accelerator.c_str()),
              int(item.text.accelerator.size()), &t,
              DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  ::SelectObject(dc, old);
  if (item.sub) DrawArrow(dc, RECT{r.right - kArrowWidth, r.top, r.right, r.bottom}, text);
}

LRESULT CALLBACK SkinMenuLevel::Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  try {
    if (msg == WM_NCCREATE)
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    auto* self = reinterpret_cast<SkinMenuLevel*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        if (!self) break;
        {
          PAINTSTRUCT ps;
          HDC dc = ::BeginPaint(hwnd, &ps);
          self->Paint(dc);
          ::EndPaint(hwnd, &ps);
        }
        return 0;
      case WM_CAPTURECHANGED:
        if (self && self->m_captureLost && HWND(l) != hwnd) *self->m_captureLost = true;
        return 0;
      case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
      default:
        break;
    }
  } catch (...) {
    // A fault while painting must not leave the window asking to be painted.
    ::ValidateRect(hwnd, nullptr);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, w, l);
}

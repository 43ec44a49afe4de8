// Renders a theme into one PNG sheet for a person to look at: every class,
// part and state the colour scheme defines, the "SysMetrics" colours and
// fonts, and a mock wizard window assembled from the parts.
// Usage: theme_sheet [output.png [theme file [scheme]]]; by default
// <exe dir>\theme_sheet.png from <exe dir>\..\..\app\Vista.skinstyles.
#include <windows.h>

#include <png.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "skin/theme_properties.h"
#include "skin/theme_section.h"
#include "skin/theme_vocabulary.h"
#include "skin/win/engine/skin_engine.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_schema.h"

namespace {

constexpr int kWidth = 960;
constexpr int kLabelWidth = 210;

std::wstring ExeDir() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

std::wstring Wide(const char16_t* s) {
  return s ? std::wstring(reinterpret_cast<const wchar_t*>(s)) : std::wstring(L"?");
}

struct Part {
  int classCode;
  int part;
  std::wstring label;
  int states;
  SIZE cell;
};

// A size that shows a part as the program draws it.
SIZE CellSize(int c, int part, const ThemeClass& tc) {
  SIZE natural = {};
  int sizing = kSizingStretch;
  tc.GetEnum(part, 0, kTmtSizingType, sizing);
  if (sizing == kSizingTrueSize && tc.GetPartSize(part, 1, natural)) {
    return SIZE{std::max(natural.cx + 6, 24L), std::max(natural.cy + 6, 20L)};
  }
  if (c == kThemeClassWindow) {
    if (part == 1) return SIZE{150, 27};
    if (part == 2) return SIZE{120, 19};
    if (part == 7 || part == 8 || part == 10 || part == 11) return SIZE{6, 40};
    if (part == 9 || part == 12) return SIZE{60, 6};
    return part == 19 ? SIZE{20, 16} : SIZE{28, 20};
  }
  if (c == kThemeClassButton) return part == 4 ? SIZE{80, 44} : SIZE{75, 23};
  if (c == kThemeClassScrollBar) {
    if (part == 2 || part == 4 || part == 5) return SIZE{48, 17};
    if (part == 3 || part == 6 || part == 7) return SIZE{17, 48};
    return SIZE{17, 17};
  }
  if (c == kThemeClassProgress) return part == 2 || part == 4 ? SIZE{16, 60} : SIZE{100, 16};
  if (c == kThemeClassComboBox) return part == 1 ? SIZE{17, 21} : SIZE{100, 21};
  if (c == kThemeClassTab) return SIZE{60, 40};
  return SIZE{100, 24};
}

// Parts the scheme says something about, in class and part order.
std::vector<Part> DefinedParts(ThemeSchema& schema) {
  const ThemeProperties& props = schema.Properties();
  std::vector<Part> parts;
  for (int c = 4; c <= kThemeClassCount; ++c) {
    const ThemeNameTable* table = ThemePartTable(c);
    std::vector<ThemeName> names = {{u"", 0}};
    if (table) names.insert(names.end(), table->entries, table->entries + table->count);
    for (const ThemeName& name : names) {
      // A part counts when it has something to draw in some state.
      int lastState = -1;
      for (int id : {int(kTmtBgType), int(kTmtImageFile), int(kTmtImageFile1)}) {
        for (int s = 0; s < 20; ++s) {
          if (props.FindKey(ThemePropertyKey(c, name.number, s, id))) {
            lastState = std::max(lastState, s);
          }
        }
      }
      if (lastState < 0) continue;
      ThemeClass& tc = *schema.GetClass(ThemeClassName(c));
      const ThemeNameTable* states = ThemeStateTable(name.number ? name.name : ThemeClassName(c));
      int count = std::max(1, lastState);
      if (states) count = std::max(count, int(states->count));
      int images = 1;
      tc.GetInt(name.number, 0, kTmtImageCount, images);
      count = std::max(count, images);
      std::wstring label = Wide(ThemeClassName(c));
      if (name.number)
        label += L"." + Wide(name.name) + L" (" + std::to_wstring(name.number) + L")";
      parts.push_back({c, name.number, label, count, CellSize(c, name.number, tc)});
    }
  }
  return parts;
}

class Sheet {
 public:
  Sheet(int w, int h) : m_w(w), m_h(h) {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pixels = static_cast<uint32_t*>(bits);
    m_dc = CreateCompatibleDC(nullptr);
    SelectObject(m_dc, m_bitmap);
    SetBkMode(m_dc, TRANSPARENT);
  }
  ~Sheet() {
    DeleteDC(m_dc);
    DeleteObject(m_bitmap);
  }
  HDC Dc() const { return m_dc; }
  void Fill(const RECT& r, COLORREF c) {
    SetBkColor(m_dc, c);
    ExtTextOutW(m_dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  }
  void Text(int x, int y, const std::wstring& s, COLORREF c) {
    SetTextColor(m_dc, c);
    TextOutW(m_dc, x, y, s.c_str(), int(s.size()));
  }
  bool SavePng(const std::wstring& path) {
    GdiFlush();
    for (size_t i = 0; i < size_t(m_w) * m_h; ++i)
      m_pixels[i] |= 0xFF000000u;  // GDI leaves alpha 0
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(m_w);
    image.height = png_uint_32(m_h);
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, m_pixels, 0, nullptr)) return false;
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, m_pixels, 0, nullptr))
      return false;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), DWORD(size), &written, nullptr) && written == size;
    CloseHandle(h);
    return ok;
  }

 private:
  int m_w, m_h;
  HBITMAP m_bitmap;
  uint32_t* m_pixels;
  HDC m_dc;
};

class Font {
 public:
  explicit Font(const LOGFONTW& lf) : m_font(CreateFontIndirectW(&lf)) {}
  ~Font() { DeleteObject(m_font); }
  HFONT Get() const { return m_font; }

 private:
  HFONT m_font;
};

int Stride(const Part& p) {
  return std::max(int(p.cell.cx) + 10, 30);
}
int PerRow(const Part& p) {
  return std::max(1, (kWidth - kLabelWidth - 10) / Stride(p));
}
int RowsOf(const Part& p) {
  return (p.states + PerRow(p) - 1) / PerRow(p);
}

void Label(Sheet& sheet, ThemeClass& tc, int part, int state, const wchar_t* text, RECT r,
           UINT format) {
  tc.DrawText(sheet.Dc(), part, state, text, -1, format | DT_SINGLELINE | DT_VCENTER, r);
}

// A wizard-like window built from the parts, the way the skin objects draw them.
void DrawMockWindow(Sheet& sheet, SkinEngine& engine, int x, int y) {
  const ThemeMetrics& m = engine.Metrics();
  ThemeClass& window = *engine.GetThemeClass(u"WINDOW");
  ThemeClass& button = *engine.GetThemeClass(u"BUTTON");
  ThemeClass& combo = *engine.GetThemeClass(u"COMBOBOX");
  ThemeClass& edit = *engine.GetThemeClass(u"EDIT");
  ThemeClass& progress = *engine.GetThemeClass(u"PROGRESS");
  ThemeClass& scroll = *engine.GetThemeClass(u"SCROLLBAR");
  ThemeClass& tab = *engine.GetThemeClass(u"TAB");
  HDC dc = sheet.Dc();
  const int w = 520, h = 300, border = 2, cap = m.Sizes().captionHeight;

  window.DrawBackground(dc, 1, 1, RECT{x, y, x + w, y + cap});
  window.DrawBackground(dc, 7, 1, RECT{x, y + cap, x + border, y + h - border});
  window.DrawBackground(dc, 8, 1, RECT{x + w - border, y + cap, x + w, y + h - border});
  window.DrawBackground(dc, 9, 1, RECT{x, y + h - border, x + w, y + h});
  Font captionFont(m.CaptionFont());
  HGDIOBJ old = SelectObject(dc, captionFont.Get());
  sheet.Text(x + 10, y + (cap - 14) / 2, L"Ostrel AVI Converter", m.Color(COLOR_CAPTIONTEXT));
  const int buttonTop = y + (cap - 20) / 2;
  window.DrawBackground(dc, 15, 1, RECT{x + w - 92, buttonTop, x + w - 64, buttonTop + 20});
  window.DrawBackground(dc, 17, 2, RECT{x + w - 62, buttonTop, x + w - 34, buttonTop + 20});
  window.DrawBackground(dc, 18, 2, RECT{x + w - 32, buttonTop, x + w - 4, buttonTop + 20});

  const RECT client = {x + border, y + cap, x + w - border, y + h - border};
  tab.DrawBackground(dc, 10, 0, client);
  Font body(m.MenuFont());
  SelectObject(dc, body.Get());
  const int left = client.left + 16;
  int top = client.top + 14;
  button.DrawBackground(dc, 4, 1, RECT{left, top + 6, left + 300, top + 112});
  RECT caption = {left + 8, top, left + 86, top + 14};
  sheet.Fill(caption, m.Color(COLOR_BTNFACE));
  Label(sheet, button, 4, 1, L" Output settings", caption, DT_LEFT);
  const wchar_t* radios[] = {L"Convert to video files", L"Convert to audio files"};
  for (int i = 0; i < 2; ++i) {
    const int ry = top + 24 + i * 22;
    button.DrawBackground(dc, 2, i == 0 ? 5 : 2, RECT{left + 12, ry, left + 25, ry + 13});
    Label(sheet, button, 2, i == 0 ? 5 : 2, radios[i], RECT{left + 31, ry - 2, left + 290, ry + 15},
          DT_LEFT);
  }
  button.DrawBackground(dc, 3, 5, RECT{left + 12, top + 70, left + 25, top + 83});
  Label(sheet, button, 3, 5, L"Overwrite existing files",
        RECT{left + 31, top + 68, left + 290, top + 85}, DT_LEFT);
  button.DrawBackground(dc, 3, 4, RECT{left + 12, top + 90, left + 25, top + 103});
  Label(sheet, button, 3, 4, L"Same folder as the source (disabled)",
        RECT{left + 31, top + 88, left + 290, top + 105}, DT_LEFT);

  top += 126;
  const RECT comboRect = {left, top, left + 220, top + 21};
  combo.DrawBackground(dc, 0, 1, comboRect);
  Label(sheet, combo, 0, 1, L"MP4 - H.264 / AAC", RECT{left + 6, top, left + 200, top + 21},
        DT_LEFT);
  combo.DrawBackground(
      dc, 1, 2,
      RECT{comboRect.right - 3 - m.Sizes().vScrollWidth, top + 2, comboRect.right - 3, top + 19});
  const RECT editRect = {left + 230, top, client.right - 40, top + 21};
  edit.DrawBackground(dc, 1, 5, editRect);
  Label(sheet, edit, 1, 5, L"C:\\Videos\\Output",
        RECT{editRect.left + 5, top, editRect.right, top + 21}, DT_LEFT);

  top += 36;
  const RECT bar = {left, top, client.right - 40, top + 18};
  progress.DrawBackground(dc, 1, 0, bar);
  ThemeMargins content;
  progress.GetMargins(1, 0, kTmtContentMargins, content);
  const RECT inner = {bar.left + content.left, bar.top + content.top, bar.right - content.right,
                      bar.bottom - content.bottom};
  progress.DrawBackground(
      dc, 3, 0,
      RECT{inner.left, inner.top, inner.left + (inner.right - inner.left) * 3 / 5, inner.bottom});

  top += 34;
  const wchar_t* labels[] = {L"< Prev", L"Next >", L"Cancel", L"Disabled"};
  const int states[] = {1, 5, 2, 4};
  for (int i = 0; i < 4; ++i) {
    const RECT r = {left + i * 92, top, left + i * 92 + 84, top + 23};
    button.DrawBackground(dc, 1, states[i], r);
    Label(sheet, button, 1, states[i], labels[i], r, DT_CENTER);
  }

  // A vertical scroll bar down the right of the client area.
  const int sx = client.right - 17 - 6, sy = client.top + 14, sh = 200;
  scroll.DrawBackground(dc, 1, 1, RECT{sx, sy, sx + 17, sy + 17});
  scroll.DrawBackground(dc, 6, 1, RECT{sx, sy + 17, sx + 17, sy + 60});
  scroll.DrawBackground(dc, 3, 2, RECT{sx, sy + 60, sx + 17, sy + 110});
  scroll.DrawBackground(dc, 9, 2, RECT{sx, sy + 60, sx + 17, sy + 110});
  scroll.DrawBackground(dc, 7, 1, RECT{sx, sy + 110, sx + 17, sy + sh - 17});
  scroll.DrawBackground(dc, 1, 5, RECT{sx, sy + sh - 17, sx + 17, sy + sh});
  SelectObject(dc, old);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring out = argc > 1 ? argv[1] : ExeDir() + L"theme_sheet.png";
  const std::wstring theme = argc > 2 ? argv[2] : ExeDir() + L"..\\..\\app\\Vista.skinstyles";
  const std::wstring scheme = argc > 3 ? argv[3] : L"NormalBlack2.ini";
  LocalFree(argv);

  SkinEngine& engine = SkinEngine::Get();
  const std::u16string themePath(theme.begin(), theme.end());
  if (!engine.LoadTheme(themePath, std::u16string(scheme.begin(), scheme.end()))) {
    std::fwprintf(stderr, L"cannot load %ls with %ls\n", theme.c_str(), scheme.c_str());
    return 1;
  }
  std::shared_ptr<ThemeSchema> schema = engine.Schema();
  const std::vector<Part> parts = DefinedParts(*schema);
  const ThemeMetrics& m = engine.Metrics();

  int height = 40 + 6 * 26 + 40 + 380;
  for (const Part& p : parts) height += RowsOf(p) * (std::max(int(p.cell.cy), 14) + 24);
  Sheet sheet(kWidth, height);
  const COLORREF face = m.Color(COLOR_BTNFACE), text = m.Color(COLOR_BTNTEXT);
  const COLORREF dim = m.Color(COLOR_GRAYTEXT);
  sheet.Fill(RECT{0, 0, kWidth, height}, face);
  Font labelFont(m.MenuFont());
  SelectObject(sheet.Dc(), labelFont.Get());

  int y = 10;
  sheet.Text(10, y, L"Theme " + theme + L", scheme " + scheme, text);
  y += 26;
  for (int i = 0; i < kThemeSysColorCount; ++i) {
    const int x = 10 + (i % 6) * 155, row = y + (i / 6) * 26;
    sheet.Fill(RECT{x, row, x + 20, row + 20}, m.Color(i));
    sheet.Fill(RECT{x, row + 20, x + 20, row + 21}, dim);
    const ThemePropertyInfo* info = ThemePropertyById(kTmtFirstSysColor + i);
    sheet.Text(x + 24, row + 3, Wide(info ? info->name : nullptr), dim);
  }
  y += 6 * 26 + 6;
  const LOGFONTW* fonts[] = {&m.CaptionFont(), &m.SmallCaptionFont(), &m.MenuFont()};
  const wchar_t* fontNames[] = {L"Caption font", L"Small caption font", L"Menu font"};
  for (int i = 0; i < 3; ++i) {
    Font f(*fonts[i]);
    HGDIOBJ old = SelectObject(sheet.Dc(), f.Get());
    sheet.Text(10 + i * 300, y, fontNames[i], text);
    SelectObject(sheet.Dc(), old);
  }
  y += 34;

  for (const Part& p : parts) {
    ThemeClass& tc = *schema->GetClass(ThemeClassName(p.classCode));
    sheet.Text(10, y + 14, p.label, text);
    const int stride = Stride(p);
    const int perRow = PerRow(p);
    for (int s = 1; s <= p.states; ++s) {
      const int col = (s - 1) % perRow;
      if (s > 1 && col == 0) y += p.cell.cy + 24;
      const int x = kLabelWidth + col * stride;
      sheet.Text(x, y, std::to_wstring(s), dim);
      const RECT r = {x, y + 14, x + p.cell.cx, y + 14 + p.cell.cy};
      if (!tc.DrawBackground(sheet.Dc(), p.part, s, r))
        sheet.Text(x, y + 14, L"failed", RGB(255, 80, 80));
    }
    y += std::max(int(p.cell.cy), 14) + 24;
  }
  y += 10;
  sheet.Text(10, y, L"Assembled", text);
  DrawMockWindow(sheet, engine, kLabelWidth, y);

  if (!sheet.SavePng(out)) {
    std::fwprintf(stderr, L"cannot write %ls\n", out.c_str());
    return 1;
  }
  std::wprintf(L"%d parts drawn into %ls\n", int(parts.size()), out.c_str());
  return 0;
}

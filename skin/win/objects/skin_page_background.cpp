#include "skin/win/objects/skin_page_background.h"

#include <vssym32.h>

#include <string>

#include "skin/theme_vocabulary.h"
#include "skin/win/theme/skin_theme.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_image.h"
#include "skin/win/theme/theme_metrics.h"
#include "skin/win/theme/theme_schema.h"

HBRUSH SkinPageBackground::Brush(HWND page, const SkinTheme& theme) {
  const ThemeMetrics& metrics = theme.Metrics();
  RECT client;
  ::GetClientRect(page, &client);
  const SIZE size{client.right, client.bottom};
  if (m_brush && size.cx == m_size.cx && size.cy == m_size.cy) return m_brush;
  Reset();
  // The "TAB" body's stock image, spread over the page.
  ThemeClass* tab = theme.GetThemeClass(u"TAB");
  std::u16string file;
  if (!tab || size.cx <= 0 || size.cy <= 0 ||
      FAILED(tab->GetString(TABP_BODY, 0, kTmtStockImageFile, file)) || file.empty())
    return metrics.Brush(COLOR_BTNFACE);
  const ThemeImage* image = tab->Schema().GetImage(file);
  if (!image) return metrics.Brush(COLOR_BTNFACE);
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
  HGDIOBJ old = ::SelectObject(dc, bmp);
  ::FillRect(dc, &client, metrics.Brush(COLOR_BTNFACE));
  ImageDrawParams whole;
  whole.frame = RECT{0, 0, image->Width(), image->Height()};
  image->Draw(dc, client, whole);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  // The brush keeps a copy of the pattern.
  m_brush = ::CreatePatternBrush(bmp);
  ::DeleteObject(bmp);
  m_size = size;
  return m_brush;
}

void SkinPageBackground::Reset() {
  if (m_brush) ::DeleteObject(m_brush);
  m_brush = nullptr;
}

#include "skin/win/objects/skin_page_background.h"

#include <vssym32.h>

#include <string>

#include "skin/theme_scale.h"
#include "skin/theme_vocabulary.h"
#include "skin/win/theme/skin_theme.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_image.h"
#include "skin/win/theme/theme_metrics.h"
#include "skin/win/theme/theme_schema.h"

HBRUSH SkinPageBackground::Brush(const SkinTheme& theme) {
  if (m_brush) return m_brush;
  HBRUSH face = theme.Metrics().Brush(COLOR_BTNFACE);
  // The "TAB" body's stock image at the display scale, tiled over the page.
  ThemeClass* tab = theme.GetThemeClass(u"TAB");
  std::u16string file;
  if (!tab || FAILED(tab->GetString(TABP_BODY, 0, kTmtStockImageFile, file)) || file.empty())
    return face;
  int imageScale = 100;
  const ThemeImage* image = tab->Schema().GetScaledImage(file, imageScale);
  if (!image) return face;
  const int scale = tab->Schema().Scale();
  const RECT tile{0, 0, ThemeScaleLength(image->Width(), imageScale, scale),
                  ThemeScaleLength(image->Height(), imageScale, scale)};
  if (tile.right <= 0 || tile.bottom <= 0) return face;
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, tile.right, tile.bottom);
  HGDIOBJ old = ::SelectObject(dc, bmp);
  ::FillRect(dc, &tile, face);
  ImageDrawParams whole;
  whole.frame = RECT{0, 0, image->Width(), image->Height()};
  image->Draw(dc, tile, whole);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  // The brush keeps a copy of the pattern.
  m_brush = ::CreatePatternBrush(bmp);
  ::DeleteObject(bmp);
  return m_brush ? m_brush : face;
}

void SkinPageBackground::Reset() {
  if (m_brush) ::DeleteObject(m_brush);
  m_brush = nullptr;
}

#include "skin/win/skin_page_background.h"

#include <vssym32.h>

#include <string>

#include "skin/theme_vocabulary.h"
#include "skin/win/skin_engine.h"
#include "skin/win/theme_class.h"

HBRUSH SkinPageBackground::Brush(HWND page, const ThemeMetrics& metrics) {
  RECT client;
  ::GetClientRect(page, &client);
  const SIZE size{client.right, client.bottom};
  if (m_brush && size.cx == m_size.cx && size.cy == m_size.cy) return m_brush;
  Reset();
  ThemeClass* tab = SkinEngine::Get().GetThemeClass(u"TAB");
  std::u16string image;
  if (!tab || size.cx <= 0 || size.cy <= 0 ||
      FAILED(tab->GetString(TABP_BODY, 0, kTmtStockImageFile, image)) || image.empty())
    return metrics.Brush(COLOR_BTNFACE);
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
  HGDIOBJ old = ::SelectObject(dc, bmp);
  ::FillRect(dc, &client, metrics.Brush(COLOR_BTNFACE));
  tab->DrawBackground(dc, TABP_BODY, 0, client);
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

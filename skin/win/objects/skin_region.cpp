// The frame object's window region: the window rectangle less the corner
// pixels that the theme's caption and frame images leave fully transparent,
// so that rounded corners show what lies behind the window.
#include <windows.h>

#include <vssym32.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "skin/win/objects/skin_caption.h"
#include "skin/win/objects/skin_object_frame.h"
#include "skin/win/theme/theme_class.h"

namespace {

// Only this many pixels from each corner are looked at: a theme's rounding is
// small, and scanning whole edges would cut into the frame's anti-aliasing.
constexpr int kCornerSize = 8;

// Which pixels of a w x h strip stay as they were when `draw` paints over
// black and over white: those the images leave fully transparent.
std::vector<bool> TransparentPixels(int w, int h, const std::function<void(HDC)>& draw) {
  std::vector<bool> clear(size_t(w) * h, false);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (!dc) return clear;
  for (const uint32_t fill : {0x00000000u, 0x00FFFFFFu}) {
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bmp || !bits) {
      if (bmp) ::DeleteObject(bmp);
      ::DeleteDC(dc);
      return std::vector<bool>(size_t(w) * h, false);
    }
    HGDIOBJ old = ::SelectObject(dc, bmp);
    auto* px = static_cast<uint32_t*>(bits);
    std::fill(px, px + size_t(w) * h, fill);
    draw(dc);
    ::GdiFlush();
    for (size_t i = 0; i < clear.size(); ++i) {
      const bool same = (px[i] & 0x00FFFFFFu) == fill;
      clear[i] = fill == 0 ? same : (clear[i] && same);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
  }
  ::DeleteDC(dc);
  return clear;
}

// Cuts the transparent pixels of rows [0, rows) of the strip, within the two
// corner squares, out of `region`; the strip's row 0 is window row `top`.
void CutCorners(HRGN region, const std::vector<bool>& clear, int w, int rows, int firstRow,
                int top) {
  const int corner = std::min(kCornerSize, w / 2);
  for (int y = firstRow; y < firstRow + rows; ++y) {
    for (const int start : {0, w - corner}) {
      int x = start;
      while (x < start + corner) {
        if (!clear[size_t(y) * w + x]) {
          ++x;
          continue;
        }
        const int runStart = x;
        while (x < start + corner && clear[size_t(y) * w + x]) ++x;
        HRGN cut = ::CreateRectRgn(runStart, top + y - firstRow, x, top + y - firstRow + 1);
        ::CombineRgn(region, region, cut, RGN_DIFF);
        ::DeleteObject(cut);
      }
    }
  }
}

// A w x h window with these borders less the corner pixels its caption and
// frame images leave fully transparent; null when nothing is cut.
HRGN CornerCutRegion(const ThemeClass& t, const RECT& b, int w, int h, bool tool) {
  HRGN region = ::CreateRectRgn(0, 0, w, h);
  const int captionRows = std::min<int>(b.top, h);
  if (captionRows > 0) {
    const RECT strip{0, 0, w, captionRows};
    const std::vector<bool> clear = TransparentPixels(w, captionRows, [&](HDC dc) {
      t.DrawBackground(dc, tool ? WP_SMALLCAPTION : WP_CAPTION, CS_ACTIVE, strip);
    });
    CutCorners(region, clear, w, std::min(kCornerSize, captionRows), 0, 0);
  }
  const int bottomRows = std::min<int>(kCornerSize, h - captionRows);
  if (bottomRows > 0) {
    // The frame pieces are drawn where they lie in the window, shifted so
    // that the strip holds the window's last rows.
    const int shift = h - bottomRows;
    const std::vector<bool> clear = TransparentPixels(w, bottomRows, [&](HDC dc) {
      DrawSkinFrameSides(dc, t, b, SIZE{w, h}, tool, FS_ACTIVE, shift);
    });
    CutCorners(region, clear, w, bottomRows, 0, shift);
  }
  // Only the frame is rounded: where its sides are narrower than the corner
  // squares, the client area inside them stays, though the frame images leave
  // it clear.
  HRGN inside = ::CreateRectRgn(b.left, b.top, w - b.right, h - b.bottom);
  ::CombineRgn(region, region, inside, RGN_OR);
  ::DeleteObject(inside);
  RECT box;
  const bool whole = (captionRows <= 0 && bottomRows <= 0) ||
                     (::GetRgnBox(region, &box) == SIMPLEREGION && box.left == 0 && box.top == 0 &&
                      box.right == w && box.bottom == h);
  if (!whole) return region;
  ::DeleteObject(region);
  return nullptr;
}

}  // namespace

void SkinCaption::UpdateRegion(bool force) {
  if (force) m_regionSize = SIZE{0, 0};
  HWND hwnd = Window();
  if (!hwnd || m_inRegionUpdate || ::IsIconic(hwnd)) return;
  const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
  const LONG exStyle = ::GetWindowLongW(hwnd, GWL_EXSTYLE);
  const bool maximized = (style & WS_MAXIMIZE) && !(style & WS_CHILD);
  ThemeClass* t = m_owner.Skin().GetThemeClass(u"WINDOW");
  const RECT wr = WindowRectAtZero(hwnd);
  const SIZE size{wr.right, wr.bottom};
  if (!Shown() || maximized || !t || size.cx <= 0 || size.cy <= 0) {
    ApplyRegion(nullptr, size);
    return;
  }
  if (m_hasRegion && m_regionSize.cx == size.cx && m_regionSize.cy == size.cy) return;
  const RECT b = SkinFrameBorders(style, exStyle, m_owner.Sizes());
  ApplyRegion(CornerCutRegion(*t, b, size.cx, size.cy, (exStyle & WS_EX_TOOLWINDOW) != 0), size);
}

void SkinCaption::ApplyRegion(HRGN region, SIZE size) {
  HWND hwnd = Window();
  m_inRegionUpdate = true;
  if (region)
    ::SetWindowRgn(hwnd, region, TRUE);  // the system owns the region now
  else if (m_hasRegion)
    ::SetWindowRgn(hwnd, nullptr, TRUE);
  m_inRegionUpdate = false;
  m_hasRegion = region != nullptr;
  m_regionSize = region ? size : SIZE{0, 0};
}

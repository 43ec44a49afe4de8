// Background drawing of a theme part: a border fill, nothing, or a frame of
// the part's image spread over the rectangle, with an optional glyph on top.
#include <algorithm>

#include "skin/theme_properties.h"
#include "skin/theme_scale.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_image.h"
#include "skin/win/theme/theme_schema.h"

namespace {

constexpr COLORREF kDefaultKeyColor = RGB(255, 0, 255);

// The parts of a window frame's sides and bottom, whose images must always be
// drawn whole.
bool IsFrameSide(int classCode, int windowCode, int part) {
  return classCode == windowCode && part >= 7 && part <= 12;
}

void FillSolid(HDC hdc, const RECT& rect, COLORREF color) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const COLORREF old = ::SetBkColor(hdc, color);
  ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(hdc, old);
}

ThemeMargins ScaledMargins(const ThemeMargins& m, int from, int to) {
  ThemeMargins out;
  out.left = ThemeScaleLength(m.left, from, to);
  out.right = ThemeScaleLength(m.right, from, to);
  out.top = ThemeScaleLength(m.top, from, to);
  out.bottom = ThemeScaleLength(m.bottom, from, to);
  return out;
}

// The size a frame takes on the display.
SIZE OnDisplay(const ImageDrawParams& p) {
  return SIZE{ThemeScaleLength(p.frame.right - p.frame.left, p.fromScale, p.toScale),
              ThemeScaleLength(p.frame.bottom - p.frame.top, p.fromScale, p.toScale)};
}

RECT Shrink(const RECT& r, const ThemeMargins& m) {
  return RECT{r.left + m.left, r.top + m.top, r.right - m.right, r.bottom - m.bottom};
}

// A frame of w x h centred in `dst`, never left of or above it.
RECT Centred(const RECT& dst, int w, int h) {
  const int x = dst.left + std::max(0, int(dst.right - dst.left - w) / 2);
  const int y = dst.top + std::max(0, int(dst.bottom - dst.top - h) / 2);
  return RECT{x, y, x + w, y + h};
}

}  // namespace

namespace {
ThemeDrawObserver g_drawObserver = nullptr;
}  // namespace

void SetThemeDrawObserver(ThemeDrawObserver observer) {
  g_drawObserver = observer;
}

BOOL ThemeClass::DrawBackground(HDC hdc, int part, int state, const RECT& rect,
                                const RECT* clip) const {
  if (hdc == nullptr) return FALSE;
  if (g_drawObserver) g_drawObserver(*this, part, state, rect);
  if (clip == nullptr) return PaintBackground(hdc, part, state, rect);
  const int saved = ::SaveDC(hdc);
  ::IntersectClipRect(hdc, clip->left, clip->top, clip->right, clip->bottom);
  const BOOL ok = PaintBackground(hdc, part, state, rect);
  ::RestoreDC(hdc, saved);
  return ok;
}

BOOL ThemeClass::PaintBackground(HDC hdc, int part, int state, const RECT& rect) const {
  const int bgType = EnumOr(part, state, kTmtBgType, kBgTypeImageFile);
  if (bgType == kBgTypeBorderFill) return FillBorder(hdc, part, state, rect);
  if (bgType == kBgTypeNone) return TRUE;

  int imageScale = kThemeScaleBase;
  ThemeImage* image = m_schema.GetScaledImage(BackgroundImageFile(part, state), imageScale);
  if (image == nullptr) return FALSE;
  const int count = std::max(1, IntOr(part, state, kTmtImageCount, 1));
  const bool horizontal =
      EnumOr(part, state, kTmtImageLayout, kLayoutHorizontal) != kLayoutVertical;

  ImageDrawParams p;
  p.frame = image->Frame(count, horizontal, state - 1);
  p.fromScale = imageScale;
  p.toScale = m_schema.Scale();
  p.sizingType = EnumOr(part, state, kTmtSizingType, kSizingStretch);
  if (p.sizingType < kSizingTrueSize || p.sizingType > kSizingTile) p.sizingType = kSizingStretch;
  RECT dst = rect;
  if (p.sizingType == kSizingTrueSize) {
    const SIZE size = OnDisplay(p);
    int w = size.cx;
    int h = size.cy;
    if (IntOr(part, state, kTmtTrueSizeStretchMark, 0) > 0) {
      w = std::min(w, int(rect.right - rect.left));
      h = std::min(h, int(rect.bottom - rect.top));
    }
    dst = Centred(rect, w, h);
    if (EnumOr(part, state, kTmtVAlign, kVAlignTop) == kVAlignBottom) {
      dst.top = std::max(rect.top, rect.bottom - h);
      dst.bottom = dst.top + h;
    }
  } else {
    // Given for the image at 100 %.
    GetMargins(part, state, kTmtSizingMargins, p.margins);
    p.margins = ScaledMargins(p.margins, kThemeScaleBase, imageScale);
  }
  p.useTransparent =
      TransparentColor(part, state, kTmtTransparent, kTmtTransparentColor, *image, p.transparent);
  p.borderOnly = !IsFrameSide(m_code, m_schema.WindowCode(), part) &&
                 BoolOr(part, state, kTmtBorderOnly, false);
  p.mirror = BoolOr(part, state, kTmtMirrorImage, true);
  BOOL ok = image->Draw(hdc, dst, p);

  if (EnumOr(part, state, kTmtGlyphType, kGlyphNone) == kGlyphImage) {
    ok = DrawGlyph(hdc, part, state, rect, count, horizontal) && ok;
  }
  return ok;
}

BOOL ThemeClass::FillBorder(HDC hdc, int part, int state, RECT r) const {
  const int size = IntOr(part, state, kTmtBorderSize, 1);
  COLORREF border = 0;
  if (size > 0 && GetColor(part, state, kTmtBorderColor, border) == kThemeOk) {
    const int w = std::min(size, int(r.right - r.left));
    const int h = std::min(size, int(r.bottom - r.top));
    FillSolid(hdc, RECT{r.left, r.top, r.right, r.top + h}, border);
    FillSolid(hdc, RECT{r.left, r.bottom - h, r.right, r.bottom}, border);
    FillSolid(hdc, RECT{r.left, r.top + h, r.left + w, r.bottom - h}, border);
    FillSolid(hdc, RECT{r.right - w, r.top + h, r.right, r.bottom - h}, border);
    ::InflateRect(&r, -size, -size);
  }
  COLORREF fill = 0;
  if (GetColor(part, state, kTmtFillColor, fill) == kThemeOk &&
      !BoolOr(part, state, kTmtBorderOnly, false)) {
    FillSolid(hdc, r, fill);
  }
  return TRUE;
}

BOOL ThemeClass::DrawGlyph(HDC hdc, int part, int state, const RECT& rect, int count,
                           bool horizontal) const {
  ThemeMargins content;
  GetMargins(part, state, kTmtContentMargins, content);
  const int scale = m_schema.Scale();
  const RECT inner = Shrink(rect, ScaledMargins(content, kThemeScaleBase, scale));

  ThemeImage* glyph = nullptr;
  ImageDrawParams p;
  p.toScale = scale;
  if (EnumOr(part, state, kTmtImageSelectType, kImageSelectNone) == kImageSelectSize) {
    // The largest of IMAGEFILE5 down to IMAGEFILE1 that fits, else IMAGEFILE1.
    for (int i = 4; i >= 0 && glyph == nullptr; --i) {
      std::u16string file;
      GetString(part, state, kTmtImageFile1 + i, file);
      ThemeImage* candidate = m_schema.GetScaledImage(file, p.fromScale);
      if (candidate == nullptr) continue;
      p.frame = candidate->Frame(count, horizontal, state - 1);
      const SIZE size = OnDisplay(p);
      if (size.cx <= inner.right - inner.left && size.cy <= inner.bottom - inner.top) {
        glyph = candidate;
      }
    }
    if (glyph == nullptr) {
      std::u16string file;
      GetString(part, state, kTmtImageFile1, file);
      glyph = m_schema.GetScaledImage(file, p.fromScale);
    }
  } else {
    std::u16string file;
    GetString(part, state, kTmtGlyphImageFile, file);
    glyph = m_schema.GetScaledImage(file, p.fromScale);
  }
  if (glyph == nullptr) return FALSE;

  p.frame = glyph->Frame(count, horizontal, state - 1);
  p.sizingType = kSizingTrueSize;
  p.useTransparent = TransparentColor(part, state, kTmtGlyphTransparent, kTmtGlyphTransparentColor,
                                      *glyph, p.transparent);
  const SIZE size = OnDisplay(p);
  const RECT dst = Centred(inner, size.cx, size.cy);
  return glyph->Draw(hdc, dst, p);
}

bool ThemeClass::TransparentColor(int part, int state, int flagId, int colorId,
                                  const ThemeImage& image, COLORREF& out) const {
  if (image.HasAlpha() || !BoolOr(part, state, flagId, false)) return false;
  // The key must match the image's pixels, so it bypasses the colour filters.
  uint32_t key = kDefaultKeyColor;
  m_schema.Properties().GetColor(m_code, part, state, colorId, key);
  out = COLORREF(key);
  return true;
}

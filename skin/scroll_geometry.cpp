#include "skin/scroll_geometry.h"

#include <cstdint>

namespace {

// Scroll ranges come from other programs' controls and may span the whole int
// range; differences wrap as 32-bit arithmetic does instead of overflowing.
int Wrap(int64_t v) {
  return int(uint32_t(uint64_t(v)));
}

}  // namespace

ScrollLayout LayoutScrollBar(const SkinRect& bar, bool vertical, const ScrollInfo& info,
                             int arrowSize) {
  ScrollLayout l;
  l.vertical = vertical;
  l.bar = bar;
  l.info = info;
  l.start = vertical ? bar.top : bar.left;
  l.end = vertical ? bar.bottom : bar.right;
  l.crossStart = vertical ? bar.left : bar.top;
  l.crossEnd = vertical ? bar.right : bar.bottom;

  const int minThumb = arrowSize / 2;
  int a = arrowSize;
  const int half = (l.end - l.start) / 2;
  if (half < a) a = half;  // a short bar: two half-length arrows, no track
  l.arrow = a;
  l.e1 = l.start + a;
  l.e2 = l.end - a;
  l.track = l.e1;

  const int range = Wrap(int64_t(info.maximum) - info.minimum + 1);
  int k = arrowSize;
  if (info.page != 0 && range != 0) {
    k = MulDivRound(l.e2 - l.e1, info.page, range);
    if (k < minThumb) k = minThumb;
  }
  l.thumbSize = k;
  l.movable = Wrap(int64_t(l.end) - l.track - a - k);

  const int page = info.page != 0 ? info.page : 1;
  if (range == page) {
    l.thumbStart = l.track - 1;
    l.thumbEnd = l.track + k - 1;
  } else {
    l.thumbStart = Wrap(int64_t(l.track) + MulDivRound(Wrap(int64_t(info.position) - info.minimum),
                                                       l.movable, Wrap(int64_t(range) - page)));
    l.thumbEnd = Wrap(int64_t(l.thumbStart) + k);
  }
  return l;
}

int ScrollAxisCoord(const ScrollLayout& layout, int x, int y) {
  return layout.vertical ? y : x;
}

SkinRect ScrollAxisRect(const ScrollLayout& layout, int from, int to) {
  if (layout.vertical) return SkinRect{layout.crossStart, from, layout.crossEnd, to};
  return SkinRect{from, layout.crossStart, to, layout.crossEnd};
}

int ScrollHitTest(const ScrollLayout& layout, int x, int y) {
  if (!layout.visible || !layout.bar.Contains(x, y)) return kScrollHitNone;
  const int c = ScrollAxisCoord(layout, x, y);
  if (c < layout.e1) return kScrollHitArrowOne;
  if (c >= layout.e2) return kScrollHitArrowTwo;
  if (c < layout.thumbStart) return kScrollHitPageBefore;
  if (c < layout.thumbEnd) return kScrollHitThumb;
  return kScrollHitPageAfter;
}

int ScrollPixelToPosition(const ScrollLayout& layout, int c) {
  const ScrollInfo& si = layout.info;
  if (c < layout.track) return si.minimum;
  if (int64_t(c) < int64_t(layout.track) + layout.movable) {
    const int span =
        Wrap(int64_t(si.maximum) - si.minimum - (si.page != 0 ? int64_t(si.page) - 1 : 0));
    return Wrap(int64_t(si.minimum) +
                MulDivRound(span, Wrap(int64_t(c) - layout.track), layout.movable));
  }
  return si.page != 0 ? Wrap(int64_t(si.maximum) - si.page + 1) : si.maximum;
}

ScrollPress ClassifyScrollPress(const ScrollLayout& layout, int c, bool shift) {
  ScrollPress p;
  if (c < layout.e1) {
    p.hit = kScrollHitArrowOne;
    p.code = kScrollLineUp;
    p.rect = ScrollAxisRect(layout, layout.start, layout.e1);
  } else if (c < layout.e2 && c < layout.thumbStart) {
    p.hit = kScrollHitPageBefore;
    p.code = kScrollPageUp;
    p.rect = ScrollAxisRect(layout, layout.e1, layout.thumbStart);
    p.thumbTracking = shift;
  } else if (c < layout.e2 && c < layout.thumbEnd) {
    p.hit = kScrollHitThumb;
    p.rect = ScrollAxisRect(layout, layout.thumbStart, layout.thumbEnd);
    p.thumbTracking = true;
  } else if (c < layout.e2) {
    p.hit = kScrollHitPageAfter;
    p.code = kScrollPageDown;
    p.rect = ScrollAxisRect(layout, layout.thumbEnd, layout.e2);
    p.thumbTracking = shift;
  } else {
    p.hit = kScrollHitArrowTwo;
    p.code = kScrollLineDown;
    p.rect = ScrollAxisRect(layout, layout.e2, layout.end);
  }
  if (p.thumbTracking) p.code = kScrollThumbPosition;
  return p;
}

SkinRect ScrollPressRectNow(const ScrollLayout& layout, const ScrollPress& press) {
  if (press.hit == kScrollHitPageBefore) {
    return ScrollAxisRect(layout, layout.e1, layout.thumbStart);
  }
  if (press.hit == kScrollHitPageAfter) return ScrollAxisRect(layout, layout.thumbEnd, layout.e2);
  return press.rect;
}

bool ScrollCanTrackThumb(const ScrollLayout& layout) {
  return layout.thumbSize < layout.e2 - layout.e1;
}

SkinRect ScrollSnapBackRect(const ScrollLayout& layout, int systemThumbSize) {
  const int across = 8 * (layout.crossEnd - layout.crossStart);
  const int along = 2 * systemThumbSize;
  const SkinRect& b = layout.bar;
  if (layout.vertical) {
    return SkinRect{b.left - across, b.top - along, b.right + across, b.bottom + along};
  }
  return SkinRect{b.left - along, b.top - across, b.right + along, b.bottom + across};
}

ScrollThumbTrack BeginScrollThumbTrack(const ScrollLayout& layout, int c, bool shift,
                                       int systemThumbSize) {
  ScrollThumbTrack t;
  t.snapBack = ScrollSnapBackRect(layout, systemThumbSize);
  t.startThumb = layout.thumbStart;
  t.currentThumb = layout.thumbStart;
  t.lastPosition = layout.info.position;
  t.pressOffset = shift ? -layout.thumbSize / 2 : layout.thumbStart - c;
  return t;
}

int ClampScrollThumbStart(const ScrollLayout& layout, int c) {
  const int64_t last = int64_t(layout.track) + layout.movable;
  if (c > last) c = int(last);
  if (c < layout.track) c = layout.track;
  return c;
}

int ScrollThumbStartForPoint(const ScrollLayout& layout, const ScrollThumbTrack& track, int x,
                             int y) {
  if (!track.snapBack.Contains(x, y)) return track.startThumb;
  return ClampScrollThumbStart(layout,
                               Wrap(int64_t(ScrollAxisCoord(layout, x, y)) + track.pressOffset));
}

void SetScrollThumbStart(ScrollLayout& layout, int c) {
  layout.thumbStart = c;
  layout.thumbEnd = c + layout.thumbSize;
}

// Layout, hit test and tracking arithmetic of a skinned scroll bar. The bar is
// drawn and tracked by the skin, so these numbers decide where each part sits
// and which position a dragged thumb stands for. Coordinates are whatever the
// caller's bar rectangle uses (window or client relative).
#pragma once
#include "skin/skin_geometry.h"

// Hit codes of the bar's parts; 0 is none.
enum ScrollHit {
  kScrollHitNone = 0,
  kScrollHitArrowOne = 60,  // up or left
  kScrollHitArrowTwo = 61,  // down or right
  kScrollHitPageBefore = 62,
  kScrollHitPageAfter = 63,
  kScrollHitThumb = 64,
};

// Scroll codes of the notifications, as the platform numbers them.
enum ScrollCode {
  kScrollLineUp = 0,
  kScrollLineDown = 1,
  kScrollPageUp = 2,
  kScrollPageDown = 3,
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
  kScrollEndScroll = 8,
};

struct ScrollInfo {
  int minimum = 0;
  int maximum = 0;
  int page = 0;
  int position = 0;
};

struct ScrollLayout {
  bool visible = true;
  bool vertical = false;
  SkinRect bar;
  int start = 0;  // along the axis
  int end = 0;
  int crossStart = 0;
  int crossEnd = 0;
  ScrollInfo info;
  int arrow = 0;      // A, after shortening for a short bar
  int e1 = 0;         // end of arrow one
  int e2 = 0;         // start of arrow two
  int track = 0;      // T
  int movable = 0;    // M, how far the thumb start can travel
  int thumbSize = 0;  // K
  int thumbStart = 0;
  int thumbEnd = 0;
};

// Lays the bar out; arrowSize is the theme's arrow height (vertical) or width.
ScrollLayout LayoutScrollBar(const SkinRect& bar, bool vertical, const ScrollInfo& info,
                             int arrowSize);

// The point's coordinate along the bar's axis.
int ScrollAxisCoord(const ScrollLayout& layout, int x, int y);

// A rectangle spanning [from, to) along the axis and the bar's full width across.
SkinRect ScrollAxisRect(const ScrollLayout& layout, int from, int to);

// 60 to 64 for a point on a visible bar, else 0.
int ScrollHitTest(const ScrollLayout& layout, int x, int y);

// The scroll position a thumb starting at c stands for.
int ScrollPixelToPosition(const ScrollLayout& layout, int c);

// What a left press at along-axis coordinate c grabs.
struct ScrollPress {
  int hit = kScrollHitNone;    // 60 to 64
  int code = kScrollLineUp;    // 0 to 3, or 4 for the thumb
  SkinRect rect;               // the pressed part
  bool thumbTracking = false;  // the thumb, or a page area pressed with shift
};
ScrollPress ClassifyScrollPress(const ScrollLayout& layout, int c, bool shift);

// Page areas follow the thumb while held: page-before ends at the thumb's
// start, page-after begins at its end (the layout's current thumb). Other
// parts keep their rectangle.
SkinRect ScrollPressRectNow(const ScrollLayout& layout, const ScrollPress& press);

// False when the thumb fills the whole track, so it cannot be dragged.
bool ScrollCanTrackThumb(const ScrollLayout& layout);

struct ScrollThumbTrack {
  SkinRect snapBack;   // leaving it snaps the thumb back to where it started
  int startThumb = 0;  // thumb start when tracking began
  int currentThumb = 0;
  int lastPosition = 0;  // last position sent
  int pressOffset = 0;   // thumb start minus the press point
};

// The rectangle outside which a dragged thumb jumps back: the bar widened by
// eight bar widths across the axis and by twice the system's thumb size along it.
SkinRect ScrollSnapBackRect(const ScrollLayout& layout, int systemThumbSize);

// State at the start of thumb tracking for a press at c. With shift the thumb
// is centred on the press point.
ScrollThumbTrack BeginScrollThumbTrack(const ScrollLayout& layout, int c, bool shift,
                                       int systemThumbSize);

// Where the thumb should start for the mouse at (x, y): the press offset applied
// and kept on the track inside the snap-back rectangle, the starting place outside.
int ScrollThumbStartForPoint(const ScrollLayout& layout, const ScrollThumbTrack& track, int x,
                             int y);

// Clamps a thumb start to [T, T + M]; T wins when the track has no room.
int ClampScrollThumbStart(const ScrollLayout& layout, int c);

// Moves the thumb to start at c (the end follows by K).
void SetScrollThumbStart(ScrollLayout& layout, int c);

#include <gtest/gtest.h>

#include <climits>

#include "skin/scroll_geometry.h"

namespace {

// A vertical bar 100 pixels long and 17 wide with 17-pixel arrows.
ScrollLayout Bar(int page, int position, int minimum = 0, int maximum = 99) {
  return LayoutScrollBar(SkinRect{0, 0, 17, 100}, true,
                         ScrollInfo{minimum, maximum, page, position}, 17);
}

TEST(MulDivRound, RoundsHalfAwayFromZeroAndFailsLikeThePlatform) {
  EXPECT_EQ(MulDivRound(66, 10, 100), 7);
  EXPECT_EQ(MulDivRound(5, 1, 2), 3);
  EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
  EXPECT_EQ(MulDivRound(5, 1, -2), -3);
  EXPECT_EQ(MulDivRound(-5, -1, -2), -3);
  EXPECT_EQ(MulDivRound(7, 3, 0), -1);
  EXPECT_EQ(MulDivRound(INT_MAX, INT_MAX, INT_MAX), INT_MAX);  // needs 64 bits in between
  EXPECT_EQ(MulDivRound(INT_MAX, 2, 1), -1);
  EXPECT_EQ(MulDivRound(INT_MIN, 1, 1), -1);
}

TEST(ScrollLayout, HundredPixelBar) {
  const ScrollLayout l = Bar(10, 0);
  EXPECT_EQ(l.e1, 17);
  EXPECT_EQ(l.e2, 83);
  EXPECT_EQ(l.track, 17);
  EXPECT_EQ(l.thumbSize, 8);  // MulDiv gives 7, below the minimum of 17 / 2
  EXPECT_EQ(l.movable, 58);
  EXPECT_EQ(l.thumbStart, 17);
  EXPECT_EQ(l.thumbEnd, 25);

  const ScrollLayout end = Bar(10, 90);
  EXPECT_EQ(end.thumbStart, 75);
  EXPECT_EQ(end.thumbEnd, 83);

  // A larger page gives a proportional thumb; no page keeps the arrow size.
  EXPECT_EQ(Bar(50, 0).thumbSize, 33);
  EXPECT_EQ(Bar(0, 0).thumbSize, 17);
  // Offset ranges lay out like zero-based ones.
  EXPECT_EQ(Bar(10, 190, 100, 199).thumbStart, 75);
}

TEST(ScrollLayout, PageCoveringTheRange) {
  const ScrollLayout l = Bar(100, 0);
  EXPECT_EQ(l.thumbSize, 66);
  EXPECT_EQ(l.thumbStart, 16);
  EXPECT_EQ(l.thumbEnd, 82);
  EXPECT_FALSE(ScrollCanTrackThumb(l));
  EXPECT_TRUE(ScrollCanTrackThumb(Bar(99, 0)));
}

TEST(ScrollLayout, ShortBarHasOnlyArrows) {
  const ScrollLayout l =
      LayoutScrollBar(SkinRect{0, 0, 17, 21}, true, ScrollInfo{0, 99, 10, 0}, 17);
  EXPECT_EQ(l.arrow, 10);
  EXPECT_EQ(l.e1, 10);
  EXPECT_EQ(l.e2, 11);
  EXPECT_EQ(ScrollHitTest(l, 5, 9), kScrollHitArrowOne);
  EXPECT_EQ(ScrollHitTest(l, 5, 11), kScrollHitArrowTwo);
  EXPECT_FALSE(ScrollCanTrackThumb(l));
}

TEST(ScrollLayout, HitTestBothAxes) {
  ScrollLayout v = Bar(10, 50);  // thumb 17 + MulDiv(50, 58, 90) = 49 to 57
  ASSERT_EQ(v.thumbStart, 49);
  EXPECT_EQ(ScrollHitTest(v, 8, 16), kScrollHitArrowOne);
  EXPECT_EQ(ScrollHitTest(v, 8, 17), kScrollHitPageBefore);
  EXPECT_EQ(ScrollHitTest(v, 8, 49), kScrollHitThumb);
  EXPECT_EQ(ScrollHitTest(v, 8, 57), kScrollHitPageAfter);
  EXPECT_EQ(ScrollHitTest(v, 8, 83), kScrollHitArrowTwo);
  EXPECT_EQ(ScrollHitTest(v, 8, 100), kScrollHitNone);
  EXPECT_EQ(ScrollHitTest(v, 17, 50), kScrollHitNone);
  v.visible = false;
  EXPECT_EQ(ScrollHitTest(v, 8, 50), kScrollHitNone);

  const ScrollLayout h =
      LayoutScrollBar(SkinRect{10, 200, 110, 217}, false, ScrollInfo{0, 99, 10, 0}, 17);
  EXPECT_EQ(h.e1, 27);
  EXPECT_EQ(h.thumbEnd, 35);
  EXPECT_EQ(ScrollHitTest(h, 30, 205), kScrollHitThumb);
  EXPECT_EQ(ScrollHitTest(h, 30, 199), kScrollHitNone);
  EXPECT_EQ(ScrollAxisRect(h, 27, 35), (SkinRect{27, 200, 35, 217}));
}

TEST(ScrollLayout, PixelToPosition) {
  const ScrollLayout l = Bar(10, 0);
  EXPECT_EQ(ScrollPixelToPosition(l, 17), 0);
  EXPECT_EQ(ScrollPixelToPosition(l, 30), 20);
  EXPECT_EQ(ScrollPixelToPosition(l, 31), 22);  // 90 * 14 / 58 = 21.7 rounds up
  EXPECT_EQ(ScrollPixelToPosition(l, 74), 88);
  EXPECT_EQ(ScrollPixelToPosition(l, 75), 90);  // the last page, not the maximum
  EXPECT_EQ(ScrollPixelToPosition(Bar(0, 0), 200), 99);
  // A thumb dropped anywhere on the track stays there once the position is set.
  for (int c = l.track; c <= l.track + l.movable; ++c) {
    EXPECT_EQ(Bar(10, ScrollPixelToPosition(l, c)).thumbStart, c) << c;
  }
}

TEST(ScrollTracking, PressClassification) {
  const ScrollLayout l = Bar(10, 0);
  ScrollPress p = ClassifyScrollPress(l, 5, false);
  EXPECT_EQ(p.hit, kScrollHitArrowOne);
  EXPECT_EQ(p.code, kScrollLineUp);
  EXPECT_EQ(p.rect, (SkinRect{0, 0, 17, 17}));
  EXPECT_FALSE(p.thumbTracking);

  p = ClassifyScrollPress(l, 20, false);
  EXPECT_EQ(p.hit, kScrollHitThumb);
  EXPECT_EQ(p.code, kScrollThumbPosition);
  EXPECT_TRUE(p.thumbTracking);

  p = ClassifyScrollPress(l, 50, false);
  EXPECT_EQ(p.hit, kScrollHitPageAfter);
  EXPECT_EQ(p.code, kScrollPageDown);
  EXPECT_EQ(p.rect, (SkinRect{0, 25, 17, 83}));

  p = ClassifyScrollPress(l, 90, true);  // shift on an arrow is a plain arrow press
  EXPECT_EQ(p.hit, kScrollHitArrowTwo);
  EXPECT_EQ(p.code, kScrollLineDown);
  EXPECT_EQ(p.rect, (SkinRect{0, 83, 17, 100}));
  EXPECT_FALSE(p.thumbTracking);

  p = ClassifyScrollPress(l, 50, true);
  EXPECT_EQ(p.hit, kScrollHitPageAfter);
  EXPECT_TRUE(p.thumbTracking);

  // Held on the page before the thumb while the thumb moves up towards it.
  const ScrollLayout bottom = Bar(10, 90);
  p = ClassifyScrollPress(bottom, 30, false);
  EXPECT_EQ(p.code, kScrollPageUp);
  EXPECT_EQ(p.rect, (SkinRect{0, 17, 17, 75}));
  EXPECT_EQ(ScrollPressRectNow(Bar(10, 50), p), (SkinRect{0, 17, 17, 49}));
}

TEST(ScrollTracking, ThumbFollowsAndSnapsBack) {
  const ScrollLayout l = Bar(10, 50);  // thumb 49 to 57
  const ScrollThumbTrack t = BeginScrollThumbTrack(l, 52, false, 17);
  EXPECT_EQ(t.pressOffset, -3);
  EXPECT_EQ(t.startThumb, 49);
  EXPECT_EQ(t.lastPosition, 50);
  EXPECT_EQ(t.snapBack, (SkinRect{-136, -34, 153, 134}));

  EXPECT_EQ(ScrollThumbStartForPoint(l, t, 8, 60), 57);
  EXPECT_EQ(ScrollThumbStartForPoint(l, t, 8, 130), 75);  // kept on the track
  EXPECT_EQ(ScrollThumbStartForPoint(l, t, 8, -20), 17);
  EXPECT_EQ(ScrollThumbStartForPoint(l, t, 153, 60), 49);  // too far aside: snaps back
  EXPECT_EQ(ScrollThumbStartForPoint(l, t, 8, 134), 49);

  EXPECT_EQ(BeginScrollThumbTrack(l, 20, true, 17).pressOffset, -4);  // centred on the press

  const ScrollLayout h =
      LayoutScrollBar(SkinRect{0, 0, 100, 10}, false, ScrollInfo{0, 9, 0, 0}, 17);
  EXPECT_EQ(ScrollSnapBackRect(h, 5), (SkinRect{-10, -80, 110, 90}));
}

}  // namespace

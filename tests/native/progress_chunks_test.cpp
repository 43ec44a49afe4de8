#include <gtest/gtest.h>

#include "skin/progress_chunks.h"

namespace {

ProgressBarInput Bar(SkinRect client, SkinRect content, int pos, int chunk, int space) {
  ProgressBarInput in;
  in.client = client;
  in.content = content;
  in.position = pos;
  in.themeChunk = chunk;
  in.themeSpace = space;
  return in;
}

TEST(ProgressChunks, HalfFullBarOfTwoHundred) {
  const auto rects = ProgressChunkRects(Bar({0, 0, 204, 14}, {2, 2, 202, 12}, 50, 10, 2));
  EXPECT_EQ(ProgressChunkCount(100, 10, 2), 9);
  ASSERT_EQ(rects.size(), 9u);
  EXPECT_EQ(rects[0], (SkinRect{2, 2, 12, 12}));
  EXPECT_EQ(rects[8], (SkinRect{98, 2, 108, 12}));
}

TEST(ProgressChunks, FarEdgeStopsAndTrims) {
  // Full bar: the ninth chunk would touch R's right edge and ends a pixel early.
  auto rects = ProgressChunkRects(Bar({0, 0, 100, 10}, {0, 0, 100, 10}, 100, 10, 2));
  ASSERT_EQ(rects.size(), 9u);
  EXPECT_EQ(rects[8], (SkinRect{96, 0, 99, 10}));
  // Content wider than the client: chunks past R's edge are not drawn.
  rects = ProgressChunkRects(Bar({0, 0, 100, 10}, {0, 0, 130, 10}, 100, 10, 2));
  EXPECT_EQ(ProgressChunkCount(130, 10, 2), 11);
  EXPECT_EQ(rects.size(), 9u);

  // Vertical: chunks grow up from the bottom; the one reaching the top starts below it.
  ProgressBarInput v = Bar({0, 0, 14, 50}, {0, 0, 14, 50}, 100, 10, 2);
  v.vertical = true;
  rects = ProgressChunkRects(v);
  ASSERT_EQ(rects.size(), 5u);
  EXPECT_EQ(rects[0], (SkinRect{0, 40, 14, 50}));
  EXPECT_EQ(rects[4], (SkinRect{0, 1, 14, 2}));
}

TEST(ProgressChunks, ContinuousBar) {
  auto rects = ProgressChunkRects(Bar({0, 0, 204, 14}, {2, 2, 202, 12}, 25, 1, 0));
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], (SkinRect{2, 2, 52, 12}));
  EXPECT_EQ(ProgressChunkRects(Bar({0, 0, 204, 14}, {2, 2, 202, 12}, 25, 0, 0)).size(), 1u);

  ProgressBarInput v = Bar({0, 0, 14, 104}, {2, 2, 12, 102}, 30, 1, 0);
  v.vertical = true;
  rects = ProgressChunkRects(v);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], (SkinRect{2, 72, 12, 102}));

  // Size 0 with a space is not continuous: chunks of one pixel.
  rects = ProgressChunkRects(Bar({0, 0, 100, 10}, {0, 0, 100, 10}, 5, 0, 1));
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[2], (SkinRect{4, 0, 5, 10}));
}

TEST(ProgressChunks, NothingFilled) {
  ProgressBarInput in = Bar({0, 0, 100, 10}, {0, 0, 100, 10}, 20, 10, 2);
  in.low = 20;
  in.high = 80;
  EXPECT_TRUE(ProgressChunkRects(in).empty());
  in.themeChunk = 1;
  in.themeSpace = 0;
  EXPECT_TRUE(ProgressChunkRects(in).empty());
  in.high = 20;  // empty range: MulDiv fails with -1
  EXPECT_TRUE(ProgressChunkRects(in).empty());
}

TEST(ProgressChunks, DefaultSizes) {
  EXPECT_EQ(ProgressDefaultChunkSize({0, 0, 200, 15}, false), 10);
  EXPECT_EQ(ProgressDefaultChunkSize({0, 0, 16, 200}, true), 10);
  ProgressBarInput in = Bar({0, 0, 100, 15}, {0, 0, 100, 15}, 100, 0, 0);
  in.themeChunk.reset();
  in.themeSpace.reset();
  const auto rects = ProgressChunkRects(in);  // L 10, S 2
  ASSERT_GE(rects.size(), 2u);
  EXPECT_EQ(rects[1], (SkinRect{12, 0, 22, 15}));
}

TEST(ProgressMarquee, ChunksWrapAndStep) {
  const auto rects = MarqueeChunkRects({0, 0, 100, 12}, 80, 10, 2);
  ASSERT_EQ(rects.size(), 5u);
  EXPECT_EQ(rects[0], (SkinRect{80, 0, 90, 12}));
  EXPECT_EQ(rects[1], (SkinRect{92, 0, 100, 12}));
  EXPECT_EQ(rects[2], (SkinRect{0, 0, 10, 12}));
  EXPECT_EQ(rects[4], (SkinRect{24, 0, 34, 12}));
  EXPECT_EQ(MarqueeChunkRects({0, 0, 100, 12}, 0, {}, {})[1].left, 10);  // 8 wide, 2 apart

  const SkinRect client{0, 0, 100, 15};  // step chunk (30 - 12) / 3 = 6
  EXPECT_EQ(AdvanceMarquee(0, 1, client, {}, {}), 8);
  EXPECT_EQ(AdvanceMarquee(0, 2, client, {}, {}), 16);
  EXPECT_EQ(AdvanceMarquee(92, 1, client, {}, {}), 100);
  EXPECT_EQ(AdvanceMarquee(96, 1, client, {}, {}), 0);
  EXPECT_EQ(AdvanceMarquee(0, 1, client, 10, 0), 10);
  EXPECT_EQ(MarqueeStepsPerTick(50), 2);
  EXPECT_EQ(MarqueeStepsPerTick(51), 1);
}

}  // namespace

// The wizard's page sequence, its button rules and the page rectangle,
// without a window.
#include <gtest/gtest.h>

#include "app/wizard_rules.h"

namespace {

TEST(WizardRules, EachPageEnablesItsButtons) {
  EXPECT_EQ(EnabledButtons(kTaskPage), kBtnNext);
  EXPECT_EQ(EnabledButtons(kInputPage), kBtnPrev | kBtnNext);
  EXPECT_EQ(EnabledButtons(kOutputPage), kBtnPrev | kBtnNext);
  EXPECT_EQ(EnabledButtons(kConvertingPage), 0);
  EXPECT_EQ(EnabledButtons(kResultPage), kBtnSaveLog | kBtnPrev | kBtnRepeat);
  for (int page : {-1, int(kPageCount), 99}) EXPECT_EQ(EnabledButtons(page), 0) << page;
}

TEST(WizardRules, NextAndPrevLeadWhereTheSequenceGoes) {
  const int next[kPageCount] = {kInputPage, kOutputPage, kConvertingPage, -1, -1};
  // From the result page back to the settings, for a new run over the same files.
  const int prev[kPageCount] = {-1, kTaskPage, kInputPage, -1, kOutputPage};
  for (int page = 0; page < kPageCount; ++page) {
    EXPECT_EQ(NextPageOf(page), next[page]) << page;
    EXPECT_EQ(PrevPageOf(page), prev[page]) << page;
  }
  for (int page : {-1, int(kPageCount)}) {
    EXPECT_EQ(NextPageOf(page), -1) << page;
    EXPECT_EQ(PrevPageOf(page), -1) << page;
  }
}

// A button is enabled exactly where it leads somewhere: a rule changed on one
// side only would leave a dead button or an unreachable step.
TEST(WizardRules, EnabledNavigationButtonsAreTheOnesThatMove) {
  for (int page = 0; page < kPageCount; ++page) {
    const int enabled = EnabledButtons(page);
    EXPECT_EQ((enabled & kBtnNext) != 0, NextPageOf(page) >= 0) << page;
    EXPECT_EQ((enabled & kBtnPrev) != 0, PrevPageOf(page) >= 0) << page;
  }
  // From the task page, Next alone walks up to the converting page, which only
  // the end of the run leaves.
  int page = kTaskPage, steps = 0;
  while (NextPageOf(page) >= 0 && steps < 10) page = NextPageOf(page), ++steps;
  EXPECT_EQ(page, kConvertingPage);
  EXPECT_EQ(steps, 3);
}

TEST(WizardRules, PageRectangleFromTheFrameAndTheMetrics) {
  // Window at (100, 50); frame 150 pixels right and 40 below its top-left
  // corner; caption 18, edges 2.
  const PixelRect window{100, 50, 700, 450};
  const PixelRect frame{250, 90, 640, 400};
  const PixelRect r = ComputePageRect(window, frame, 18, 2, 2);
  EXPECT_EQ(r.left, 149);  // 150 - 2 * 2 + 3
  EXPECT_EQ(r.top, 27);    // 40 - (18 + 2) + 7
  EXPECT_EQ(r.right, 540 - 4 - 3);
  EXPECT_EQ(r.bottom, 350 - 20 - 3);
  // The horizontal edge counts twice on both sides, the vertical one once.
  const PixelRect wide = ComputePageRect(window, frame, 18, 5, 2);
  EXPECT_EQ(r.left - wide.left, 6);
  EXPECT_EQ(r.right - wide.right, 6);
  const PixelRect tall = ComputePageRect(window, frame, 30, 2, 4);
  EXPECT_EQ(r.top - tall.top, 14);
  EXPECT_EQ(r.bottom - tall.bottom, 14);
}

}  // namespace

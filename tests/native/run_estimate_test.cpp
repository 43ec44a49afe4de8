#include <gtest/gtest.h>

#include <cmath>

#include "convert/run_estimate.h"

namespace {

// A run of `files` files of `duration` seconds each, encoded at `speed` times
// real time, looked at once a second; the estimate at `at` seconds.
RunEstimate::View Simulate(RunEstimate& e, int files, double duration, double speed, double at) {
  e.Begin(files, 0);
  const double perFile = duration / speed;
  RunEstimate::View view;
  for (double t = 0; t <= at; t += 1) {
    const int file = std::min(files - 1, int(t / perFile));
    for (int done = 0; done < file; ++done) e.FileDone(done, t);
    e.FileStarted(file, t);
    e.FileDuration(file, duration);
    e.FileProgress(file, (t - file * perFile) / perFile, t);
    view = e.Look(t);
  }
  return view;
}

}  // namespace

TEST(RunEstimate, SaysNothingDuringTheWarmUpThenTellsTheRest) {
  RunEstimate e;
  e.Begin(4, 100);
  e.FileStarted(0, 100);
  e.FileDuration(0, 60);
  e.FileProgress(0, 0.5, 101);
  // Progress, but too soon.
  EXPECT_FALSE(e.Look(101).known);
  // Time, but no progress yet.
  RunEstimate idle;
  idle.Begin(4, 0);
  idle.FileStarted(0, 0);
  EXPECT_FALSE(idle.Look(5).known);

  const RunEstimate::View view = Simulate(e, 4, 60, 2, 60);
  ASSERT_TRUE(view.known);
  // Two of four files done after 60 s: about 60 s left, 2x real time.
  EXPECT_NEAR(view.remaining, 60, 6);
  EXPECT_NEAR(view.speed, 2, 0.1);
  EXPECT_NEAR(e.Share(), 0.5, 0.02);
}

TEST(RunEstimate, FilesWeighByPlayTimeAndUnknownOnesByTheAverage) {
  RunEstimate e;
  e.Begin(3, 0);
  e.FileDuration(0, 10);
  e.FileDone(0, 1);
  e.FileDuration(1, 30);
  e.FileProgress(1, 0.5, 2);
  // 10 + 15 of 10 + 30 + 20 (the third weighs the average so far).
  EXPECT_NEAR(e.Share(), 25.0 / 60, 1e-9);

  // Files without any play time weigh the same; the share never leaves 0..1.
  RunEstimate none;
  none.Begin(4, 0);
  none.FileDone(0, 1);
  none.FileProgress(1, 7, 2);
  none.FileProgress(2, -3, 2);
  none.FileProgress(3, NAN, 2);
  none.FileDuration(3, INFINITY);
  none.FileDuration(3, -5);
  EXPECT_NEAR(none.Share(), 0.5, 1e-9);
  const RunEstimate::View view = none.Look(10);
  EXPECT_TRUE(view.known);
  EXPECT_FALSE(view.hasSpeed);
  EXPECT_TRUE(std::isfinite(view.remaining));
  EXPECT_GE(view.remaining, 0);

  // Indexes out of the run are ignored.
  none.FileDone(-1, 3);
  none.FileDone(4, 3);
  EXPECT_NEAR(none.Share(), 0.5, 1e-9);
  RunEstimate empty;
  empty.Begin(0, 0);
  EXPECT_EQ(empty.Share(), 0);
  EXPECT_FALSE(empty.Look(100).known);
}

TEST(RunEstimate, ASilentEncoderMakesTheTimeLeftUnknown) {
  RunEstimate e;
  Simulate(e, 4, 60, 2, 40);
  ASSERT_TRUE(e.Look(41).known);
  // Nothing moves from 40 s on.
  EXPECT_TRUE(e.Look(40 + RunEstimate::kStallSeconds).known);
  EXPECT_FALSE(e.Look(41 + RunEstimate::kStallSeconds).known);
  e.FileProgress(1, 0.9, 60);
  EXPECT_TRUE(e.Look(61).known);
}

TEST(RunEstimate, ASlowerFileMovesTheNumberSmoothly) {
  RunEstimate e;
  Simulate(e, 4, 60, 2, 45);
  double last = e.Look(46).remaining;
  EXPECT_NEAR(last, 74, 3);
  // The second file slows to a crawl: the time left climbs second by second,
  // never all the way at once.
  for (double t = 47; t < 70; t += 1) {
    e.FileProgress(1, 0.5 + (t - 46) * 0.01, t);
    const RunEstimate::View view = e.Look(t);
    ASSERT_TRUE(view.known);
    EXPECT_GT(view.remaining, last - 1);
    EXPECT_LT(view.remaining, last * 1.5) << t;
    last = view.remaining;
  }
  EXPECT_GT(last, 100);
}

TEST(RunEstimate, ASlowStartFadesFromThePace) {
  // The first ten seconds bring nothing (the encoder starts slowly), then the
  // files go at 2x: the time left follows the later pace.
  RunEstimate e;
  e.Begin(4, 0);
  RunEstimate::View view;
  for (double t = 0; t <= 70; t += 1) {
    const double going = std::max(0.0, t - 10);
    const int file = std::min(3, int(going / 30));
    for (int done = 0; done < file; ++done) e.FileDone(done, t);
    e.FileDuration(file, 60);
    e.FileProgress(file, (going - file * 30) / 30, t);
    view = e.Look(t);
  }
  // 60 s of work done by 70 s: 60 s to go at the later pace, 70 by the whole run's.
  ASSERT_TRUE(view.known);
  EXPECT_NEAR(view.remaining, 60, 4);
}

TEST(RunEstimate, TextsTellTheClockAndUnknown) {
  EXPECT_EQ(ClockText(42), u"0:42");
  EXPECT_EQ(ClockText(70.4), u"1:10");
  EXPECT_EQ(ClockText(3723), u"1:02:03");
  EXPECT_EQ(ClockText(-5), u"0:00");
  EXPECT_EQ(ClockText(INFINITY), u"0:00");
  EXPECT_EQ(ClockText(NAN), u"0:00");
  EXPECT_EQ(ClockText(1e30), u"99:59:59");

  RunEstimate::View view;
  view.elapsed = 42;
  view.known = true;
  view.remaining = 70;
  view.hasSpeed = true;
  view.speed = 3.21;
  EstimateTexts texts;
  EXPECT_EQ(EstimateText(view, texts), u"Elapsed 0:42 - about 1:10 left - 3.2x real time");
  view.known = false;
  view.hasSpeed = false;
  EXPECT_EQ(EstimateText(view, texts), u"Elapsed 0:42 - time left unknown");

  LanguageTexts pack = {{u"9141-3", u"Restzeit unbekannt"},
                        {u"9141-1", u""},
                        {u"9141-4", u"%1x Echtzeit"},
                        {u"9144-1", u","}};
  const EstimateTexts german = TranslatedTexts(EstimateTextKeys(), pack);
  EXPECT_EQ(EstimateText(view, german), u"Elapsed 0:42 - Restzeit unbekannt");
  // The speed as the pack writes numbers.
  view.hasSpeed = true;
  EXPECT_EQ(EstimateText(view, german), u"Elapsed 0:42 - Restzeit unbekannt - 3,2x Echtzeit");
}

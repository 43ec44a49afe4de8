// How much knowing every file's play time from the start helps the time left:
// the same simulated run of 10 files of unequal lengths, estimated once with
// each file's play time told only when its encoder starts (as when nothing
// was looked at before the run) and once with all of them told at the start
// (as when the files were looked at when added). The time left shown is set
// beside the real time left when 10 % and 50 % of the run's time has passed.
// Usage: bench_estimate_known
#include <cmath>
#include <cstdio>

#include "convert/run_estimate.h"

namespace {

// Play times in seconds, and how fast the encoder converts them.
constexpr double kPlay[] = {30, 600, 45, 20, 1200, 90, 15, 300, 60, 240};
constexpr int kFiles = int(sizeof kPlay / sizeof kPlay[0]);
constexpr double kTimesRealTime = 8;
constexpr double kStartSeconds = 1;  // each encoder's start before it moves
constexpr double kStep = 0.25;       // the clock's tick; the page looks once a second

struct Reading {
  double shown = -1;  // -1 while the page shows no time left
  double real = 0;
};

// Runs the simulated batch; the readings when `marks` of its time have passed.
void Simulate(bool knownAtStart, const double (&marks)[2], Reading (&readings)[2]) {
  double total = 0;
  for (double play : kPlay) total += kStartSeconds + play / kTimesRealTime;
  RunEstimate estimate;
  estimate.Begin(kFiles, 0);
  if (knownAtStart)
    for (int i = 0; i < kFiles; ++i) estimate.FileDuration(i, kPlay[i]);
  double now = 0, lookedAt = -1, shown = -1;
  int next = 0;
  for (int i = 0; i < kFiles; ++i) {
    estimate.FileStarted(i, now);
    const double end = now + kStartSeconds + kPlay[i] / kTimesRealTime;
    const double moving = now + kStartSeconds;
    bool told = knownAtStart;
    for (; now < end; now += kStep) {
      if (now >= moving) {
        // The encoder prints the play time first, then its progress.
        if (!told) estimate.FileDuration(i, kPlay[i]);
        told = true;
        estimate.FileProgress(i, (now - moving) * kTimesRealTime / kPlay[i], now);
      }
      if (now - lookedAt >= 1) {
        lookedAt = now;
        const RunEstimate::View view = estimate.Look(now);
        shown = view.known ? view.remaining : -1;
      }
      while (next < 2 && now >= marks[next] * total) {
        readings[next].shown = shown;
        readings[next].real = total - now;
        ++next;
      }
    }
    estimate.FileDone(i, now);
  }
}

}  // namespace

int main() {
  const double marks[2] = {0.10, 0.50};
  std::printf("10 files of unequal lengths (%g to %g s of play), %gx real time:\n", 15.0, 1200.0,
              kTimesRealTime);
  for (bool known : {false, true}) {
    Reading readings[2];
    Simulate(known, marks, readings);
    std::printf("  play times %s:\n", known ? "known from the start" : "told as each file starts");
    for (int i = 0; i < 2; ++i) {
      const Reading& r = readings[i];
      if (r.shown < 0)
        std::printf("    at %2.0f %% of the time: shown unknown, real %.0f s\n", marks[i] * 100,
                    r.real);
      else
        std::printf("    at %2.0f %% of the time: shown %.0f s, real %.0f s, off by %.0f %%\n",
                    marks[i] * 100, r.shown, r.real, 100 * std::fabs(r.shown - r.real) / r.real);
    }
  }
  return 0;
}

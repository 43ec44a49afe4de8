// How far a whole run has come and how long the rest will take. Each file
// weighs its play time (the encoder's "Duration:" line) where known, else the
// average of the play times seen so far; the time left follows from the pace
// of the recent past (a start-up slower than the rest fades out of it),
// smoothed so that it does not jump, and is unknown during the warm-up and
// while the encoder shows no progress.
#pragma once
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "app/number_text.h"
#include "convert/result_text.h"

class RunEstimate {
 public:
  // Before the time left is told: this long, and this share of the run done.
  static constexpr double kWarmUpSeconds = 5;
  static constexpr double kWarmUpShare = 0.05;
  // Without any progress for this long the time left is unknown again.
  static constexpr double kStallSeconds = 10;
  // How much of a new reading goes into the shown time left.
  static constexpr double kSmoothing = 0.3;
  // The pace is taken over the last half of the run so far since its first
  // progress, at least this long.
  static constexpr double kMinWindowSeconds = 10;

  // Files are counted in the run's order, 0 on.
  void Begin(int files, double now);
  void FileStarted(int file, double now);
  // Play time in seconds; 0 or less for none.
  void FileDuration(int file, double seconds);
  // The file's own share done, 0 to 1.
  void FileProgress(int file, double share, double now);
  // Whatever its outcome, the file weighs as done.
  void FileDone(int file, double now);

  // The run's share done, 0 to 1.
  double Share() const;

  struct View {
    double elapsed = 0;
    bool known = false;     // whether `remaining` is worth showing
    double remaining = 0;   // seconds, smoothed
    bool hasSpeed = false;  // whether play times were seen
    double speed = 0;       // seconds of play time per second
  };
  // What to show at `now`; each call takes a new reading into the smoothing,
  // so call it at most once a second.
  View Look(double now);

 private:
  struct File {
    double duration = 0;
    double share = 0;
    bool seen = false;
  };
  bool Valid(int file) const { return file >= 0 && size_t(file) < m_files.size(); }
  void Moved(double now);
  // Seconds left at the pace of the recent past, from this look's share.
  double Reading(double now, double share);

  std::vector<File> m_files;
  double m_start = 0;
  double m_lastMove = 0;
  bool m_smoothed = false;
  double m_remaining = 0;
  double m_lookedAt = 0;
  std::deque<std::pair<double, double>> m_looks;  // time and share of each look
};

// The words of the estimate line; English built in, a language pack replaces
// them by key ("9141-1" on).
struct EstimateTexts {
  std::u16string elapsed = u"Elapsed %1";
  std::u16string left = u"about %1 left";
  std::u16string unknown = u"time left unknown";
  std::u16string speed = u"%1x real time";
  // The speed's decimal mark, the pack's own for numbers.
  std::u16string decimalMark = u".";
};
const std::vector<TextKey<EstimateTexts>>& EstimateTextKeys();

// "0:42", "1:10", "1:02:03"; negative or not finite gives "0:00".
std::u16string ClockText(double seconds);
// "Elapsed 0:42 - about 1:10 left - 3.2x real time".
std::u16string EstimateText(const RunEstimate::View& view, const EstimateTexts& texts);

#include "convert/run_estimate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "convert/result_text.h"

namespace {

double Clamped(double share) {
  if (!(share > 0)) return 0;  // NaN too
  return std::min(share, 1.0);
}

}  // namespace

void RunEstimate::Begin(int files, double now) {
  *this = RunEstimate();
  m_files.resize(size_t(std::max(files, 0)));
  m_start = m_lastMove = m_lookedAt = now;
}

void RunEstimate::Moved(double now) {
  m_lastMove = std::max(m_lastMove, now);
}

void RunEstimate::FileStarted(int file, double now) {
  if (!Valid(file)) return;
  m_files[size_t(file)].seen = true;
  Moved(now);
}

void RunEstimate::FileDuration(int file, double seconds) {
  if (!Valid(file) || !(seconds > 0) || !std::isfinite(seconds)) return;
  m_files[size_t(file)].duration = seconds;
  m_files[size_t(file)].seen = true;
}

void RunEstimate::FileProgress(int file, double share, double now) {
  if (!Valid(file)) return;
  File& f = m_files[size_t(file)];
  const double clamped = Clamped(share);
  if (clamped > f.share) Moved(now);
  f.share = std::max(f.share, clamped);
  f.seen = true;
}

void RunEstimate::FileDone(int file, double now) {
  if (!Valid(file)) return;
  m_files[size_t(file)].share = 1;
  m_files[size_t(file)].seen = true;
  Moved(now);
}

double RunEstimate::Share() const {
  double known = 0;
  int counted = 0;
  for (const File& f : m_files)
    if (f.duration > 0) {
      known += f.duration;
      ++counted;
    }
  // Without any play time every file weighs the same.
  const double average = counted > 0 ? known / counted : 1;
  double total = 0, done = 0;
  for (const File& f : m_files) {
    const double weight = f.duration > 0 ? f.duration : average;
    total += weight;
    done += weight * f.share;
  }
  return total > 0 ? Clamped(done / total) : 0;
}

RunEstimate::View RunEstimate::Look(double now) {
  View view;
  view.elapsed = std::max(0.0, now - m_start);
  double played = 0;
  for (const File& f : m_files) played += f.duration * f.share;
  if (played > 0 && view.elapsed > 0) {
    view.hasSpeed = true;
    view.speed = played / view.elapsed;
  }

  const double share = Share();
  const bool warm = view.elapsed >= kWarmUpSeconds && share >= kWarmUpShare;
  const bool moving = now - m_lastMove <= kStallSeconds;
  if (!warm || share >= 1) {
    m_smoothed = false;
  } else {
    const double reading = Reading(now, share);
    if (!m_smoothed) {
      m_remaining = reading;
      m_smoothed = true;
    } else {
      // Where the last shown number would be by now, pulled towards the reading.
      const double carried = std::max(0.0, m_remaining - std::max(0.0, now - m_lookedAt));
      m_remaining = carried + kSmoothing * (reading - carried);
    }
    view.known = moving;
    view.remaining = std::max(0.0, m_remaining);
  }
  m_lookedAt = now;
  // The wait for the first progress (the encoder's start) says nothing of the pace.
  if (share > 0) m_looks.emplace_back(now, share);
  return view;
}

double RunEstimate::Reading(double now, double share) {
  const double window = std::max(kMinWindowSeconds, (now - m_start) / 2);
  // Keep one look at or before the window's start.
  while (m_looks.size() > 1 && m_looks[1].first <= now - window) m_looks.pop_front();
  if (!m_looks.empty()) {
    const double seconds = now - m_looks.front().first, done = share - m_looks.front().second;
    if (seconds > 0 && done > 0) return (1 - share) * seconds / done;
  }
  // No pace of late: the whole run's.
  return (now - m_start) * (1 - share) / share;
}

const std::vector<TextKey<EstimateTexts>>& EstimateTextKeys() {
  static const std::vector<TextKey<EstimateTexts>> keys = {
      {&EstimateTexts::elapsed, u"9141-1"},     {&EstimateTexts::left, u"9141-2"},
      {&EstimateTexts::unknown, u"9141-3"},     {&EstimateTexts::speed, u"9141-4"},
      {&EstimateTexts::decimalMark, u"9144-1"},  // as NumberTexts::decimalMark
  };
  return keys;
}

std::u16string ClockText(double seconds) {
  if (!(seconds > 0) || !std::isfinite(seconds)) seconds = 0;
  // Beyond 99 hours nobody reads the digits.
  const long long whole = static_cast<long long>(std::min(seconds + 0.5, 99.0 * 3600 + 3599));
  char text[32];
  if (whole >= 3600)
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                  whole % 60);
  else
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
  return AsciiText(text);
}

std::u16string EstimateText(const RunEstimate::View& view, const EstimateTexts& texts) {
  std::u16string text = FillIn(texts.elapsed, {ClockText(view.elapsed)}) + u" - ";
  text += view.known ? FillIn(texts.left, {ClockText(view.remaining)}) : texts.unknown;
  if (view.hasSpeed && std::isfinite(view.speed) && view.speed < 1000) {
    NumberTexts numbers;
    numbers.decimalMark = texts.decimalMark;
    text += u" - " + FillIn(texts.speed, {FractionText(view.speed, 1, numbers)});
  }
  return text;
}

#include "convert/progress_parser.h"

#include <algorithm>

namespace {

// Far beyond any real play time, and small enough that the arithmetic below
// stays defined for any digits an encoder (or garbage) prints.
constexpr long long kMagnitudeCap = 1000000000000LL;

bool IsBlank(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r');
}
bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Reads text[pos, end) the way atol reads a string: blanks, an optional sign,
// then digits up to the first non-digit; no digits give 0.
long long ReadLong(const std::u16string& text, size_t pos, size_t end) {
  end = std::min(end, text.size());
  while (pos < end && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) negative = text[pos++] == u'-';
  long long value = 0;
  for (; pos < end && IsDigit(text[pos]); ++pos)
    value = std::min(value * 10 + (text[pos] - u'0'), kMagnitudeCap);
  return negative ? -value : value;
}

// A clock H:MM:SS(.fraction), optionally signed and surrounded by blanks, in
// whole seconds. False when the text has any other form.
bool ReadClock(const std::u16string& text, double& seconds) {
  const size_t n = text.size();
  size_t i = 0;
  while (i < n && IsBlank(text[i])) ++i;
  const bool negative = i < n && text[i] == u'-';
  if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
  const size_t hoursAt = i;
  while (i < n && IsDigit(text[i])) ++i;
  if (i == hoursAt) return false;
  const long long hours = ReadLong(text, hoursAt, i);
  long long minSec[2] = {0, 0};
  for (long long& field : minSec) {
    if (i + 3 > n || text[i] != u':' || !IsDigit(text[i + 1]) || !IsDigit(text[i + 2]))
      return false;
    field = (text[i + 1] - u'0') * 10 + (text[i + 2] - u'0');
    i += 3;
  }
  if (i < n && text[i] == u'.') {
    ++i;
    while (i < n && IsDigit(text[i])) ++i;
  }
  while (i < n && IsBlank(text[i])) ++i;
  if (i != n) return false;
  const double whole = hours * 3600.0 + minSec[0] * 60.0 + minSec[1];
  seconds = negative ? -whole : whole;
  return true;
}

double ReadElapsedSeconds(const std::u16string& field) {
  double seconds = 0;
  if (ReadClock(field, seconds)) return seconds;
  return static_cast<double>(ReadLong(field, 0, field.size()));
}

}  // namespace

void EncoderProgress::Reset() {
  m_dDuration = 0;
  m_nPercent = 0;
}

bool EncoderProgress::Feed(const std::u16string& chunk, int& percent) {
  if (m_dDuration == 0) {
    const size_t p = chunk.find(u"Duration:");
    if (p != std::u16string::npos) {
      const double duration = ReadLong(chunk, p + 10, p + 12) * 3600.0 +
                              ReadLong(chunk, p + 13, p + 15) * 60.0 +
                              ReadLong(chunk, p + 16, p + 18);
      // A signed reading is as unusable as "N/A": keep looking in later chunks.
      if (duration > 0) m_dDuration = duration;
    }
    if (m_dDuration == 0) return false;
  }

  const size_t p = chunk.find(u"time=");
  if (p == std::u16string::npos) return false;
  const size_t q = chunk.find(u"bitrate=", p + 5);
  if (q == std::u16string::npos) return false;

  const double elapsed = ReadElapsedSeconds(chunk.substr(p + 5, q - p - 5));
  const double share = elapsed * 100.0 / m_dDuration;
  // Past the end shows 99 rather than a number above 100; before the start
  // (a negative clock at the first frames) shows 0.
  if (share >= 101.0)
    m_nPercent = 99;
  else if (share < 0)
    m_nPercent = 0;
  else
    m_nPercent = static_cast<int>(share);
  percent = m_nPercent;
  return true;
}

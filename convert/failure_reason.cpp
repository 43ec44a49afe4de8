#include "convert/failure_reason.h"

#include <algorithm>

namespace {

// Lines that name the cause itself.
const char16_t* const kCauses[] = {
    u"No such file or directory",
    u"Invalid data found when processing input",
    u"Unknown encoder",
    u"Unknown decoder",
    u"Permission denied",
    u"No space left on device",
    u"does not contain any stream",
    u"Invalid argument",
    u"Unrecognized option",
    u"Unable to find a suitable output format",
    u"Output file #0 does not contain any stream",
    u"Error while opening encoder",
    u"Could not open",
    u"could not find codec",
    u"moov atom not found",
    u"Unknown/unsupported AVCodecID",
    u"Decoder (codec",
    u"End of file",
};

// Lines that only say that something failed; the cause is usually above.
// Any other line that speaks of an error or a failure ranks between them.
const char16_t* const kGeneric[] = {
    u"Conversion failed!",
    u"Output file is empty, nothing was encoded",
};

// The banner and the progress say nothing about a failure.
bool IsNoise(const std::u16string& line) {
  if (line.empty() || line[0] == u' ' || line[0] == u'\t') return true;
  return StartsWith(line, u"ffmpeg version") || StartsWith(line, u"built with") ||
         StartsWith(line, u"configuration:") || StartsWith(line, u"Input #") ||
         StartsWith(line, u"Output #") || StartsWith(line, u"Stream mapping:") ||
         StartsWith(line, u"Press [q]") || StartsWith(line, u"frame=") ||
         StartsWith(line, u"size=") || StartsWith(line, u"video:") ||
         StartsWith(line, u"Duration:") || StartsWith(line, u"Metadata:") ||
         Contains(line, u"time=");
}

int Score(const std::u16string& line) {
  if (IsNoise(line)) return 0;
  for (const char16_t* cause : kCauses)
    if (Contains(line, cause)) return 4;
  for (const char16_t* generic : kGeneric)
    if (StartsWith(line, generic)) return 1;
  if (Contains(line, u"rror") || Contains(line, u"ailed") || Contains(line, u"nvalid")) return 3;
  // Other lines (notes, guesses, warnings) would mislead more than no reason.
  return 0;
}

}  // namespace

void TellingLineWatch::Reset() {
  *this = TellingLineWatch();
}

void TellingLineWatch::Feed(const std::u16string& chunk) {
  FeedLines(m_line, chunk, kMaxReasonLine, [this](const std::u16string& line) { Judge(line); });
}

// The first line of the best kind wins: later ones tend to be consequences.
void TellingLineWatch::Judge(const std::u16string& line) {
  const int score = Score(line);
  if (score > m_bestScore) {
    m_bestScore = score;
    m_best = line;
  }
}

std::u16string TellingLineWatch::Line() const {
  if (!m_line.empty() && Score(m_line) > m_bestScore) return m_line;
  return m_best;
}

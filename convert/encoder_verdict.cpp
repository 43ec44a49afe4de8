#include "convert/encoder_verdict.h"

namespace {

// Enough of any line to tell it, and to show it.
constexpr size_t kMaxLine = 512;

// How the encoder's fatal lines begin, as its build prints them on bad input,
// a full disk or an output it may not write.
const char16_t* const kFatalLines[] = {
    u"Conversion failed!",
    u"Error writing trailer of ",
    u"av_interleaved_write_frame(): ",
    u"Could not write header for output file ",
    u"Error initializing output stream ",
    u"Output file is empty, nothing was encoded",
};

bool IsFatal(const std::u16string& line) {
  for (const char16_t* start : kFatalLines)
    if (line.compare(0, std::char_traits<char16_t>::length(start), start) == 0) return true;
  return false;
}

}  // namespace

void FatalLineWatch::Reset() {
  m_line.clear();
  m_fatal.clear();
}

void FatalLineWatch::Feed(const std::u16string& chunk) {
  FeedLines(m_line, chunk, kMaxLine, [this](const std::u16string& line) {
    if (m_fatal.empty() && IsFatal(line)) m_fatal = line;
  });
}

std::u16string FatalLineWatch::FatalLine() const {
  if (m_fatal.empty() && IsFatal(m_line)) return m_line;
  return m_fatal;
}

FailReason JudgeEncoder(const std::u16string& fatalLine, unsigned long exitCode,
                        bool outputNonEmpty) {
  if (!fatalLine.empty()) return FailReason::FatalLine;
  if (exitCode != 0) return FailReason::ExitCode;
  if (!outputNonEmpty) return FailReason::NoOutput;
  return FailReason::None;
}

// How the end of one encoder run is judged: the lines the encoder prints when
// its output is broken (it may exit with 0 all the same), its exit code, and
// the file it left behind.
#pragma once
#include <string>

// Why a file of a run did not succeed; kept with the run's records.
enum class FailReason {
  None,
  OutputIsAnInput,   // the output would have been written over a file of the run
  InputGone,         // the input was no longer there when its turn came
  PathTooLong,       // a name in the output path, or the command line, is too long
  FolderNotCreated,  // the output's folder could not be created
  FatalLine,         // the encoder said that its output is broken
  ExitCode,          // the encoder ended with a code other than 0
  NoOutput,          // no output file, or an empty one
  NotReached,        // the run ended before it came to the file
  Unreadable,        // the input was found unreadable before its turn, and has not changed
};

// The longest line a reason keeps: long enough for a path and its complaint,
// short enough for one row.
constexpr size_t kMaxReasonLine = 300;

// How the encoder's lines are read for a reason.
inline bool Contains(const std::u16string& line, const char16_t* part) {
  return line.find(part) != std::u16string::npos;
}
inline bool StartsWith(const std::u16string& line, const char16_t* start) {
  return line.compare(0, std::char_traits<char16_t>::length(start), start) == 0;
}

// Splits an encoder's text into lines across chunks: `line` keeps the part
// not yet ended (at most `maxLine` characters of it), `onLine` gets each line
// as it ends.
template <class OnLine>
void FeedLines(std::u16string& line, const std::u16string& chunk, size_t maxLine, OnLine onLine) {
  for (char16_t c : chunk) {
    if (c == u'\r' || c == u'\n') {
      onLine(line);
      line.clear();
    } else if (line.size() < maxLine) {
      line += c;
    }
  }
}

// Watches the encoder's text for its fatal lines. A line may be cut across
// chunks; only whole lines are judged, by how they begin.
class FatalLineWatch {
 public:
  void Reset();
  void Feed(const std::u16string& chunk);
  // The first fatal line, as printed (its first 512 characters), or empty.
  std::u16string FatalLine() const;

 private:
  std::u16string m_line;
  std::u16string m_fatal;
};

FailReason JudgeEncoder(const std::u16string& fatalLine, unsigned long exitCode,
                        bool outputNonEmpty);

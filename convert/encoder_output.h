// What the encoder prints for one file. The pipe is drained as fast as the
// encoder writes, but the log and the percentage hear of it at most once a
// second: the first read of a file at once and whole, later reads gathered
// until a second has passed since. What a second gathers is parsed as one
// chunk, in pieces of at most a read buffer's size, since the encoder prints a
// line such as its duration in several writes.
#pragma once
#include <cstdint>
#include <string>

#include "convert/encoder_verdict.h"
#include "convert/failure_reason.h"
#include "convert/failure_wording.h"
#include "convert/progress_parser.h"
#include "framework/utf8_text.h"

class EncoderOutput {
 public:
  static constexpr uint64_t kIntervalMs = 1000;
  // The log keeps only a tail of a later chunk, and the parser reads a chunk
  // of at most this much.
  static constexpr size_t kMaxChunk = 4096;

  // What goes to the log and the page at once.
  struct Chunk {
    std::u16string text;
    bool hasPercent = false;
    int percent = 0;
    double duration = 0;  // the input's play time in seconds; 0 while unknown
  };

  // For the next file.
  void Reset();
  // The text of one read as the log keeps it, in the system's code page.
  void Add(const std::u16string& text);
  // The same read's bytes, which the reasons read as the encoder writes them
  // (UTF-8), so that a name in any script comes out whole.
  void Said(const char* bytes, size_t count);
  // Whether gathered output should go out at nowMs.
  bool Due(uint64_t nowMs) const;
  // How long from nowMs until gathered output is due; kNever when none is gathered.
  static constexpr uint64_t kNever = UINT64_MAX;
  uint64_t MsUntilDue(uint64_t nowMs) const;
  // Hands out what was gathered; the next second starts at nowMs.
  Chunk Take(uint64_t nowMs);

  // Whether anything read has not gone out yet.
  bool Pending() const { return !m_text.empty(); }
  std::u16string FatalLine() const { return m_fatal.FatalLine(); }
  std::u16string TellingLine() const { return m_telling.Line(); }
  FailureCause Cause() const { return m_failure.Cause(); }

 private:
  void Parse(const std::u16string& chunk);

  EncoderProgress m_progress;
  FatalLineWatch m_fatal;
  Utf8Decoder m_utf8;
  TellingLineWatch m_telling;
  FailureWatch m_failure;
  std::u16string m_text;      // for the log: the latest gathered text
  std::u16string m_unparsed;  // gathered text the parser has not seen yet
  bool m_hasPercent = false;
  int m_percent = 0;
  bool m_taken = false;
  uint64_t m_takenAt = 0;
};

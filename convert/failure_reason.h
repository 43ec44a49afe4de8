// Why a file failed, in words: the encoder's most telling line (an unknown
// encoder, a missing or unreadable input, a full disk) with its exit code.
#pragma once
#include <string>

#include "convert/encoder_verdict.h"

// Watches the encoder's text for the line that best says what went wrong.
// Lines may be cut across chunks; progress lines and the banner are ignored.
class TellingLineWatch {
 public:
  void Reset();
  void Feed(const std::u16string& chunk);
  // The best line so far, as printed (at most 300 characters), or empty.
  std::u16string Line() const;

 private:
  void Judge(const std::u16string& line);

  std::u16string m_line;
  std::u16string m_best;
  int m_bestScore = 0;
};

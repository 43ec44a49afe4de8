// Reads the encoder's printed text, one chunk at a time, into a percentage of
// the current file. Chunks are raw reads: they may hold several progress lines
// or end in the middle of one.
#pragma once
#include <string>

class EncoderProgress {
 public:
  // Forgets the play time; called each time a file's encoder is started.
  void Reset();

  // Parses one chunk. Returns true when the chunk gives a percentage to show,
  // which is then stored in `percent` (0 to 100).
  bool Feed(const std::u16string& chunk, int& percent);

  // Play time of the input in whole seconds; 0 while unknown.
  double Duration() const { return m_dDuration; }
  // The last percentage Feed gave, 0 before the first.
  int Percent() const { return m_nPercent; }

 private:
  double m_dDuration = 0;
  int m_nPercent = 0;
};

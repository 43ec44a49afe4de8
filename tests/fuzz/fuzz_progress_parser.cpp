// Arbitrary UTF-16 text, cut into chunks at every code unit 0xFFFF, fed to one
// parser as one file's encoder output.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "convert/progress_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text(size / 2, u'\0');
  if (!text.empty()) std::memcpy(&text[0], data, text.size() * 2);

  EncoderProgress progress;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u'\xFFFF', start);
    if (end == std::u16string::npos) end = text.size();
    int percent = -1;
    const bool shown = progress.Feed(text.substr(start, end - start), percent);
    const double duration = progress.Duration();
    if (duration < 0 || duration != std::floor(duration)) std::abort();
    if (shown && (percent < 0 || percent > 100 || percent != progress.Percent())) std::abort();
    if (shown && duration == 0) std::abort();
    start = end + 1;
  }
  return 0;
}

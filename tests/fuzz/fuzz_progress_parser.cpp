// Arbitrary UTF-16 text, cut into chunks at every code unit 0xFFFF, fed to one
// parser as one file's encoder output, and as reads to the paced output with
// its fatal-line watch (a read's first code unit advancing the clock).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "convert/encoder_output.h"
#include "convert/progress_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text(size / 2, u'\0');
  if (!text.empty()) std::memcpy(&text[0], data, text.size() * 2);

  EncoderProgress progress;
  EncoderOutput output;
  uint64_t now = 0;
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

    const std::u16string read = text.substr(start, end - start);
    now += read.empty() ? 0 : read[0];
    output.Add(read);
    const uint64_t wait = output.MsUntilDue(now);
    if (wait != EncoderOutput::kNever && wait > EncoderOutput::kIntervalMs) std::abort();
    if (output.Due(now)) {
      const EncoderOutput::Chunk chunk = output.Take(now);
      if (chunk.text.size() > EncoderOutput::kMaxChunk) std::abort();
      if (chunk.hasPercent && (chunk.percent < 0 || chunk.percent > 100)) std::abort();
    }
    if (output.FatalLine().size() > 512) std::abort();
    start = end + 1;
  }
  return 0;
}

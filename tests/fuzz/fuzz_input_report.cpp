// Arbitrary bytes as the encoder's report on an input: whatever it says, the
// details stay within what a file can hold.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "convert/input_report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const InputDetails d = ReadInputReport(std::string(reinterpret_cast<const char*>(data), size));
  if (!d.probed) std::abort();
  if (d.readable != (d.problem == InputProblem::None)) std::abort();
  if (d.readable && !d.hasVideo && !d.hasAudio) std::abort();
  if (!(d.durationSeconds >= 0 && d.durationSeconds < 1e7)) std::abort();
  if (d.width < 0 || d.height < 0 || d.width >= 65536 || d.height >= 65536) std::abort();
  if (!(d.frameRate >= 0 && d.frameRate < 1e12)) std::abort();
  if (d.audioChannels < 0 || d.audioChannels > 64) std::abort();
  if (d.bitDepth < 0 || d.bitDepth > 100) std::abort();
  if (d.hasVideo != (d.videoTracks > 0) || d.hasAudio != (d.audioTracks > 0)) std::abort();
  return 0;
}

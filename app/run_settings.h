// Settings kept in a file of their own beside "Option.dat", which keeps its 27
// items: "Vidmorph.ini", lines of name=value under a [Vidmorph] heading.
// Reading trusts nothing: a value that is missing, cut short, not a number or
// out of range keeps its default; unknown names are passed over.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// "Simultaneous conversions": this many encoders at once, or Automatic.
constexpr int32_t kSimultaneousAutomatic = 0;
constexpr int32_t kMostSimultaneous = 8;

// "When the run is done": what the machine does after a run left alone.
enum class WhenDone : int32_t { Nothing, Sound, Sleep, ShutDown };

struct RUN_SETTINGS {
  int32_t nSimultaneous = 1;  // 1 .. kMostSimultaneous, or kSimultaneousAutomatic
  // Back to Nothing once used; Nothing is not written, so a file without the
  // line does nothing.
  WhenDone whenDone = WhenDone::Nothing;
};

extern const char16_t kRunSettingsFile[];

std::vector<uint8_t> StoreRunSettings(const RUN_SETTINGS& settings);
RUN_SETTINGS LoadRunSettings(const uint8_t* data, size_t size);

// The encoders a run keeps busy on a machine with `processors` logical
// processors: a number as chosen, even above what the machine has (a file
// from a larger machine, or edited by hand, is shown and honoured as it is);
// Automatic is half the processors, at least one; never more than the most.
int SimultaneousEncoders(int32_t choice, int processors);

// Arbitrary bytes as the run settings file: reading must neither crash nor
// give a value outside the choices, and what it read must store and load back.
#include <cstdlib>

#include "app/run_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const RUN_SETTINGS read = LoadRunSettings(data, size);
  if (read.nSimultaneous < 0 || read.nSimultaneous > kMostSimultaneous) std::abort();
  if (int(read.whenDone) < 0 || read.whenDone > WhenDone::ShutDown) std::abort();
  const auto stored = StoreRunSettings(read);
  const RUN_SETTINGS back = LoadRunSettings(stored.data(), stored.size());
  if (back.nSimultaneous != read.nSimultaneous || back.whenDone != read.whenDone ||
      StoreRunSettings(back) != stored)
    std::abort();
  return 0;
}

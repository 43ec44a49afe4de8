// Arbitrary bytes as a settings file: reading must neither crash nor allocate
// beyond the data, and whatever it read must store and load back unchanged.
#include <cstdlib>

#include "app/app_state.h"
#include "framework/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  APP_STATE state;
  SetDefaults(state, u"C:\\x\\Vidmorph.exe");
  Archive in(data, size, nullptr);
  SerializeSettings(in, state);

  Archive out;
  SerializeSettings(out, state);
  APP_STATE again;
  Archive back(out.Bytes().data(), out.Bytes().size(), nullptr);
  SerializeSettings(back, again);
  Archive out2;
  SerializeSettings(out2, again);
  if (!back.Ok() || out2.Bytes() != out.Bytes()) std::abort();
  return 0;
}

// The slots that import patching walks, from the table of redirections.
#include "skin/win/windows/skin_redirect.h"

namespace {

struct SlotList {
  RedirectSlotEntry entries[kRedirectSlotCount];
};

SlotList MakeSlots(const SystemFunctionTable& system) {
  return SlotList{{
#define SKIN_REDIRECT_ROW(function, module, group)             \
  {#function, group, reinterpret_cast<void*>(system.function), \
   reinterpret_cast<void*>(&redirected::function)},
#define SKIN_REDIRECT_KEPT(function, module, group) \
  {#function, group, reinterpret_cast<void*>(system.function), nullptr},
      SKIN_REDIRECTIONS(SKIN_REDIRECT_ROW, SKIN_REDIRECT_KEPT)
#undef SKIN_REDIRECT_ROW
#undef SKIN_REDIRECT_KEPT
  }};
}

}  // namespace

const RedirectSlotEntry* RedirectSlots() {
  static const SlotList slots = MakeSlots(SystemFunctions());
  return slots.entries;
}

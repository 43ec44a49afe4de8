#include "skin/win/skin_redirect_table.h"

namespace {

void* LookUp(const wchar_t* module, const char* name) {
  HMODULE h = ::GetModuleHandleW(module);
  if (!h) h = ::LoadLibraryW(module);
  return h ? reinterpret_cast<void*>(::GetProcAddress(h, name)) : nullptr;
}

SystemFunctionTable LookUpAll() {
  SystemFunctionTable t;
#define SKIN_REDIRECT_LOOKUP(function, module, group) \
  t.function = reinterpret_cast<decltype(t.function)>(LookUp(module, #function));
  SKIN_REDIRECTIONS(SKIN_REDIRECT_LOOKUP, SKIN_REDIRECT_LOOKUP)
#undef SKIN_REDIRECT_LOOKUP
  return t;
}

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

const SystemFunctionTable& SystemFunctions() {
  static const SystemFunctionTable table = LookUpAll();
  return table;
}

const RedirectSlotEntry* RedirectSlots() {
  static const SlotList slots = MakeSlots(SystemFunctions());
  return slots.entries;
}

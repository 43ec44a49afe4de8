// The system's own functions, looked up by name in their modules.
#include "skin/win/system/skin_redirect_table.h"

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

}  // namespace

const SystemFunctionTable& SystemFunctions() {
  static const SystemFunctionTable table = LookUpAll();
  return table;
}

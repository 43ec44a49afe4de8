// Redirection of system functions: import slots of every loaded module are
// pointed at the engine's replacements (skin/win/system/skin_redirect_table.h
// lists them), which answer from the theme while the skin is enabled and call
// the system otherwise.
#pragma once
#include <windows.h>

#include "skin/win/system/skin_redirect_table.h"

// The engine's replacements, each of its system function's type; defined by
// the file of its concern.
namespace redirected {
#define SKIN_REDIRECT_DECLARE(function, module, group) decltype(::function) function;
SKIN_REDIRECTIONS(SKIN_REDIRECT_DECLARE, SKIN_REDIRECT_IGNORE)
#undef SKIN_REDIRECT_DECLARE
}  // namespace redirected

// One slot: the system function and the replacement (null where the system's
// stays) that import patching exchanges.
struct RedirectSlotEntry {
  const char* name;
  int group;
  void* original;
  void* replacement;
};
const RedirectSlotEntry* RedirectSlots();  // kRedirectSlotCount entries

// Looks up the system functions once, before any slot is patched.
void ResolveSystemFunctions();
void InstallSystemRedirections(int applyOptions);
void RemoveSystemRedirections();
// Patches one module (a module loaded after the installation).
void RedirectModule(HMODULE module);
// Number of import slots currently redirected.
int RedirectedSlotCount();

// The replacement GetProcAddress hands out for a system function `found`
// asked for from code at `caller`, or null when the system's stays.
void* ReplacementToHandOut(void* found, const void* caller);
// The system function a replacement stands for, else the procedure itself.
WNDPROC SystemProcFor(WNDPROC proc);

// The process-wide window-event hook (timer 2765 on reordered skinned windows).
void InstallWindowEventHook();
void RemoveWindowEventHook();

// The default procedure a redirected default-procedure call stands for (the
// plain default window procedure outside such a call).
LRESULT SysDefaultProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);

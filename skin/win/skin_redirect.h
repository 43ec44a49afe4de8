// Redirection of system functions: import slots of every loaded module are
// pointed at the engine's replacements (skin_redirect_table.h lists them),
// which answer from the theme while the skin is enabled and call the system
// otherwise.
#pragma once
#include <windows.h>

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

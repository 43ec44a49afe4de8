// Redirection of system functions: import slots of every loaded module are
// pointed at the engine's replacements, which answer from the theme while the
// skin is enabled and call the system otherwise.
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

// The process-wide window-event hook (timer 2765 on reordered skinned windows).
void InstallWindowEventHook();

// The system functions themselves, never the replacements.
LRESULT SysCallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM w, LPARAM l);
LRESULT SysCallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM w, LPARAM l);
// The default procedure a redirected default-procedure call stands for (the
// plain default window procedure outside such a call).
LRESULT SysDefaultProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
int SysGetSystemMetrics(int index);
BOOL SysAdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);

// Gives a window reached through the default procedures its object's hook.
bool RouteThroughDefault(HWND hwnd, UINT msg, WPARAM w, LPARAM l, LRESULT& result);

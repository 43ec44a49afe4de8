// The loader and thread functions: modules loaded later get the same
// redirections, GetProcAddress hands out the replacements, and threads
// started while the skin is on install the creation hook first. Also the
// process-wide window-event hook that refreshes reordered frames.
#include <windows.h>

#include <new>

#include "skin/win/objects/skin_object.h"
#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/windows/skin_redirect.h"
#include "skin/win/windows/skin_windows.h"

namespace {

HMODULE AfterLoad(HMODULE module) {
  try {
    if (module) RedirectModule(module);
  } catch (...) {
  }
  return module;
}

// Loading as data or as an image resource runs no code of the module.
constexpr DWORD kLoadsNoCode =
    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;

struct ThreadStart {
  LPTHREAD_START_ROUTINE routine;
  void* param;
};

DWORD WINAPI HookedThreadStart(void* p) {
  ThreadStart start = *static_cast<ThreadStart*>(p);
  delete static_cast<ThreadStart*>(p);
  // A thread the system starts: no context but the one engine, if it still is.
  if (SkinHost()) InstallCreationHook();
  const DWORD r = start.routine(start.param);
  RemoveCreationHook();
  return r;
}

HWINEVENTHOOK g_eventHook = nullptr;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG, LONG, DWORD, DWORD) {
  try {
    if (event != EVENT_OBJECT_REORDER || !hwnd) return;
    // The system calls back with no context: the theme is the one engine's.
    const SkinWindowHost* host = SkinHost();
    if (!host || !host->IsEnabled() || !(host->GetApplyOptions() & kApplyFrame)) return;
    if (!SkinObjectFor(hwnd)) return;
    const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
    if ((style & WS_CAPTION) == WS_CAPTION || (style & (WS_VSCROLL | WS_HSCROLL)))
      ::SetTimer(hwnd, kRefreshTimerId, 1000, nullptr);
  } catch (...) {
  }
}

}  // namespace

HMODULE WINAPI redirected::LoadLibraryA(LPCSTR name) {
  return AfterLoad(SystemFunctions().LoadLibraryA(name));
}
HMODULE WINAPI redirected::LoadLibraryW(LPCWSTR name) {
  return AfterLoad(SystemFunctions().LoadLibraryW(name));
}
HMODULE WINAPI redirected::LoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags) {
  HMODULE m = SystemFunctions().LoadLibraryExA(name, file, flags);
  return (flags & kLoadsNoCode) ? m : AfterLoad(m);
}
HMODULE WINAPI redirected::LoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags) {
  HMODULE m = SystemFunctions().LoadLibraryExW(name, file, flags);
  return (flags & kLoadsNoCode) ? m : AfterLoad(m);
}

// A module found by name may have come in as another module's dependency,
// which no redirected loader call saw.
HMODULE WINAPI redirected::GetModuleHandleA(LPCSTR name) {
  return AfterLoad(SystemFunctions().GetModuleHandleA(name));
}

FARPROC WINAPI redirected::GetProcAddress(HMODULE module, LPCSTR name) {
  FARPROC found = SystemFunctions().GetProcAddress(module, name);
  try {
    // An ordinal names no function of the table.
    if (found && HIWORD(reinterpret_cast<UINT_PTR>(name)) != 0) {
      if (void* replacement =
              ReplacementToHandOut(reinterpret_cast<void*>(found), __builtin_return_address(0)))
        return reinterpret_cast<FARPROC>(replacement);
    }
  } catch (...) {
  }
  return found;
}

HANDLE WINAPI redirected::CreateThread(SECURITY_ATTRIBUTES* sa, SIZE_T stack,
                                       LPTHREAD_START_ROUTINE routine, void* param, DWORD flags,
                                       DWORD* id) {
  // A redirected function: no context but the one engine's theme.
  if (SkinEnabled() && routine) {
    auto* start = new (std::nothrow) ThreadStart{routine, param};
    if (start) {
      HANDLE h = SystemFunctions().CreateThread(sa, stack, &HookedThreadStart, start, flags, id);
      if (!h) delete start;
      return h;
    }
  }
  return SystemFunctions().CreateThread(sa, stack, routine, param, flags, id);
}

void InstallWindowEventHook() {
  if (g_eventHook) return;
  g_eventHook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_REORDER, nullptr, &OnWinEvent,
                                  ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
}

void RemoveWindowEventHook() {
  if (g_eventHook) ::UnhookWinEvent(g_eventHook);
  g_eventHook = nullptr;
}

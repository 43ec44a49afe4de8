#include "framework/win/dll_search.h"

#include <windows.h>

bool RestrictDllSearch() {
  // Looked up, since a system without it should still run the program.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  const auto set = kernel ? reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
                                ::GetProcAddress(kernel, "SetDefaultDllDirectories")))
                          : nullptr;
  // An empty DLL directory takes the current folder out of the older search order.
  ::SetDllDirectoryW(L"");
  return set && set(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
}

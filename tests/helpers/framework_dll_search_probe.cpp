// Loads dll_cwd_marker.dll by name from FOLDER, made the current folder,
// before and after RestrictDllSearch. Exits with 1 when it loaded before, plus
// 2 when it loaded after, plus 4 when the restriction was taken.
// Usage: framework_dll_search_probe FOLDER
#include <windows.h>

#include "framework/win/dll_search.h"

namespace {

bool Loads() {
  HMODULE dll = LoadLibraryW(L"dll_cwd_marker.dll");
  if (!dll) return false;
  FreeLibrary(dll);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2 || !SetCurrentDirectoryW(argv[1])) return 100;
  const bool before = Loads();
  const bool restricted = RestrictDllSearch();
  const bool after = Loads();
  return (before ? 1 : 0) | (after ? 2 : 0) | (restricted ? 4 : 0);
}

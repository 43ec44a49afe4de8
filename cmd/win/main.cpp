// VidmorphCmd.exe: the console twin of the window, for scripts.
#include <windows.h>

#include "cmd/win/cmd_program.h"
#include "framework/win/dll_search.h"
#include "framework/win/wide.h"

int wmain(int argc, wchar_t** argv) {
  RestrictDllSearch();
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(U(argv[i]));
  return RunCommand(args);
}

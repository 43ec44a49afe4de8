// Holds a file open as another program would, sharing it with nobody, until
// a second file is created or a minute has passed:
// hold_file.exe FILE RELEASE-FILE. Prints "held" once the file is held.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <cstdio>

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc != 3) return 2;
  HANDLE file = ::CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  for (int i = 0; i < 600 && ::GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++i)
    ::Sleep(100);
  ::CloseHandle(file);
  ::LocalFree(argv);
  return 0;
}

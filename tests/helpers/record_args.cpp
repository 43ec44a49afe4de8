// Stands in for a web browser: writes the arguments it was started with, one a
// line in UTF-16, to "args.txt" beside itself, so a test can see how a command
// line was split.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <string>

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv) return 1;
  std::wstring text;
  for (int i = 1; i < argc; ++i) text += std::wstring(argv[i]) + L"\n";
  ::LocalFree(argv);

  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path, n);
  file = file.substr(0, file.find_last_of(L'\\') + 1) + L"args.txt";
  HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  ::WriteFile(h, text.data(), DWORD(text.size() * sizeof(wchar_t)), &written, nullptr);
  ::CloseHandle(h);
  return 0;
}

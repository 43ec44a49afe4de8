// Stand-in encoder for the runner's tests. Carries out its arguments in order:
//   out TEXT | err TEXT    write TEXT to stdout or stderr (escapes \r \n \\)
//   sleep MS               wait
//   file BYTES PATH        create PATH holding BYTES bytes
//   exit CODE              end with CODE (the default is 0)
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string Unescape(const char* text) {
  std::string bytes;
  for (const char* p = text; *p; ++p) {
    if (*p != '\\' || !p[1]) {
      bytes += *p;
      continue;
    }
    ++p;
    if (*p == 'r') {
      bytes += '\r';
    } else if (*p == 'n') {
      bytes += '\n';
    } else {
      bytes += *p;
    }
  }
  return bytes;
}

void Write(DWORD which, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(which), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool MakeFile(const char* path, long size) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string bytes(static_cast<size_t>(size), 'x');
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "out" && i + 1 < argc) {
      Write(STD_OUTPUT_HANDLE, Unescape(argv[++i]));
    } else if (word == "err" && i + 1 < argc) {
      Write(STD_ERROR_HANDLE, Unescape(argv[++i]));
    } else if (word == "sleep" && i + 1 < argc) {
      Sleep(static_cast<DWORD>(std::atol(argv[++i])));
    } else if (word == "file" && i + 2 < argc) {
      if (!MakeFile(argv[i + 2], std::atol(argv[i + 1]))) return 90;
      i += 2;
    } else if (word == "exit" && i + 1 < argc) {
      return std::atoi(argv[++i]);
    } else {
      return 91;  // a mistake in the test's script
    }
  }
  return 0;
}

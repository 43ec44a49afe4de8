// Adding a folder tree of 10,000 files (empty stand-ins, 100 folders of 100,
// one in ten of another type besides them): the search alone, in this
// process, and the whole add in the real program, from the chooser's OK to
// the last row in the list. Both run twice, alternating.
// Usage: bench_add_folder (from the Windows build folder's bench\ subfolder).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/input_files.h"
#include "app/win/file_system_source.h"
#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

// The search the page runs off its thread, here on the caller's.
double SearchSeconds(const std::wstring& root, size_t& found) {
  CFileSystemSource source;
  SEARCH_RESULT result;
  const auto start = Clock::now();
  SearchItems(source, {U16(root)}, OfferedPatterns(InputFilterFor(0)), nullptr, result);
  const double seconds = Seconds(start);
  found = result.files.size();
  return seconds;
}

// Adds the tree in the running program; -1 when a step did not come.
double ProgramSeconds(const std::wstring& program, const std::wstring& root) {
  RunningProgram prog(program);
  HWND main = prog.WaitForWindow(L"Ostrel AVI Converter");
  HWND input = main ? PressNavigation(main, IDC_BTN_NEXT, IDC_INPUT_NAMES) : nullptr;
  if (!input || !AddThroughFolderChooser(prog.Pid(), input, root)) return -1;
  const auto start = Clock::now();
  HWND names = ::GetDlgItem(input, IDC_INPUT_NAMES);
  const LRESULT want = kFolders * kFilesPerFolder;
  if (!WaitUntil([&] { return ::SendMessageW(names, LB_GETCOUNT, 0, 0) == want; }, 120000))
    return -1;
  return Seconds(start);
}

}  // namespace

int main() {
  const std::wstring app = TestExeDir() + L"..\\..\\app\\";
  // On drive C directly, where the chooser's tree shows it.
  ScratchDir dir(L"C:\\");
  if (!CopyInto(app + L"Vidmorph.exe", dir.Path())) {
    std::printf("bench_add_folder: no program in %ls\n", app.c_str());
    return 2;
  }
  const std::wstring root = dir.Path() + L"Tree";
  ::CreateDirectoryW(root.c_str(), nullptr);
  for (int f = 0; f < kFolders; ++f) {
    const std::wstring folder = root + L"\\Folder " + std::to_wstring(f);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < kFilesPerFolder; ++i)
      WriteBytes(folder + L"\\clip " + std::to_wstring(i) + L".avi", {});
    for (int i = 0; i < kFilesPerFolder / 10; ++i)
      WriteBytes(folder + L"\\notes " + std::to_wstring(i) + L".txt", {});
  }
  int status = 0;
  for (int round = 1; round <= 2; ++round) {
    size_t found = 0;
    const double search = SearchSeconds(root, found);
    const double added = ProgramSeconds(dir.Path() + L"Vidmorph.exe", root);
    std::printf(
        "round %d: search of the tree %.3f s (%zu files found); in the program, "
        "chooser closed to %d rows listed %.3f s\n",
        round, search, found, kFolders * kFilesPerFolder, added);
    if (added < 0 || found != size_t(kFolders * kFilesPerFolder)) status = 1;
  }
  return status;
}

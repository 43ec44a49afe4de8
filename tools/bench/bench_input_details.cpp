// Looking at 1,000 files as they are added, in the real program with the
// bundled encoder as the reader: from the folder chooser's OK to the rows
// listed and to the details of the last row shown, and the longest time the
// program's window took to answer meanwhile (a message sent to it every few
// milliseconds from here). The files are short WAV clips.
// Usage: bench_input_details (from the Windows build folder's bench\ subfolder).
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kFolders = 10;
constexpr int kFilesPerFolder = 100;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// Half a second of silence, 8 kHz mono, 16 bits.
std::vector<uint8_t> WaveClip() {
  const uint32_t samples = 4000, data = samples * 2;
  std::vector<uint8_t> bytes;
  auto text = [&](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
  auto number = [&](uint32_t v, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
  };
  text("RIFF");
  number(36 + data, 4);
  text("WAVE");
  text("fmt ");
  number(16, 4);
  number(1, 2);      // PCM
  number(1, 2);      // mono
  number(8000, 4);   // samples a second
  number(16000, 4);  // bytes a second
  number(2, 2);
  number(16, 2);
  text("data");
  number(data, 4);
  bytes.resize(bytes.size() + data, 0);
  return bytes;
}

}  // namespace

int main() {
  const std::wstring app = TestExeDir() + L"..\\..\\app\\";
  ScratchDir dir(L"C:\\");
  if (!CopyInto(app + L"Vidmorph.exe", dir.Path()) || !CopyInto(app + L"ffmpeg.exe", dir.Path())) {
    std::printf("bench_input_details: no program or encoder in %ls\n", app.c_str());
    return 2;
  }
  ::CopyFileW((app + L"mlg.txt").c_str(), (dir.Path() + L"mlg.txt").c_str(), FALSE);
  InstallLanguageFile(dir.Path());
  // Named as the task offers them; the reader goes by what they hold.
  const std::wstring root = dir.Path() + L"Clips";
  ::CreateDirectoryW(root.c_str(), nullptr);
  const std::vector<uint8_t> clip = WaveClip();
  for (int f = 0; f < kFolders; ++f) {
    const std::wstring folder = root + L"\\Folder " + std::to_wstring(f);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < kFilesPerFolder; ++i)
      WriteBytes(folder + L"\\clip " + std::to_wstring(i) + L".avi", clip);
  }
  RunningProgram prog(dir.Path() + L"Vidmorph.exe");
  HWND main = prog.WaitForWindow(L"Ostrel AVI Converter");
  HWND input = main ? PressNavigation(main, IDC_BTN_NEXT, IDC_INPUT_NAMES) : nullptr;
  std::atomic<bool> done{false};
  double longest = 0;
  int pings = 0;
  auto ping = [&] {
    while (!done) {
      const auto sent = Clock::now();
      DWORD_PTR result = 0;
      ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
      longest = std::max(longest, Seconds(sent));
      ++pings;
      ::Sleep(5);
    }
  };
  // The same window idle for 15 s first: what the machine's own load costs it.
  std::thread idle(ping);
  ::Sleep(15000);
  done = true;
  idle.join();
  const double idleLongest = longest;
  const int idlePings = pings;
  done = false;
  longest = 0;
  pings = 0;
  if (!input || !AddThroughFolderChooser(prog.Pid(), input, root)) {
    std::printf("bench_input_details: the folder could not be added\n");
    return 1;
  }
  const auto start = Clock::now();
  std::thread pinger(ping);
  HWND names = ::GetDlgItem(input, IDC_INPUT_NAMES);
  const LRESULT want = kFolders * kFilesPerFolder;
  const bool listed =
      WaitUntil([&] { return ::SendMessageW(names, LB_GETCOUNT, 0, 0) == want; }, 120000);
  const double listedAt = Seconds(start);
  ::SendMessageW(names, LB_SETCURSEL, WPARAM(want - 1), 0);
  ::SendMessageW(input, WM_COMMAND, MAKEWPARAM(IDC_INPUT_NAMES, LBN_SELCHANGE), LPARAM(names));
  HWND status = ::GetDlgItem(input, IDC_INPUT_STATUS);
  const bool shown =
      listed &&
      WaitUntil([&] { return WindowText(status).find(L"Audio: PCM") != std::wstring::npos; },
                1200000);
  const double shownAt = Seconds(start);
  done = true;
  pinger.join();
  std::printf(
      "%d files added through the folder chooser, read by the bundled encoder:\n"
      "  rows listed %.2f s after OK, details of the last row shown after %.1f s (%.1f ms a "
      "file)\n  longest time the window took to answer meanwhile: %.1f ms (%d messages);"
      " idle before, on this machine: %.1f ms (%d messages)\n",
      int(want), listedAt, shownAt, 1000 * shownAt / double(want), 1000 * longest, pings,
      1000 * idleLongest, idlePings);
  if (!shown)
    std::printf("  the last row's details did not come: %ls\n", WindowText(status).c_str());
  return shown ? 0 : 1;
}

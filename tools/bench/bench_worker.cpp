// What the program adds to a batch: 20 clips of 2 seconds converted by the real
// program (its worker and runner, from Next to the result page), against the
// same encoder command lines, taken from the program's own log, run directly
// one after another. Program and direct runs alternate twice.
// Usage: bench_worker (from the Windows build folder's bench\ subfolder).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "framework/archive.h"
#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kClips = 20;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

HWND Press(HWND main, int button, int idOnPage, DWORD timeoutMs) {
  ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  HWND page = nullptr;
  WaitUntil([&] { return (page = VisiblePageWith(main, idOnPage)) != nullptr; }, timeoutMs);
  return page;
}

}  // namespace

int main() {
  // The build folder's bench\ sits beside the app folder's parent.
  const std::wstring app = TestExeDir() + L"..\\..\\app\\";
  ScratchDir dir;
  const std::wstring in = dir.Path() + L"in\\", out = dir.Path() + L"out\\";
  CreateDirectoryW(in.c_str(), nullptr);
  CreateDirectoryW(out.c_str(), nullptr);
  if (!CopyInto(app + L"Vidmorph.exe", dir.Path()) || !CopyInto(app + L"ffmpeg.exe", dir.Path())) {
    std::printf("bench_worker: no program in %ls\n", app.c_str());
    return 2;
  }
  std::wstring names;
  for (int i = 0; i < kClips; ++i) {
    wchar_t name[32];
    wsprintfW(name, L"clip%02d.avi", i);
    names += std::wstring(L"\"") + name + L"\" ";
    RunHidden(L"\"" + dir.Path() +
              L"ffmpeg.exe\" -v error -y -f lavfi -i testsrc=size=176x144:rate=25 "
              L"-f lavfi -i sine -t 2 -c:v mpeg4 -c:a mp2 \"" +
              in + name + L"\"");
  }
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  s.g_bUseTempFolder = 0;
  s.g_bOverwrite = 1;
  s.g_strOutputFolder.assign(out.begin(), out.end());
  Archive ar;
  SerializeSettings(ar, s);
  WriteBytes(dir.Path() + L"Option.dat", ar.Bytes());

  RunningProgram prog(dir.Path() + L"Vidmorph.exe");
  HWND main = prog.WaitForWindow(L"Ostrel AVI Converter");
  HWND input = main ? Press(main, IDC_BTN_NEXT, IDC_INPUT_NAMES, 5000) : nullptr;
  if (!input || !AddThroughFileDialog(prog.Pid(), input, in, names) ||
      !Press(main, IDC_BTN_NEXT, IDC_OUT_PROFILE, 5000)) {
    std::printf("bench_worker: could not reach the output page\n");
    return 2;
  }

  double program = 0, direct = 0;
  std::vector<std::wstring> commands;
  for (int round = 0; round < 2; ++round) {
    const auto start = Clock::now();
    HWND converting = Press(main, IDC_BTN_NEXT, IDC_CONV_CANCEL, 5000);
    HWND result = nullptr;
    WaitUntil([&] { return (result = VisiblePageWith(main, IDC_RES_TOTAL)) != nullptr; }, 600000);
    const double p = Seconds(start);
    if (!converting || !result || WindowText(GetDlgItem(result, IDC_RES_SUCCEEDED)) != L"20") {
      std::printf("bench_worker: the program's run did not convert all %d clips\n", kClips);
      return 1;
    }
    if (commands.empty()) {
      for (const std::wstring& entry : ListRows(GetDlgItem(converting, IDC_CONV_LOG)))
        if (entry.size() > 10 && entry[9] == L'"') commands.push_back(entry.substr(9));
    }
    const auto directStart = Clock::now();
    for (const std::wstring& c : commands) RunHidden(c);
    const double d = Seconds(directStart);
    std::printf("round %d: program %.2f s, direct %.2f s\n", round + 1, p, d);
    program += p;
    direct += d;
    Press(main, IDC_BTN_PREV, IDC_OUT_PROFILE, 5000);
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  prog.WaitForExit();
  std::printf("%d clips x 2 rounds: through the program %.2f s, direct %.2f s, ratio %.3f\n",
              kClips, program, direct, program / direct);
  return 0;
}

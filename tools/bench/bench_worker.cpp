// What the program adds to a batch, and what simultaneous conversions take
// off it: 20 clips of 2 seconds converted by the real program (from Next to
// the result page) with 1, 2 and 4 encoders at once, against the same encoder
// command lines, taken from the program's own log, run directly one after
// another. Direct and program runs alternate over five rounds; the medians
// are compared, since a run now and then stalls for seconds under Wine on a
// busy host, whichever side it falls on.
// Usage: bench_worker (from the Windows build folder's bench\ subfolder).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "bench_stats.h"
#include "framework/archive.h"
#include "framework/win/processors.h"
#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kClips = 20;
constexpr int kRounds = 5;
const int kSimultaneous[] = {1, 2, 4};
using Clock = BenchClock;

HWND Press(HWND main, int button, int idOnPage, DWORD timeoutMs) {
  ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  HWND page = nullptr;
  WaitUntil([&] { return (page = VisiblePageWith(main, idOnPage)) != nullptr; }, timeoutMs);
  return page;
}

struct Bench {
  std::wstring dir, in, out, names;
  std::vector<std::wstring> commands;  // the encoder's, from the first run's log

  // One run of the program with `simultaneous` encoders; its seconds, or a
  // negative number when it did not convert every clip.
  double Program(int simultaneous) {
    RUN_SETTINGS run;
    run.nSimultaneous = simultaneous;
    WriteBytes(dir + L"Vidmorph.ini", StoreRunSettings(run));
    RunningProgram prog(dir + L"Vidmorph.exe");
    HWND main = prog.WaitForWindow(L"Ostrel AVI Converter");
    HWND input = main ? Press(main, IDC_BTN_NEXT, IDC_INPUT_NAMES, 5000) : nullptr;
    if (!input || !AddThroughFileDialog(prog.Pid(), input, in, names) ||
        !Press(main, IDC_BTN_NEXT, IDC_OUT_PROFILE, 5000))
      return -1;
    const auto start = Clock::now();
    HWND converting = Press(main, IDC_BTN_NEXT, IDC_CONV_CANCEL, 5000);
    HWND result = nullptr;
    WaitUntil([&] { return (result = VisiblePageWith(main, IDC_RES_TOTAL)) != nullptr; }, 600000);
    const double seconds = Seconds(start);
    const bool all = converting && result &&
                     WindowText(GetDlgItem(result, IDC_RES_SUCCEEDED)) == std::to_wstring(kClips);
    if (all && commands.empty()) {
      for (const std::wstring& entry : ListRows(GetDlgItem(converting, IDC_CONV_LOG)))
        if (entry.size() > 10 && entry[9] == L'"') commands.push_back(entry.substr(9));
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    prog.WaitForExit();
    return all ? seconds : -1;
  }

  double Direct() const {
    const auto start = Clock::now();
    for (const std::wstring& c : commands) RunHidden(c);
    return Seconds(start);
  }
};

}  // namespace

int main() {
  // The build folder's bench\ sits beside the app folder's parent.
  const std::wstring app = TestExeDir() + L"..\\..\\app\\";
  ScratchDir scratch;
  Bench b;
  b.dir = scratch.Path();
  b.in = b.dir + L"in\\";
  b.out = b.dir + L"out\\";
  CreateDirectoryW(b.in.c_str(), nullptr);
  CreateDirectoryW(b.out.c_str(), nullptr);
  if (!CopyInto(app + L"Vidmorph.exe", b.dir) || !CopyInto(app + L"ffmpeg.exe", b.dir)) {
    std::printf("bench_worker: no program in %ls\n", app.c_str());
    return 2;
  }
  for (int i = 0; i < kClips; ++i) {
    wchar_t name[32];
    wsprintfW(name, L"clip%02d.avi", i);
    b.names += std::wstring(L"\"") + name + L"\" ";
    RunHidden(L"\"" + b.dir +
              L"ffmpeg.exe\" -v error -y -f lavfi -i testsrc=size=176x144:rate=25 "
              L"-f lavfi -i sine -t 2 -c:v mpeg4 -c:a mp2 \"" +
              b.in + name + L"\"");
  }
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  s.g_bUseTempFolder = 0;
  s.g_bOverwrite = 1;
  s.g_strOutputFolder.assign(b.out.begin(), b.out.end());
  Archive ar;
  SerializeSettings(ar, s);
  WriteBytes(b.dir + L"Option.dat", ar.Bytes());

  std::printf("%d logical processors\n", LogicalProcessors());
  std::vector<double> direct;
  std::map<int, std::vector<double>> program;
  for (int round = 1; round <= kRounds; ++round) {
    for (int n : kSimultaneous) {
      const double p = b.Program(n);
      if (p < 0) {
        std::printf(
            "bench_worker: the program's run with %d at once did not convert all %d clips\n", n,
            kClips);
        return 1;
      }
      program[n].push_back(p);
      std::printf("round %d: program with %d at once %.2f s\n", round, n, p);
    }
    const double d = b.Direct();
    direct.push_back(d);
    std::printf("round %d: direct, one after another %.2f s\n", round, d);
  }
  const double d = Median(direct);
  std::printf("%d clips, median of %d rounds: direct one after another %.2f s\n", kClips, kRounds,
              d);
  for (int n : kSimultaneous)
    std::printf("  program with %d at once: %.2f s, ratio to direct %.3f\n", n, Median(program[n]),
                Median(program[n]) / d);
  return 0;
}

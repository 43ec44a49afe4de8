// How right the converting page's time left is: a batch of 10 equal clips
// (the stand-in encoder printing a 20-second play time and its progress over
// about 3 s each) through the real program. The page's line is read when the
// whole-run bar first reaches 25, 50 and 75 %, and set beside the time the run
// really took from then to the result page.
// Usage: bench_estimate (from the Windows build folder's bench\ subfolder).
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

constexpr int kClips = 10;
constexpr int kSteps = 6;  // progress lines per clip, half a second apart

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// "about 1:10 left" in seconds; -1 when the line has no time left.
double LeftSeconds(const std::wstring& line) {
  const size_t about = line.find(L"about ");
  if (about == std::wstring::npos) return -1;
  int m = 0, s = 0;
  if (swscanf(line.c_str() + about + 6, L"%d:%d", &m, &s) != 2) return -1;
  return m * 60.0 + s;
}

}  // namespace

int main() {
  ConvertDriver run(TestExeDir() + L"..\\");
  std::string clip = "err Duration: 00:00:20.00, start: 0.000000\\r\\n\n";
  for (int step = 1; step <= kSteps; ++step) {
    char line[96];
    std::snprintf(line, sizeof line, "sleep 500\nerr frame=1 time=00:00:%02d.00 bitrate=1\\r\n",
                  step * 20 / kSteps);
    clip += line;
  }
  clip += "file 5 $OUT\n";
  std::wstring names;
  for (int i = 0; i < kClips; ++i) {
    wchar_t name[32];
    wsprintfW(name, L"clip%02d.avi", i);
    if (!run.WriteScript(name, clip)) return 1;
    names += L"\"" + std::wstring(name) + L"\" ";
  }
  if (!run.Start() || !run.ToConvertingPage(names, kClips)) {
    std::printf("bench_estimate: could not start the run\n");
    return 1;
  }
  HWND bar = ::GetDlgItem(run.converting, IDC_CONV_TOTAL_PROGRESS);
  const int marks[] = {25, 50, 75};
  double left[3] = {-1, -1, -1};
  Clock::time_point at[3];
  int next = 0;
  while (!VisiblePageWith(run.main, IDC_RES_TOTAL)) {
    if (next < 3 && ::SendMessageW(bar, PBM_GETPOS, 0, 0) >= marks[next]) {
      left[next] = LeftSeconds(run.ConvertingText(IDC_CONV_ESTIMATE));
      at[next++] = Clock::now();
    }
    ::Sleep(20);
  }
  std::printf("10 equal clips: time left shown against the real time left\n");
  for (int i = 0; i < 3; ++i) {
    if (i >= next) {
      std::printf("  at %d %%: not reached\n", marks[i]);
      continue;
    }
    const double real = Seconds(at[i]);
    if (left[i] < 0) {
      std::printf("  at %d %%: shown unknown, real %.1f s\n", marks[i], real);
      continue;
    }
    std::printf("  at %d %%: shown %.0f s, real %.1f s, off by %.0f %%\n", marks[i], left[i], real,
                100 * std::fabs(left[i] - real) / real);
  }
  return 0;
}

// How a run copes with what the encoder prints, through the real program with
// the stand-in encoder as its ffmpeg.exe:
// - the time from Cancel to the result page while the encoder prints nothing
//   (it would sleep 30 s and then write its output);
// - the time from Next on the output page to the result page for one file
//   whose encoder prints 1 MB of warnings, beside the same stand-in run
//   directly into NUL.
// Usage: bench_encoder_output (from the Windows build folder's bench\ subfolder).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

constexpr int kCancelRounds = 3;
constexpr int kFloodRounds = 2;
constexpr long kFloodBytes = 1 << 20;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

std::wstring BuildDir() {
  return TestExeDir() + L"..\\";
}

// Every round writes the same output again.
void Overwrite(APP_STATE& s) {
  s.g_bOverwrite = 1;
}

bool MeasureCancel(std::vector<double>& times) {
  ConvertDriver run(BuildDir());
  if (!run.WriteScript(L"silent.avi", "sleep 30000\nfile 5 $OUT\n") || !run.Start(Overwrite) ||
      !run.ToConvertingPage(L"silent.avi", 1)) {
    std::printf("bench_encoder_output: could not start the silent run\n");
    return false;
  }
  for (int round = 0; round < kCancelRounds; ++round) {
    if (round > 0 && !run.RunAgain()) {
      std::printf("bench_encoder_output: could not start round %d\n", round + 1);
      return false;
    }
    // Cancel only once the encoder runs and its file is on the page.
    if (!WaitUntil([&] {
          return ProcessesNamed(L"ffmpeg.exe") == 1 && run.ConvertingText(IDC_CONV_COUNT) == L"1/1";
        })) {
      std::printf("bench_encoder_output: the silent encoder did not start\n");
      return false;
    }
    const auto start = Clock::now();
    ClickButton(::GetDlgItem(run.converting, IDC_CONV_CANCEL));
    if (!run.WaitForPage(IDC_RES_TOTAL, 120000)) {
      std::printf("bench_encoder_output: no result page 120 s after Cancel\n");
      return false;
    }
    times.push_back(Seconds(start));
    std::printf("cancel round %d: %.2f s from Cancel to the result page\n", round + 1,
                times.back());
    WaitUntil([] { return ProcessesNamed(L"ffmpeg.exe") == 0; }, 60000);
  }
  return true;
}

bool MeasureFlood(double& program, double& direct) {
  ConvertDriver run(BuildDir());
  const std::string script = "flood " + std::to_string(kFloodBytes) + "\nfile 5 $OUT\n";
  if (!run.WriteScript(L"flood.avi", script) || !run.Start(Overwrite) ||
      !run.ToOutputPage(L"flood.avi", 1))
    return false;
  const std::wstring standIn =
      L"\"" + run.dir.Path() + L"ffmpeg.exe\" flood " + std::to_wstring(kFloodBytes);
  size_t logged = 0;
  for (int round = 0; round < kFloodRounds; ++round) {
    if (round > 0 && !run.Press(IDC_BTN_PREV, IDC_OUT_PROFILE)) return false;
    auto start = Clock::now();
    HWND result = run.StartRun() ? run.WaitForPage(IDC_RES_TOTAL, 600000) : nullptr;
    const double p = Seconds(start);
    if (!result || WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)) != L"1") {
      std::printf("bench_encoder_output: the flooding run did not convert its file\n");
      return false;
    }
    start = Clock::now();
    RunHidden(standIn);
    const double d = Seconds(start);
    const size_t entries = run.Log().size();
    std::printf("flood round %d: program %.2f s, stand-in alone %.2f s, %zu log entries\n",
                round + 1, p, d, entries - logged);
    logged = entries;
    program += p;
    direct += d;
  }
  return true;
}

}  // namespace

int main() {
  std::vector<double> cancel;
  if (!MeasureCancel(cancel)) return 1;
  std::sort(cancel.begin(), cancel.end());
  std::printf("silent encoder: Cancel to result page, median of %d: %.2f s (max %.2f s)\n",
              kCancelRounds, cancel[cancel.size() / 2], cancel.back());
  double program = 0, direct = 0;
  if (!MeasureFlood(program, direct)) return 1;
  std::printf("1 MB of warnings, mean of %d: program %.2f s, stand-in alone %.2f s, ratio %.2f\n",
              kFloodRounds, program / kFloodRounds, direct / kFloodRounds, program / direct);
  return 0;
}

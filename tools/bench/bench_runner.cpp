// How much the runner adds to a batch: 20 clips of 2 seconds converted through
// it, against the same encoder runs started directly and waited for. The two
// kinds alternate clip by clip so that both see the same machine load.
// Usage: bench_runner [ffmpeg.exe ...]; by default <exe dir>\..\..\app\ffmpeg.exe.
// With several encoders each converts every clip in turn, so that their
// times, measured side by side, compare; the clips come from the first.
#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "convert/win/encoder_runner.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kClips = 20;

using Clock = std::chrono::steady_clock;

class QuietSink : public EncoderRunSink {
 public:
  void LogChunk(const std::u16string&) override {}
  void SetPercent(int) override {}
  bool CancelRequested() override { return false; }
  HWND MessageOwner() override { return nullptr; }
};

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// One encoder's runs and times.
struct Side {
  explicit Side(std::wstring path) : encoder(std::move(path)) {}
  std::wstring encoder;
  Clock::duration direct{}, through{};
  int directOk = 0, throughOk = 0;
};

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<Side> sides;
  for (int i = 1; i < argc; ++i) sides.emplace_back(argv[i]);
  LocalFree(argv);
  if (sides.empty()) sides.emplace_back(TestExeDir() + L"..\\..\\app\\ffmpeg.exe");
  for (const Side& side : sides) {
    if (GetFileAttributesW(side.encoder.c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::fwprintf(stderr, L"no encoder at %ls\n", side.encoder.c_str());
      return 2;
    }
  }
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir =
      std::wstring(temp) + L"vm_bench_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(dir.c_str(), nullptr);

  const std::wstring first = dir + L"clip0.avi";
  if (RunHidden(L"\"" + sides[0].encoder +
                L"\" -v error -y -f lavfi -i testsrc=size=320x240:rate=25:duration=2 -f lavfi"
                L" -i sine=duration=2 -vcodec mpeg4 -acodec mp2 \"" +
                first + L"\"") != 0) {
    std::fwprintf(stderr, L"could not make the clip\n");
    return 2;
  }
  for (int i = 1; i < kClips; ++i)
    CopyFileW(first.c_str(), (dir + L"clip" + std::to_wstring(i) + L".avi").c_str(), FALSE);

  QuietSink sink;
  EncoderRunner runner(sink);
  for (int i = 0; i < kClips; ++i) {
    const std::wstring clip = dir + L"clip" + std::to_wstring(i) + L".avi";
    const std::wstring a = dir + L"direct" + std::to_wstring(i) + L".avi";
    const std::wstring b = dir + L"runner" + std::to_wstring(i) + L".avi";
    const std::wstring options = L" -y -i \"" + clip + L"\" -vcodec mpeg4 -acodec mp2 \"";
    for (Side& side : sides) {
      const std::wstring quoted = L"\"" + side.encoder + L"\"";
      auto start = Clock::now();
      side.directOk += RunHidden(quoted + options + a + L"\"") == 0;
      side.direct += Clock::now() - start;

      const std::wstring line = quoted + options + b + L"\"";
      start = Clock::now();
      side.throughOk += runner.Run(std::u16string(line.begin(), line.end()),
                                   std::u16string(b.begin(), b.end())) == EncoderOutcome::Succeeded;
      side.through += Clock::now() - start;
      for (const std::wstring& f : {a, b}) DeleteFileW(f.c_str());
    }
    DeleteFileW(clip.c_str());
  }
  RemoveDirectoryW(dir.c_str());

  std::wprintf(L"%d clips of 2 s, one after another\n", kClips);
  bool allOk = true;
  for (const Side& side : sides) {
    std::wprintf(L"encoder %ls\n", side.encoder.c_str());
    std::wprintf(L"  direct: %.2f s (%d converted)\n", Seconds(side.direct), side.directOk);
    std::wprintf(L"  runner: %.2f s (%d converted)\n", Seconds(side.through), side.throughOk);
    std::wprintf(L"  ratio runner/direct: %.3f (goal <= 1.10)\n",
                 Seconds(side.through) / Seconds(side.direct));
    allOk = allOk && side.directOk == kClips && side.throughOk == kClips;
  }
  for (size_t i = 1; i < sides.size(); ++i)
    std::wprintf(L"direct time, encoder %zu against encoder 1: %.3f\n", i + 1,
                 Seconds(sides[i].direct) / Seconds(sides[0].direct));
  return allOk ? 0 : 1;
}

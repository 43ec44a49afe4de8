// The later video profiles against H.264: one 60-second 720p clip converted by
// H.264, H.265, AV1 and WebM Video with their preselected rows, as the program
// builds their command lines, each one's time and size against H.264's,
// measured side by side in one run. "Real time" is the clip's length over the
// time taken: at or above 1 the profile keeps up with playback on this machine.
// Usage: bench_formats [ffmpeg.exe]; by default <exe dir>\..\..\app\ffmpeg.exe.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "profiles/command_line.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kClipSeconds = 60;
constexpr int kProfiles[] = {6, 27, 28, 29};  // H.264 first: the others are measured against it

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

}  // namespace

int main() {
  const std::wstring encoder = BenchEncoder();
  if (!FileExists(encoder)) {
    std::fwprintf(stderr, L"no encoder at %ls\n", encoder.c_str());
    return 2;
  }
  const ScratchDir scratch;
  const std::wstring& dir = scratch.Path();

  // A turning test picture (the bundled encoder's own sources), kept nearly
  // intact so that every profile starts from the same picture.
  const std::wstring clip = dir + L"clip.avi";
  if (RunHidden(L"\"" + encoder + L"\" -v error -y -f lavfi -i testsrc=size=1280x720:rate=30" +
                L",rotate=a=0.2*t -f lavfi -i sine -t " + std::to_wstring(kClipSeconds) +
                L" -vcodec mpeg4 -q:v 2 -acodec mp2 \"" + clip + L"\"") != 0) {
    std::fwprintf(stderr, L"could not make the clip\n");
    return 2;
  }

  std::wprintf(L"%d s of 1280x720 at 30 frames a second, preselected rows, long form\n",
               kClipSeconds);
  std::wprintf(L"%-14ls %9ls %10ls %11ls %12ls %11ls\n", L"profile", L"time (s)", L"real time",
               L"size (KiB)", L"time/H.264", L"size/H.264");
  double baseTime = 0;
  long long baseSize = 0;
  bool allOk = true;
  for (int profile : kProfiles) {
    CONVERT_JOB job;
    job.nProfile = profile;
    for (OptionKind kind : kAllOptionKinds) JobRow(job, kind) = PreselectedRow(profile, kind);
    job.strInput = U16(clip);
    job.strOutput = OutputPath(false, U16(dir), job.strInput, u"clip.avi", profile);
    job.strEncoder = U16(encoder);
    std::u16string line;
    BuildCommandLine(&job, line);
    const std::wstring output(job.strOutput.begin(), job.strOutput.end());
    const auto start = std::chrono::steady_clock::now();
    const long code = RunHidden(std::wstring(line.begin(), line.end()));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long long size = FileSize(output);
    const std::u16string name = Profile(profile).szName;
    if (code != 0 || size <= 0) {
      std::wprintf(L"%-14ls failed: exit %ld\n", std::wstring(name.begin(), name.end()).c_str(),
                   code);
      allOk = false;
      continue;
    }
    if (profile == kProfiles[0]) {
      baseTime = seconds;
      baseSize = size;
    }
    std::wprintf(L"%-14ls %9.1f %10.2f %11lld %12.2f %11.2f\n",
                 std::wstring(name.begin(), name.end()).c_str(), seconds, kClipSeconds / seconds,
                 size / 1024, baseTime > 0 ? seconds / baseTime : 0.0,
                 baseSize > 0 ? double(size) / double(baseSize) : 0.0);
  }
  return allOk ? 0 : 1;
}

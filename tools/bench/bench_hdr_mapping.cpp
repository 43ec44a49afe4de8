// What mapping HDR to SDR costs: a 1080p 10-bit PQ clip converted through the
// H.264 profile with the mapping its details call for, against the same clip
// converted untreated (no details), at the source's size and at a 640x480
// size row. The runs alternate so that both see the same machine load.
// Usage: bench_hdr_mapping [ffmpeg.exe]; by default <exe dir>\..\..\app\ffmpeg.exe.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "convert/output_path.h"
#include "profiles/catalogue.h"
#include "profiles/command_line.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kRounds = 3;
constexpr int kH264Profile = 6;
constexpr int kSize640x480Row = 17;

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

}  // namespace

int main() {
  const std::wstring encoder = BenchEncoder();
  if (GetFileAttributesW(encoder.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::fwprintf(stderr, L"no encoder at %ls\n", encoder.c_str());
    return 2;
  }
  const std::wstring appDir = encoder.substr(0, encoder.find_last_of(L'\\') + 1);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir =
      std::wstring(temp) + L"vm_bench_hdr_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(dir.c_str(), nullptr);

  const std::wstring clip = dir + L"hdr.mp4";
  if (RunHidden(L"\"" + encoder +
                L"\" -v error -y -f lavfi -i testsrc=size=1920x1080:rate=25:duration=3"
                L" -pix_fmt yuv420p10le -vcodec libx264 -preset ultrafast -color_primaries bt2020"
                L" -colorspace bt2020nc -color_trc smpte2084 \"" +
                clip + L"\"") != 0) {
    std::fwprintf(stderr, L"could not make the clip\n");
    return 2;
  }
  InputDetails pq;
  pq.probed = pq.readable = pq.hasVideo = true;
  pq.bitDepth = 10;
  pq.chromaWidthShift = pq.chromaHeightShift = 1;
  pq.width = 1920;
  pq.height = 1080;
  pq.colourPrimaries = "bt2020";
  pq.colourMatrix = "bt2020nc";
  pq.transfer = ColourTransfer::Pq;

  std::wprintf(L"a 3 s 1080p 10-bit PQ clip through the H.264 profile, median of %d rounds\n",
               kRounds);
  bool allOk = true;
  for (int size : {0, kSize640x480Row}) {
    CONVERT_JOB job;
    job.nProfile = kH264Profile;
    for (OptionKind kind : kAllOptionKinds) JobRow(job, kind) = PreselectedRow(job.nProfile, kind);
    job.nSize = size;
    std::vector<double> mapped, untreated;
    for (int round = 0; round < kRounds; ++round) {
      for (bool map : {true, false}) {
        const std::wstring out = dir + (map ? L"mapped.mp4" : L"untreated.mp4");
        const std::u16string line =
            FileCommandLine(job, U16(clip), U16(out), U16(appDir), map ? &pq : nullptr);
        const auto start = BenchClock::now();
        const bool ok = RunHidden(std::wstring(line.begin(), line.end())) == 0;
        (map ? mapped : untreated).push_back(Seconds(start));
        allOk = allOk && ok;
        DeleteFileW(out.c_str());
      }
    }
    std::wprintf(L"size row \"%ls\"\n", OptionRow(OptionKind::Size, size).szLabel);
    std::wprintf(L"  untreated: %.2f s\n", Median(untreated));
    std::wprintf(L"  mapped:    %.2f s\n", Median(mapped));
    std::wprintf(L"  ratio mapped/untreated: %.2f\n", Median(mapped) / Median(untreated));
  }
  DeleteFileW(clip.c_str());
  RemoveDirectoryW(dir.c_str());
  if (!allOk) std::wprintf(L"some conversions failed\n");
  return allOk ? 0 : 1;
}

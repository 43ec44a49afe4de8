// What the run's journal costs: 1,000 short files (the stand-in encoder
// writing a small output each) run by the run engine over the Windows host,
// with the journal and without it, alternating over the rounds; the medians
// are compared. The time spent in the journal's own calls is measured too,
// as a share of the runs that kept it: the overhead with the encoders' noise
// taken out.
// Usage: bench_journal [files] (from the Windows build folder's bench\ subfolder).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "convert/run_journal.h"
#include "convert/win/run_host.h"
#include "convert/win/run_journal_file.h"
#include "tests/win/program_harness.h"

namespace {

constexpr int kRounds = 3;

class Quiet : public RunSink {
 public:
  void Progress(const RunProgress&) override {}
  void Logged(const std::vector<std::u16string>&) override {}
  bool CancelRequested() override { return false; }
};

// The journal, with the time its calls take.
class TimedJournal : public RunRecorder {
 public:
  explicit TimedJournal(RunJournalFile& file)
      : m_writer([&file](const std::vector<uint8_t>& bytes) { file.Append(bytes); }) {}
  void RunBegun(const RunRequest& r) override {
    Timed([&] { m_writer.RunBegun(r); });
  }
  void FileStarting(size_t position, const std::u16string& written) override {
    Timed([&] { m_writer.FileStarting(position, written); });
  }
  void FileEnded(const FileRecord& record) override {
    Timed([&] { m_writer.FileEnded(record); });
  }
  void RunEnded() override {
    Timed([&] { m_writer.RunEnded(); });
  }
  double seconds = 0;

 private:
  template <class F>
  void Timed(F f) {
    const auto start = BenchClock::now();
    f();
    seconds += Seconds(start);
  }
  RunJournalWriter m_writer;
};

std::u16string U16(const std::wstring& w) {
  return std::u16string(w.begin(), w.end());
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 1000;
  ScratchDir dir;
  const std::wstring in = dir.Path() + L"in\\", out = dir.Path() + L"out\\";
  ::CreateDirectoryW(in.c_str(), nullptr);
  ::CreateDirectoryW(out.c_str(), nullptr);
  if (!CopyInto(TestExeDir() + L"..\\helpers\\fake_encoder.exe", dir.Path(), L"ffmpeg.exe")) {
    std::printf("no stand-in encoder\n");
    return 1;
  }
  const std::string script = "file 5 $OUT\n";
  RunRequest request;
  for (int i = 0; i < files; ++i) {
    const std::wstring path = in + L"clip" + std::to_wstring(i) + L".avi";
    if (!WriteBytes(path, std::vector<uint8_t>(script.begin(), script.end()))) return 1;
    request.inputs.push_back(InputFileOf(U16(path)));
  }
  request.positions = AllPositions(request.inputs.size());
  request.settings.outputFolder = U16(out);
  request.settings.overwrite = true;
  request.settings.appDir = U16(dir.Path());
  request.job.nProfile = 22;  // MP3
  request.job.nAudioBitrate = 19;
  request.job.nAudioCodec = 1;
  request.job.nSampleRate = 11;
  request.job.nChannels = 1;
  request.simultaneous = 2;

  std::vector<double> with, without, inJournal;
  for (int round = 0; round < kRounds; ++round) {
    // Which goes first alternates, so that neither always meets a warm cache.
    for (int turn = 0; turn < 2; ++turn) {
      const bool journal = (round + turn) % 2 == 0;
      Quiet sink;
      std::unique_ptr<RunJournalFile> file = RunJournalFile::ForRun(U16(dir.Path()));
      if (!file) return 1;
      TimedJournal timed(*file);
      WindowsRunHost host(nullptr);
      RunEngine engine(host, sink, journal ? &timed : nullptr);
      const auto start = BenchClock::now();
      const RunReport report = engine.Run(request);
      const double seconds = Seconds(start);
      file->Clear();
      if (report.Succeeded() != files) {
        std::printf("round %d: only %d of %d converted\n", round, report.Succeeded(), files);
        return 1;
      }
      (journal ? with : without).push_back(seconds);
      if (journal) inJournal.push_back(timed.seconds / seconds);
      std::printf("round %d %-15s %7.2f s\n", round + 1, journal ? "with journal" : "without",
                  seconds);
    }
  }
  const double a = Median(with), b = Median(without);
  std::printf("%d files, 2 encoders at once: median %.2f s with the journal, %.2f s without\n",
              files, a, b);
  std::printf("run time with / without: %.4f (%+.2f %%)\n", a / b, (a / b - 1) * 100);
  std::printf("time in the journal's calls: %.4f %% of a run (median)\n", Median(inJournal) * 100);
  return 0;
}

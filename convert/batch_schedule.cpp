#include "convert/batch_schedule.h"

#include <algorithm>

#include "framework/long_path.h"
#include "profiles/command_line.h"

namespace {

bool IsAnInput(const std::vector<INPUT_FILE>& inputs, const std::u16string& path) {
  for (const INPUT_FILE& input : inputs)
    if (SamePath(input.strPath, path)) return true;
  return false;
}

// The run's bookkeeping of the encoders under way.
class Schedule {
 public:
  Schedule(ScheduleHost& host, BatchResults& results) : m_host(host), m_results(results) {}

  int Running() const { return int(m_running.size()); }
  bool Cancelled() const { return m_cancelled; }

  bool IsWritten(const std::u16string& output) const {
    for (const InFlight& r : m_running)
      if (SamePath(m_results.files[r.record].output, output)) return true;
    return false;
  }

  void Started(int file, size_t record) { m_running.push_back({file, record}); }

  // Takes the next encoder that ends; a cancelled one ends all the others.
  void AwaitOne() {
    const EncoderEnd end = m_host.WaitForEncoder();
    auto it = std::find_if(m_running.begin(), m_running.end(),
                           [&](const InFlight& r) { return r.file == end.file; });
    // A file that is not running would be the host's mistake; the oldest
    // stands in for it, so that the run still ends.
    if (it == m_running.end()) it = m_running.begin();
    const InFlight ended = *it;
    m_running.erase(it);
    FileRecord& record = m_results.files[ended.record];
    record.verdict = end.verdict;
    // Half-made: whatever is there now is the encoder's, since an earlier
    // file was either deleted on Yes or given up to overwriting.
    if (end.verdict.outcome != FileOutcome::Succeeded && m_host.FileExists(record.output))
      m_host.DeleteFile(record.output);
    if (end.verdict.outcome == FileOutcome::Cancelled) {
      if (!m_cancelled && !m_running.empty()) m_host.EndEncoders();
      m_cancelled = true;
    }
    m_host.FileDone(ended.file, end.verdict.outcome);
  }

  void AwaitAll() {
    while (!m_running.empty()) AwaitOne();
  }

 private:
  struct InFlight {
    int file;
    size_t record;
  };
  ScheduleHost& m_host;
  BatchResults& m_results;
  std::vector<InFlight> m_running;
  bool m_cancelled = false;
};

// A file the run does not convert: logged, recorded and done.
void PassedOver(ScheduleHost& host, int file, FileVerdict& verdict, FailReason reason,
                const std::u16string& note) {
  if (!note.empty()) host.Log(file, note);
  verdict.reason = reason;
  host.FileDone(file, verdict.outcome);
}

}  // namespace

BatchEnd RunScheduledBatch(ScheduleHost& host, const std::vector<INPUT_FILE>& inputs,
                           const std::vector<size_t>& positions, const BatchSettings& settings,
                           CONVERT_JOB& job, BatchResults& results, int simultaneous) {
  const int slots = std::max(1, simultaneous);
  const int count = int(positions.size());
  Schedule schedule(host, results);
  const size_t firstRecord = results.files.size();
  bool startFailed = false;
  for (int i = 0; i < count && !startFailed; ++i) {
    const size_t position = positions[size_t(i)];
    if (position >= inputs.size()) continue;
    const INPUT_FILE& file = inputs[position];
    const std::u16string& path = file.strPath;
    const std::u16string output =
        FileOutputPath(settings.sameAsSource, settings.outputFolder, file, job.nProfile);
    // A free encoder, and never two into one file: the later one meets the
    // earlier one's output as it would one after the other.
    while (!schedule.Cancelled() && (schedule.Running() >= slots || schedule.IsWritten(output)))
      schedule.AwaitOne();
    if (schedule.Cancelled()) break;

    job.strInput = ExtendedLengthPath(path);
    job.strOutput = ExtendedLengthPath(output);
    job.strEncoder = EncoderPath(settings.appDir);
    std::u16string commandLine;
    BuildCommandLine(&job, commandLine);
    host.Log(i, commandLine);
    const size_t record = results.files.size();
    results.files.push_back({path, output, FileVerdict(), position});
    FileVerdict& verdict = results.files.back().verdict;

    if (!host.FileExists(path)) {
      PassedOver(host, i, verdict, FailReason::InputGone, InputGoneNote(path));
      continue;
    }
    const PathProblem problem = OutputPathProblem(output, commandLine);
    if (problem != PathProblem::None) {
      PassedOver(host, i, verdict, FailReason::PathTooLong, PathProblemNote(output, problem));
      continue;
    }
    // Never over a file the run is still to convert, or has converted.
    if (IsAnInput(inputs, output)) {
      PassedOver(host, i, verdict, FailReason::OutputIsAnInput, OutputIsAnInputNote(output));
      continue;
    }
    if (!settings.overwrite && host.FileExists(output)) {
      if (!host.AskOverwrite(OverwriteQuestion(output))) {
        verdict.outcome = FileOutcome::Skipped;
        PassedOver(host, i, verdict, FailReason::None, std::u16string());
        continue;
      }
      host.DeleteFile(output);
    }
    // Made only now, so that a file passed over leaves no empty folders.
    const std::u16string folder = FolderToCreate(settings.sameAsSource, file, output);
    if (!folder.empty()) {
      const std::u16string reason = host.CreateFolders(folder);
      if (!reason.empty()) {
        verdict.tellingLine = reason;
        PassedOver(host, i, verdict, FailReason::FolderNotCreated,
                   FolderFailedNote(folder, reason));
        continue;
      }
    }
    if (!host.StartEncoder(i, commandLine, output)) {
      verdict.outcome = FileOutcome::StartFailed;
      startFailed = true;
      host.FileDone(i, verdict.outcome);
      continue;
    }
    schedule.Started(i, record);
    // Only a running encoder's file is shown.
    host.ShowFile(i, file.strName, i + 1, count);
  }
  // Files already running finish, unless one of them is cancelled.
  schedule.AwaitAll();

  // Outcomes in the run's order; a cancelled run reports no successes, though
  // finished files stay listed.
  for (size_t i = firstRecord; i < results.files.size(); ++i) {
    if (results.files[i].verdict.outcome != FileOutcome::Succeeded) continue;
    results.outputFiles.push_back(results.files[i].output);
    ++results.succeeded;
  }
  if (schedule.Cancelled()) {
    results.succeeded = 0;
    return BatchEnd::Cancelled;
  }
  return startFailed ? BatchEnd::StartFailed : BatchEnd::Finished;
}

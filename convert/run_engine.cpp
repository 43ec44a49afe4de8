#include "convert/run_engine.h"

#include <algorithm>

#include "convert/conversion_log.h"
#include "convert/run_outcomes.h"
#include "framework/long_path.h"
#include "framework/utf8_text.h"
#include "profiles/command_line.h"

namespace {

bool IsAnInput(const std::vector<INPUT_FILE>& inputs, const std::u16string& path) {
  for (const INPUT_FILE& input : inputs)
    if (SamePath(input.strPath, path)) return true;
  return false;
}

}  // namespace

int RunReport::Succeeded() const {
  return end == BatchEnd::Cancelled ? 0 : CountConverted(files);
}

RunReport RunEngine::Run(RunRequest request) {
  const std::vector<INPUT_FILE>& inputs = request.inputs;
  const BatchSettings& settings = request.settings;
  CONVERT_JOB& job = request.job;
  const int slots = std::max(1, request.simultaneous);
  const int count = int(request.positions.size());
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_progress.simultaneous = slots;
    for (size_t position : request.positions) {
      FileProgress file;
      file.position = position;
      if (position < inputs.size()) file.name = inputs[position].strName;
      m_progress.files.push_back(file);
    }
    m_estimate.Begin(count, m_host.Seconds());
    // Every play time already known weighs its file from the start.
    for (int i = 0; i < count; ++i)
      if (request.positions[size_t(i)] < inputs.size())
        m_estimate.FileDuration(
            i, m_host.InputKnown(inputs[request.positions[size_t(i)]].strPath).durationSeconds);
    Tell(true);
  }
  if (m_recorder) m_recorder->RunBegun(request);
  for (const FileRecord& record : request.earlier.files)
    if (record.verdict.outcome == FileOutcome::Succeeded &&
        std::find(request.positions.begin(), request.positions.end(), record.position) ==
            request.positions.end())
      m_convertedBefore.push_back(record.output);
  bool startFailed = false;
  for (int i = 0; i < count && !startFailed; ++i) {
    const size_t position = request.positions[size_t(i)];
    if (position >= inputs.size()) continue;
    const INPUT_FILE& file = inputs[position];
    const std::u16string& path = file.strPath;
    const std::u16string output =
        FileOutputPath(settings.sameAsSource, settings.outputFolder, file, job.nProfile);
    // A free encoder, and never two into one file: the later one meets the
    // earlier one's output as it would one after the other.
    while (!m_cancelled && (int(m_running.size()) >= slots || IsWritten(output))) AwaitOne();
    if (m_cancelled) break;
    // The result already counts a file converted into this output: a failure
    // here must not take it, so this one replaces it only once converted.
    const bool partial = IsConverted(output);
    const std::u16string written = partial ? PartialOutput(inputs, output) : output;

    const InputDetails details = m_host.InputNow(path);
    if (details.durationSeconds > 0) {
      std::lock_guard<std::mutex> hold(m_lock);
      m_estimate.FileDuration(i, details.durationSeconds);
    }
    const std::u16string commandLine =
        FileCommandLine(job, path, written, settings.appDir, &details);
    Log(i, commandLine, false);
    FileRecord record;
    record.input = path;
    record.output = output;
    record.position = position;
    record.started = m_host.Now();
    m_records.push_back(record);

    if (!m_host.FileExists(path)) {
      PassedOver(i, FailReason::InputGone, InputGoneNote(path));
      continue;
    }
    m_host.FileSize(path, m_records.back().inputSize);
    // Unchanged since it was found unreadable: the encoder would only say so.
    if (details.probed && !details.readable) {
      m_records.back().verdict.cause = CauseOf(details.problem, path);
      m_records.back().verdict.tellingLine = Utf8ToText(details.tellingLine);
      PassedOver(i, FailReason::Unreadable, UnreadableNote(path));
      continue;
    }
    const PathProblem problem = OutputPathProblem(written, commandLine);
    if (problem != PathProblem::None) {
      PassedOver(i, FailReason::PathTooLong, PathProblemNote(written, problem));
      continue;
    }
    // Never over a file the run is still to convert, or has converted.
    if (IsAnInput(inputs, output)) {
      PassedOver(i, FailReason::OutputIsAnInput, OutputIsAnInputNote(output));
      continue;
    }
    if (!settings.overwrite && m_host.FileExists(output)) {
      if (!m_host.AskOverwrite(OverwriteQuestion(output))) {
        m_records.back().verdict.outcome = FileOutcome::Skipped;
        PassedOver(i, FailReason::None, std::u16string());
        continue;
      }
      if (!partial) m_host.DeleteFile(output);
    }
    // Made only now, so that a file passed over leaves no empty folders.
    const std::u16string folder = FolderToCreate(settings.sameAsSource, file, output);
    if (!folder.empty()) {
      const std::u16string reason = m_host.CreateFolders(folder);
      if (!reason.empty()) {
        m_records.back().verdict.tellingLine = reason;
        PassedOver(i, FailReason::FolderNotCreated, FolderFailedNote(folder, reason));
        continue;
      }
    }
    if (!Start(i, commandLine, written)) {
      m_records.back().verdict.outcome = FileOutcome::StartFailed;
      startFailed = true;
      FileDone(i, m_records.size() - 1, FileOutcome::StartFailed);
      continue;
    }
    // Only a running encoder's file is shown.
    Show(i);
  }
  // Files already running finish, unless one of them is cancelled.
  while (!m_running.empty()) AwaitOne();

  RunReport report;
  report.end = m_cancelled   ? BatchEnd::Cancelled
               : startFailed ? BatchEnd::StartFailed
                             : BatchEnd::Finished;
  report.settings = settings;
  report.files = std::move(request.earlier.files);
  RecordRun(report.files, inputs, request.positions, m_records, report.end);
  std::lock_guard<std::mutex> hold(m_lock);
  // Files the run never came to are never done: what they logged goes last.
  Write(m_logOrder.Rest());
  report.log = std::move(request.earlier.log);
  report.log.insert(report.log.end(), m_log.begin(), m_log.end());
  if (m_recorder) m_recorder->RunEnded();
  m_progress.finished = true;
  Tell(true);
  return report;
}

bool RunEngine::IsWritten(const std::u16string& output) const {
  for (const InFlight& r : m_running)
    if (SamePath(m_records[r.record].output, output) || SamePath(r.written, output)) return true;
  return false;
}

bool RunEngine::IsConverted(const std::u16string& output) const {
  auto same = [&](const std::u16string& path) { return SamePath(path, output); };
  for (const FileRecord& record : m_records)
    if (record.verdict.outcome == FileOutcome::Succeeded && same(record.output)) return true;
  return std::any_of(m_convertedBefore.begin(), m_convertedBefore.end(), same);
}

// The first partial name that is nobody's: no file there, no input, no encoder writing it.
std::u16string RunEngine::PartialOutput(const std::vector<INPUT_FILE>& inputs,
                                        const std::u16string& output) {
  for (int n = 1;; ++n) {
    std::u16string partial = PartialOutputPath(output, n);
    if (!m_host.FileExists(partial) && !IsAnInput(inputs, partial) && !IsWritten(partial))
      return partial;
  }
}

void RunEngine::AwaitOne() {
  const EncoderEnd end = m_host.WaitForEncoder();
  auto it = std::find_if(m_running.begin(), m_running.end(),
                         [&](const InFlight& r) { return r.file == end.file; });
  // A file that is not running would be the host's mistake; the oldest
  // stands in for it, so that the run still ends.
  if (it == m_running.end()) it = m_running.begin();
  const InFlight ended = *it;
  m_running.erase(it);
  FileRecord& record = m_records[ended.record];
  record.verdict = end.verdict;
  if (end.verdict.outcome == FileOutcome::Succeeded && ended.written != record.output) {
    const std::u16string reason = m_host.MoveOver(ended.written, record.output);
    if (!reason.empty()) {
      record.verdict.outcome = FileOutcome::Failed;
      record.verdict.reason = FailReason::NoOutput;
      record.verdict.tellingLine = reason;
      std::lock_guard<std::mutex> hold(m_lock);
      m_progress.failed = true;
    }
  }
  // Half-made: whatever is there now is the encoder's, since an earlier
  // file was either deleted on Yes, given up to overwriting, or kept apart.
  if (record.verdict.outcome != FileOutcome::Succeeded && m_host.FileExists(ended.written))
    m_host.DeleteFile(ended.written);
  if (end.verdict.outcome == FileOutcome::Cancelled) {
    if (!m_cancelled && !m_running.empty()) m_host.EndEncoders();
    m_cancelled = true;
  }
  FileDone(ended.file, ended.record, record.verdict.outcome);
}

void RunEngine::PassedOver(int file, FailReason reason, const std::u16string& note) {
  if (!note.empty()) Log(file, note, false);
  FileRecord& record = m_records.back();
  record.verdict.reason = reason;
  FileDone(file, m_records.size() - 1, record.verdict.outcome);
}

bool RunEngine::Start(int file, const std::u16string& commandLine, const std::u16string& written) {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_progress.files[size_t(file)].state = FileState::Running;
    m_estimate.FileStarted(file, m_host.Seconds());
  }
  if (m_recorder) m_recorder->FileStarting(m_records.back().position, written);
  if (!m_host.StartEncoder(file, commandLine, written, *this)) return false;
  m_running.push_back({file, m_records.size() - 1, written});
  return true;
}

void RunEngine::Show(int file) {
  std::lock_guard<std::mutex> hold(m_lock);
  // An encoder that has ended already, with none left, is shown as the last
  // one always was.
  const int oldest = Oldest();
  if (oldest < 0 || oldest == file) m_progress.rowFile = file;
  m_progress.countShown = m_progress.simultaneous > 1
                              ? std::min(m_progress.done + 1, int(m_progress.files.size()))
                              : file + 1;
  Tell();
}

void RunEngine::Log(int file, const std::u16string& text, bool chunk) {
  std::lock_guard<std::mutex> hold(m_lock);
  Write(m_logOrder.Add(file, {m_host.Now(), text, chunk}));
}

void RunEngine::FileDone(int file, size_t record, FileOutcome outcome) {
  m_records[record].ended = m_host.Now();
  // A cancelled file ends the run, which then has nothing to continue.
  if (m_recorder && outcome != FileOutcome::Cancelled) m_recorder->FileEnded(m_records[record]);
  std::lock_guard<std::mutex> hold(m_lock);
  Write(m_logOrder.Done(file));
  // The encoder's end told its own outcome; a move that failed since changes it.
  FileProgress& shown = m_progress.files[size_t(file)];
  shown.state = FileState::Done;
  shown.outcome = outcome;
  // A run that ends with the file does not count it as done; an encoder's
  // file was counted when the encoder ended.
  if (outcome != FileOutcome::Cancelled && outcome != FileOutcome::StartFailed &&
      m_counted.insert(file).second)
    Counted(file);
  else
    Tell();
}

void RunEngine::Printed(int file, const std::u16string& text) {
  Log(file, text, true);
}

void RunEngine::Percent(int file, int percent) {
  std::lock_guard<std::mutex> hold(m_lock);
  if (!Valid(file) || m_progress.files[size_t(file)].state != FileState::Running) return;
  m_progress.files[size_t(file)].percent = percent;
  if (Oldest() == file) m_progress.rowPercent = percent;
  m_estimate.FileProgress(file, percent / 100.0, m_host.Seconds());
  Tell();
}

void RunEngine::Duration(int file, double seconds) {
  std::lock_guard<std::mutex> hold(m_lock);
  m_estimate.FileDuration(file, seconds);
}

bool RunEngine::CancelRequested() {
  {
    // Polled while the encoders are silent too: the time shown goes on.
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_host.Seconds() - m_readAt >= 1.0) Tell();
  }
  return m_sink.CancelRequested();
}

// On the encoder's thread, at once: the page need not wait for the run to
// take the file back, which waits while an overwrite question is open.
void RunEngine::Ended(const EncoderEnd& end) {
  std::lock_guard<std::mutex> hold(m_lock);
  if (!Valid(end.file)) return;
  if (end.verdict.outcome == FileOutcome::Failed) m_progress.failed = true;
  const bool wasOldest = Oldest() == end.file;
  FileProgress& ended = m_progress.files[size_t(end.file)];
  ended.state = FileState::Done;
  ended.outcome = end.verdict.outcome;
  const int oldest = Oldest();
  if (wasOldest && oldest >= 0) {
    m_progress.rowFile = oldest;
    m_progress.rowPercent = m_progress.files[size_t(oldest)].percent;
  }
  if (end.verdict.outcome != FileOutcome::Cancelled && m_counted.insert(end.file).second)
    Counted(end.file);
  else
    Tell();
}

int RunEngine::Oldest() const {
  for (size_t i = 0; i < m_progress.files.size(); ++i)
    if (m_progress.files[i].state == FileState::Running) return int(i);
  return -1;
}

void RunEngine::Counted(int file) {
  ++m_progress.done;
  m_estimate.FileDone(file, m_host.Seconds());
  if (m_progress.simultaneous > 1)
    m_progress.countShown = std::min(m_progress.done + 1, int(m_progress.files.size()));
  Tell();
}

void RunEngine::Tell(bool readEstimate) {
  m_progress.share = m_estimate.Share();
  const double now = m_host.Seconds();
  if (readEstimate || now - m_readAt >= 1.0) {
    m_readAt = now;
    m_progress.estimate = m_estimate.Look(now);
    ++m_progress.estimateReads;
  }
  m_sink.Progress(m_progress);
}

void RunEngine::Write(const std::vector<Entry>& entries) {
  if (entries.empty()) return;
  std::vector<std::u16string> written;
  for (const Entry& e : entries) {
    // Only the first chunk of a whole run is logged in full.
    const bool tail = e.chunk && !m_firstChunk;
    if (e.chunk) m_firstChunk = false;
    written.push_back(FormatLogEntry(e.time.hour, e.time.minute, e.time.second, e.text, tail));
  }
  m_log.insert(m_log.end(), written.begin(), written.end());
  m_sink.Logged(written);
}

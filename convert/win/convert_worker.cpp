#include "convert/win/convert_worker.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>

#include "app/language_text.h"
#include "convert/batch_schedule.h"
#include "convert/log_order.h"
#include "convert/run_outcomes.h"
#include "convert/win/converting_page.h"
#include "convert/win/messages.h"
#include "convert/win/running_encoders.h"
#include "convert/win/taskbar_progress.h"
#include "framework/long_path.h"
#include "framework/win/controls.h"
#include "framework/win/file_io.h"
#include "resources/resource.h"

namespace {

// Workers still running; their thread handles are closed at once, so that
// none is kept until the program ends.
std::mutex g_workersLock;
std::condition_variable g_workersDone;
int g_workers = 0;

double NowSeconds() {
  return double(::GetTickCount64()) / 1000.0;
}

std::u16string PercentText(int percent) {
  return DecimalText(percent) + u"%";
}

// A log entry as it was made, written when its file's turn in the log comes.
struct StampedEntry {
  SYSTEMTIME time;
  std::u16string text;
  bool chunk = false;  // the encoder's output, as opposed to the run's own lines
};

// A file whose encoder runs.
struct FileInFlight {
  int file = -1;
  std::u16string name;
  int percent = 0;
};

class ConvertWorker;

// What one file's encoder reports, told apart from the others'.
class FileSink : public EncoderRunSink {
 public:
  FileSink(ConvertWorker& worker, int file) : m_worker(worker), m_file(file) {}
  void LogChunk(const std::u16string& text) override;
  void SetPercent(int percent) override;
  void SetDuration(double seconds) override;
  bool CancelRequested() override;
  HWND MessageOwner() override;
  int File() const { return m_file; }

 private:
  ConvertWorker& m_worker;
  int m_file;
};

class ConvertWorker : public ScheduleHost {
 public:
  explicit ConvertWorker(const ConvertWorkerSetup& setup) : m_setup(setup) {}

  BatchEnd Run() {
    APP_STATE& state = *m_setup.state;
    // The system stays awake while the run lasts; the request ends with the thread.
    ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    TaskbarProgress taskbar(m_setup.mainWindow);
    m_taskbar = &taskbar;
    const bool retry = !m_setup.positions.empty();
    const std::vector<size_t> positions =
        retry ? m_setup.positions : AllPositions(m_setup.inputs.size());
    m_count = int(positions.size());
    {
      std::lock_guard<std::mutex> hold(m_lock);
      m_estimate.Begin(m_count, NowSeconds());
      ShowTotal(true);
    }

    BatchResults results;
    const BatchEnd end = RunScheduledBatch(*this, m_setup.inputs, positions, m_setup.settings,
                                           state.job, results, m_setup.simultaneous);
    {
      std::lock_guard<std::mutex> hold(m_lock);
      WriteLog(m_logOrder.Rest());
    }
    // A retry keeps the other files' records and outputs.
    std::vector<FileRecord> outcomes = retry ? m_setup.previous : std::vector<FileRecord>();
    RecordRun(outcomes, m_setup.inputs, positions, results, end);
    state.g_nSucceeded = end == BatchEnd::Cancelled ? 0 : CountConverted(outcomes);
    if (!retry) state.g_outputFiles.clear();
    state.g_outputFiles.insert(state.g_outputFiles.end(), results.outputFiles.begin(),
                               results.outputFiles.end());
    m_setup.flags->m_outcomes = std::move(outcomes);
    m_setup.flags->m_files = std::move(results.files);
    m_taskbar = nullptr;
    return end;
  }
  HWND MainWindow() const { return m_setup.mainWindow; }

  // ScheduleHost
  bool FileExists(const std::u16string& path) override { return PathExists(path); }
  bool AskOverwrite(const std::u16string& question) override {
    return ::MessageBoxW(m_setup.page, W(question), L"Vidmorph", MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
  }
  void DeleteFile(const std::u16string& path) override {
    ::DeleteFileW(W(ExtendedLengthPath(path)));
  }
  std::u16string CreateFolders(const std::u16string& folder) override {
    return CreateFolderTree(folder);
  }
  void Log(int file, const std::u16string& text) override { AddToLog(file, text, false); }
  void ShowFile(int file, const std::u16string& name, int position, int count) override {
    std::lock_guard<std::mutex> hold(m_lock);
    FileInFlight* shown = InFlight(file);
    if (shown) shown->name = name;
    // The file row follows the oldest file still running; an encoder that has
    // ended already, with none left, is shown as the last one always was.
    if (m_inFlight.empty() || m_inFlight.front().file == file)
      ::SetWindowTextW(m_setup.fileLabel, W(name));
    ShowCount(Several() ? std::min(m_done + 1, count) : position, count);
    ShowRows();
  }
  bool StartEncoder(int file, const std::u16string& commandLine,
                    const std::u16string& outputPath) override {
    {
      std::lock_guard<std::mutex> hold(m_lock);
      m_inFlight.push_back({file, std::u16string(), 0});
      m_estimate.FileStarted(file, NowSeconds());
    }
    m_sinks.emplace_back(new FileSink(*this, file));
    if (m_encoders.Start(file, *m_sinks.back(), commandLine, outputPath)) return true;
    m_sinks.pop_back();
    std::lock_guard<std::mutex> hold(m_lock);
    m_inFlight.pop_back();
    return false;
  }
  EncoderEnd WaitForEncoder() override {
    const EncoderEnd end = m_encoders.WaitForEnd();
    m_sinks.erase(
        std::remove_if(m_sinks.begin(), m_sinks.end(),
                       [&](const std::unique_ptr<FileSink>& s) { return s->File() == end.file; }),
        m_sinks.end());
    return end;
  }
  void EndEncoders() override { m_encoders.EndAll(); }
  void FileDone(int file, FileOutcome outcome) override {
    std::lock_guard<std::mutex> hold(m_lock);
    WriteLog(m_logOrder.Done(file));
    // A run that ends with the file does not count it as done; an encoder's
    // file was counted when the encoder ended.
    if (outcome == FileOutcome::Cancelled || outcome == FileOutcome::StartFailed) return;
    if (!m_counted.insert(file).second) return;
    Counted(file);
  }

  // On the encoder's thread, at once: the page need not wait for the run to
  // take the file back, which waits while an overwrite question is open.
  void EncoderEnded(const EncoderEnd& end) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (end.verdict.outcome == FileOutcome::Failed) m_failed = true;
    const bool wasOldest = !m_inFlight.empty() && m_inFlight.front().file == end.file;
    m_inFlight.erase(std::remove_if(m_inFlight.begin(), m_inFlight.end(),
                                    [&](const FileInFlight& f) { return f.file == end.file; }),
                     m_inFlight.end());
    // The file row follows the oldest file still running.
    if (wasOldest && !m_inFlight.empty()) {
      ::SetWindowTextW(m_setup.fileLabel, W(m_inFlight.front().name));
      ShowPercent(m_inFlight.front().percent);
    }
    ShowRows();
    if (end.verdict.outcome != FileOutcome::Cancelled && m_counted.insert(end.file).second)
      Counted(end.file);
  }

  // What the files' sinks pass on.
  void AddToLog(int file, const std::u16string& text, bool chunk) {
    std::lock_guard<std::mutex> hold(m_lock);
    StampedEntry entry;
    ::GetLocalTime(&entry.time);
    entry.text = text;
    entry.chunk = chunk;
    WriteLog(m_logOrder.Add(file, entry));
  }
  void FilePercent(int file, int percent) {
    std::lock_guard<std::mutex> hold(m_lock);
    FileInFlight* shown = InFlight(file);
    if (!shown) return;
    const bool changed = shown->percent != percent;
    shown->percent = percent;
    if (m_inFlight.front().file == file) ShowPercent(percent);
    if (changed) ShowRows();
    m_estimate.FileProgress(file, percent / 100.0, NowSeconds());
    ShowTotal(false);
  }
  void FileDuration(int file, double seconds) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_estimate.FileDuration(file, seconds);
  }
  bool CancelRequested() {
    // Polled while the encoders are silent too: the time shown goes on.
    std::lock_guard<std::mutex> hold(m_lock);
    ShowTotal(false);
    return m_setup.flags->m_bCancel != 0;
  }
  HWND Page() const { return m_setup.page; }

 private:
  bool Several() const { return m_setup.simultaneous > 1; }

  FileInFlight* InFlight(int file) {
    for (FileInFlight& f : m_inFlight)
      if (f.file == file) return &f;
    return nullptr;
  }

  // With the lock held from here on.
  void Counted(int file) {
    ++m_done;
    m_estimate.FileDone(file, NowSeconds());
    if (Several()) ShowCount(std::min(m_done + 1, m_count), m_count);
    ShowTotal(false);
  }
  void WriteLog(const std::vector<StampedEntry>& entries) {
    for (const StampedEntry& e : entries) {
      // Only the first chunk of a whole run is logged in full.
      const bool tail = e.chunk && !m_setup.flags->m_bFirstChunk.exchange(false);
      AppendLog(m_setup.log, e.time, e.text, tail);
    }
  }
  void ShowPercent(int percent) {
    ::SendMessageW(m_setup.progress, PBM_SETPOS, WPARAM(percent), 0);
    ::SetWindowTextW(m_setup.percentLabel, W(PercentText(percent)));
  }
  void ShowCount(int position, int count) {
    wchar_t text[32];
    wsprintfW(text, L"%d/%d", position, count);
    ::SetWindowTextW(m_setup.countLabel, text);
  }
  // One row per file in flight: its percentage and name.
  void ShowRows() {
    if (!Several() || !m_setup.runningList) return;
    CListBox rows(m_setup.runningList);
    rows.ResetContent();
    for (const FileInFlight& f : m_inFlight)
      rows.AddString(PercentText(f.percent) + u"  " + f.name);
  }
  // The whole run's bar at once; its line and the taskbar at most once a
  // second unless `now`.
  void ShowTotal(bool now) {
    const double share = m_estimate.Share();
    ::SendMessageW(m_setup.totalProgress, PBM_SETPOS, WPARAM(share * 100), 0);
    const double at = NowSeconds();
    if (!now && at - m_shownAt < 1.0) return;
    m_shownAt = at;
    const std::u16string text = EstimateText(m_estimate.Look(at), m_setup.estimateTexts);
    ::SetWindowTextW(m_setup.estimateLabel, W(text));
    if (m_taskbar) m_taskbar->Show(share, m_failed);
  }

  ConvertWorkerSetup m_setup;
  int m_count = 0;
  // Shared with the encoders' threads, under the lock.
  std::mutex m_lock;
  LogOrder<StampedEntry> m_logOrder;
  std::vector<FileInFlight> m_inFlight;  // in the run's order
  RunEstimate m_estimate;
  int m_done = 0;
  std::set<int> m_counted;  // the files counted as done
  double m_shownAt = -1e9;
  bool m_failed = false;
  TaskbarProgress* m_taskbar = nullptr;
  // The run's thread's own; the encoders' threads reach the worker through
  // the sinks.
  std::vector<std::unique_ptr<FileSink>> m_sinks;
  // Last, so that its encoders and their threads end before anything they use goes.
  RunningEncoders m_encoders{[this](const EncoderEnd& end) { EncoderEnded(end); }};
};

void FileSink::LogChunk(const std::u16string& text) {
  m_worker.AddToLog(m_file, text, true);
}
void FileSink::SetPercent(int percent) {
  m_worker.FilePercent(m_file, percent);
}
void FileSink::SetDuration(double seconds) {
  m_worker.FileDuration(m_file, seconds);
}
bool FileSink::CancelRequested() {
  return m_worker.CancelRequested();
}
HWND FileSink::MessageOwner() {
  return m_worker.Page();
}

void WorkerEnded() {
  std::lock_guard<std::mutex> lock(g_workersLock);
  --g_workers;
  g_workersDone.notify_all();
}

DWORD WINAPI ConvertThreadProc(LPVOID param) {
  auto* worker = static_cast<ConvertWorker*>(param);
  const HWND mainWindow = worker->MainWindow();
  DWORD exitCode = 0;
  try {
    // Its encoders are gone with it, before anyone hears that the run has ended.
    std::unique_ptr<ConvertWorker> owned(worker);
    exitCode = owned->Run() == BatchEnd::Finished ? 1 : 0;
  } catch (...) {
    exitCode = 0;
  }
  // Exactly once per run, whatever ended it.
  ::PostMessageW(mainWindow, WM_CONVERT_FINISHED, 0, 0);
  WorkerEnded();
  return exitCode;
}

}  // namespace

void StartConvertWorker(const ConvertWorkerSetup& setup) {
  auto* worker = new ConvertWorker(setup);
  {
    std::lock_guard<std::mutex> lock(g_workersLock);
    ++g_workers;
  }
  HANDLE thread = ::CreateThread(nullptr, 0, ConvertThreadProc, worker, 0, nullptr);
  if (!thread) {
    delete worker;
    WorkerEnded();
    ::PostMessageW(setup.mainWindow, WM_CONVERT_FINISHED, 0, 0);
    return;
  }
  ::CloseHandle(thread);
}

void EndConvertWorkers(DWORD timeoutMs) {
  EncoderRegistry::Process().CloseAll();
  std::unique_lock<std::mutex> lock(g_workersLock);
  g_workersDone.wait_for(lock, std::chrono::milliseconds(timeoutMs), [] { return g_workers == 0; });
}

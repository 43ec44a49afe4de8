#include "convert/win/convert_worker.h"

#include <shobjidl.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "convert/run_outcomes.h"
#include "convert/win/converting_page.h"
#include "convert/win/encoder_runner.h"
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

// The taskbar button's share of the run and its error state, where the
// system offers them; the calls do nothing otherwise.
class TaskbarProgress {
 public:
  explicit TaskbarProgress(HWND window) : m_window(window) {
    m_com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&m_list))) ||
        FAILED(m_list->HrInit()))
      Drop();
  }
  ~TaskbarProgress() {
    if (m_list) m_list->SetProgressState(m_window, TBPF_NOPROGRESS);
    Drop();
    if (m_com) ::CoUninitialize();
  }
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;

  void Show(double share, bool failed) {
    if (!m_list) return;
    m_list->SetProgressState(m_window, failed ? TBPF_ERROR : TBPF_NORMAL);
    m_list->SetProgressValue(m_window, ULONGLONG(share * 1000), 1000);
  }

 private:
  void Drop() {
    if (m_list) m_list->Release();
    m_list = nullptr;
  }
  HWND m_window;
  bool m_com = false;
  ITaskbarList3* m_list = nullptr;
};

class ConvertWorker : public BatchHost, public EncoderRunSink {
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
    m_estimate.Begin(int(positions.size()), NowSeconds());
    ShowTotal(true);

    BatchResults results;
    const BatchEnd end =
        RunBatchAt(*this, m_setup.inputs, positions, m_setup.settings, state.job, results);
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

  // BatchHost
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
  void Log(const std::u16string& text) override { AppendLog(m_setup.log, text, false); }
  void ShowFile(const std::u16string& name, int position, int count) override {
    ::SetWindowTextW(m_setup.fileLabel, W(name));
    wchar_t text[32];
    wsprintfW(text, L"%d/%d", position, count);
    ::SetWindowTextW(m_setup.countLabel, text);
    m_file = position - 1;
    m_estimate.FileStarted(m_file, NowSeconds());
  }
  bool StartEncoder(const std::u16string& commandLine) override {
    m_runner.reset(new EncoderRunner(*this));
    if (m_runner->Start(commandLine)) return true;
    m_runner.reset();
    return false;
  }
  FileVerdict FinishEncoder(const std::u16string& outputPath) override {
    FileVerdict verdict;
    const EncoderOutcome outcome = m_runner->Finish(outputPath);
    verdict.outcome = outcome == EncoderOutcome::Succeeded   ? FileOutcome::Succeeded
                      : outcome == EncoderOutcome::Cancelled ? FileOutcome::Cancelled
                                                             : FileOutcome::Failed;
    verdict.reason = m_runner->Reason();
    if (verdict.reason == FailReason::FatalLine) verdict.fatalLine = m_runner->FatalLine();
    verdict.tellingLine = m_runner->TellingLine();
    verdict.exited = m_runner->Exited();
    verdict.exitCode = m_runner->ExitCode();
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (outcome == EncoderOutcome::Succeeded &&
        ::GetFileAttributesExW(W(outputPath), GetFileExInfoStandard, &data))
      verdict.outputSize = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (outcome == EncoderOutcome::Failed) m_failed = true;
    m_runner.reset();
    return verdict;
  }
  void FileDone(int done, int count) override {
    (void)count;
    m_estimate.FileDone(done - 1, NowSeconds());
    ShowTotal(false);
  }

  // EncoderRunSink: only the first chunk of a whole run is logged in full.
  void LogChunk(const std::u16string& text) override {
    AppendLog(m_setup.log, text, !m_setup.flags->m_bFirstChunk.exchange(false));
  }
  void SetPercent(int percent) override {
    ::SendMessageW(m_setup.progress, PBM_SETPOS, WPARAM(percent), 0);
    wchar_t text[16];
    wsprintfW(text, L"%d%s", percent, L"%");
    ::SetWindowTextW(m_setup.percentLabel, text);
    m_estimate.FileProgress(m_file, percent / 100.0, NowSeconds());
    ShowTotal(false);
  }
  void SetDuration(double seconds) override { m_estimate.FileDuration(m_file, seconds); }
  bool CancelRequested() override {
    // Polled while the encoder is silent too: the time shown goes on.
    ShowTotal(false);
    return m_setup.flags->m_bCancel != 0;
  }
  HWND MessageOwner() override { return m_setup.page; }

 private:
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
  std::unique_ptr<EncoderRunner> m_runner;
  RunEstimate m_estimate;
  int m_file = 0;
  double m_shownAt = -1e9;
  bool m_failed = false;
  TaskbarProgress* m_taskbar = nullptr;
};

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
    // Its encoder is gone with it, before anyone hears that the run has ended.
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

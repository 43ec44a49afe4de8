#include "convert/win/convert_worker.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

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

class ConvertWorker : public BatchHost, public EncoderRunSink {
 public:
  explicit ConvertWorker(const ConvertWorkerSetup& setup) : m_setup(setup) {}

  BatchEnd Run() {
    APP_STATE& state = *m_setup.state;
    BatchResults results;
    const BatchEnd end = RunBatch(*this, m_setup.inputs, m_setup.settings, state.job, results);
    state.g_nSucceeded = results.succeeded;
    state.g_outputFiles = results.outputFiles;
    m_setup.flags->m_files = std::move(results.files);
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
    m_runner.reset();
    return verdict;
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
  }
  bool CancelRequested() override { return m_setup.flags->m_bCancel != 0; }
  HWND MessageOwner() override { return m_setup.page; }

 private:
  ConvertWorkerSetup m_setup;
  std::unique_ptr<EncoderRunner> m_runner;
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

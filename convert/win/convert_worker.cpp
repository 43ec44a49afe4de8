#include "convert/win/convert_worker.h"

#include <mutex>
#include <vector>

#include "convert/win/converting_page.h"
#include "convert/win/encoder_runner.h"
#include "framework/win/controls.h"
#include "resources/resource.h"

namespace {

std::mutex g_workersLock;
std::vector<HANDLE> g_workers;

class ConvertWorker : public BatchHost, public EncoderRunSink {
 public:
  explicit ConvertWorker(const ConvertWorkerSetup& setup) : m_setup(setup) {}

  BatchEnd Run() {
    APP_STATE& state = *m_setup.state;
    BatchResults results;
    const BatchEnd end = RunBatch(*this, m_setup.inputs, m_setup.settings, state.job, results);
    state.g_nSucceeded = results.succeeded;
    state.g_outputFiles = results.outputFiles;
    return end;
  }
  // Exactly once per run, whatever ended it.
  void PostFinished() { ::PostMessageW(m_setup.mainWindow, WM_CONVERT_FINISHED, 0, 0); }

  // BatchHost
  bool FileExists(const std::u16string& path) override {
    return ::GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES;
  }
  bool AskOverwrite(const std::u16string& question) override {
    return ::MessageBoxW(m_setup.page, W(question), L"Vidmorph", MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
  }
  void DeleteFile(const std::u16string& path) override { ::DeleteFileW(W(path)); }
  void Log(const std::u16string& text) override { AppendLog(m_setup.log, text, false); }
  void ShowFile(const std::u16string& name, int position, int count) override {
    ::SetWindowTextW(m_setup.fileLabel, W(name));
    wchar_t text[32];
    wsprintfW(text, L"%d/%d", position, count);
    ::SetWindowTextW(m_setup.countLabel, text);
  }
  FileOutcome RunEncoder(const std::u16string& commandLine,
                         const std::u16string& outputPath) override {
    EncoderRunner runner(*this);
    switch (runner.Run(commandLine, outputPath)) {
      case EncoderOutcome::Succeeded:
        return FileOutcome::Succeeded;
      case EncoderOutcome::Failed:
        return FileOutcome::Failed;
      case EncoderOutcome::Cancelled:
        return FileOutcome::Cancelled;
      case EncoderOutcome::StartFailed:
        break;
    }
    return FileOutcome::StartFailed;
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
};

DWORD WINAPI ConvertThreadProc(LPVOID param) {
  std::unique_ptr<ConvertWorker> worker(static_cast<ConvertWorker*>(param));
  DWORD exitCode = 0;
  try {
    exitCode = worker->Run() == BatchEnd::Finished ? 1 : 0;
  } catch (...) {
    exitCode = 0;
  }
  worker->PostFinished();
  return exitCode;
}

}  // namespace

void StartConvertWorker(const ConvertWorkerSetup& setup) {
  auto* worker = new ConvertWorker(setup);
  HANDLE thread = ::CreateThread(nullptr, 0, ConvertThreadProc, worker, 0, nullptr);
  if (!thread) {
    delete worker;
    ::PostMessageW(setup.mainWindow, WM_CONVERT_FINISHED, 0, 0);
    return;
  }
  std::lock_guard<std::mutex> lock(g_workersLock);
  g_workers.push_back(thread);
}

void EndConvertWorkers(DWORD timeoutMs) {
  EncoderRegistry::Process().CloseAll();
  std::vector<HANDLE> workers;
  {
    std::lock_guard<std::mutex> lock(g_workersLock);
    workers.swap(g_workers);
  }
  const DWORD start = ::GetTickCount();
  for (HANDLE h : workers) {
    const DWORD spent = ::GetTickCount() - start;
    ::WaitForSingleObject(h, spent < timeoutMs ? timeoutMs - spent : 0);
    ::CloseHandle(h);
  }
}

#include "convert/win/convert_worker.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "convert/run_outcomes.h"
#include "convert/win/run_host.h"
#include "convert/win/run_journal_file.h"

namespace {

// Runs still going; their thread handles are closed at once, so that none is
// kept until the program ends.
std::mutex g_workersLock;
std::condition_variable g_workersDone;
int g_workers = 0;

struct Worker {
  RunRequest request;
  std::shared_ptr<RunListener> listener;
  HWND owner;
  std::shared_ptr<InputProber> prober;
  std::u16string journalFolder;
};

// The report of a run that could not go on: every file it was to run is Not started.
RunReport NotRun(const RunRequest& request) {
  RunReport report;
  report.end = BatchEnd::StartFailed;
  report.settings = request.settings;
  report.files = request.earlier.files;
  RecordRun(report.files, request.inputs, request.positions, {}, report.end);
  report.log = request.earlier.log;
  return report;
}

void WorkerEnded() {
  std::lock_guard<std::mutex> lock(g_workersLock);
  --g_workers;
  g_workersDone.notify_all();
}

DWORD WINAPI ConvertThreadProc(LPVOID param) {
  std::unique_ptr<Worker> worker(static_cast<Worker*>(param));
  RunReport report;
  // A run without one (another copy runs, the folder is read-only) goes on all the same.
  std::unique_ptr<RunJournalFile> journal;
  if (!worker->journalFolder.empty()) journal = RunJournalFile::ForRun(worker->journalFolder);
  try {
    // The system stays awake while the run lasts; the request ends with the thread.
    ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    RunJournalWriter writer([&](const std::vector<uint8_t>& bytes) { journal->Append(bytes); });
    // Its encoders are gone with the host, before anyone hears that the run has ended.
    WindowsRunHost host(worker->owner);
    host.SetProber(worker->prober.get());
    RunEngine engine(host, *worker->listener, journal ? &writer : nullptr);
    // The files not yet looked at wait for the run: it looks at each before its turn.
    const InputProber::Yielding yielding(worker->prober.get());
    report = engine.Run(worker->request);
  } catch (...) {
    report = NotRun(worker->request);
  }
  if (journal) journal->Clear();
  journal.reset();
  worker->listener->Finished(report);
  WorkerEnded();
  return 0;
}

}  // namespace

void StartConvertWorker(RunRequest request, std::shared_ptr<RunListener> listener, HWND owner,
                        std::shared_ptr<InputProber> prober, const std::u16string& journalFolder) {
  auto* worker = new Worker{std::move(request), listener, owner, std::move(prober), journalFolder};
  {
    std::lock_guard<std::mutex> lock(g_workersLock);
    ++g_workers;
  }
  HANDLE thread = ::CreateThread(nullptr, 0, ConvertThreadProc, worker, 0, nullptr);
  if (!thread) {
    const RunReport none = NotRun(worker->request);
    delete worker;
    listener->Finished(none);
    WorkerEnded();
    return;
  }
  ::CloseHandle(thread);
}

void EndConvertWorkers(DWORD timeoutMs) {
  EncoderRegistry::Process().CloseAll();
  std::unique_lock<std::mutex> lock(g_workersLock);
  g_workersDone.wait_for(lock, std::chrono::milliseconds(timeoutMs), [] { return g_workers == 0; });
}

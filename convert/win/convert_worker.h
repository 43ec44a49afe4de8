// The thread a conversion run goes on: the engine over the Windows host.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "convert/run_engine.h"
#include "convert/win/input_prober.h"

// Where a run on its thread tells what it does; the sink's calls come from the
// run's and the encoders' threads.
class RunListener : public RunSink {
 public:
  // Exactly once per run, after its encoders are gone, on the run's thread.
  virtual void Finished(const RunReport& report) = 0;
};

// Starts `request` on a thread of its own. `owner` owns its messages.
// `prober`, when given, tells the run its inputs and waits while it lasts.
// With a `journalFolder`, the run keeps its journal there while it lasts.
void StartConvertWorker(RunRequest request, std::shared_ptr<RunListener> listener, HWND owner,
                        std::shared_ptr<InputProber> prober = nullptr,
                        const std::u16string& journalFolder = std::u16string());

// At exit, after every window is gone: ends running encoders and waits (at
// most timeoutMs) for the runs' threads to end.
void EndConvertWorkers(DWORD timeoutMs);

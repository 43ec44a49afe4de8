// The worker thread of a conversion run. It reaches the windows only through
// their handles, with synchronous messages, so a closed window can never be
// touched through a destroyed object.
#pragma once
#include <windows.h>

#include <memory>

#include "app/app_state.h"
#include "convert/batch_run.h"
#include "convert/run_estimate.h"

struct RunFlags;

struct ConvertWorkerSetup {
  HWND page = nullptr;        // owner of the worker's message boxes
  HWND mainWindow = nullptr;  // told when the run ends
  HWND fileLabel = nullptr;
  HWND countLabel = nullptr;
  HWND percentLabel = nullptr;
  HWND progress = nullptr;
  HWND totalProgress = nullptr;
  HWND estimateLabel = nullptr;
  HWND log = nullptr;
  HWND runningList = nullptr;  // a row per file in flight, with several encoders
  EstimateTexts estimateTexts;
  std::shared_ptr<RunFlags> flags;
  APP_STATE* state = nullptr;  // its job and results; it outlives every worker
  BatchSettings settings;
  // Taken when the run starts; the input page may change its own meanwhile.
  std::vector<INPUT_FILE> inputs;
  // A retry runs only these positions of `inputs`, and keeps the other
  // files' records of `previous`; an empty list runs them all.
  std::vector<size_t> positions;
  std::vector<FileRecord> previous;
  int simultaneous = 1;  // encoders at once
};

// Starts ConvertThreadProc for one run; it posts WM_CONVERT_FINISHED when done.
void StartConvertWorker(const ConvertWorkerSetup& setup);

// At exit, after every window is gone: ends running encoders and waits (at
// most timeoutMs) for the workers to finish with the shared state.
void EndConvertWorkers(DWORD timeoutMs);

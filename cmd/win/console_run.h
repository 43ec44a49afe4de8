// A console program's conversion run: the run engine with the system's
// encoders, progress on standard error, the report and the log written at
// the end, and Ctrl+C or Ctrl+Break as the run's stop.
#pragma once
#include <string>
#include <vector>

#include "app/input_files.h"
#include "cmd/choice.h"
#include "cmd/run_report.h"

struct RunReport;

struct CONSOLE_RUN {
  std::vector<INPUT_FILE> inputs;
  CMD_SETUP setup;
  bool overwrite = false;  // an existing output is replaced without asking
  bool ask = false;        // else asked about on the console, or kept
  std::u16string appDir;
  ProgressForm progress = ProgressForm::Text;
  std::u16string reportPath;  // full paths; empty for none
  std::u16string logPath;
};

// Runs the files; the exit code.
int RunConversions(const CONSOLE_RUN& run);

// One run of the engine over `inputs`, told on standard error as it goes.
RunReport RunBatch(const CONSOLE_RUN& run, const std::vector<INPUT_FILE>& inputs);
// The report and the log files the run names, and the last lines on
// standard error; the exit code.
int FinishRun(const CONSOLE_RUN& run, const std::vector<CMD_FILE_RESULT>& results,
              const std::vector<std::u16string>& log, bool stopped, bool startFailed);

// Whether a stop was asked for; waits at most `ms` for one.
bool WaitForStop(unsigned long ms);

// What Ctrl+C and Ctrl+Break do: every encoder ends, the run stops. Safe
// from any thread, before or during a run.
void RequestStop();

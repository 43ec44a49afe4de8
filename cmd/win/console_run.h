// A console program's conversion run: the run engine with the system's
// encoders, progress on standard error, the report and the log written at
// the end, and Ctrl+C or Ctrl+Break as the run's stop.
#pragma once
#include <string>
#include <vector>

#include "app/input_files.h"
#include "cmd/choice.h"
#include "cmd/run_report.h"

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

// What Ctrl+C and Ctrl+Break do: every encoder ends, the run stops. Safe
// from any thread, before or during a run.
void RequestStop();

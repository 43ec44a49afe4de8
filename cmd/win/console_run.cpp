#include "cmd/win/console_run.h"

#include <windows.h>

#include <atomic>

#include "app/language_text.h"
#include "app/run_settings.h"
#include "cmd/progress_lines.h"
#include "cmd/win/console.h"
#include "convert/run_engine.h"
#include "convert/run_outcomes.h"
#include "convert/win/input_prober.h"
#include "convert/win/run_host.h"
#include "convert/win/save_log.h"
#include "framework/win/file_io.h"
#include "framework/win/processors.h"
#include "framework/win/wide.h"

namespace {

std::atomic<bool> g_stop{false};
// Set with the flag, for a watch that waits between looks.
HANDLE g_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
// Set once the run has ended and its files are written.
HANDLE g_runOver = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);

BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      RequestStop();
      return TRUE;
    case CTRL_CLOSE_EVENT:
      // The process ends when this returns: the run gets the few seconds the
      // system allows to end its encoders and delete what they left.
      RequestStop();
      ::WaitForSingleObject(g_runOver, 4500);
      return TRUE;
  }
  return FALSE;
}

// Once: the system calls every handler added, as often as it was added.
void ListenForStop() {
  static const bool added = ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE) != FALSE;
  (void)added;
}

int WINAPI TellOnConsole(HWND, LPCWSTR text, LPCWSTR, UINT) {
  Write(Stream::Err, u"VidmorphCmd: " + U(text) + u"\n");
  return IDOK;
}

// The system's encoders, with the overwrite question asked on the console.
class ConsoleHost : public WindowsRunHost {
 public:
  explicit ConsoleHost(bool ask) : WindowsRunHost(nullptr), m_ask(ask) {
    // A message box would hold a script that nobody watches.
    SetMessageBox(TellOnConsole);
  }
  bool AskOverwrite(const std::u16string& question) override {
    return m_ask && !g_stop && AskYesNo(question);
  }

 private:
  const bool m_ask;
};

// Tells standard error what the run does.
class ConsoleSink : public RunSink {
 public:
  explicit ConsoleSink(ProgressLines& lines) : m_lines(lines) {}
  void Progress(const RunProgress& progress) override {
    for (const std::string& line : m_lines.Update(progress)) WriteUtf8(Stream::Err, line + "\n");
  }
  void Logged(const std::vector<std::u16string>&) override {}
  bool CancelRequested() override { return g_stop; }

 private:
  ProgressLines& m_lines;
};

bool WriteBytesTo(const std::u16string& path, const std::string& bytes) {
  return ReplaceFileAtomically(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace

void RequestStop() {
  g_stop = true;
  ::SetEvent(g_stopEvent);
}

bool WaitForStop(unsigned long ms) {
  ListenForStop();
  return g_stop || ::WaitForSingleObject(g_stopEvent, ms) == WAIT_OBJECT_0;
}

RunReport RunBatch(const CONSOLE_RUN& run, const std::vector<INPUT_FILE>& inputs) {
  ListenForStop();
  RunRequest request;
  request.inputs = inputs;
  request.positions = AllPositions(inputs.size());
  request.settings.outputFolder = run.setup.outputFolder;
  request.settings.sameAsSource = run.setup.sameAsSource;
  request.settings.overwrite = run.overwrite;
  request.settings.appDir = run.appDir;
  request.job = run.setup.job;
  request.simultaneous = SimultaneousEncoders(run.setup.simultaneous, LogicalProcessors());
  RunReport report;
  {
    ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    ConsoleHost host(run.ask);
    // Each file is looked at just before its turn, as the window's run does.
    InputProber prober(run.appDir);
    host.SetProber(&prober);
    ProgressLines lines(run.progress, inputs, run.setup);
    ConsoleSink sink(lines);
    RunEngine engine(host, sink);
    try {
      report = engine.Run(std::move(request));
    } catch (...) {
      // A run that cannot go on still tells of every file, none converted.
      report = RunReport();
      report.end = BatchEnd::StartFailed;
      RecordRun(report.files, inputs, AllPositions(inputs.size()), {}, report.end);
    }
    ::SetThreadExecutionState(ES_CONTINUOUS);
  }
  return report;
}

int RunConversions(const CONSOLE_RUN& run) {
  const RunReport report = RunBatch(run, run.inputs);
  return FinishRun(run, ResultsOf(report.files), report.log, report.end == BatchEnd::Cancelled,
                   report.end == BatchEnd::StartFailed);
}

int FinishRun(const CONSOLE_RUN& run, const std::vector<CMD_FILE_RESULT>& results,
              const std::vector<std::u16string>& log, bool stopped, bool startFailed) {
  const int code = RunExitCode(results, stopped, startFailed);
  if (!run.reportPath.empty() &&
      !WriteBytesTo(run.reportPath,
                    ReportIsCsv(run.reportPath) ? ReportCsv(results) : ReportJson(results, code)))
    Write(Stream::Err, u"VidmorphCmd: the report " + run.reportPath + u" cannot be written\n");
  if (!run.logPath.empty() && !WriteConversionLog(run.logPath, log))
    Write(Stream::Err, u"VidmorphCmd: the log " + run.logPath + u" cannot be written\n");
  int converted = 0;
  for (const CMD_FILE_RESULT& r : results) {
    converted += r.outcome == CmdOutcome::Converted;
    // The progress lines cannot know why a file failed; the report can.
    if (run.progress == ProgressForm::Text && !r.reason.empty())
      Write(Stream::Err, u"VidmorphCmd: " + r.input + u": " + r.result + u"\n");
  }
  ::SetEvent(g_runOver);
  Write(Stream::Err, u"VidmorphCmd: " + DecimalText(converted) + u" of " +
                         DecimalText(int64_t(results.size())) + u" files converted\n");
  return code;
}

// What the console program tells of a run: a line per file as it starts and
// ends and a whole-run line, as text for people or JSON lines for programs,
// and the report file of every file's outcome, as JSON or CSV. All of it over
// one small record per file, which the run's own report fills.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "cmd/arguments.h"
#include "convert/batch_run.h"

enum class CmdOutcome { Converted, Failed, Skipped, Stopped, NotStarted, StartFailed };

struct CMD_FILE_RESULT {
  size_t position = 0;  // in the input list, from 0
  std::u16string input;
  std::u16string output;
  CmdOutcome outcome = CmdOutcome::NotStarted;
  // The result page's words for it, and of those why it was not converted
  // (empty when it was).
  std::u16string result;
  std::u16string reason;
  int64_t exitCode = -1;     // the encoder's, -1 when it did not end by itself
  int64_t inputBytes = -1;   // -1 when unknown
  int64_t outputBytes = -1;  // of a converted file, else -1
  std::string started;       // local time, "2026-12-10T04:21:09"; empty when never
  std::string ended;
};

// The run report's records in the console's terms, in the same order.
std::vector<CMD_FILE_RESULT> ResultsOf(const std::vector<FileRecord>& records);
CmdOutcome CmdOutcomeOf(FileOutcome outcome, FailReason reason);

// The whole run as the estimate sees it.
struct RUN_PROGRESS {
  double share = 0;  // 0 to 1
  int done = 0;      // files
  int count = 0;
  double secondsLeft = -1;  // -1 while unknown
  double speed = -1;        // times real time, -1 while unknown
};

enum ExitCode : int {
  kExitConverted = 0,
  kExitSomeFailed = 1,
  kExitBadArguments = 2,
  kExitEncoderNotStarted = 3,
  kExitNothingToConvert = 4,
  kExitStopped = 130,
};

// The run's exit code, the first that holds: 130 stopped, 3 an encoder could
// not be started, 1 a file failed, else 0 (skipped files count as done).
int RunExitCode(const std::vector<CMD_FILE_RESULT>& files, bool stopped, bool startFailed);

// The outcome's word in reports and progress lines.
const char* OutcomeWord(CmdOutcome outcome);
// "2026-12-10T04:21:09"; empty for a time never set.
std::string LocalTimeText(const WallTime& time);

// Lines without their end, UTF-8. `file` counts from 1.
std::string StartLine(ProgressForm form, int file, int count, const std::u16string& input);
std::string EndLine(ProgressForm form, int file, int count, const CMD_FILE_RESULT& result);
std::string RunLine(ProgressForm form, const RUN_PROGRESS& progress);

// The report file's bytes: JSON (an object with the run's exit code and
// every file) or CSV (a header row, then a row per file), UTF-8.
std::string ReportJson(const std::vector<CMD_FILE_RESULT>& files, int exitCode);
std::string ReportCsv(const std::vector<CMD_FILE_RESULT>& files);

// A report file read back, JSON or CSV as ReportJson and ReportCsv write
// them. False for bytes that are neither.
bool ReadReport(const std::string& bytes, std::vector<CMD_FILE_RESULT>& files, int& exitCode);

// The reports of the shares of one batch as one: every file in the order of
// the reports, numbered anew, and the exit code that comes first of theirs.
int MergedExitCode(const std::vector<int>& codes);

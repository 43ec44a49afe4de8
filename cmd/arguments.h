// The console program's command line as the user typed it: what to convert,
// how, and what to print. Reading it touches no file; a fault is named in one
// line before anything starts.
#pragma once
#include <string>
#include <vector>

#include "cmd/shard.h"
#include "profiles/catalogue.h"

enum class OverwriteChoice { Unset, Yes, No, Ask };
enum class ProgressForm { Text, Json };

struct OPTION_VALUE {
  OptionKind kind;
  std::u16string value;  // a row's label or its position in the profile's list
};

struct CMD_ARGUMENTS {
  bool help = false;
  bool listProfiles = false;
  bool listOptions = false;
  std::u16string listOptionsProfile;
  bool dryRun = false;
  bool settings = false;  // start from the window's stored settings
  std::u16string profile;
  std::u16string task;
  std::vector<OPTION_VALUE> options;  // in the order given, each kind once
  bool original = false;
  std::u16string outFolder;
  OverwriteChoice overwrite = OverwriteChoice::Unset;
  int jobs = -1;  // -1 when not given; kSimultaneousAutomatic for "auto"
  ProgressForm progress = ProgressForm::Text;
  std::u16string report;
  std::u16string log;
  std::u16string watch;       // the folder to watch; empty for a run over the inputs
  SHARD shard;                // this machine's share; 1/1 for the whole batch
  bool mergeReports = false;  // the inputs are reports of shares, merged into --report
  std::vector<std::u16string> inputs;
};

// The option that sets a kind's row, as "--size".
std::u16string OptionName(OptionKind kind);

// Reads the arguments after the program's name. False with `error` naming
// the argument at fault: an unknown option, a missing or malformed value, an
// option given twice or options that cannot go together.
bool ParseArguments(const std::vector<std::u16string>& args, CMD_ARGUMENTS& out,
                    std::u16string& error);

// Whether the report goes out as CSV (a name ending in .csv) rather than JSON.
bool ReportIsCsv(const std::u16string& path);

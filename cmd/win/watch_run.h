// A watch folder: converts each file that settles in the folder or below it,
// one run of the engine after another, until stopped, and keeps a ledger so
// that a restart converts nothing twice.
#pragma once
#include <string>

#include "cmd/shard.h"
#include "cmd/win/console_run.h"

struct WATCH_RUN {
  CONSOLE_RUN run;        // its inputs are found as they come
  std::u16string folder;  // full path
  std::u16string ledger;  // full path
  SHARD shard;
};

// Where the ledger lives: in the output folder, with the outputs it vouches
// for; beside the watched folder (not in it, where the files dropped in are
// the user's) when outputs go beside their sources.
std::u16string LedgerPath(const std::u16string& folder, const CMD_SETUP& setup, const SHARD& shard);

// Watches until Ctrl+C; the exit code.
int WatchFolder(const WATCH_RUN& watch);

// What a watch folder converts next: the files whose size and time have not
// changed for a few seconds, that the ledger does not hold as they are now,
// that belong to this machine's share and that are no output of its own.
// Whether a file can be opened yet is the system's to say, after this.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/input_files.h"
#include "cmd/shard.h"
#include "cmd/watch_ledger.h"

struct WATCHED_FILE {
  INPUT_FILE file;  // its root is the watched folder
  uint64_t size = 0;
  uint64_t time = 0;
};

class WatchRules {
 public:
  WatchRules(double settleSeconds, const SHARD& shard) : m_settle(settleSeconds), m_shard(shard) {}

  // The ledger as read at the start; outputs it names are never inputs.
  void Load(const std::vector<LEDGER_ENTRY>& entries);
  // Files below this folder are outputs too (empty for none).
  void SetOutputFolder(const std::u16string& folder) { m_outputFolder = folder; }

  // One look at the watched folder at `now` (seconds). The files to convert,
  // in the order seen.
  std::vector<WATCHED_FILE> Due(const std::vector<WATCHED_FILE>& seen, double now);

  // How a file's run ended; Due leaves it be until it changes.
  void Record(const LEDGER_ENTRY& entry);

 private:
  struct Sighting {
    uint64_t size, time;
    double since;
  };
  bool IsOutput(const std::u16string& path) const;

  const double m_settle;
  const SHARD m_shard;
  std::u16string m_outputFolder;
  std::map<std::u16string, LEDGER_ENTRY> m_done;  // by folded path below the folder
  std::map<std::u16string, Sighting> m_seen;
  std::vector<std::u16string> m_outputs;
};

// A path as the ledger's keys compare it: letters of one case, backslashes.
std::u16string FoldedPath(const std::u16string& path);

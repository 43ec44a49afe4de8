// What a watch folder has done with its files, kept across restarts: one
// line per file as its run ended, by its path below the watched folder, its
// size and its time, so that a restart converts nothing twice and a file
// that changed since is converted again. The last line of a path counts.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class LedgerMark { Converted, Failed, Skipped };

struct LEDGER_ENTRY {
  LedgerMark mark = LedgerMark::Converted;
  uint64_t size = 0;
  uint64_t time = 0;    // the file's last write, as the system counts it
  std::u16string path;  // below the watched folder
  std::u16string output;
};

// The file's first line; what follows is one line per entry.
extern const char kLedgerHeader[];

// One entry's line, UTF-8, with its end.
std::string LedgerLine(const LEDGER_ENTRY& entry);

// The entries of a ledger's bytes. A last line cut short (the program ended
// while appending it) is left out; false for bytes that are no ledger or hold
// a line that is no entry, which are then set aside rather than trusted.
bool ReadLedger(const std::string& bytes, std::vector<LEDGER_ENTRY>& entries);

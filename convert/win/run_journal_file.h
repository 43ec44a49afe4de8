// The run's journal on disk, beside "Option.dat". A run holds it open without
// sharing from its start to its end, so that another copy of the program
// neither offers to continue a run that is still going nor disturbs it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "convert/run_journal.h"

class RunJournalFile {
 public:
  // The journal in `folder` (ending with a backslash), emptied for a new run;
  // null when another copy holds it or it cannot be written.
  static std::unique_ptr<RunJournalFile> ForRun(const std::u16string& folder);
  ~RunJournalFile();
  RunJournalFile(const RunJournalFile&) = delete;
  RunJournalFile& operator=(const RunJournalFile&) = delete;

  // At the end; a disk that is full loses the record, never the run.
  void Append(const std::vector<uint8_t>& bytes);
  // Nothing is left to continue. The file stays: an installed copy may not
  // create it again.
  void Clear();

 private:
  explicit RunJournalFile(HANDLE file) : m_file(file) {}
  friend class StoppedRun;
  HANDLE m_file;
};

// What the journal holds at start, held until the user has answered.
class StoppedRun {
 public:
  // Reads the journal in `folder`. A damaged one, or one that cannot be
  // opened, is set aside at once under kDamagedJournalFile (or emptied where
  // it cannot be renamed; left quietly where neither can be done); a stopped
  // run's half-made files are deleted at once, whatever the answer.
  explicit StoppedRun(const std::u16string& folder);

  const JournalRun& Run() const { return m_run; }
  // Forgets the run: the journal is emptied.
  void Forget();

 private:
  JournalRun m_run;
  std::unique_ptr<RunJournalFile> m_file;
};

// What the taskbar button shows of a run: its share while it runs, and the
// error state from the first file that failed, for whatever reason. A run
// with a failed file keeps the error state after it ends, until the user
// leaves the result page, so that a run left alone still says so.
#pragma once
#include <vector>

#include "convert/batch_run.h"

enum class TaskbarMark { None, Progress, Error };

// Whether a file counts as failed: the encoder failed on it, it was not
// converted for a reason of its own, or the encoder could not be started.
// Skipped and cancelled files did what the user asked.
bool IsFailure(FileOutcome outcome);

class TaskbarState {
 public:
  void RunStarted();
  void Progress(double share);
  void FileEnded(FileOutcome outcome);
  // `outcomes`: every input's, earlier runs' included.
  void RunEnded(const std::vector<FileRecord>& outcomes);
  void ResultPageLeft();

  TaskbarMark Mark() const { return m_mark; }
  // 0 to 1; a run that ended in error shows a full bar.
  double Share() const { return m_share; }

 private:
  TaskbarMark m_mark = TaskbarMark::None;
  double m_share = 0;
};

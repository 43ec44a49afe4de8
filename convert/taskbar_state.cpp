#include "convert/taskbar_state.h"

#include <algorithm>
#include <cmath>

bool IsFailure(FileOutcome outcome) {
  return outcome == FileOutcome::Failed || outcome == FileOutcome::StartFailed;
}

void TaskbarState::RunStarted() {
  m_mark = TaskbarMark::Progress;
  m_share = 0;
}

void TaskbarState::Progress(double share) {
  if (m_mark == TaskbarMark::None) return;
  m_share = std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0;
}

void TaskbarState::FileEnded(FileOutcome outcome) {
  if (m_mark != TaskbarMark::None && IsFailure(outcome)) m_mark = TaskbarMark::Error;
}

void TaskbarState::RunEnded(const std::vector<FileRecord>& outcomes) {
  const bool failed = std::any_of(outcomes.begin(), outcomes.end(),
                                  [](const FileRecord& r) { return IsFailure(r.verdict.outcome); });
  m_mark = failed ? TaskbarMark::Error : TaskbarMark::None;
  m_share = failed ? 1 : 0;
}

void TaskbarState::ResultPageLeft() {
  m_mark = TaskbarMark::None;
  m_share = 0;
}

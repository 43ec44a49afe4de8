// Page 3: the running conversion, with per-file progress, Cancel and the
// hidden log list that the result page saves.
#pragma once
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/language_text.h"
#include "convert/batch_run.h"
#include "convert/run_estimate.h"
#include "framework/win/wizard_page.h"

// Flags the page shares with the run's worker. Shared, so that a worker still
// ending after the window closed never reads a destroyed page.
struct RunFlags {
  std::atomic<int> m_bCancel{0};
  std::atomic<bool> m_bFirstChunk{true};
  // How each file of the run ended; written by the worker before it posts
  // WM_CONVERT_FINISHED, read only after that.
  std::vector<FileRecord> m_files;
  // Every input's outcome, by position, after this run and the ones it retried.
  std::vector<FileRecord> m_outcomes;
};

class CConvertingPage : public CWizardPage {
 public:
  // Each entry starts a run over the input list of `state`, whose results
  // the run writes back into it.
  explicit CConvertingPage(APP_STATE& state);
  void LeavePage() override;
  void EnterPage() override;

  // The log's entries, in order.
  std::vector<std::u16string> LogEntries() const;
  // The files of the last run that ended, with why each failed.
  const std::vector<FileRecord>& FileRecords() const { return m_flags->m_files; }
  // Every input's outcome by position, once the last run has ended.
  const std::vector<FileRecord>& Outcomes() const { return m_flags->m_outcomes; }
  // The next entry runs only the files at `positions` again, with the
  // settings of the last run; an empty list makes it a whole run again.
  void RetryOnEntry(const std::vector<size_t>& positions);
  // The words of the estimate line in the current language.
  void SetTexts(const LanguageTexts& pack);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  std::shared_ptr<RunFlags> m_flags;
  APP_STATE& m_state;
  std::vector<size_t> m_retry;
  EstimateTexts m_estimateTexts;
  // The last run's settings and input list, which a retry uses again.
  BatchSettings m_lastSettings;
  std::vector<INPUT_FILE> m_lastInputs;
};

// Adds an entry stamped `time` at the end of the log list and shows it; from
// any thread, as it only sends messages to the list.
void AppendLog(HWND logList, const SYSTEMTIME& time, const std::u16string& text, bool tail);

// Page 3: the running conversion, with per-file progress, Cancel and the
// hidden log list that the result page saves. It shows the run's progress
// model and keeps its report.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/language_text.h"
#include "convert/run_engine.h"
#include "convert/taskbar_state.h"
#include "convert/when_done.h"
#include "framework/win/wizard_page.h"

class InputProber;
class PageRun;
class TaskbarProgress;

class CConvertingPage : public CWizardPage {
 public:
  // Each entry starts a run over the input list of `state`.
  // `prober`, when given, is where the run learns what its inputs hold.
  explicit CConvertingPage(APP_STATE& state, std::shared_ptr<InputProber> prober = nullptr);
  ~CConvertingPage() override;
  void LeavePage() override;
  void EnterPage() override;

  // The log's entries, in order.
  std::vector<std::u16string> LogEntries() const;
  // The report of the last run that ended, with the runs it retried.
  const RunReport& Report() const { return m_report; }
  // The input list that report is of, each file with the folder it came with.
  const std::vector<INPUT_FILE>& ReportInputs() const { return m_lastInputs; }
  // The user has left the result page: the taskbar button drops the run.
  void ResultPageLeft();
  // The next entry runs only the files at `positions` again, with the
  // settings of the last run; an empty list makes it a whole run again.
  void RetryOnEntry(const std::vector<size_t>& positions);
  // The next entry continues a run the program stopped in, as it was.
  void ContinueOnEntry(const RunRequest& stopped);
  // The words of the estimate line and the after-run choice in the current
  // language.
  void SetTexts(const LanguageTexts& pack);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Show(const RunProgress& progress);
  void ShowTaskbar();
  void FillWhenDone();
  // The after-run choice once the report is in: used once, kept as reset.
  void RunDone();

  // What the controls show now, so that only a change is painted.
  struct Shown {
    int rowFile = -1;
    int rowPercent = -1;
    int countShown = 0;
    int share = -1;
    int estimateReads = 0;
    std::vector<std::u16string> rows;
  };

  APP_STATE& m_state;
  std::shared_ptr<InputProber> m_prober;
  std::shared_ptr<PageRun> m_run;
  std::unique_ptr<TaskbarProgress> m_taskbar;
  TaskbarState m_taskbarState;
  std::unique_ptr<WhenDoneActions> m_actions;
  WhenDoneCountdown m_countdown;
  WhenDoneTexts m_whenDoneTexts;
  LanguageTexts m_pack;
  Shown m_shown;
  RunReport m_report;
  std::vector<size_t> m_retry;
  std::unique_ptr<RunRequest> m_continue;
  EstimateTexts m_estimateTexts;
  // The last run's settings and input list, which a retry uses again.
  BatchSettings m_lastSettings;
  std::vector<INPUT_FILE> m_lastInputs;
  CONVERT_JOB m_lastJob;
};

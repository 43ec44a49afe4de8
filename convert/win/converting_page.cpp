#include "convert/win/converting_page.h"

#include <atomic>
#include <mutex>

#include "app/win/run_settings_file.h"
#include "convert/win/convert_worker.h"
#include "convert/win/countdown_dialog.h"
#include "convert/win/messages.h"
#include "convert/win/taskbar_progress.h"
#include "convert/win/when_done_actions.h"
#include "framework/win/controls.h"
#include "framework/win/processors.h"
#include "resources/resource.h"

// What a run on its thread leaves for the page, which hears of it by a posted
// message and takes it on its own thread. Shared, so that a run still ending
// after the window closed never reaches a destroyed page.
class PageRun : public RunListener {
 public:
  explicit PageRun(HWND page) : m_page(page) {}

  void Progress(const RunProgress& progress) override {
    std::lock_guard<std::mutex> hold(m_lock);
    m_news.progress = progress;
    m_news.moved = true;
    Post();
  }
  void Logged(const std::vector<std::u16string>& entries) override {
    std::lock_guard<std::mutex> hold(m_lock);
    m_news.log.insert(m_news.log.end(), entries.begin(), entries.end());
    Post();
  }
  bool CancelRequested() override { return m_cancel; }
  void Finished(const RunReport& report) override {
    std::lock_guard<std::mutex> hold(m_lock);
    m_news.report = report;
    m_news.finished = true;
    Post();
  }

  void Cancel() { m_cancel = true; }

  struct News {
    bool moved = false;
    RunProgress progress;
    std::vector<std::u16string> log;
    bool finished = false;
    RunReport report;
  };
  // What has come since the last call.
  News Take() {
    std::lock_guard<std::mutex> hold(m_lock);
    News news = std::move(m_news);
    m_news = News();
    m_posted = false;
    return news;
  }

 private:
  void Post() {
    if (m_posted) return;
    m_posted = true;
    ::PostMessageW(m_page, WM_RUN_NEWS, 0, 0);
  }

  const HWND m_page;
  std::atomic<bool> m_cancel{false};
  std::mutex m_lock;
  News m_news;
  bool m_posted = false;
};

namespace {

std::u16string PercentText(int percent) {
  return DecimalText(percent) + u"%";
}

}  // namespace

CConvertingPage::CConvertingPage(APP_STATE& state, std::shared_ptr<InputProber> prober)
    : CWizardPage(IDD_CONVERTING_PAGE),
      m_state(state),
      m_prober(std::move(prober)),
      m_actions(new CSystemActions) {}

CConvertingPage::~CConvertingPage() = default;

BOOL CConvertingPage::OnInitDialog() {
  CProgressCtrl(GetDlgItem(IDC_CONV_FILE_PROGRESS).GetSafeHwnd()).SetRange(0, 100);
  CProgressCtrl(GetDlgItem(IDC_CONV_TOTAL_PROGRESS).GetSafeHwnd()).SetRange(0, 100);
  FillWhenDone();
  return TRUE;
}

void CConvertingPage::FillWhenDone() {
  CComboBox box(GetDlgItem(IDC_CONV_WHEN_DONE).GetSafeHwnd());
  box.ResetContent();
  for (const std::u16string& row : WhenDoneChoices(m_whenDoneTexts)) box.AddString(row);
  box.SetCurSel(int(m_state.g_runSettings.whenDone));
}

void CConvertingPage::EnterPage() {
  const APP_STATE& state = m_state;
  RunRequest request;
  request.job = state.job;
  request.simultaneous =
      SimultaneousEncoders(state.g_runSettings.nSimultaneous, LogicalProcessors());
  if (m_continue) {
    request = std::move(*m_continue);
    m_continue.reset();
    // The encoder of this copy, wherever the stopped one was.
    request.settings.appDir = state.g_strAppDir;
    m_lastSettings = request.settings;
    m_lastInputs = request.inputs;
    m_lastJob = request.job;
  } else if (!m_retry.empty()) {
    // The same files and settings as the run retried, whatever the pages hold now.
    request.job = m_lastJob;
    request.settings = m_lastSettings;
    request.inputs = m_lastInputs;
    request.positions.swap(m_retry);
    request.earlier = m_report;
  } else {
    request.settings.outputFolder = state.g_strOutputFolder;
    request.settings.sameAsSource = state.g_bSameAsSource != 0;
    request.settings.overwrite = state.g_bOverwrite != 0;
    request.settings.appDir = state.g_strAppDir;
    request.inputs = state.g_inputFiles;
    request.positions = AllPositions(request.inputs.size());
    m_lastSettings = request.settings;
    m_lastInputs = request.inputs;
    m_lastJob = request.job;
  }
  m_shown = Shown();
  GetDlgItem(IDC_CONV_TOTAL_PROGRESS).ShowWindow(SW_SHOW);
  CListBox(GetDlgItem(IDC_CONV_RUNNING).GetSafeHwnd()).ResetContent();
  GetDlgItem(IDC_CONV_RUNNING).ShowWindow(request.simultaneous > 1 ? SW_SHOW : SW_HIDE);
  // A new run takes the taskbar button over from what the last one left.
  if (!m_taskbar) m_taskbar.reset(new TaskbarProgress(::GetParent(m_hWnd)));
  m_taskbarState.RunStarted();
  ShowTaskbar();
  CComboBox(GetDlgItem(IDC_CONV_WHEN_DONE).GetSafeHwnd())
      .SetCurSel(int(m_state.g_runSettings.whenDone));
  m_run = std::make_shared<PageRun>(m_hWnd);
  StartConvertWorker(std::move(request), m_run, m_hWnd, m_prober, state.g_strAppDir);
  ShowWindow(SW_SHOW);
}

void CConvertingPage::Show(const RunProgress& p) {
  if (p.rowFile >= 0 && size_t(p.rowFile) < p.files.size() && p.rowFile != m_shown.rowFile) {
    m_shown.rowFile = p.rowFile;
    GetDlgItem(IDC_CONV_FILE_NAME).SetWindowText(p.files[size_t(p.rowFile)].name);
  }
  if (p.rowPercent >= 0 && p.rowPercent != m_shown.rowPercent) {
    m_shown.rowPercent = p.rowPercent;
    CProgressCtrl(GetDlgItem(IDC_CONV_FILE_PROGRESS).GetSafeHwnd()).SetPos(p.rowPercent);
    GetDlgItem(IDC_CONV_PERCENT).SetWindowText(PercentText(p.rowPercent));
  }
  if (p.countShown > 0 && p.countShown != m_shown.countShown) {
    m_shown.countShown = p.countShown;
    GetDlgItem(IDC_CONV_COUNT)
        .SetWindowText(DecimalText(p.countShown) + u"/" + DecimalText(int(p.files.size())));
  }
  // One row per file in flight: its percentage and name.
  if (p.simultaneous > 1) {
    std::vector<std::u16string> rows;
    for (const FileProgress& f : p.files)
      if (f.state == FileState::Running) rows.push_back(PercentText(f.percent) + u"  " + f.name);
    if (rows != m_shown.rows) {
      CListBox list(GetDlgItem(IDC_CONV_RUNNING).GetSafeHwnd());
      list.ResetContent();
      for (const std::u16string& row : rows) list.AddString(row);
      m_shown.rows.swap(rows);
    }
  }
  const int share = int(p.share * 100);
  if (share != m_shown.share) {
    m_shown.share = share;
    CProgressCtrl(GetDlgItem(IDC_CONV_TOTAL_PROGRESS).GetSafeHwnd()).SetPos(share);
  }
  // The line and the taskbar as often as the estimate is read, once a second.
  if (p.estimateReads != m_shown.estimateReads) {
    m_shown.estimateReads = p.estimateReads;
    GetDlgItem(IDC_CONV_ESTIMATE).SetWindowText(EstimateText(p.estimate, m_estimateTexts));
    for (const FileProgress& f : p.files)
      if (f.state == FileState::Done) m_taskbarState.FileEnded(f.outcome);
    m_taskbarState.Progress(p.share);
    ShowTaskbar();
  }
}

bool CConvertingPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_RUN_COUNTDOWN) {
    // Over the result page, which the wizard has shown by now.
    if (m_countdown.Counting()) {
      CCountdownDialog countdown(::GetParent(m_hWnd), m_countdown, *m_actions, &m_pack,
                                 [] { return uint64_t(::GetTickCount64()); });
      countdown.DoModal();
    }
    result = 0;
    return true;
  }
  if (msg != WM_RUN_NEWS) return CWizardPage::OnMessage(msg, wParam, lParam, result);
  if (!m_run) return true;
  PageRun::News news = m_run->Take();
  CListBox log(GetDlgItem(IDC_CONV_LOG).GetSafeHwnd());
  for (const std::u16string& entry : news.log) {
    const int index = log.AddString(entry);
    if (index >= 0) log.SetCurSel(index);
  }
  if (news.moved) Show(news.progress);
  if (news.finished) {
    m_report = std::move(news.report);
    m_run.reset();
    m_taskbarState.RunEnded(m_report.files);
    ShowTaskbar();
    RunDone();
    ::PostMessageW(::GetParent(m_hWnd), WM_CONVERT_FINISHED, 0, 0);
    if (m_countdown.Counting()) ::PostMessageW(m_hWnd, WM_RUN_COUNTDOWN, 0, 0);
  }
  result = 0;
  return true;
}

void CConvertingPage::ShowTaskbar() {
  if (m_taskbar) m_taskbar->Show(m_taskbarState.Mark(), m_taskbarState.Share());
  // A run that ended well leaves the button as it was before it.
  if (m_taskbarState.Mark() == TaskbarMark::None) m_taskbar.reset();
}

void CConvertingPage::ResultPageLeft() {
  m_taskbarState.ResultPageLeft();
  ShowTaskbar();
}

void CConvertingPage::RunDone() {
  WhenDone& choice = m_state.g_runSettings.whenDone;
  const WhenDone before = choice;
  m_countdown.RunEnded(choice, m_report.end, ::GetTickCount64(), *m_actions);
  if (choice == before) return;
  // Kept at once: a machine that shuts down does not wait for the program's
  // own end to write it.
  WriteRunSettingsFile(m_state.g_strAppDir, m_state.g_runSettings);
  CComboBox(GetDlgItem(IDC_CONV_WHEN_DONE).GetSafeHwnd()).SetCurSel(int(choice));
}

void CConvertingPage::RetryOnEntry(const std::vector<size_t>& positions) {
  m_retry = positions;
}

void CConvertingPage::ContinueOnEntry(const RunRequest& stopped) {
  m_continue.reset(new RunRequest(stopped));
}

void CConvertingPage::SetTexts(const LanguageTexts& pack) {
  m_estimateTexts = TranslatedTexts(EstimateTextKeys(), pack);
  m_whenDoneTexts = TranslatedTexts(WhenDoneTextKeys(), pack);
  m_pack = pack;
  if (m_hWnd) FillWhenDone();
}

void CConvertingPage::LeavePage() {
  ShowWindow(SW_HIDE);
  CProgressCtrl(GetDlgItem(IDC_CONV_FILE_PROGRESS).GetSafeHwnd()).SetPos(0);
  CProgressCtrl(GetDlgItem(IDC_CONV_TOTAL_PROGRESS).GetSafeHwnd()).SetPos(0);
  GetDlgItem(IDC_CONV_ESTIMATE).SetWindowText(u"");
  GetDlgItem(IDC_CONV_RUNNING).ShowWindow(SW_HIDE);
}

bool CConvertingPage::OnCommand(int id, int code, HWND control) {
  if (id == IDC_CONV_WHEN_DONE && code == CBN_SELCHANGE) {
    const int row = CComboBox(control).GetCurSel();
    if (row >= 0) m_state.g_runSettings.whenDone = WhenDone(row);
    return true;
  }
  if (id == IDC_CONV_CANCEL && code == BN_CLICKED) {
    if (m_run) m_run->Cancel();
    return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}

std::vector<std::u16string> CConvertingPage::LogEntries() const {
  CListBox log(GetDlgItem(IDC_CONV_LOG).GetSafeHwnd());
  std::vector<std::u16string> entries;
  for (int i = 0, n = log.GetCount(); i < n; ++i) entries.push_back(log.GetText(i));
  return entries;
}

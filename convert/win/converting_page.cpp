#include "convert/win/converting_page.h"

#include <mutex>

#include "convert/win/convert_worker.h"
#include "convert/win/taskbar_progress.h"
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

CConvertingPage::CConvertingPage(APP_STATE& state)
    : CWizardPage(IDD_CONVERTING_PAGE), m_state(state) {}

CConvertingPage::~CConvertingPage() = default;

BOOL CConvertingPage::OnInitDialog() {
  CProgressCtrl(GetDlgItem(IDC_CONV_FILE_PROGRESS).GetSafeHwnd()).SetRange(0, 100);
  CProgressCtrl(GetDlgItem(IDC_CONV_TOTAL_PROGRESS).GetSafeHwnd()).SetRange(0, 100);
  return TRUE;
}

void CConvertingPage::EnterPage() {
  const APP_STATE& state = m_state;
  RunRequest request;
  request.job = state.job;
  request.simultaneous =
      SimultaneousEncoders(state.g_runSettings.nSimultaneous, LogicalProcessors());
  if (!m_retry.empty()) {
    // The same files and settings as the run retried, whatever the pages hold now.
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
  }
  m_shown = Shown();
  GetDlgItem(IDC_CONV_TOTAL_PROGRESS).ShowWindow(SW_SHOW);
  CListBox(GetDlgItem(IDC_CONV_RUNNING).GetSafeHwnd()).ResetContent();
  GetDlgItem(IDC_CONV_RUNNING).ShowWindow(request.simultaneous > 1 ? SW_SHOW : SW_HIDE);
  m_taskbar.reset(new TaskbarProgress(::GetParent(m_hWnd)));
  m_run = std::make_shared<PageRun>(m_hWnd);
  StartConvertWorker(std::move(request), m_run, m_hWnd);
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
    if (m_taskbar) m_taskbar->Show(p.share, p.failed);
  }
}

bool CConvertingPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
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
    m_taskbar.reset();
    ::PostMessageW(::GetParent(m_hWnd), WM_CONVERT_FINISHED, 0, 0);
  }
  result = 0;
  return true;
}

void CConvertingPage::RetryOnEntry(const std::vector<size_t>& positions) {
  m_retry = positions;
}

void CConvertingPage::SetTexts(const LanguageTexts& pack) {
  m_estimateTexts = TranslatedTexts(EstimateTextKeys(), pack);
}

void CConvertingPage::LeavePage() {
  ShowWindow(SW_HIDE);
  CProgressCtrl(GetDlgItem(IDC_CONV_FILE_PROGRESS).GetSafeHwnd()).SetPos(0);
  CProgressCtrl(GetDlgItem(IDC_CONV_TOTAL_PROGRESS).GetSafeHwnd()).SetPos(0);
  GetDlgItem(IDC_CONV_ESTIMATE).SetWindowText(u"");
  GetDlgItem(IDC_CONV_RUNNING).ShowWindow(SW_HIDE);
}

bool CConvertingPage::OnCommand(int id, int code, HWND control) {
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

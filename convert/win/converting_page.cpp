#include "convert/win/converting_page.h"

#include "convert/conversion_log.h"
#include "convert/win/convert_worker.h"
#include "framework/win/controls.h"
#include "framework/win/processors.h"
#include "resources/resource.h"

CConvertingPage::CConvertingPage(APP_STATE& state)
    : CWizardPage(IDD_CONVERTING_PAGE), m_flags(std::make_shared<RunFlags>()), m_state(state) {}

BOOL CConvertingPage::OnInitDialog() {
  CProgressCtrl(GetDlgItem(IDC_CONV_FILE_PROGRESS).GetSafeHwnd()).SetRange(0, 100);
  CProgressCtrl(GetDlgItem(IDC_CONV_TOTAL_PROGRESS).GetSafeHwnd()).SetRange(0, 100);
  return TRUE;
}

void CConvertingPage::EnterPage() {
  // A new run gets flags of its own; a worker of an earlier run keeps its old ones.
  const std::shared_ptr<RunFlags> last = m_flags;
  m_flags = std::make_shared<RunFlags>();
  APP_STATE& state = m_state;

  ConvertWorkerSetup setup;
  setup.page = m_hWnd;
  setup.mainWindow = ::GetParent(m_hWnd);
  setup.fileLabel = GetDlgItem(IDC_CONV_FILE_NAME).GetSafeHwnd();
  setup.countLabel = GetDlgItem(IDC_CONV_COUNT).GetSafeHwnd();
  setup.percentLabel = GetDlgItem(IDC_CONV_PERCENT).GetSafeHwnd();
  setup.progress = GetDlgItem(IDC_CONV_FILE_PROGRESS).GetSafeHwnd();
  setup.totalProgress = GetDlgItem(IDC_CONV_TOTAL_PROGRESS).GetSafeHwnd();
  setup.estimateLabel = GetDlgItem(IDC_CONV_ESTIMATE).GetSafeHwnd();
  setup.estimateTexts = m_estimateTexts;
  setup.log = GetDlgItem(IDC_CONV_LOG).GetSafeHwnd();
  setup.runningList = GetDlgItem(IDC_CONV_RUNNING).GetSafeHwnd();
  setup.simultaneous = SimultaneousEncoders(state.g_runSettings.nSimultaneous, LogicalProcessors());
  setup.flags = m_flags;
  setup.state = &state;
  if (!m_retry.empty()) {
    // The same files and settings as the run retried, whatever the pages hold now.
    setup.settings = m_lastSettings;
    setup.inputs = m_lastInputs;
    setup.positions.swap(m_retry);
    setup.previous = last->m_outcomes;
  } else {
    state.g_nSucceeded = 0;
    std::vector<std::u16string>().swap(state.g_outputFiles);
    setup.settings.outputFolder = state.g_strOutputFolder;
    setup.settings.sameAsSource = state.g_bSameAsSource != 0;
    setup.settings.overwrite = state.g_bOverwrite != 0;
    setup.settings.appDir = state.g_strAppDir;
    setup.inputs = state.g_inputFiles;
    m_lastSettings = setup.settings;
    m_lastInputs = setup.inputs;
  }
  GetDlgItem(IDC_CONV_TOTAL_PROGRESS).ShowWindow(SW_SHOW);
  CListBox(setup.runningList).ResetContent();
  GetDlgItem(IDC_CONV_RUNNING).ShowWindow(setup.simultaneous > 1 ? SW_SHOW : SW_HIDE);
  StartConvertWorker(setup);
  ShowWindow(SW_SHOW);
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
    m_flags->m_bCancel = 1;
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

void AppendLog(HWND logList, const SYSTEMTIME& time, const std::u16string& text, bool tail) {
  CListBox log(logList);
  const int index =
      log.AddString(FormatLogEntry(time.wHour, time.wMinute, time.wSecond, text, tail));
  if (index >= 0) log.SetCurSel(index);
}

#include "program/win/vidmorph_dlg.h"

#include <shellapi.h>

#include "app/app_state.h"
#include "app/output_folder_text.h"
#include "app/product_info.h"
#include "app/win/about_dialog.h"
#include "app/win/input_page.h"
#include "app/win/language_dialog.h"
#include "app/win/run_settings_file.h"
#include "app/win/task_page.h"
#include "convert/run_outcomes.h"
#include "convert/win/converting_page.h"
#include "convert/win/messages.h"
#include "convert/win/result_page.h"
#include "convert/win/save_log.h"
#include "framework/archive.h"
#include "framework/win/file_io.h"
#include "profiles/win/output_settings_page.h"
#include "program/win/window_handover.h"
#include "resources/resource.h"

namespace {

// Asks the side component to unregister itself, if it is there.
void UnregisterAuxComponent(const std::u16string& appDir) {
  HMODULE dll = ::LoadLibraryW(W(appDir + u"AuxDmo.dll"));
  if (!dll) return;
  using Unregister = HRESULT(STDAPICALLTYPE*)();
  auto fn = reinterpret_cast<Unregister>(
      reinterpret_cast<void*>(::GetProcAddress(dll, "DllUnregisterServer")));
  if (fn) fn();
  ::FreeLibrary(dll);
}

}  // namespace

CVidmorphDlg::CVidmorphDlg(HWND owner, APP_STATE& state, CLanguagePack& pack)
    : CPersistDialog(IDD_VIDMORPH_DIALOG, u"Option.dat", owner), m_state(state), m_langPack(pack) {
  m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CVidmorphDlg::~CVidmorphDlg() = default;

void CVidmorphDlg::SerializeSettings(Archive& ar) {
  ::SerializeSettings(ar, m_state);
  if (!ar.IsStoring()) m_state.g_nPrevTaskMode = m_state.g_nTaskMode;
}

BOOL CVidmorphDlg::LoadSettings() {
  m_state.g_runSettings = ReadRunSettingsFile(DirectoryOf(SettingsFile()));
  return CPersistDialog::LoadSettings();
}

BOOL CVidmorphDlg::SaveSettings() {
  // Each file on its own: one that cannot be written leaves the other be.
  WriteRunSettingsFile(DirectoryOf(SettingsFile()), m_state.g_runSettings);
  return CPersistDialog::SaveSettings();
}

BOOL CVidmorphDlg::OnInitDialog() {
  CPersistDialog::OnInitDialog();

  wchar_t about[128];
  if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 128) > 0) {
    HMENU sys = ::GetSystemMenu(m_hWnd, FALSE);
    if (sys) {
      ::AppendMenuW(sys, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuW(sys, MF_STRING, IDM_ABOUTBOX, about);
    }
  }
  SetWindowText(product::kName);
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  m_strAppDir = m_state.g_strAppDir;
  GetDlgItem(IDC_BTN_WEBSITE).SetWindowText(u"WebSite");

  RECT w, f;
  ::GetWindowRect(m_hWnd, &w);
  ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_PAGE_FRAME), &f);
  m_rcPage = ComputePageRect({int(w.left), int(w.top), int(w.right), int(w.bottom)},
                             {int(f.left), int(f.top), int(f.right), int(f.bottom)},
                             ::GetSystemMetrics(SM_CYCAPTION), ::GetSystemMetrics(SM_CXEDGE),
                             ::GetSystemMetrics(SM_CYEDGE));

  CreatePages();
  if (m_nPages == kPageCount && m_continue) {
    m_pConvertingPage->ContinueOnEntry(*m_continue);
    m_continue.reset();
    m_pages[kConvertingPage]->EnterPage();
    m_nPage = kConvertingPage;
  } else if (m_nPages == kPageCount) {
    m_pages[kTaskPage]->EnterPage();
    m_nPage = kTaskPage;
  }
  UpdateButtons();
  ApplyLanguage();
  MarkReceivingWindow(m_hWnd);
  if (!m_openPaths.empty()) OpenPaths({});
  return TRUE;
}

void CVidmorphDlg::OpenPaths(const std::vector<std::u16string>& paths) {
  m_openPaths.insert(m_openPaths.end(), paths.begin(), paths.end());
  if (m_nPages != kPageCount || m_openPaths.empty()) return;
  // The task and output settings pages lead straight back to the input page;
  // a run and its results are left alone.
  if ((m_nPage == kTaskPage || m_nPage == kOutputPage) && !PageBusy())
    GoTo(m_nPage, kInputPage);
  else if (m_nPage == kInputPage)
    TakeOpenPaths();
}

void CVidmorphDlg::TakeOpenPaths() {
  std::vector<std::u16string> paths;
  paths.swap(m_openPaths);
  if (!paths.empty()) static_cast<CInputPage*>(m_pages[kInputPage].get())->AddPaths(paths);
}

void CVidmorphDlg::CreatePages() {
  m_pTaskPage = new CTaskPage(m_state);
  m_pages.emplace_back(m_pTaskPage);
  m_prober = std::make_shared<InputProber>(m_state.g_strAppDir);
  m_pages.emplace_back(new CInputPage(m_state, m_langPack, m_prober.get()));
  m_pages.emplace_back(new COutputSettingsPage(m_state, m_state.g_nTaskAvi, m_state.job));
  m_pConvertingPage = new CConvertingPage(m_state, m_prober);
  m_pages.emplace_back(m_pConvertingPage);
  m_pResultPage = new CResultPage(m_state, *m_pConvertingPage);
  m_pages.emplace_back(m_pResultPage);
  for (auto& page : m_pages) {
    page->Create(m_hWnd);
    page->ShowWindow(SW_HIDE);
    ::MoveWindow(page->GetSafeHwnd(), m_rcPage.left, m_rcPage.top, m_rcPage.right - m_rcPage.left,
                 m_rcPage.bottom - m_rcPage.top, TRUE);
    ++m_nPages;
  }
}

void CVidmorphDlg::ApplyLanguage() {
  m_langPack.Apply(m_hWnd, IDD_VIDMORPH_DIALOG);
  for (auto& page : m_pages) m_langPack.Apply(page->GetSafeHwnd(), page->TemplateId());
  if (m_pTaskPage) m_pTaskPage->SetTexts(m_langPack.m_texts);
  if (m_pConvertingPage) m_pConvertingPage->SetTexts(m_langPack.m_texts);
  if (m_pResultPage) m_pResultPage->SetTexts(m_langPack.m_texts);
}

void CVidmorphDlg::GoTo(int from, int to) {
  m_pages[size_t(from)]->LeavePage();
  // The taskbar button tells of a failed run until its results are left.
  if (from == kResultPage && m_pConvertingPage) m_pConvertingPage->ResultPageLeft();
  m_pages[size_t(to)]->EnterPage();
  m_nPage = to;
  if (to == kInputPage) TakeOpenPaths();
  // Files dropped anywhere on the window go to a page that takes them.
  ::DragAcceptFiles(m_hWnd, PageTakesDrops() ? TRUE : FALSE);
  UpdateButtons();
}

bool CVidmorphDlg::PageBusy() const {
  return m_nPages == kPageCount && m_pages[size_t(m_nPage)]->IsBusy();
}

bool CVidmorphDlg::PageTakesDrops() const {
  return m_nPages == kPageCount &&
         (::GetWindowLongPtrW(m_pages[size_t(m_nPage)]->GetSafeHwnd(), GWL_EXSTYLE) &
          WS_EX_ACCEPTFILES) != 0;
}

void CVidmorphDlg::OnNext() {
  const int next = NextPageOf(m_nPage);
  if (next < 0 || m_nPages != kPageCount || PageBusy()) return;
  if (m_nPage == kInputPage && m_state.g_inputFiles.empty()) {
    AppMessageBox(m_hWnd, u"Please add the input files!", MB_OK);
    return;
  }
  if (next == kConvertingPage) {
    // The page stores the folder as it leaves, and is shown again at once so
    // that it stays in view behind a question on the folder, and stays when
    // the folder cannot be used.
    m_pages[size_t(m_nPage)]->LeavePage();
    m_pages[size_t(m_nPage)]->EnterPage();
    if (!OutputFolderReady()) return;
  }
  GoTo(m_nPage, next);
}

bool CVidmorphDlg::OutputFolderReady() {
  if (m_state.g_bSameAsSource) return true;
  const std::u16string& folder = m_state.g_strOutputFolder;
  const OutputFolderTexts texts = TranslatedTexts(OutputFolderTextKeys(), m_langPack.m_texts);
  switch (FolderStateOf(folder)) {
    case FolderState::Writable:
      return true;
    case FolderState::NotWritable:
      AppMessageBox(m_hWnd, FillIn(texts.notWritable, {folder}), MB_OK | MB_ICONEXCLAMATION);
      return false;
    case FolderState::Missing:
      break;
  }
  if (AppMessageBox(m_hWnd, FillIn(texts.missing, {folder}), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return false;
  const std::u16string reason = CreateFolderTree(folder);
  if (reason.empty()) return true;
  AppMessageBox(m_hWnd, FillIn(texts.notCreated, {folder, reason}), MB_OK | MB_ICONEXCLAMATION);
  return false;
}

void CVidmorphDlg::OnPrev() {
  const int prev = PrevPageOf(m_nPage);
  if (prev >= 0 && m_nPages == kPageCount && !PageBusy()) GoTo(m_nPage, prev);
}

void CVidmorphDlg::OnRepeat() {
  if (m_nPages == kPageCount) GoTo(kResultPage, kTaskPage);
}

void CVidmorphDlg::OnRetryFailed() {
  if (m_nPages != kPageCount || m_nPage != kResultPage) return;
  const std::vector<size_t> positions = RetryPositions(m_pConvertingPage->Report().files);
  if (positions.empty()) return;
  if (!OutputFolderReady()) return;
  m_pConvertingPage->RetryOnEntry(positions);
  GoTo(kResultPage, kConvertingPage);
}

void CVidmorphDlg::OnRunFinished() {
  if (m_nPages == kPageCount) GoTo(kConvertingPage, kResultPage);
  // Someone who looked away hears that the run is over.
  if (::GetForegroundWindow() != m_hWnd) {
    FLASHWINFO flash = {sizeof flash, m_hWnd, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
    ::FlashWindowEx(&flash);
  }
}

void CVidmorphDlg::UpdateButtons() {
  const int enabled = PageBusy() ? 0 : EnabledButtons(m_nPage);
  const struct {
    int id, bit;
  } buttons[] = {{IDC_BTN_SAVELOG, kBtnSaveLog},
                 {IDC_BTN_PREV, kBtnPrev},
                 {IDC_BTN_NEXT, kBtnNext},
                 {IDC_BTN_REPEAT, kBtnRepeat}};
  for (const auto& b : buttons) GetDlgItem(b.id).EnableWindow(false);
  for (const auto& b : buttons)
    if (enabled & b.bit) GetDlgItem(b.id).EnableWindow(true);
}

void CVidmorphDlg::ShowAbout() {
  CAboutDialog about(m_hWnd, m_langPack);
  about.DoModal();
}

bool CVidmorphDlg::OnCommand(int id, int code, HWND control) {
  if (code != BN_CLICKED) return CPersistDialog::OnCommand(id, code, control);
  switch (id) {
    case IDCANCEL:
      // Escape: while a page works, it stops that work instead of closing.
      if (PageBusy())
        m_pages[size_t(m_nPage)]->CancelWork();
      else
        OnCancel();
      return true;
    case IDC_BTN_CLOSE:
      OnCancel();
      return true;
    case IDC_BTN_NEXT:
      OnNext();
      return true;
    case IDC_BTN_PREV:
      OnPrev();
      return true;
    case IDC_BTN_REPEAT:
      OnRepeat();
      return true;
    case IDC_BTN_ABOUT:
      ShowAbout();
      return true;
    case IDC_BTN_HELP:
      ::ShellExecuteW(m_hWnd, L"open", W(m_strAppDir + u"help.chm"), nullptr, nullptr,
                      SW_SHOWNORMAL);
      return true;
    case IDC_BTN_SAVELOG:
      if (m_pConvertingPage) SaveConversionLog(m_hWnd, m_pConvertingPage->LogEntries());
      return true;
    case IDC_BTN_WEBSITE:
      ::ShellExecuteW(m_hWnd, L"open", W(product::kHomePage), nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    case IDC_BTN_LANGUAGE:
      if (ChooseLanguage(m_hWnd, m_langPack.ReadCurrent(m_state.g_strLangFile), m_state,
                         m_langPack))
        ApplyLanguage();
      return true;
  }
  return CPersistDialog::OnCommand(id, code, control);
}

bool CVidmorphDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COPYDATA: {
      std::vector<std::u16string> paths;
      result = HandedPaths(lParam, paths);
      if (!result) return false;
      if (::IsIconic(m_hWnd)) ::ShowWindow(m_hWnd, SW_RESTORE);
      ::SetForegroundWindow(m_hWnd);
      OpenPaths(paths);
      return true;
    }
    case WM_CONVERT_FINISHED:
      OnRunFinished();
      result = 0;
      return true;
    case WM_RETRY_FAILED:
      OnRetryFailed();
      result = 0;
      return true;
    case WM_PAGE_BUSY_CHANGED:
      UpdateButtons();
      result = 0;
      return true;
    case WM_DROPFILES:
      if (PageTakesDrops())
        m_pages[size_t(m_nPage)]->SendMessage(WM_DROPFILES, wParam, lParam);
      else
        ::DragFinish(reinterpret_cast<HDROP>(wParam));
      result = 0;
      return true;
    case WM_CLOSE:
      // The close box always closes; Escape comes as IDCANCEL and may not.
      OnCancel();
      result = 0;
      return true;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
        ShowAbout();
        result = 0;
        return true;
      }
      return false;
    case WM_DESTROY:
      SaveSettings();
      return false;
    case WM_PAINT:
      if (::IsIconic(m_hWnd)) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
        ::DrawIcon(dc, (rc.right - cx + 1) / 2, (rc.bottom - cy + 1) / 2, m_hIcon);
        ::EndPaint(m_hWnd, &ps);
        result = 0;
        return true;
      }
      return false;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(m_hIcon);
      return true;
  }
  return CPersistDialog::OnMessage(msg, wParam, lParam, result);
}

void CVidmorphDlg::OnDestroyed() {
  // The page windows went with this one; free their objects, last page first.
  m_pTaskPage = nullptr;
  m_pConvertingPage = nullptr;
  m_pResultPage = nullptr;
  while (!m_pages.empty()) m_pages.pop_back();
  m_nPages = 0;
  UnregisterAuxComponent(m_state.g_strAppDir);
}

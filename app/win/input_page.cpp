#include "app/win/input_page.h"

#include <commdlg.h>
#include <shellapi.h>

#include "app/input_files.h"
#include "app/language_text.h"
#include "app/win/file_search_job.h"
#include "app/win/language_pack.h"
#include "framework/win/folder_chooser.h"
#include "resources/resource.h"

namespace {
// Room for thousands of selected files; the system dialog fills it at once.
constexpr size_t kSelectionChars = 1 << 20;
// How often the count of files found is shown while a search runs.
constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressMs = 100;
// The buttons that change the list; a search keeps them off until it ends.
constexpr int kListCommands[] = {IDC_INPUT_ADD, IDC_INPUT_DELETE, IDC_INPUT_CLEAR,
                                 IDC_INPUT_ADD_FOLDER};
}  // namespace

CInputPage::CInputPage(APP_STATE& state, const CLanguagePack& pack)
    : CWizardPage(IDD_INPUT_PAGE), m_state(state), m_pack(pack) {}

CInputPage::~CInputPage() {
  // The search's thread holds the job and finishes alone; it never reaches back.
  if (m_search) m_search->Cancel();
}

BOOL CInputPage::OnInitDialog() {
  m_listNames.Attach(GetDlgItem(IDC_INPUT_NAMES).GetSafeHwnd());
  m_listPaths.Attach(GetDlgItem(IDC_INPUT_PATHS).GetSafeHwnd());
  ::DragAcceptFiles(m_hWnd, TRUE);
  HWND status = GetDlgItem(IDC_INPUT_STATUS).GetSafeHwnd();
  ::GetWindowRect(status, &m_rcStatus);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&m_rcStatus), 2);
  return TRUE;
}

void CInputPage::EnterPage() {
  APP_STATE& s = m_state;
  if (s.g_nTaskMode != s.g_nPrevTaskMode) {
    OnClear();
    s.g_nPrevTaskMode = s.g_nTaskMode;
  }
  ShowWindow(SW_SHOW);
}

void CInputPage::LeavePage() {
  ShowWindow(SW_HIDE);
}

bool CInputPage::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case IDC_INPUT_ADD:
      if (code == BN_CLICKED) OnAddFiles();
      return true;
    case IDC_INPUT_ADD_FOLDER:
      if (code == BN_CLICKED) OnAddFolder();
      return true;
    case IDC_INPUT_STOP:
      if (code == BN_CLICKED) CancelWork();
      return true;
    case IDC_INPUT_DELETE:
      if (code == BN_CLICKED) OnDelete();
      return true;
    case IDC_INPUT_CLEAR:
      if (code == BN_CLICKED) OnClear();
      return true;
    case IDC_INPUT_NAMES:
      if (code == LBN_SELCHANGE) {
        const int sel = m_listNames.GetCurSel();
        if (sel != LB_ERR) m_listPaths.SetCurSel(sel);
      } else if (code == LBN_SELCANCEL) {
        m_listPaths.SetCurSel(-1);
      }
      return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}

bool CInputPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      result = 0;
      return true;
    case WM_TIMER:
      if (wParam != kProgressTimer) break;
      ShowSearchProgress();
      result = 0;
      return true;
    case WM_SEARCH_DONE:
      OnSearchDone();
      result = 0;
      return true;
  }
  return CWizardPage::OnMessage(msg, wParam, lParam, result);
}

void CInputPage::OnAddFiles() {
  std::u16string filter = InputFilterFor(m_state.g_nTaskAvi);
  for (char16_t& c : filter)
    if (c == u'|') c = u'\0';
  std::u16string buffer(kSelectionChars, u'\0');

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = ::GetParent(m_hWnd);
  ofn.lpstrFilter = filter.empty() ? nullptr : W(filter);
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = reinterpret_cast<wchar_t*>(&buffer[0]);
  ofn.nMaxFile = DWORD(buffer.size());
  ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
  if (!::GetOpenFileNameW(&ofn)) {
    if (::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
      AppMessageBox(ofn.hwndOwner,
                    u"Too many files were selected at once. Please add them in smaller groups.",
                    MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  std::vector<INPUT_FILE> files;
  for (const std::u16string& path : SplitFileSelection(buffer.data(), buffer.size()))
    files.push_back(InputFileOf(path));
  GetDlgItem(IDC_INPUT_STATUS).SetWindowText(std::u16string());
  AddFiles(files);
}

void CInputPage::OnAddFolder() {
  std::u16string folder;
  if (ChooseFolder(::GetParent(m_hWnd), Text(IDS_INPUT_FOLDER_TITLE), folder))
    StartSearch({folder});
}

void CInputPage::OnDropFiles(HDROP drop) {
  std::vector<std::u16string> items;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    if (::DragQueryFileW(drop, i, &path[0], length + 1) == length) items.push_back(U(path.c_str()));
  }
  ::DragFinish(drop);
  // One add at a time: what is dropped while a search runs is refused audibly.
  if (IsBusy()) {
    ::MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  StartSearch(items);
}

void CInputPage::AddPaths(const std::vector<std::u16string>& items) {
  if (IsBusy())
    m_waiting.insert(m_waiting.end(), items.begin(), items.end());
  else
    StartSearch(items);
}

void CInputPage::StartSearch(const std::vector<std::u16string>& items) {
  if (items.empty() || IsBusy()) return;
  m_search =
      CFileSearchJob::Start(m_hWnd, items, OfferedPatterns(InputFilterFor(m_state.g_nTaskAvi)));
  if (!m_search) {
    GetDlgItem(IDC_INPUT_STATUS).SetWindowText(Text(IDS_INPUT_CANCELLED));
    return;
  }
  ShowSearchProgress();
  ::SetTimer(m_hWnd, kProgressTimer, kProgressMs, nullptr);
  SetSearching(true);
}

void CInputPage::ShowSearchProgress() {
  if (!m_search) return;
  GetDlgItem(IDC_INPUT_STATUS)
      .SetWindowText(FillIn(Text(IDS_INPUT_SEARCHING), {DecimalText(int64_t(m_search->Found()))}));
}

void CInputPage::OnSearchDone() {
  if (!m_search) return;
  ::KillTimer(m_hWnd, kProgressTimer);
  const SEARCH_RESULT result = m_search->TakeResult();
  m_search.reset();
  if (!result.bCancelled) AddFiles(result.files);
  const SEARCH_TEXTS texts{Text(IDS_INPUT_ADDED), Text(IDS_INPUT_OTHER_TYPES),
                           Text(IDS_INPUT_UNREADABLE), Text(IDS_INPUT_BROKEN_LINKS),
                           Text(IDS_INPUT_CANCELLED)};
  GetDlgItem(IDC_INPUT_STATUS).SetWindowText(SearchSummary(result, texts));
  SetSearching(false);
  std::vector<std::u16string> waiting;
  waiting.swap(m_waiting);
  StartSearch(waiting);
}

void CInputPage::CancelWork() {
  if (m_search) m_search->Cancel();
}

void CInputPage::SetSearching(bool searching) {
  for (int id : kListCommands) GetDlgItem(id).EnableWindow(!searching);
  const CWnd stop = GetDlgItem(IDC_INPUT_STOP);
  const bool stopHadFocus = ::GetFocus() == stop.GetSafeHwnd();
  stop.ShowWindow(searching ? SW_SHOW : SW_HIDE);
  // The line has all the room below Add Folder, but yields its top to Cancel.
  RECT line = m_rcStatus;
  if (searching) {
    RECT button;
    ::GetWindowRect(stop.GetSafeHwnd(), &button);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&button), 2);
    line.top = button.bottom + (button.bottom - button.top) / 4;
  }
  ::SetWindowPos(GetDlgItem(IDC_INPUT_STATUS).GetSafeHwnd(), nullptr, line.left, line.top,
                 line.right - line.left, line.bottom - line.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // Focus must not stay on a button that is switched off or hidden.
  if (searching && IsWindowVisible())
    ::SetFocus(stop.GetSafeHwnd());
  else if (!searching && stopHadFocus)
    ::SetFocus(GetDlgItem(IDC_INPUT_ADD_FOLDER).GetSafeHwnd());
  ::SendMessageW(::GetParent(m_hWnd), WM_PAGE_BUSY_CHANGED, 0, 0);
}

void CInputPage::AddFiles(const std::vector<INPUT_FILE>& files) {
  if (files.empty()) return;
  // Drawn once at the end: a list redrawn per row takes minutes for a large tree.
  m_listNames.SendMessage(WM_SETREDRAW, FALSE);
  m_listPaths.SendMessage(WM_SETREDRAW, FALSE);
  m_listNames.SendMessage(LB_INITSTORAGE, WPARAM(files.size()), LPARAM(files.size() * 32));
  m_listPaths.SendMessage(LB_INITSTORAGE, WPARAM(files.size()), LPARAM(files.size() * 128));
  m_state.g_inputFiles.reserve(m_state.g_inputFiles.size() + files.size());
  for (const INPUT_FILE& file : files) {
    m_state.g_inputFiles.push_back(file);
    m_listPaths.AddString(file.strPath);
    m_listNames.AddString(file.strName);
  }
  m_listNames.SendMessage(WM_SETREDRAW, TRUE);
  m_listPaths.SendMessage(WM_SETREDRAW, TRUE);
  ::InvalidateRect(m_listNames.GetSafeHwnd(), nullptr, TRUE);
  UpdateScrollWidth();
}

void CInputPage::OnDelete() {
  const int sel = m_listPaths.GetCurSel();
  if (sel == LB_ERR || size_t(sel) >= m_state.g_inputFiles.size()) return;
  m_state.g_inputFiles.erase(m_state.g_inputFiles.begin() + sel);
  m_listPaths.DeleteString(sel);
  m_listNames.DeleteString(sel);
  m_listPaths.SetCurSel(-1);
  m_listNames.SetCurSel(-1);
  UpdateScrollWidth();
}

void CInputPage::OnClear() {
  m_state.g_inputFiles.clear();
  m_listPaths.ResetContent();
  m_listNames.ResetContent();
  GetDlgItem(IDC_INPUT_STATUS).SetWindowText(std::u16string());
  UpdateScrollWidth();
}

// The horizontal scroll bar only scrolls as far as the list is told it is wide.
void CInputPage::UpdateScrollWidth() {
  std::vector<std::u16string> names;
  for (const INPUT_FILE& file : m_state.g_inputFiles) names.push_back(file.strName);
  m_listNames.SendMessage(LB_SETHORIZONTALEXTENT, WPARAM(WidestText(m_listNames, names) + 8));
}

std::u16string CInputPage::Text(int stringId) const {
  return m_pack.Text(IDD_INPUT_PAGE, stringId);
}

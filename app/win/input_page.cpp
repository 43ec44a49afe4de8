#include "app/win/input_page.h"

#include <commdlg.h>
#include <shellapi.h>

#include "app/input_files.h"
#include "app/language_text.h"
#include "app/win/file_search_job.h"
#include "app/win/language_pack.h"
#include "app/win/messages.h"
#include "framework/win/folder_chooser.h"
#include "resources/resource.h"

namespace {
// The room before each name that a marked row's sign takes.
int MarkWidth(const CListBox& list) {
  return int(list.SendMessage(LB_GETITEMHEIGHT, 0));
}

// Room for thousands of selected files; the system dialog fills it at once.
constexpr size_t kSelectionChars = 1 << 20;
// How often the count of files found is shown while a search runs.
constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressMs = 100;
// The buttons that change the list; a search keeps them off until it ends.
constexpr int kListCommands[] = {IDC_INPUT_ADD, IDC_INPUT_DELETE, IDC_INPUT_CLEAR,
                                 IDC_INPUT_ADD_FOLDER};
}  // namespace

CInputPage::CInputPage(APP_STATE& state, const CLanguagePack& pack, InputDetailsSource* details)
    : CWizardPage(IDD_INPUT_PAGE), m_state(state), m_pack(pack), m_details(details) {}

CInputPage::~CInputPage() {
  if (m_details) m_details->SetListener(nullptr);
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
  // Rows drawn by the page are as high as the list's font needs, with room for the mark.
  TEXTMETRICW metrics{};
  HDC dc = ::GetDC(m_listNames.GetSafeHwnd());
  HGDIOBJ old = ::SelectObject(dc, HGDIOBJ(m_listNames.SendMessage(WM_GETFONT)));
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_listNames.GetSafeHwnd(), dc);
  m_listNames.SendMessage(LB_SETITEMHEIGHT, 0, LPARAM(metrics.tmHeight + 2));
  if (m_details) {
    HWND page = m_hWnd;
    std::shared_ptr<std::atomic<bool>> posted = m_newsPosted;
    m_details->SetListener([page, posted] {
      if (!posted->exchange(true)) ::PostMessageW(page, WM_DETAILS_NEWS, 0, 0);
    });
  }
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
        ShowStatus();
      } else if (code == LBN_SELCANCEL) {
        m_listPaths.SetCurSel(-1);
        ShowStatus();
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
    case WM_DETAILS_NEWS:
      m_newsPosted->store(false);
      ShowStatus();
      ::InvalidateRect(m_listNames.GetSafeHwnd(), nullptr, FALSE);
      result = 0;
      return true;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (wParam != IDC_INPUT_NAMES) break;
      DrawName(*item);
      result = TRUE;
      return true;
    }
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
  m_summary.clear();
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
  m_summary = SearchSummary(result, texts);
  ShowStatus();
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
  std::vector<std::u16string> paths;
  paths.reserve(files.size());
  for (const INPUT_FILE& file : files) {
    m_state.g_inputFiles.push_back(file);
    m_listPaths.AddString(file.strPath);
    m_listNames.AddString(file.strName);
    paths.push_back(file.strPath);
  }
  if (m_details) m_details->Look(paths);
  m_listNames.SendMessage(WM_SETREDRAW, TRUE);
  m_listPaths.SendMessage(WM_SETREDRAW, TRUE);
  ::InvalidateRect(m_listNames.GetSafeHwnd(), nullptr, TRUE);
  UpdateScrollWidth();
  ShowStatus();
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
  ShowStatus();
}

void CInputPage::OnClear() {
  m_state.g_inputFiles.clear();
  m_listPaths.ResetContent();
  m_listNames.ResetContent();
  if (m_details) m_details->Drop();
  m_summary.clear();
  GetDlgItem(IDC_INPUT_STATUS).SetWindowText(std::u16string());
  UpdateScrollWidth();
}

// The horizontal scroll bar only scrolls as far as the list is told it is wide.
void CInputPage::UpdateScrollWidth() {
  std::vector<std::u16string> names;
  for (const INPUT_FILE& file : m_state.g_inputFiles) names.push_back(file.strName);
  m_listNames.SendMessage(LB_SETHORIZONTALEXTENT,
                          WPARAM(WidestText(m_listNames, names) + 8 + MarkWidth(m_listNames)));
}

StreamNeed CInputPage::Need() const {
  return m_state.g_nTaskAvi == 1 ? StreamNeed::Audio : StreamNeed::Video;
}

void CInputPage::ShowStatus() {
  if (m_search) return;
  std::u16string text = m_summary;
  if (m_details) {
    const DetailsTexts texts = TranslatedTexts(DetailsTextKeys(), m_pack.m_texts);
    const int sel = m_listNames.GetCurSel();
    if (sel != LB_ERR && size_t(sel) < m_state.g_inputFiles.size())
      text = DetailsLine(m_details->Known(m_state.g_inputFiles[size_t(sel)].strPath), Need(), texts,
                         TranslatedTexts(NumberTextKeys(), m_pack.m_texts));
    int unreadable = 0;
    for (const INPUT_FILE& file : m_state.g_inputFiles) {
      const InputDetails details = m_details->Known(file.strPath);
      if (details.probed && !details.readable) ++unreadable;
    }
    if (unreadable > 0) {
      if (!text.empty()) text += u"\n";
      text += FillIn(texts.unreadableCount, {DecimalText(unreadable)});
    }
  }
  GetDlgItem(IDC_INPUT_STATUS).SetWindowText(text);
}

// The list's own look: the skin answers the colours asked for here. A marked
// row gets a sign in the room kept before every name; its text is unchanged.
void CInputPage::DrawName(const DRAWITEMSTRUCT& item) {
  if (item.itemID == UINT(-1)) return;
  HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int mark = MarkWidth(m_listNames);
  const size_t row = size_t(item.itemID);
  bool marked = false;
  if (m_details && row < m_state.g_inputFiles.size())
    marked = IsMarked(m_details->Known(m_state.g_inputFiles[row].strPath), Need());
  RECT text = item.rcItem;
  text.left += mark;
  ::SetBkMode(dc, TRANSPARENT);
  if (marked) {
    RECT sign = item.rcItem;
    sign.right = sign.left + mark;
    ::SetTextColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : RGB(200, 0, 0));
    ::DrawTextW(dc, L"!", 1, &sign, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::u16string name = m_listNames.GetText(int(row));
  ::DrawTextW(dc, W(name), int(name.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &item.rcItem);
}

std::u16string CInputPage::Text(int stringId) const {
  return m_pack.Text(IDD_INPUT_PAGE, stringId);
}

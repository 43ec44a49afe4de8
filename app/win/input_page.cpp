#include "app/win/input_page.h"

#include <commdlg.h>

#include "app/input_files.h"
#include "resources/resource.h"

namespace {
// Room for thousands of selected files; the system dialog fills it at once.
constexpr size_t kSelectionChars = 1 << 20;
}  // namespace

CInputPage::CInputPage(APP_STATE& state) : CWizardPage(IDD_INPUT_PAGE), m_state(state) {}

BOOL CInputPage::OnInitDialog() {
  m_listNames.Attach(GetDlgItem(IDC_INPUT_NAMES).GetSafeHwnd());
  m_listPaths.Attach(GetDlgItem(IDC_INPUT_PATHS).GetSafeHwnd());
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
  AddPaths(SplitFileSelection(buffer.data(), buffer.size()));
}

void CInputPage::AddPaths(const std::vector<std::u16string>& paths) {
  for (const std::u16string& path : paths) {
    const INPUT_FILE file = InputFileOf(path);
    m_state.g_inputFiles.push_back(file);
    m_listPaths.AddString(file.strPath);
    m_listNames.AddString(file.strName);
  }
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
  UpdateScrollWidth();
}

// The horizontal scroll bar only scrolls as far as the list is told it is wide.
void CInputPage::UpdateScrollWidth() {
  std::vector<std::u16string> names;
  for (const INPUT_FILE& file : m_state.g_inputFiles) names.push_back(file.strName);
  m_listNames.SendMessage(LB_SETHORIZONTALEXTENT, WPARAM(WidestText(m_listNames, names) + 8));
}

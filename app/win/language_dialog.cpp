#include "app/win/language_dialog.h"

#include <shellapi.h>

#include "resources/resource.h"

namespace {

void ShellOpen(HWND owner, const std::u16string& path) {
  // A missing file or association is not reported.
  ::ShellExecuteW(owner, L"open", W(path), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

CLanguageDialog::OpenFileFn CLanguageDialog::s_openFile = ShellOpen;

CLanguageDialog::CLanguageDialog(HWND owner, const APP_STATE& state)
    : CDialog(IDD_LANGUAGE, owner), m_state(state) {}

BOOL CLanguageDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_list.Attach(::GetDlgItem(m_hWnd, IDC_LANG_LIST));
  CLanguagePack::FillList(m_list, m_state.g_strLangFile);
  m_list.AddString(u"More...");
  // Replaces the first row that FillList selected; -1 leaves none selected.
  m_list.SetCurSel(m_nSel);
  return TRUE;
}

bool CLanguageDialog::OnCommand(int id, int code, HWND control) {
  if (id == IDC_LANG_LIST) {
    if (code == LBN_DBLCLK) OnDoubleClick();
    return true;
  }
  return CDialog::OnCommand(id, code, control);
}

void CLanguageDialog::OnOK() {
  m_nSel = m_list.GetCurSel();
  EndDialog(IDOK);
}

void CLanguageDialog::OnDoubleClick() {
  const int row = m_list.GetCurSel();
  if (row < 0) return;  // not on a row
  if (row == m_list.GetCount() - 1) {
    s_openFile(m_hWnd, m_state.g_strAppDir + u"morelg.txt");
    return;
  }
  OnOK();
}

int RunLanguageDialog(HWND owner, int preset, const APP_STATE& state) {
  CLanguageDialog dlg(owner, state);
  dlg.m_nSel = preset;
  if (dlg.DoModal() == -1) return -1;
  return dlg.m_nSel;
}

bool ChooseLanguage(HWND owner, int preset, const APP_STATE& state, CLanguagePack& pack) {
  const int chosen = RunLanguageDialog(owner, preset, state);
  if (chosen < 0) return false;
  pack.WriteCurrent(chosen, state.g_strLangFile);
  pack.Load(state.g_strLangFile);
  return true;
}

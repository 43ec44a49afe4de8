#include "convert/win/result_page.h"

#include "convert/result_text.h"
#include "resources/resource.h"

CResultPage::CResultPage(const APP_STATE& state) : CWizardPage(IDD_RESULT_PAGE), m_state(state) {}

void CResultPage::EnterPage() {
  const APP_STATE& s = m_state;
  const int files = int(s.g_inputFiles.size());
  wchar_t text[16];
  wsprintfW(text, L"%d", files);
  GetDlgItem(IDC_RES_TOTAL).SetWindowText(U(text));
  wsprintfW(text, L"%d", ShownSuccesses(s.g_nTaskMode, files, s.g_nSucceeded));
  GetDlgItem(IDC_RES_SUCCEEDED).SetWindowText(U(text));

  const std::u16string first = files > 0 ? s.g_inputFiles[0].strPath : std::u16string();
  const std::u16string folder =
      ResultFolderText(s.g_bSameAsSource != 0, first, s.g_strOutputFolder);
  m_linkFolder.SetWindowText(folder);
  m_linkFolder.SetTarget(folder);

  GetDlgItem(IDC_RES_BURNER).ShowWindow(SW_HIDE);
  GetDlgItem(IDC_RES_BURNER_CAPTION).ShowWindow(SW_HIDE);
  ShowWindow(SW_SHOW);
}

void CResultPage::LeavePage() {
  ShowWindow(SW_HIDE);
}

BOOL CResultPage::OnInitDialog() {
  m_linkFolder.SubclassDlgItem(IDC_RES_FOLDER, m_hWnd);
  return TRUE;
}

#include "app/win/task_page.h"

#include "resources/resource.h"

CTaskPage::CTaskPage(APP_STATE& state) : CWizardPage(IDD_TASK_PAGE), m_state(state) {}

namespace {

// Checks the button at `index` of a three-button group (none for -1 or above 2).
void SetRadioGroup(HWND page, int firstId, int index) {
  for (int i = 0; i < 3; ++i)
    ::SendDlgItemMessageW(page, firstId + i, BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED,
                          0);
}

int GetRadioGroup(HWND page, int firstId) {
  for (int i = 0; i < 3; ++i)
    if (::IsDlgButtonChecked(page, firstId + i) == BST_CHECKED) return i;
  return -1;
}

}  // namespace

void CTaskPage::DoDataExchange(bool save) {
  struct Group {
    int firstId;
    int* member;
  } groups[] = {{IDC_TASK_FLV_FIRST, &m_nFlv},
                {IDC_TASK_3GP_FIRST, &m_n3gp},
                {IDC_TASK_AVI_FIRST, &m_nAvi},
                {IDC_TASK_MP4_FIRST, &m_nMp4},
                {IDC_TASK_PSP_FIRST, &m_nPsp}};
  for (const Group& g : groups) {
    if (save)
      *g.member = GetRadioGroup(m_hWnd, g.firstId);
    else
      SetRadioGroup(m_hWnd, g.firstId, *g.member);
  }
}

void CTaskPage::EnterPage() {
  const TaskChoices c = TaskChoicesFrom(m_state);
  m_nFlv = c.flv;
  m_n3gp = c.g3gp;
  m_nAvi = c.avi;
  m_nMp4 = c.mp4;
  m_nPsp = c.psp;
  for (int id = IDC_TASK_AVI_VIDEO; id <= IDC_TASK_AVI_CREATE; ++id)
    GetDlgItem(id).ShowWindow(SW_SHOW);
  UpdateData(false);
  ShowWindow(SW_SHOW);
}

void CTaskPage::LeavePage() {
  UpdateData(true);
  TaskChoices c;
  c.flv = m_nFlv;
  c.g3gp = m_n3gp;
  c.avi = m_nAvi;
  c.mp4 = m_nMp4;
  c.psp = m_nPsp;
  StoreTaskChoices(c, m_state);
  ShowWindow(SW_HIDE);
}

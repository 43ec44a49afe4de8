#include "app/win/task_page.h"

#include "app/simultaneous_choices.h"
#include "resources/resource.h"

CTaskPage::CTaskPage(APP_STATE& state, int processors)
    : CWizardPage(IDD_TASK_PAGE), m_state(state), m_nProcessors(processors) {}

namespace {

// The pack's key for the word Automatic in the box.
constexpr char16_t kAutomaticKey[] = u"9143-1";

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

BOOL CTaskPage::OnInitDialog() {
  m_boxSimultaneous.Attach(GetDlgItem(IDC_TASK_SIMULTANEOUS).GetSafeHwnd());
  FillSimultaneous();
  return TRUE;
}

void CTaskPage::SetTexts(const LanguageTexts& pack) {
  const auto automatic = pack.find(kAutomaticKey);
  m_strAutomatic =
      automatic != pack.end() && !automatic->second.empty() ? automatic->second : u"Automatic";
  FillSimultaneous();
}

void CTaskPage::FillSimultaneous() {
  if (!m_boxSimultaneous.GetSafeHwnd()) return;
  m_boxSimultaneous.ResetContent();
  const int32_t stored = m_state.g_runSettings.nSimultaneous;
  m_nOffered = MostSimultaneousOffered(m_nProcessors, stored);
  for (const std::u16string& row : SimultaneousRows(m_nOffered, m_strAutomatic))
    m_boxSimultaneous.AddString(row);
  m_boxSimultaneous.SetCurSel(SimultaneousRowOf(stored, m_nOffered));
}

// The setting changes only when the user picks a row.
bool CTaskPage::OnCommand(int id, int code, HWND control) {
  if (id == IDC_TASK_SIMULTANEOUS && code == CBN_SELCHANGE) {
    const int row = m_boxSimultaneous.GetCurSel();
    if (row >= 0) m_state.g_runSettings.nSimultaneous = SimultaneousChoiceAt(row, m_nOffered);
    return true;
  }
  return CWizardPage::OnCommand(id, code, control);
}

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
  FillSimultaneous();
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

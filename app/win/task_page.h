// Page 0: which task the run performs.
#pragma once
#include "app/app_state.h"
#include "app/task_rules.h"
#include "framework/win/wizard_page.h"

class CTaskPage : public CWizardPage {
 public:
  // Shows and stores the task fields of `state`.
  explicit CTaskPage(APP_STATE& state);
  void LeavePage() override;
  void EnterPage() override;

 protected:
  void DoDataExchange(bool save) override;

 private:
  // One member per radio group, in the order of the groups' members.
  int m_nFlv = -1, m_n3gp = -1, m_nAvi = -1, m_nMp4 = -1, m_nPsp = -1;
  APP_STATE& m_state;
};

// Page 0: which task the run performs, and how many files it converts at once.
#pragma once
#include "app/app_state.h"
#include "app/language_text.h"
#include "app/task_rules.h"
#include "framework/win/controls.h"
#include "framework/win/processors.h"
#include "framework/win/wizard_page.h"

class CTaskPage : public CWizardPage {
 public:
  // Shows and stores the task fields and the run settings of `state`; the
  // box offers what a machine with `processors` logical processors can run.
  explicit CTaskPage(APP_STATE& state, int processors = LogicalProcessors());
  void LeavePage() override;
  void EnterPage() override;
  // The word for Automatic in the pack's language, or the built-in one.
  void SetTexts(const LanguageTexts& pack);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(bool save) override;

 private:
  void FillSimultaneous();

  // One member per radio group, in the order of the groups' members.
  int m_nFlv = -1, m_n3gp = -1, m_nAvi = -1, m_nMp4 = -1, m_nPsp = -1;
  APP_STATE& m_state;
  const int m_nProcessors;
  int m_nOffered = 1;  // the numbers the box shows, 1 up to this
  std::u16string m_strAutomatic = u"Automatic";
  CComboBox m_boxSimultaneous;
};

// Page 4: the totals of the last run and a link to the output folder.
#pragma once
#include "app/app_state.h"
#include "app/win/link_static.h"
#include "framework/win/wizard_page.h"

class CResultPage : public CWizardPage {
 public:
  // Shows the results of the last run in `state`.
  explicit CResultPage(const APP_STATE& state);
  void LeavePage() override;
  void EnterPage() override;

 protected:
  BOOL OnInitDialog() override;

 private:
  CLinkStatic m_linkFolder;
  const APP_STATE& m_state;
};

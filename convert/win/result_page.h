// Page 4: the totals of the last run and a link to the output folder.
#pragma once
#include "app/win/link_static.h"
#include "framework/win/wizard_page.h"

class CResultPage : public CWizardPage {
 public:
  CResultPage();
  ~CResultPage() override;
  void LeavePage() override;
  void EnterPage() override;

 protected:
  BOOL OnInitDialog() override;

 private:
  CLinkStatic m_linkFolder;
};

extern CResultPage* g_pResultPage;

// Page 4: the totals of the last run and a link to the output folder.
#pragma once
#include "app/win/wizard_page.h"

class CResultPage : public CWizardPage {
public:
  CResultPage();
  ~CResultPage() override;
  void LeavePage() override;
  void EnterPage() override;

protected:
  bool OnCommand(int id, int code, HWND control) override;

private:
  std::u16string m_strFolderTarget;
};

extern CResultPage* g_pResultPage;

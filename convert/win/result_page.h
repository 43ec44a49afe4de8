// Page 4: the totals of the last run, a link to the output folder, and every
// input's outcome with Retry failed.
#pragma once
#include "app/app_state.h"
#include "app/language_text.h"
#include "convert/run_outcomes.h"
#include "framework/win/link_static.h"
#include "framework/win/wizard_page.h"

class CConvertingPage;

class CResultPage : public CWizardPage {
 public:
  // Shows the report of `run`'s last run; `state` gives the task.
  CResultPage(const APP_STATE& state, const CConvertingPage& run);
  void LeavePage() override;
  void EnterPage() override;
  // The words of the outcome list in the current language.
  void SetTexts(const LanguageTexts& pack);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void FillOutcomes();
  // The converted output of the list's row `row`, or empty.
  std::u16string ConvertedOutput(int row) const;
  void ShowOutput(int row) const;
  void ShowMenu(int x, int y);
  void CopyText(const std::u16string& text) const;

  CLinkStatic m_linkFolder;
  const APP_STATE& m_state;
  const CConvertingPage& m_run;
  OutcomeTexts m_texts;
  std::u16string m_openFolderText = u"Open containing folder";
  std::u16string m_copyPathText = u"Copy full path";
};

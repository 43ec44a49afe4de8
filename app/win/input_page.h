// Page 1: the input list, shown as two parallel unsorted list boxes (display
// names shown, full paths hidden); the index links them to the state's list.
#pragma once
#include <vector>

#include "app/app_state.h"
#include "framework/win/controls.h"
#include "framework/win/wizard_page.h"

class CInputPage : public CWizardPage {
 public:
  // Shows and edits the input list of `state`.
  explicit CInputPage(APP_STATE& state);
  void LeavePage() override;
  void EnterPage() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void OnAddFiles();
  void OnDelete();
  void OnClear();
  // Appends files in the given order, without any check.
  void AddPaths(const std::vector<std::u16string>& paths);
  void UpdateScrollWidth();

  CListBox m_listNames;
  CListBox m_listPaths;
  APP_STATE& m_state;
};

// Page 1: the input list, shown as two parallel unsorted list boxes (display
// names shown, full paths hidden); the index links them to the state's list.
// Files come from the file dialog one by one, or as dropped files and whole
// folders, which are searched off the user-interface thread.
#pragma once
#include <memory>
#include <vector>

#include "app/app_state.h"
#include "app/folder_search.h"
#include "framework/win/controls.h"
#include "framework/win/wizard_page.h"

class CFileSearchJob;
class CLanguagePack;

class CInputPage : public CWizardPage {
 public:
  // Shows and edits the input list of `state`; its own texts come from `pack`.
  CInputPage(APP_STATE& state, const CLanguagePack& pack);
  ~CInputPage() override;
  void LeavePage() override;
  void EnterPage() override;
  bool IsBusy() const override { return m_search != nullptr; }
  void CancelWork() override;
  // Adds files and folders as a drop of them does; while a search runs they
  // wait for it, then go in.
  void AddPaths(const std::vector<std::u16string>& items);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void OnAddFiles();
  void OnAddFolder();
  void OnDropFiles(HDROP drop);
  void OnDelete();
  void OnClear();
  // Searches dropped or chosen items for the files the task offers.
  void StartSearch(const std::vector<std::u16string>& items);
  void ShowSearchProgress();
  void OnSearchDone();
  void SetSearching(bool searching);
  // Appends files in the given order, without any check.
  void AddFiles(const std::vector<INPUT_FILE>& files);
  void UpdateScrollWidth();
  std::u16string Text(int stringId) const;

  CListBox m_listNames;
  CListBox m_listPaths;
  APP_STATE& m_state;
  const CLanguagePack& m_pack;
  std::shared_ptr<CFileSearchJob> m_search;  // while a search runs
  std::vector<std::u16string> m_waiting;     // items AddPaths got meanwhile
  RECT m_rcStatus{};                         // the status line's room, in the page
};

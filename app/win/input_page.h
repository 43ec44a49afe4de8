// Page 1: the input list, shown as two parallel unsorted list boxes (display
// names shown, full paths hidden); the index links them to the state's list.
// Files come from the file dialog one by one, or as dropped files and whole
// folders, which are searched off the user-interface thread.
#pragma once
#include <atomic>
#include <memory>
#include <vector>

#include "app/app_state.h"
#include "app/folder_search.h"
#include "app/input_details_source.h"
#include "app/input_details_text.h"
#include "framework/win/controls.h"
#include "framework/win/wizard_page.h"

class CFileSearchJob;
class CLanguagePack;

class CInputPage : public CWizardPage {
 public:
  // Shows and edits the input list of `state`; its own texts come from `pack`.
  // `details`, when given, looks at each file added and tells what it holds.
  CInputPage(APP_STATE& state, const CLanguagePack& pack, InputDetailsSource* details = nullptr);
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
  // The selected file's details, else the last search's summary; and how
  // many files cannot be read.
  void ShowStatus();
  void DrawName(const DRAWITEMSTRUCT& item);
  StreamNeed Need() const;
  std::u16string Text(int stringId) const;

  CListBox m_listNames;
  CListBox m_listPaths;
  APP_STATE& m_state;
  const CLanguagePack& m_pack;
  std::shared_ptr<CFileSearchJob> m_search;  // while a search runs
  std::vector<std::u16string> m_waiting;     // items AddPaths got meanwhile
  InputDetailsSource* m_details;
  // Set while a news message is on its way, so that one at a time is.
  std::shared_ptr<std::atomic<bool>> m_newsPosted = std::make_shared<std::atomic<bool>>(false);
  std::u16string m_summary;  // of the last search
  RECT m_rcStatus{};         // the status line's room, in the page
};

// The wizard window: a column of commands on the left and one of five pages
// at a time in the frame on the right.
#pragma once
#include <memory>
#include <vector>

#include "app/app_state.h"
#include "app/win/language_pack.h"
#include "app/win/persist_dialog.h"
#include "app/wizard_rules.h"
#include "convert/run_engine.h"
#include "convert/win/input_prober.h"
#include "framework/win/wizard_page.h"

class CConvertingPage;
class CResultPage;
class CTaskPage;

class CVidmorphDlg : public CPersistDialog {
 public:
  // The pages show and edit `state`; texts come from `pack`.
  CVidmorphDlg(HWND owner, APP_STATE& state, CLanguagePack& pack);
  ~CVidmorphDlg() override;

  void SerializeSettings(Archive& ar) override;
  // "Option.dat" and, beside it, the run's settings file.
  BOOL LoadSettings() override;
  BOOL SaveSettings() override;

  // The window opens on the converting page, continuing `stopped`; null for the task page.
  void ContinueOnStart(std::unique_ptr<RunRequest> stopped) { m_continue = std::move(stopped); }

  // Applies the language pack to this window and its pages.
  void ApplyLanguage();

  // Files and folders to add as if dropped: at once where the input page can
  // be shown, else when it next is.
  void OpenPaths(const std::vector<std::u16string>& paths);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnDestroyed() override;

  // Creates the five pages, after the settings are read, so that every page
  // sees the stored values from its first entry on.
  virtual void CreatePages();

 private:
  void GoTo(int from, int to);
  void OnNext();
  void OnPrev();
  void OnRepeat();
  void OnRetryFailed();
  // Whether the output folder can take the run's files; says why not, once,
  // and offers to create a missing one.
  bool OutputFolderReady();
  void OnRunFinished();
  void UpdateButtons();
  void ShowAbout();
  void TakeOpenPaths();
  // The page shown has work under way and must not be left.
  bool PageBusy() const;
  // The page shown takes dropped files.
  bool PageTakesDrops() const;

  PixelRect m_rcPage;
  int m_nPages = 0;
  int m_nPage = 0;
  std::u16string m_strAppDir;
  // Looks at the input files for the input page and the run; outlives the pages.
  std::shared_ptr<InputProber> m_prober;
  std::vector<std::unique_ptr<CWizardPage>> m_pages;
  CTaskPage* m_pTaskPage = nullptr;              // in m_pages; its box has texts of the pack
  CConvertingPage* m_pConvertingPage = nullptr;  // in m_pages; its log is saved from here
  CResultPage* m_pResultPage = nullptr;          // in m_pages
  HICON m_hIcon = nullptr;
  std::unique_ptr<RunRequest> m_continue;
  std::vector<std::u16string> m_openPaths;  // for the input page's next entry
  APP_STATE& m_state;
  CLanguagePack& m_langPack;
};

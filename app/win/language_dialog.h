// The Language dialog: every language of the language file and a last row
// "More..." that opens the notes on adding a language. It ends only through
// OK or a double-click on a language.
#pragma once
#include "app/app_state.h"
#include "app/win/language_pack.h"
#include "framework/win/controls.h"
#include "framework/win/dialog.h"

class CLanguageDialog : public CDialog {
 public:
  // Lists the languages of the state's language file.
  CLanguageDialog(HWND owner, const APP_STATE& state);

  // The chosen row, -1 for none; preset it to select a row on opening.
  int m_nSel = -1;

  // How "More..." opens the notes on adding a language: the shell's open verb.
  using OpenFileFn = void (*)(HWND owner, const std::u16string& path);
  static OpenFileFn s_openFile;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;
  void OnCancel() override {}

 private:
  void OnDoubleClick();

  CListBox m_list;
  const APP_STATE& m_state;
};

// Shows the Language dialog with `preset` selected (-1: none) and returns the
// row the user ended it on, or -1.
int RunLanguageDialog(HWND owner, int preset, const APP_STATE& state);

// The language step of start-up and of the Language button: the dialog, and
// when the user ends it on a row, that row stored as the current language and
// the pack loaded. True when a language was chosen.
bool ChooseLanguage(HWND owner, int preset, const APP_STATE& state, CLanguagePack& pack);

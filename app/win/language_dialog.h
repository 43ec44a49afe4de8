// The Language dialog: every language of the language file and a last row
// "More..." that opens the notes on adding a language. It ends only through
// OK or a double-click on a language.
#pragma once
#include "framework/win/controls.h"
#include "framework/win/dialog.h"

class CLanguageDialog : public CDialog {
 public:
  explicit CLanguageDialog(HWND owner);

  // The chosen row, -1 for none; preset it to select a row on opening.
  int m_nSel = -1;

  // Opens a file with the shell; replaceable so tests need not start an editor.
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
};

// The wizard window: a column of commands on the left and one page at a time
// in the frame on the right.
#pragma once
#include "app/win/persist_dialog.h"

class CVidmorphDlg : public CPersistDialog {
public:
  explicit CVidmorphDlg(HWND owner);
  ~CVidmorphDlg() override;

  void SerializeSettings(Archive& ar) override;

protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnDestroyed() override;

  // Creates the pages; a seam for tests, called after the settings are read.
  virtual void CreatePages() {}

  std::u16string m_strAppDir;
  HICON m_hIcon = nullptr;
};

// Asks the side component to unregister itself, if it is there.
void UnregisterAuxComponent(const std::u16string& appDir);

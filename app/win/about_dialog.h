// The About dialog: version line, acknowledgements, the home page and
// support links, and the maker's line.
#pragma once
#include "app/win/link_static.h"
#include "framework/win/dialog.h"

class CAboutDialog : public CDialog {
 public:
  explicit CAboutDialog(HWND owner);

 protected:
  BOOL OnInitDialog() override;

 private:
  CLinkStatic m_linkHome;
  CLinkStatic m_linkSupport;
};

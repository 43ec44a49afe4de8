// The About dialog: version line, acknowledgements and the product's links.
#pragma once
#include "framework/win/dialog.h"

class CAboutDialog : public CDialog {
public:
  explicit CAboutDialog(HWND owner);

protected:
  BOOL OnInitDialog() override;
};

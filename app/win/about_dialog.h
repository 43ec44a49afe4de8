// The About dialog: version line, acknowledgements, the home page and
// support links, and the maker's line.
#pragma once
#include "app/win/language_pack.h"
#include "framework/win/dialog.h"
#include "framework/win/link_static.h"

class CAboutDialog : public CDialog {
 public:
  // Shows its texts in the language of `pack`.
  CAboutDialog(HWND owner, const CLanguagePack& pack);

 protected:
  BOOL OnInitDialog() override;

 private:
  CLinkStatic m_linkHome;
  CLinkStatic m_linkSupport;
  const CLanguagePack& m_langPack;
};

#include "app/win/about_dialog.h"

#include "app/product_info.h"
#include "app/win/vidmorph_app.h"
#include "resources/resource.h"

CAboutDialog::CAboutDialog(HWND owner) : CDialog(IDD_ABOUTBOX, owner) {}

BOOL CAboutDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  GetDlgItem(IDC_ABOUT_SUPPORT).SetWindowText(std::u16string(u"support: ") + product::kSupportAddress);
  GetDlgItem(IDC_ABOUT_HOMEPAGE).SetWindowText(product::kHomePage);
  GetDlgItem(IDC_ABOUT_THANKS).SetWindowText(product::kAcknowledgements);
  wchar_t version[32] = {0};
  ::LoadStringW(::GetModuleHandleW(nullptr), IDS_VERSION, version, 32);
  GetDlgItem(IDC_ABOUT_VERSION)
      .SetWindowText(std::u16string(product::kName) + u" Version: " + U(version));
  GetDlgItem(IDC_ABOUT_MAKER).SetWindowText(product::kMakerLine);
  theApp.m_langPack.Apply(m_hWnd, IDD_ABOUTBOX);
  return TRUE;
}

#include "app/win/about_dialog.h"

#include "app/product_info.h"
#include "resources/resource.h"

CAboutDialog::CAboutDialog(HWND owner, const CLanguagePack& pack)
    : CDialog(IDD_ABOUTBOX, owner), m_langPack(pack) {}

BOOL CAboutDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_linkSupport.SubclassDlgItem(IDC_ABOUT_SUPPORT, m_hWnd);
  m_linkHome.SubclassDlgItem(IDC_ABOUT_HOMEPAGE, m_hWnd);

  // Texts first: setting the target fits each link to its text.
  m_linkSupport.SetWindowText(std::u16string(u"support: ") + product::kSupportAddress);
  m_linkSupport.SetTarget(std::u16string(u"mailto:") + product::kSupportAddress);
  m_linkHome.SetWindowText(product::kHomePage);
  m_linkHome.SetTarget(product::kHomePage);

  GetDlgItem(IDC_ABOUT_THANKS).SetWindowText(product::kAcknowledgements);
  wchar_t version[32] = {0};
  ::LoadStringW(::GetModuleHandleW(nullptr), IDS_VERSION, version, 32);
  wchar_t line[128];
  wsprintfW(line, L"%s Version: %s", W(product::kName), version);
  GetDlgItem(IDC_ABOUT_VERSION).SetWindowText(U(line));
  GetDlgItem(IDC_ABOUT_MAKER).SetWindowText(product::kMakerLine);

  m_langPack.Apply(m_hWnd, IDD_ABOUTBOX);
  // Focus on OK rather than the first tab stop, which would select the
  // acknowledgements and scroll them to their end.
  ::SetFocus(::GetDlgItem(m_hWnd, IDOK));
  return FALSE;
}

#include "app/win/vidmorph_dlg.h"

#include "app/app_state.h"
#include "app/win/vidmorph_app.h"
#include "framework/archive.h"
#include "resources/resource.h"

CVidmorphDlg::CVidmorphDlg(HWND owner) : CPersistDialog(IDD_VIDMORPH_DIALOG, u"Option.dat", owner) {
  m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CVidmorphDlg::~CVidmorphDlg() = default;

void CVidmorphDlg::SerializeSettings(Archive& ar) {
  APP_STATE& state = AppState();
  ::SerializeSettings(ar, state);
  if (!ar.IsStoring()) state.g_nPrevTaskMode = state.g_nTaskMode;
}

BOOL CVidmorphDlg::OnInitDialog() {
  CPersistDialog::OnInitDialog();

  wchar_t about[128];
  if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 128) > 0) {
    HMENU sys = ::GetSystemMenu(m_hWnd, FALSE);
    if (sys) {
      ::AppendMenuW(sys, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuW(sys, MF_STRING, IDM_ABOUTBOX, about);
    }
  }
  SetWindowText(u"Ostrel AVI Converter");
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  m_strAppDir = DirectoryOf(ModulePath());
  GetDlgItem(IDC_BTN_WEBSITE).SetWindowText(u"WebSite");

  CreatePages();
  return TRUE;
}

bool CVidmorphDlg::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && id == IDC_BTN_CLOSE) {
    OnCancel();
    return true;
  }
  return CPersistDialog::OnCommand(id, code, control);
}

bool CVidmorphDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_DESTROY:
      SaveSettings();
      return false;
    case WM_PAINT:
      if (::IsIconic(m_hWnd)) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
        ::DrawIcon(dc, (rc.right - cx + 1) / 2, (rc.bottom - cy + 1) / 2, m_hIcon);
        ::EndPaint(m_hWnd, &ps);
        result = 0;
        return true;
      }
      return false;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(m_hIcon);
      return true;
  }
  return CPersistDialog::OnMessage(msg, wParam, lParam, result);
}

void CVidmorphDlg::OnDestroyed() { UnregisterAuxComponent(AppState().g_strAppDir); }

void UnregisterAuxComponent(const std::u16string& appDir) {
  HMODULE dll = ::LoadLibraryW(W(appDir + u"AuxDmo.dll"));
  if (!dll) return;
  using Unregister = HRESULT(STDAPICALLTYPE*)();
  auto fn = reinterpret_cast<Unregister>(
      reinterpret_cast<void*>(::GetProcAddress(dll, "DllUnregisterServer")));
  if (fn) fn();
  ::FreeLibrary(dll);
}

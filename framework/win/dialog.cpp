#include "framework/win/dialog.h"

CDialog::~CDialog() {
  if (m_hWnd && ::IsWindow(m_hWnd)) {
    ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    if (!m_bModal) ::DestroyWindow(m_hWnd);
  }
}

INT_PTR CDialog::DoModal() {
  m_bModal = true;
  return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplate), m_hParent,
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent) {
  m_bModal = false;
  m_hParent = parent;
  HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nTemplate),
                                   parent, DialogProc, reinterpret_cast<LPARAM>(this));
  return hwnd != nullptr;
}

void CDialog::DestroyWindow() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

void CDialog::EndDialog(INT_PTR result) {
  if (m_bModal)
    ::EndDialog(m_hWnd, result);
  else
    DestroyWindow();
}

bool CDialog::UpdateData(bool save) {
  DoDataExchange(save);
  return true;
}

bool CDialog::OnCommand(int id, int code, HWND control) {
  (void)control;
  if (code != BN_CLICKED && code != 1) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

void CDialog::OnOK() {
  UpdateData(true);
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

bool CDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_COMMAND) {
    result = 0;
    return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
  }
  return false;
}

INT_PTR CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    DoDataExchange(false);
    return OnInitDialog();
  }
  LRESULT result = 0;
  if (!OnMessage(msg, wParam, lParam, result)) return FALSE;
  switch (msg) {
    // These return their result directly instead of through DWLP_MSGRESULT.
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return static_cast<INT_PTR>(result);
  }
  ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CDialog* self;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    self->m_hWnd = hwnd;
  } else {
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  INT_PTR r = FALSE;
  // No exception may unwind through the system's dialog manager.
  try {
    r = self->Dispatch(msg, wParam, lParam);
  } catch (...) {
    r = FALSE;
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->m_hWnd = nullptr;
    try {
      self->OnDestroyed();
    } catch (...) {
    }
  }
  return r;
}

std::u16string ModulePath(HMODULE module) {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(module, &buf[0], DWORD(buf.size()));
    if (n < buf.size()) return U(buf.c_str(), n);
    buf.resize(buf.size() * 2);
  }
}

int AppMessageBox(HWND owner, const std::u16string& text, UINT type,
                  const std::u16string* caption) {
  std::u16string title;
  if (caption) {
    title = *caption;
  } else {
    title = ModulePath();
    const size_t slash = title.find_last_of(u"\\/");
    if (slash != std::u16string::npos) title.erase(0, slash + 1);
    const size_t dot = title.find_last_of(u'.');
    if (dot != std::u16string::npos) title.erase(dot);
  }
  return ::MessageBoxW(owner, W(text), W(title), type);
}

#include "framework/win/link_static.h"

#include <shellapi.h>
// after windows.h
#include <commctrl.h>

#include "framework/win/dialog.h"

namespace {

// Quotes one argument so that the usual command-line parsing gives it back
// unchanged: blanks stay inside, backslashes before a quote are doubled.
std::u16string QuoteArgument(const std::u16string& arg) {
  std::u16string out = u"\"";
  size_t slashes = 0;
  for (char16_t c : arg) {
    if (c == u'\\') {
      ++slashes;
      continue;
    }
    if (c == u'"') slashes = slashes * 2 + 1;
    out.append(slashes, u'\\');
    slashes = 0;
    out += c;
  }
  out.append(slashes * 2, u'\\');
  out += u'"';
  return out;
}

std::string ToAnsi(const std::u16string& text) {
  if (text.empty()) return std::string();
  const int n =
      ::WideCharToMultiByte(CP_ACP, 0, W(text), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n > 0 ? n : 0), '\0');
  if (n > 0)
    ::WideCharToMultiByte(CP_ACP, 0, W(text), int(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

// The default value of a key under the classes root, at most 260 characters.
bool ReadClassesValue(const std::u16string& key, std::u16string& value) {
  wchar_t buf[MAX_PATH] = {0};
  LONG size = sizeof(buf);
  if (::RegQueryValueW(HKEY_CLASSES_ROOT, W(key), buf, &size) != ERROR_SUCCESS) return false;
  buf[MAX_PATH - 1] = 0;
  value = U(buf);
  return true;
}

HCURSOR LoadHandCursor() {
  wchar_t dir[MAX_PATH] = {0};
  const UINT n = ::GetWindowsDirectoryW(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  const std::u16string path = U(dir) + u"\\winhlp32.exe";
  HMODULE module = ::LoadLibraryExW(W(path), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return nullptr;
  HCURSOR copy = nullptr;
  if (HCURSOR hand = ::LoadCursorW(module, MAKEINTRESOURCEW(106))) copy = CopyCursor(hand);
  ::FreeLibrary(module);
  return copy;
}

}  // namespace

std::u16string OpenErrorMessage(int code) {
  const char16_t* text = nullptr;
  switch (code) {
    case 0:
      text = u"The operating system is out\nof memory or resources.";
      break;
    case SE_ERR_FNF:
      text = u"The specified file was not found.";
      break;
    case SE_ERR_PNF:
      text = u"The specified path was not found.";
      break;
    case SE_ERR_ACCESSDENIED:
      text = u"The operating system denied\naccess to the specified file.";
      break;
    case SE_ERR_OOM:
      text = u"There was not enough memory to complete the operation.";
      break;
    case ERROR_BAD_FORMAT:
      text = u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
      break;
    case SE_ERR_SHARE:
      text = u"A sharing violation occurred. ";
      break;
    case SE_ERR_ASSOCINCOMPLETE:
      text = u"The filename association is\nincomplete or invalid.";
      break;
    case SE_ERR_DDETIMEOUT:
      text = u"The DDE transaction could not\nbe completed because the request timed out.";
      break;
    case SE_ERR_DDEFAIL:
      text = u"The DDE transaction failed.";
      break;
    case SE_ERR_DDEBUSY:
      text =
          u"The DDE transaction could not\nbe completed because other DDE transactions\nwere "
          u"being processed.";
      break;
    case SE_ERR_NOASSOC:
      text = u"There is no application associated\nwith the given filename extension.";
      break;
    case SE_ERR_DLLNOTFOUND:
      text = u"The specified dynamic-link library was not found.";
      break;
  }
  std::u16string message = u"Unable to open hyperlink:\n\n";
  if (text) return message + text;
  wchar_t unknown[64];
  wsprintfW(unknown, L"Unknown Error (%d) occurred.", code);
  return message + U(unknown);
}

std::u16string BrowserCommandLine(const std::u16string& registered, const std::u16string& target) {
  size_t cut = registered.find(u"\"%1\"");
  if (cut == std::u16string::npos) cut = registered.find(u"%1");
  std::u16string line = cut == std::u16string::npos ? registered : registered.substr(0, cut);
  // Quoted, so that a folder with blanks stays one argument.
  return line + u" " + QuoteArgument(target);
}

CLinkStatic::CLinkStatic() = default;

CLinkStatic::~CLinkStatic() {
  if (m_hWnd && ::IsWindow(m_hWnd)) {
    ::SendMessageW(m_hWnd, WM_SETFONT, WPARAM(m_hOriginalFont), FALSE);
    Detach();
  }
  if (m_tip && ::IsWindow(m_tip)) ::DestroyWindow(m_tip);
  if (m_fontUnderlined) ::DeleteObject(m_fontUnderlined);
  if (m_fontPlain) ::DeleteObject(m_fontPlain);
  if (m_hHandCursor) ::DestroyCursor(m_hHandCursor);
}

bool CLinkStatic::SubclassDlgItem(int id, HWND parent) {
  HWND control = ::GetDlgItem(parent, id);
  if (!control || m_hWnd) return false;
  if (!::SetWindowSubclass(control, ControlProc, 0, DWORD_PTR(this))) return false;
  if (!::SetWindowSubclass(parent, ParentProc, UINT_PTR(this), DWORD_PTR(this))) {
    ::RemoveWindowSubclass(control, ControlProc, 0);
    return false;
  }
  m_hWnd = control;
  m_hParent = parent;
  SetUp();
  return true;
}

void CLinkStatic::SetUp() {
  ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) | SS_NOTIFY);

  if (m_strTarget.empty()) m_strTarget = GetWindowText();
  if (GetWindowText().empty()) SetWindowText(m_strTarget);

  m_hOriginalFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ base = m_hOriginalFont;
  if (!base) base = ::GetStockObject(DEFAULT_GUI_FONT);
  if (!base) base = ::GetStockObject(ANSI_VAR_FONT);
  LOGFONTW lf{};
  ::GetObjectW(base, sizeof(lf), &lf);
  lf.lfUnderline = FALSE;
  m_fontPlain = ::CreateFontIndirectW(&lf);
  lf.lfUnderline = TRUE;
  m_fontUnderlined = ::CreateFontIndirectW(&lf);

  FitToText();
  if (!m_hHandCursor) m_hHandCursor = LoadHandCursor();
  SetUnderlineMode(-1);

  m_tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd,
                            nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (m_tip) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = m_hWnd;
    ti.uId = 1;
    ::GetClientRect(m_hWnd, &ti.rect);
    ti.lpszText = const_cast<wchar_t*>(W(m_strTarget));
    ::SendMessageW(m_tip, TTM_ADDTOOLW, 0, LPARAM(&ti));
  }
}

void CLinkStatic::Detach() {
  ::KillTimer(m_hWnd, m_nTimer);
  ::RemoveWindowSubclass(m_hWnd, ControlProc, 0);
  if (m_hParent && ::IsWindow(m_hParent))
    ::RemoveWindowSubclass(m_hParent, ParentProc, UINT_PTR(this));
  if (m_tip && ::IsWindow(m_tip)) ::DestroyWindow(m_tip);
  m_tip = nullptr;
  m_hWnd = nullptr;
  m_hParent = nullptr;
}

void CLinkStatic::SetTarget(const std::u16string& target) {
  m_strTarget = target;
  if (!m_hWnd) return;
  FitToText();
  if (m_tip) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hWnd;
    ti.uId = 1;
    ti.lpszText = const_cast<wchar_t*>(W(m_strTarget));
    ::SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, LPARAM(&ti));
  }
}

void CLinkStatic::SetUnderlineMode(int mode) {
  if (mode != m_nUnderlineMode && m_hWnd) {
    SetFont(mode == 1 ? m_fontUnderlined : m_fontPlain);
    Redraw();
  }
  m_nUnderlineMode = mode;
}

void CLinkStatic::FitToText() {
  if (!m_bFitToText || !m_hWnd) return;
  const std::u16string text = GetWindowText();
  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
  HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, W(text), int(text.size()), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);

  RECT window, client;
  ::GetWindowRect(m_hWnd, &window);
  ::GetClientRect(m_hWnd, &client);
  const int width = size.cx + (window.right - window.left) - client.right;
  const int height = size.cy + (window.bottom - window.top) - client.bottom;
  ::MapWindowPoints(nullptr, m_hParent, reinterpret_cast<POINT*>(&window), 2);

  const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
  int left = window.left;
  if ((style & SS_TYPEMASK) == SS_CENTER)
    left = (window.left + window.right) / 2 - width / 2;
  else if ((style & SS_TYPEMASK) == SS_RIGHT)
    left = window.right - width;
  int top = window.top;
  if (style & SS_CENTERIMAGE) top = (window.top + window.bottom) / 2 - height / 2;
  ::SetWindowPos(m_hWnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  if (m_tip) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_hWnd;
    ti.uId = 1;
    ::GetClientRect(m_hWnd, &ti.rect);
    ::SendMessageW(m_tip, TTM_NEWTOOLRECTW, 0, LPARAM(&ti));
  }
}

int CLinkStatic::OpenTarget(const std::u16string& target, int showCmd) {
  const INT_PTR shell = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", W(target), nullptr, nullptr, showCmd));
  if (shell > 32) return int(shell);
  // No handler for the target itself: hand it to the registered browser.
  std::u16string docClass, command;
  if (!ReadClassesValue(u".htm", docClass)) return int(shell);
  if (!ReadClassesValue(docClass + u"\\shell\\open\\command", command)) return int(shell);
  const std::string line = ToAnsi(BrowserCommandLine(command, target));
  return int(::WinExec(line.c_str(), UINT(showCmd)));
}

void CLinkStatic::ShowOpenError(int code) const {
  HWND owner = m_hWnd ? ::GetAncestor(m_hWnd, GA_ROOT) : nullptr;
  AppMessageBox(owner, OpenErrorMessage(code), MB_OK | MB_ICONEXCLAMATION);
}

void CLinkStatic::OnClicked() {
  m_bHover = 0;
  const int result = OpenTarget(m_strTarget, SW_SHOWNORMAL);
  if (result > 32) {
    m_bVisited = 1;
    Redraw();
  } else {
    ::MessageBeep(MB_ICONEXCLAMATION);
    ShowOpenError(result);
  }
}

void CLinkStatic::OnMouseMove() {
  if (m_bHover) return;
  m_bHover = 1;
  if (m_nUnderlineMode == -1) SetFont(m_fontUnderlined);
  Redraw();
  ::SetTimer(m_hWnd, m_nTimer, 100, nullptr);
}

void CLinkStatic::OnTimer() {
  // Where the cursor was when this tick was taken from the queue.
  const DWORD pos = ::GetMessagePos();
  POINT pt = {short(LOWORD(pos)), short(HIWORD(pos))};
  ::ScreenToClient(m_hWnd, &pt);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  if (::PtInRect(&client, pt)) return;
  m_bHover = 0;
  ::KillTimer(m_hWnd, m_nTimer);
  if (m_nUnderlineMode != 1) SetFont(m_fontPlain);
  Redraw(10);
}

void CLinkStatic::SetFont(HFONT font) {
  if (font) SendMessage(WM_SETFONT, WPARAM(font), FALSE);
}

void CLinkStatic::Redraw(int extraBottom) {
  if (!m_hWnd) return;
  // The background is transparent: the parent must repaint under the text.
  RECT rc;
  ::GetWindowRect(m_hWnd, &rc);
  ::MapWindowPoints(nullptr, m_hParent, reinterpret_cast<POINT*>(&rc), 2);
  rc.bottom += extraBottom;
  ::RedrawWindow(m_hParent, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// No exception unwinds through the system: what the link's code throws ends
// there, and the message goes on to the control's own procedure.
LRESULT CALLBACK CLinkStatic::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
  auto* link = reinterpret_cast<CLinkStatic*>(self);
  try {
    switch (msg) {
      case WM_MOUSEMOVE:
        link->OnMouseMove();
        break;
      case WM_TIMER:
        if (wParam == link->m_nTimer) {
          link->OnTimer();
          return 0;
        }
        break;
      case WM_SETCURSOR:
        if (link->m_hHandCursor) {
          ::SetCursor(link->m_hHandCursor);
          return TRUE;
        }
        break;
      case WM_NCDESTROY:
        link->Detach();
        break;
    }
  } catch (...) {
  }
  return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CLinkStatic::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
  auto* link = reinterpret_cast<CLinkStatic*>(self);
  try {
    if (link->m_hWnd && HWND(lParam) == link->m_hWnd) {
      if (msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        COLORREF colour = link->m_clrNormal;
        if (link->m_bHover)
          colour = link->m_clrHover;
        else if (link->m_bVisited)
          colour = link->m_clrVisited;
        ::SetTextColor(dc, colour);
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
      }
      if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        link->OnClicked();
        return 0;
      }
    }
  } catch (...) {
  }
  return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

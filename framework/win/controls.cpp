#include "framework/win/controls.h"

std::u16string CListBox::GetText(int index) const {
  const LRESULT n = SendMessage(LB_GETTEXTLEN, WPARAM(index));
  if (n == LB_ERR || n <= 0) return std::u16string();
  std::wstring buf(size_t(n) + 1, L'\0');
  const LRESULT got = SendMessage(LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(&buf[0]));
  return got == LB_ERR ? std::u16string() : U(buf.c_str(), size_t(got));
}

int WidestText(const CWnd& control, const std::vector<std::u16string>& texts) {
  HWND hwnd = control.GetSafeHwnd();
  HDC dc = ::GetDC(hwnd);
  if (!dc) return 0;
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(control.SendMessage(WM_GETFONT)));
  int widest = 0;
  for (const std::u16string& text : texts) {
    SIZE size{};
    if (::GetTextExtentPoint32W(dc, W(text), int(text.size()), &size) && size.cx > widest)
      widest = size.cx;
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(hwnd, dc);
  return widest;
}

#include "framework/win/window.h"

std::u16string HwndGetText(HWND hwnd) {
  const int n = ::GetWindowTextLengthW(hwnd);
  if (n <= 0) return std::u16string();
  std::wstring buf(size_t(n) + 1, L'\0');
  const int got = ::GetWindowTextW(hwnd, &buf[0], n + 1);
  return U(buf.c_str(), size_t(got > 0 ? got : 0));
}

std::u16string CWnd::GetWindowText() const {
  return HwndGetText(m_hWnd);
}

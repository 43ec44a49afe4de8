// A window handle with the few operations the pages need; copies are cheap and
// own nothing.
#pragma once
#include <windows.h>

#include <string>

#include "framework/win/wide.h"

class CWnd {
 public:
  CWnd() = default;
  explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
  HWND GetSafeHwnd() const { return m_hWnd; }
  explicit operator bool() const { return m_hWnd != nullptr; }

  CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(m_hWnd, id)); }
  void SetWindowText(const std::u16string& text) const { ::SetWindowTextW(m_hWnd, W(text)); }
  std::u16string GetWindowText() const;
  void ShowWindow(int cmd) const { ::ShowWindow(m_hWnd, cmd); }
  void EnableWindow(bool enable) const { ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
  bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
  bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
  LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const {
    return ::SendMessageW(m_hWnd, msg, w, l);
  }

 protected:
  HWND m_hWnd = nullptr;
};

std::u16string HwndGetText(HWND hwnd);

// Control wrappers: one-line forwarders to the control messages.
#pragma once
#include "framework/win/window.h"
// after windows.h
#include <commctrl.h>

#include <vector>

// A list box; it can be used from any thread, since every access is a
// synchronous message to the thread that owns it.
class CListBox : public CWnd {
 public:
  using CWnd::CWnd;
  void Attach(HWND hwnd) { m_hWnd = hwnd; }
  int GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
  int AddString(const std::u16string& s) const {
    return int(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(s))));
  }
  int DeleteString(int index) const { return int(SendMessage(LB_DELETESTRING, WPARAM(index))); }
  void ResetContent() const { SendMessage(LB_RESETCONTENT); }
  int GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int index) const { return int(SendMessage(LB_SETCURSEL, WPARAM(index))); }
  std::u16string GetText(int index) const;
};

class CComboBox : public CWnd {
 public:
  using CWnd::CWnd;
  void Attach(HWND hwnd) { m_hWnd = hwnd; }
  int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
  int AddString(const std::u16string& s) const {
    return int(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(s))));
  }
  int DeleteString(int index) const { return int(SendMessage(CB_DELETESTRING, WPARAM(index))); }
  void ResetContent() const { SendMessage(CB_RESETCONTENT); }
  int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int index) const { return int(SendMessage(CB_SETCURSEL, WPARAM(index))); }
  LPARAM GetItemData(int index) const { return LPARAM(SendMessage(CB_GETITEMDATA, WPARAM(index))); }
  void SetItemData(int index, LPARAM data) const {
    SendMessage(CB_SETITEMDATA, WPARAM(index), data);
  }
};

class CProgressCtrl : public CWnd {
 public:
  using CWnd::CWnd;
  void Attach(HWND hwnd) { m_hWnd = hwnd; }
  void SetRange(int low, int high) const { SendMessage(PBM_SETRANGE32, WPARAM(low), LPARAM(high)); }
  int SetPos(int pos) const { return int(SendMessage(PBM_SETPOS, WPARAM(pos))); }
};

// The width of the widest text in the control's font, in pixels; lists and
// drop-down lists are told it, as they do not measure their items themselves.
int WidestText(const CWnd& control, const std::vector<std::u16string>& texts);

#include "framework/win/controls.h"

std::u16string CListBox::GetText(int index) const {
  const LRESULT n = SendMessage(LB_GETTEXTLEN, WPARAM(index));
  if (n == LB_ERR || n <= 0) return std::u16string();
  std::wstring buf(size_t(n) + 1, L'\0');
  const LRESULT got = SendMessage(LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(&buf[0]));
  return got == LB_ERR ? std::u16string() : U(buf.c_str(), size_t(got));
}

std::u16string CComboBox::GetLBText(int index) const {
  const LRESULT n = SendMessage(CB_GETLBTEXTLEN, WPARAM(index));
  if (n == CB_ERR || n <= 0) return std::u16string();
  std::wstring buf(size_t(n) + 1, L'\0');
  const LRESULT got = SendMessage(CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(&buf[0]));
  return got == CB_ERR ? std::u16string() : U(buf.c_str(), size_t(got));
}

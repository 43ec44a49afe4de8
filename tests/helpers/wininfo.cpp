// Tells a test script where a control of another program lies and what it
// holds, so the script can aim real pointer clicks and check the outcome.
//   wininfo rect CAPTION ID        screen rectangle "left top right bottom"
//   wininfo row CAPTION ID N       screen rectangle of row N of a list box, or of
//                                  a combo box's list while it is dropped down
//   wininfo items CAPTION ID       one line per row: "*" when selected, item data, text
//   wininfo state CAPTION ID       "visible enabled checked" as 0/1, then the text
//   wininfo focus CAPTION ID       exit code 0 when the control (or a window
//                                  inside it) has its thread's keyboard focus
//   wininfo close CAPTION          screen rectangle of the window's close
//                                  button, as the window itself tells it
// The control is the visible one with that id under the top-level window
// with that caption, one on a page before one of the window itself.
// Exit code 1 when something is not found.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
  HWND top;
  int id;
  HWND found;
};

// Pages reuse ids of the window's own controls; the control on the page wins.
BOOL CALLBACK FindVisibleId(HWND child, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (::GetDlgCtrlID(child) != s->id || !::IsWindowVisible(child)) return TRUE;
  if (!s->found || ::GetParent(child) != s->top) s->found = child;
  return TRUE;
}

struct ListSearch {
  DWORD thread;
  HWND found;
};

BOOL CALLBACK FindDroppedList(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ListSearch*>(lp);
  wchar_t cls[32] = {0};
  ::GetClassNameW(hwnd, cls, 32);
  if (::GetWindowThreadProcessId(hwnd, nullptr) == s->thread && ::IsWindowVisible(hwnd) &&
      std::wstring(cls) == L"ComboLBox") {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

void Print(const std::wstring& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string bytes(size_t(n > 0 ? n : 0), '\0');
  if (n > 0)
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), &bytes[0], n, nullptr,
                          nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fputs("\n", stdout);
}

void PrintRect(const RECT& r) {
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t cls[64] = {0};
  ::GetClassNameW(hwnd, cls, 64);
  return cls;
}

std::wstring Text(HWND hwnd) {
  wchar_t buf[1024] = {0};
  ::SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
  buf[1023] = 0;
  return buf;
}

// Row rectangle from the list's geometry; fixed-height rows only.
bool RowRect(HWND list, int row, RECT& r) {
  const LRESULT height = ::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  const LRESULT top = ::SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  if (height <= 0 || top < 0 || row < 0 || row >= count) return false;
  RECT client;
  ::GetClientRect(list, &client);
  POINT p{0, LONG((row - top) * height)};
  if (p.y < 0 || p.y + height > client.bottom) return false;  // scrolled out of view
  ::ClientToScreen(list, &p);
  r = {p.x, p.y, p.x + client.right, LONG(p.y + height)};
  return true;
}

int Items(HWND control) {
  const bool combo = ClassOf(control) == L"ComboBox";
  const UINT getCount = combo ? CB_GETCOUNT : LB_GETCOUNT;
  const UINT getSel = combo ? CB_GETCURSEL : LB_GETCURSEL;
  const UINT getLen = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  const UINT getText = combo ? CB_GETLBTEXT : LB_GETTEXT;
  const UINT getData = combo ? CB_GETITEMDATA : LB_GETITEMDATA;
  const LRESULT count = ::SendMessageW(control, getCount, 0, 0);
  const LRESULT sel = ::SendMessageW(control, getSel, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT len = ::SendMessageW(control, getLen, WPARAM(i), 0);
    std::wstring row(size_t(len > 0 ? len : 0) + 1, L'\0');
    const LRESULT got =
        ::SendMessageW(control, getText, WPARAM(i), reinterpret_cast<LPARAM>(&row[0]));
    row.resize(size_t(got > 0 ? got : 0));
    const LRESULT data = ::SendMessageW(control, getData, WPARAM(i), 0);
    Print(std::wstring(i == sel ? L"*" : L" ") + L"\t" + std::to_wstring(data) + L"\t" + row);
  }
  return 0;
}

// The close button's rectangle, from the window's own answer to the hit test
// along its top edge (whoever draws the caption).
int CloseButton(HWND top) {
  RECT w;
  ::GetWindowRect(top, &w);
  RECT found = {w.right, w.bottom, w.left, w.top};
  for (LONG y = w.top; y < w.top + 60 && y < w.bottom; ++y)
    for (LONG x = w.right - 1; x >= w.right - 120 && x >= w.left; --x) {
      DWORD_PTR hit = 0;
      if (!::SendMessageTimeoutW(top, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000,
                                 &hit) ||
          hit != HTCLOSE)
        continue;
      found = {std::min(found.left, x), std::min(found.top, y), std::max(found.right, x + 1),
               std::max(found.bottom, y + 1)};
    }
  if (found.left >= found.right) {
    std::fputs("no close button\n", stderr);
    return 1;
  }
  PrintRect(found);
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv) return 2;
  const std::wstring what = argc > 1 ? argv[1] : L"";
  if (argc < (what == L"close" ? 3 : 4)) {
    std::fputs("usage: wininfo rect|row|items|state|focus CAPTION ID [ROW] | close CAPTION\n",
               stderr);
    return 2;
  }
  HWND top = ::FindWindowW(nullptr, argv[2]);
  if (!top) {
    std::fputs("window not found\n", stderr);
    return 1;
  }
  if (what == L"close") return CloseButton(top);
  Search s{top, int(std::wcstol(argv[3], nullptr, 10)), nullptr};
  ::EnumChildWindows(top, FindVisibleId, reinterpret_cast<LPARAM>(&s));
  if (!s.found) {
    std::fputs("control not found\n", stderr);
    return 1;
  }
  HWND control = s.found;
  if (what == L"rect") {
    RECT r;
    ::GetWindowRect(control, &r);
    PrintRect(r);
    return 0;
  }
  if (what == L"items") return Items(control);
  if (what == L"state") {
    const bool checked = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    std::printf("%d %d %d ", ::IsWindowVisible(control) ? 1 : 0, ::IsWindowEnabled(control) ? 1 : 0,
                checked ? 1 : 0);
    std::fflush(stdout);
    Print(Text(control));
    return 0;
  }
  if (what == L"focus") {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(control, nullptr), &gui)) return 1;
    return gui.hwndFocus && (gui.hwndFocus == control || ::IsChild(control, gui.hwndFocus)) ? 0 : 1;
  }
  if (what == L"row" && argc >= 5) {
    HWND list = control;
    if (ClassOf(control) == L"ComboBox") {
      if (!::SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0)) {
        std::fputs("combo box is not dropped down\n", stderr);
        return 1;
      }
      ListSearch ls{::GetWindowThreadProcessId(control, nullptr), nullptr};
      ::EnumWindows(FindDroppedList, reinterpret_cast<LPARAM>(&ls));
      list = ls.found;
    }
    RECT r;
    if (!list || !RowRect(list, int(std::wcstol(argv[4], nullptr, 10)), r)) {
      std::fputs("row not shown\n", stderr);
      return 1;
    }
    PrintRect(r);
    return 0;
  }
  std::fputs("unknown request\n", stderr);
  return 2;
}

// The engine's pop-up menu under the shipped theme, driven with real mouse
// and keyboard input from a second thread while the menu loop runs here.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "skin/win/engine/skin_engine.h"
#include "skin/win/windows/skin_menu.h"
#include "tests/win/modal_driver.h"
#include "tests/win/program_harness.h"

namespace {

struct Logged {
  UINT msg;
  WPARAM w;
  LPARAM l;
};
std::vector<Logged> g_log;  // what the owner heard of the menu
std::atomic<int> g_selected{-1}, g_selectFlags{0};
std::wstring g_idleClass;
bool g_idleForeground = false;
// The point of the last mouse message the menu loop took, and that point
// again each time the loop ran out of messages: a move has been dealt with
// once the second equals it.
std::atomic<LONG> g_lastMouse{-1}, g_idleMouse{-1};
std::atomic<bool> g_idle{false};  // the owner heard that the menu waits for input
int g_drawnType = -1, g_clicks = 0;

LRESULT CALLBACK OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_MENUSELECT:
      g_selectFlags = HIWORD(w);
      g_selected = LOWORD(w);
      [[fallthrough]];
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_INITMENUPOPUP:
    case WM_COMMAND:
      g_log.push_back({m, w, l});
      break;
    case WM_ENTERIDLE: {
      g_idleMouse = g_lastMouse.load();
      g_idle = true;
      wchar_t name[64] = {};
      ::GetClassNameW(HWND(l), name, 64);
      g_idleClass = name;
      g_idleForeground = ::GetForegroundWindow() == h && ::GetActiveWindow() == h;
      return 0;
    }
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = 18;
      return TRUE;
    case WM_DRAWITEM:
      g_drawnType = int(reinterpret_cast<DRAWITEMSTRUCT*>(l)->CtlType);
      return TRUE;
    case WM_LBUTTONDOWN:
      ++g_clicks;
      return 0;
  }
  return ::DefWindowProcW(h, m, w, l);
}

LONG Packed(POINT p) {
  return MAKELONG(p.x, p.y);
}

LRESULT CALLBACK SeeMouse(int code, WPARAM removed, LPARAM lp) {
  const MSG* msg = reinterpret_cast<const MSG*>(lp);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message >= WM_MOUSEFIRST &&
      msg->message <= WM_MOUSELAST)
    g_lastMouse = Packed(msg->pt);
  return ::CallNextHookEx(nullptr, code, removed, lp);
}

void Key(WORD vk) {
  SendKeys({vk});
  ::Sleep(80);
}

void Mouse(DWORD flags, int x, int y) {
  SendMouse(flags, x, y);
  ::Sleep(40);
}

void Click(int x, int y) {
  Mouse(MOUSEEVENTF_LEFTDOWN, x, y);
  Mouse(MOUSEEVENTF_LEFTUP, x, y);
}

// The visible menu windows, innermost (topmost) first.
std::vector<HWND> MenuWindows() {
  std::vector<HWND> found;
  ::EnumWindows(
      [](HWND h, LPARAM p) {
        wchar_t name[64] = {};
        ::GetClassNameW(h, name, 64);
        if (std::wstring(name) == L"SkinManagerMenu" && ::IsWindowVisible(h))
          reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

bool WaitForMenus(size_t count) {
  return WaitUntil([&] { return MenuWindows().size() >= count; });
}

// Moves the pointer and waits until the menu loop has dealt with the move.
void MoveAndSettle(int x, int y) {
  SendMouse(0, x, y);
  POINT at;
  ::GetCursorPos(&at);
  WaitUntil([&] { return g_idleMouse == Packed(at); }, 5000);
}

// Moves down the innermost menu until the owner hears `id` selected, then
// clicks there when asked to.
bool HoverItem(int id, bool click) {
  const std::vector<HWND> menus = MenuWindows();
  RECT r;
  if (menus.empty() || !::GetWindowRect(menus.front(), &r)) return false;
  for (int y = r.top + 4; y < r.bottom; y += 4) {
    MoveAndSettle(r.left + 30, y);
    if (g_selected != id) continue;
    if (click) Click(r.left + 30, y);
    return true;
  }
  return false;
}

class SkinMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(1,
              SkinEngine::Get().LoadTheme(U(AppDir() + L"Vista.skinstyles"), u"NormalBlack2.ini"));
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &OwnerProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkinMenuOwner";
    ::RegisterClassW(&wc);
    m_owner = ::CreateWindowExW(0, L"SkinMenuOwner", L"Menu owner", WS_POPUP | WS_VISIBLE, 100, 100,
                                500, 400, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetForegroundWindow(m_owner);
    ::SetFocus(m_owner);
    m_sub = ::CreatePopupMenu();
    ::AppendMenuW(m_sub, MF_STRING, 201, L"&Inner");
    ::AppendMenuW(m_sub, MF_STRING, 202, L"Inner &two");
    m_menu = ::CreatePopupMenu();
    ::AppendMenuW(m_menu, MF_STRING, 101, L"&Open\tCtrl+O");
    ::AppendMenuW(m_menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(m_menu, MF_STRING | MF_GRAYED, 102, L"&Disabled");
    ::AppendMenuW(m_menu, MF_STRING | MF_CHECKED, 103, L"&Checked");
    ::AppendMenuW(m_menu, MF_STRING, 105, L"&Radio");
    ::CheckMenuRadioItem(m_menu, 105, 105, 105, MF_BYCOMMAND);
    ::AppendMenuW(m_menu, MF_POPUP, UINT_PTR(m_sub), L"Sub&menu");
    ::AppendMenuW(m_menu, MF_STRING, 104, L"E&xit");
    ::SetMenuDefaultItem(m_menu, 104, FALSE);
    ::AppendMenuW(m_menu, MF_OWNERDRAW, 106, nullptr);
    g_log.clear();
    g_idleClass.clear();
    g_clicks = 0;
    g_lastMouse = g_idleMouse = -1;
    g_idle = false;
    m_hook = ::SetWindowsHookExW(WH_GETMESSAGE, &SeeMouse, nullptr, ::GetCurrentThreadId());
  }
  void TearDown() override {
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    ::DestroyMenu(m_menu);
    if (::IsWindow(m_owner)) ::DestroyWindow(m_owner);
    SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  }
  static std::u16string U(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }

  // Runs the menu here while `drive` gives input once it shows. A loop that
  // does not end is cancelled, then the run is stopped, rather than hang.
  int Track(UINT flags, const std::function<void()>& drive, int x = 150, int y = 150) {
    Flush();  // nothing left over from an earlier run reaches this menu
    std::atomic<bool> running{true};
    m_watchdog = false;
    g_selected = -1;
    std::thread driver([&] {
      if (WaitForMenus(1)) drive();
    });
    std::thread watchdog([&, owner = m_owner] {
      for (int i = 0; i < 600 && running; ++i) ::Sleep(50);
      if (!running) return;
      m_watchdog = true;
      ::PostMessageW(owner, WM_CANCELMODE, 0, 0);
      for (int i = 0; i < 80 && running; ++i) ::Sleep(50);
      if (running) {
        std::fprintf(stderr, "the menu loop ignored WM_CANCELMODE\n");
        std::abort();
      }
    });
    // Through this module's redirected import, as any caller reaches the menu.
    const int r = ::TrackPopupMenuEx(m_menu, flags, x, y, m_owner, nullptr);
    running = false;
    driver.join();
    watchdog.join();
    EXPECT_FALSE(m_watchdog);
    EXPECT_TRUE(MenuWindows().empty());
    EXPECT_EQ(nullptr, ::GetCapture());
    return r;
  }
  int Keys(std::vector<WORD> keys) {
    return Track(TPM_RETURNCMD, [keys] {
      for (WORD k : keys) Key(k);
    });
  }
  static void Flush() {
    ::MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
  std::vector<Logged> Sent(UINT msg) const {
    std::vector<Logged> out;
    for (const Logged& l : g_log)
      if (l.msg == msg) out.push_back(l);
    return out;
  }

  HWND m_owner = nullptr;
  HMENU m_menu = nullptr, m_sub = nullptr;
  HHOOK m_hook = nullptr;
  std::atomic<bool> m_watchdog{false};
};

TEST_F(SkinMenu, KeyboardSkipsSeparatorAndDisabledItemAndEscapeCancels) {
  EXPECT_EQ(103, Keys({VK_DOWN, VK_DOWN, VK_RETURN}));
  // Asked for at the screen's bottom-right corner: an unactivated topmost
  // pop-up of the owner, inside the screen.
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  RECT r = {};
  LONG ex = 0;
  HWND owner = nullptr;
  const auto look = [&] {
    ::GetWindowRect(MenuWindows().front(), &r);
    ex = ::GetWindowLongW(MenuWindows().front(), GWL_EXSTYLE);
    owner = ::GetWindow(MenuWindows().front(), GW_OWNER);
    Key(VK_DOWN);
    Key(VK_ESCAPE);
  };
  EXPECT_EQ(0, Track(TPM_RETURNCMD, look, cx - 1, cy - 1));
  EXPECT_EQ(L"SkinManagerMenu", g_idleClass);
  EXPECT_TRUE(g_idleForeground);
  EXPECT_EQ(m_owner, owner);
  EXPECT_EQ(LONG(WS_EX_TOPMOST | WS_EX_TOOLWINDOW), ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
  EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= cx && r.bottom <= cy);
  EXPECT_GT(r.bottom - r.top, 8 * 10);

  EXPECT_EQ(101, Keys({VK_UP, VK_HOME, VK_SPACE}));
  EXPECT_EQ(106, Keys({VK_END, VK_RETURN}));           // the owner-drawn item, last
  EXPECT_EQ(101, Keys({VK_END, VK_DOWN, VK_RETURN}));  // wraps
  // The disabled item's mnemonic does nothing; a unique one chooses.
  EXPECT_EQ(104, Keys({'D', 'X'}));
}

TEST_F(SkinMenu, SubMenuOpensWithKeysOrMnemonicAndEscapeClosesOnlyIt) {
  EXPECT_EQ(202, Keys({VK_END, VK_UP, VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}));
  std::vector<Logged> inits = Sent(WM_INITMENUPOPUP);
  ASSERT_EQ(2u, inits.size());
  EXPECT_EQ(WPARAM(m_sub), inits[1].w);
  EXPECT_EQ(MAKELPARAM(5, FALSE), inits[1].l);
  // "m" opens it with its first item selected; Escape and Left go back one level.
  EXPECT_EQ(105, Keys({'M', VK_ESCAPE, VK_UP, VK_RETURN}));
  EXPECT_EQ(105, Keys({'M', VK_LEFT, VK_UP, VK_RETURN}));
  EXPECT_EQ(201, Keys({'M', VK_RETURN}));
}

TEST_F(SkinMenu, MouseChoosesOpensSubMenuOnHoverAndClickOutsideCancels) {
  EXPECT_EQ(103, Track(TPM_RETURNCMD, [] { HoverItem(103, true); }));
  EXPECT_TRUE(g_selectFlags & MF_MOUSESELECT);

  RECT parent = {}, child = {};
  EXPECT_EQ(201, Track(TPM_RETURNCMD, [&] {
              if (!HoverItem(5, false) || !(g_selectFlags & MF_POPUP) || !WaitForMenus(2)) return;
              ::GetWindowRect(MenuWindows()[1], &parent);
              ::GetWindowRect(MenuWindows()[0], &child);
              HoverItem(201, true);
            }));
  EXPECT_EQ(parent.right, child.left);
  EXPECT_GT(child.bottom, child.top);

  // A press on the owner outside the menu ends it and still reaches the owner.
  EXPECT_EQ(0, Track(TPM_RETURNCMD, [] { Click(560, 460); }));
  EXPECT_TRUE(PumpUntil([] { return g_clicks > 0; }));
  EXPECT_EQ(1, g_clicks);
}

TEST_F(SkinMenu, WithoutReturnCmdTheOwnerIsToldInOrder) {
  const auto downEnter = [] {
    Key(VK_DOWN);
    Key(VK_RETURN);
  };
  EXPECT_EQ(TRUE, Track(0, downEnter));
  ASSERT_FALSE(g_log.empty());
  EXPECT_EQ(UINT(WM_ENTERMENULOOP), g_log.front().msg);
  EXPECT_EQ(WPARAM(TRUE), g_log.front().w);
  EXPECT_EQ(UINT(WM_EXITMENULOOP), g_log.back().msg);
  const std::vector<Logged> selects = Sent(WM_MENUSELECT);
  ASSERT_GE(selects.size(), 2u);
  EXPECT_EQ(MAKEWPARAM(101, MF_HILITE), selects.front().w);
  EXPECT_EQ(LPARAM(m_menu), selects.front().l);
  EXPECT_EQ(MAKEWPARAM(0, 0xFFFF), selects.back().w);
  EXPECT_TRUE(Sent(WM_COMMAND).empty());  // posted, not sent
  Flush();
  ASSERT_EQ(1u, Sent(WM_COMMAND).size());
  EXPECT_EQ(MAKEWPARAM(101, 0), Sent(WM_COMMAND)[0].w);
  EXPECT_EQ(ODT_MENU, g_drawnType);  // the owner drew its own item

  g_log.clear();
  EXPECT_EQ(TRUE, Track(TPM_NONOTIFY, downEnter));
  Flush();
  EXPECT_TRUE(g_log.empty());
}

TEST_F(SkinMenu, CancelModeQuitAndOwnerDestructionEndTheLoop) {
  EXPECT_EQ(0, Track(TPM_RETURNCMD, [this] { ::SendMessageW(m_owner, WM_CANCELMODE, 0, 0); }));
  const DWORD self = ::GetCurrentThreadId();
  EXPECT_EQ(0, Track(TPM_RETURNCMD, [self] { ::PostThreadMessageW(self, WM_QUIT, 7, 0); }));
  ::MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(WPARAM(7), msg.wParam);
  EXPECT_EQ(0, Track(TPM_RETURNCMD, [this] { ::PostMessageW(m_owner, WM_CLOSE, 0, 0); }));
  EXPECT_FALSE(::IsWindow(m_owner));
}

TEST_F(SkinMenu, SystemShowsTheMenuWhileTheSkinIsOff) {
  SkinEngine::Get().LoadTheme(u"C:\\no\\such\\theme.skinstyles", u"");
  ASSERT_FALSE(SkinEngine::Get().IsEnabled());
  std::atomic<bool> running{true};
  std::thread driver([&] {
    WaitUntil([] { return g_idle.load(); });
    for (int i = 0; i < 100 && running; ++i) Key(VK_ESCAPE);
  });
  EXPECT_EQ(0, ::TrackPopupMenu(m_menu, TPM_RETURNCMD, 150, 150, 0, m_owner, nullptr));
  running = false;
  driver.join();
  EXPECT_EQ(L"#32768", g_idleClass);  // the system's own menu window
}

}  // namespace

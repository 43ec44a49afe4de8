#include "skin/win/windows/skin_menu.h"

#include <windowsx.h>

#include <memory>
#include <vector>

#include "skin/win/objects/skin_menu_level.h"
#include "skin/win/objects/skin_paint.h"
#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/theme/theme_metrics.h"
#include "skin/win/windows/skin_redirect.h"
#include "skin/win/windows/skin_windows.h"

namespace {

// The menu functions are called with no context: the theme is the one
// engine's, or none once it is gone.
const SkinWindowHost* HostShowingMenus() {
  const SkinWindowHost* host = SkinHost();
  return host && host->IsEnabled() && (host->GetApplyOptions() & kApplyMenus) ? host : nullptr;
}

BOOL SystemTrack(HMENU menu, UINT flags, int x, int y, HWND owner, const RECT* exclude) {
  const auto system = SystemFunctions().TrackPopupMenuEx;
  if (!system) return FALSE;
  TPMPARAMS params = {sizeof(params), {}};
  if (exclude) params.rcExclude = *exclude;
  return system(menu, flags, x, y, owner, exclude ? &params : nullptr);
}

constexpr UINT_PTR kOpenTimer = 1;   // a hovered sub-menu opens
constexpr UINT_PTR kWatchTimer = 2;  // checks that the owner still lives

SkinRect WorkAreaAt(const SkinRect& r) {
  const RECT rect = ToRect(r);
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  if (!::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &mi))
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &mi.rcWork, 0);
  return ToSkin(mi.rcWork);
}

bool IsMouseMessage(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
         (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK);
}
bool IsKeyMessage(UINT m) {
  return m >= WM_KEYFIRST && m <= WM_KEYLAST;
}
// The client message of a non-client one, and back.
constexpr UINT kClientOffset = WM_MOUSEMOVE - WM_NCMOUSEMOVE;

class MenuTracker;
thread_local MenuTracker* t_active = nullptr;

class MenuTracker {
 public:
  MenuTracker(HWND owner, UINT flags, const ThemeMetrics& metrics)
      : m_owner(owner), m_flags(flags), m_metrics(metrics) {}
  ~MenuTracker() { Finish(); }

  bool Start(HMENU menu) {
    m_levels.push_back(std::make_unique<SkinMenuLevel>(menu, m_owner, &m_done, m_metrics));
    return m_levels.back()->Create();
  }
  void Run(int x, int y, const RECT* exclude);
  UINT Chosen() const { return m_chosen; }
  void Cancel() { m_done = true; }
  HWND Owner() const { return m_owner; }

 private:
  void Notify(UINT msg, WPARAM w, LPARAM l) {
    if (!(m_flags & TPM_NONOTIFY) && ::IsWindow(m_owner)) ::SendMessageW(m_owner, msg, w, l);
  }
  SkinMenuLevel& Top() { return *m_levels.front(); }
  SkinMenuLevel& Last() { return *m_levels.back(); }
  int LastIndex() const { return int(m_levels.size()) - 1; }
  bool IsLevel(HWND hwnd) const {
    for (const auto& l : m_levels)
      if (hwnd && l->Window() == hwnd) return true;
    return false;
  }
  void Loop();
  void OnMouse(const MSG& msg);
  void OnKey(UINT vk);
  void OnChar(wchar_t c);
  void Hover(int level, POINT pt);
  void Select(int level, int index, bool byMouse);
  void Activate(int level, int index);
  void Open(int level, int index, bool selectFirst);
  void CloseAbove(int level);
  void PassOn(const MSG& msg, POINT pt);
  void Finish();

  HWND m_owner;
  UINT m_flags;
  const ThemeMetrics& m_metrics;
  std::vector<std::unique_ptr<SkinMenuLevel>> m_levels;
  bool m_done = false;
  bool m_running = false;
  bool m_finished = false;
  POINT m_lastMouse = {};
  bool m_quit = false;
  WPARAM m_quitCode = 0;
  UINT m_chosen = 0;
  int m_pendingLevel = -1, m_pendingItem = -1;
  HHOOK m_hook = nullptr;
};

// Messages sent to the owner from anywhere: cancelling, destruction, the
// application losing the foreground.
LRESULT CALLBACK WatchOwner(int code, WPARAM w, LPARAM l) {
  try {
    const auto* c = reinterpret_cast<const CWPSTRUCT*>(l);
    if (code == HC_ACTION && t_active && c) {
      if (c->hwnd == t_active->Owner() && (c->message == WM_CANCELMODE || c->message == WM_DESTROY))
        t_active->Cancel();
      if (c->message == WM_ACTIVATEAPP && !c->wParam) t_active->Cancel();
    }
  } catch (...) {
  }
  return ::CallNextHookEx(nullptr, code, w, l);
}

void MenuTracker::Run(int x, int y, const RECT* exclude) {
  t_active = this;
  m_running = true;
  ::GetCursorPos(&m_lastMouse);
  m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &WatchOwner, nullptr, ::GetCurrentThreadId());
  HMENU menu = Top().Menu();
  Notify(WM_ENTERMENULOOP, TRUE, 0);
  Notify(WM_INITMENU, WPARAM(menu), 0);
  Notify(WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(0, FALSE));
  if (m_done || !::IsMenu(menu) || !Top().Load()) return;

  MenuAnchor anchor;
  anchor.x = x;
  anchor.y = y;
  anchor.h = (m_flags & TPM_RIGHTALIGN)    ? MenuAlignH::kRight
             : (m_flags & TPM_CENTERALIGN) ? MenuAlignH::kCenter
                                           : MenuAlignH::kLeft;
  anchor.v = (m_flags & TPM_BOTTOMALIGN)    ? MenuAlignV::kBottom
             : (m_flags & TPM_VCENTERALIGN) ? MenuAlignV::kCenter
                                            : MenuAlignV::kTop;
  anchor.vertical = (m_flags & TPM_VERTICAL) != 0;
  const SkinRect ex =
      exclude ? SkinRect{exclude->left, exclude->top, exclude->right, exclude->bottom} : SkinRect{};
  const SkinRect work = WorkAreaAt(SkinRect{x, y, x + 1, y + 1});
  Top().Show(PlacePopupMenu(anchor, Top().Width(), Top().Height(), work, exclude ? &ex : nullptr));
  ::SetCapture(Top().Window());
  ::SetTimer(Top().Window(), kWatchTimer, 250, nullptr);
  Loop();
}

void MenuTracker::Loop() {
  bool idle = false;
  while (!m_done) {
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!idle) Notify(WM_ENTERIDLE, MSGF_MENU, LPARAM(Top().Window()));
      idle = true;
      if (!m_done && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) ::WaitMessage();
      continue;
    }
    idle = false;
    if (msg.message == WM_QUIT) {
      m_quit = true;
      m_quitCode = msg.wParam;
      break;
    }
    if (IsMouseMessage(msg.message)) {
      OnMouse(msg);
    } else if (IsKeyMessage(msg.message)) {
      if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        ::TranslateMessage(&msg);
        OnKey(UINT(msg.wParam));
      } else if (msg.message == WM_CHAR) {
        OnChar(wchar_t(msg.wParam));
      }
    } else if (msg.message == WM_TIMER && msg.wParam == kWatchTimer && msg.hwnd == Top().Window()) {
      if (!::IsWindow(m_owner) || ::GetCapture() != msg.hwnd) Cancel();
    } else if (msg.message == WM_TIMER && msg.wParam == kOpenTimer && IsLevel(msg.hwnd)) {
      ::KillTimer(msg.hwnd, kOpenTimer);
      if (msg.hwnd == Last().Window() && m_pendingLevel == LastIndex() &&
          Last().Selected() == m_pendingItem)
        Open(m_pendingLevel, m_pendingItem, false);
    } else {
      if (msg.message == WM_CANCELMODE && msg.hwnd == m_owner) Cancel();
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (!::IsWindow(m_owner)) Cancel();
  }
}

void MenuTracker::OnMouse(const MSG& msg) {
  const bool nonClient = msg.message < WM_MOUSEFIRST;
  const UINT m = nonClient ? msg.message + kClientOffset : msg.message;
  POINT pt = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (!nonClient) {
    if (msg.hwnd)
      ::ClientToScreen(msg.hwnd, &pt);
    else
      pt = msg.pt;
  }
  int level = LastIndex();
  while (level >= 0 && !m_levels[size_t(level)]->Contains(pt)) --level;
  switch (m) {
    case WM_MOUSEMOVE:
      // Windows appearing under a still pointer bring moves that must not
      // undo a selection made with the keyboard.
      if (pt.x == m_lastMouse.x && pt.y == m_lastMouse.y) break;
      m_lastMouse = pt;
      Hover(level, pt);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK: {
      if (level < 0) {
        PassOn(msg, pt);
        Cancel();
        break;
      }
      Hover(level, pt);
      const int item = m_levels[size_t(level)]->Selected();
      if (item >= 0 && m_levels[size_t(level)]->Items()[size_t(item)].sub && level == LastIndex())
        Open(level, item, false);
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      if (level < 0 || (m == WM_RBUTTONUP && !(m_flags & TPM_RIGHTBUTTON))) break;
      const int item = m_levels[size_t(level)]->ItemAt(pt);
      if (item >= 0 && m_levels[size_t(level)]->Items()[size_t(item)].Selectable()) {
        if (!m_levels[size_t(level)]->Items()[size_t(item)].sub || level == LastIndex())
          Activate(level, item);
      }
      break;
    }
    default:
      break;
  }
}

void MenuTracker::Hover(int level, POINT pt) {
  if (level < 0) {
    // Off every window: only the innermost level lets go of its highlight.
    Select(LastIndex(), -1, true);
    return;
  }
  SkinMenuLevel& l = *m_levels[size_t(level)];
  int item = l.ItemAt(pt);
  if (item >= 0 && !l.Items()[size_t(item)].Selectable()) item = -1;
  if (item == l.Selected()) return;
  CloseAbove(level);
  Select(level, item, true);
  if (item >= 0 && l.Items()[size_t(item)].sub) {
    UINT delay = 400;
    ::SystemParametersInfoW(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
    m_pendingLevel = level;
    m_pendingItem = item;
    ::SetTimer(l.Window(), kOpenTimer, delay ? delay : 1, nullptr);
  }
}

void MenuTracker::Select(int level, int index, bool byMouse) {
  SkinMenuLevel& l = *m_levels[size_t(level)];
  if (index == l.Selected()) return;
  l.Select(index);
  if (index < 0) return;
  const SkinMenuItem& item = l.Items()[size_t(index)];
  UINT flags = (item.state & (MFS_GRAYED | MFS_CHECKED)) | MF_HILITE |
               (item.type & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR));
  if (item.sub) flags |= MF_POPUP;
  if (byMouse) flags |= MF_MOUSESELECT;
  Notify(WM_MENUSELECT, MAKEWPARAM(item.sub ? UINT(index) : item.id, flags), LPARAM(l.Menu()));
}

// Enter, a click or a unique mnemonic: a sub-menu opens, an item is chosen.
void MenuTracker::Activate(int level, int index) {
  Select(level, index, false);
  const SkinMenuItem& item = m_levels[size_t(level)]->Items()[size_t(index)];
  if (!item.Selectable()) return;
  if (item.sub) {
    Open(level, index, true);
    return;
  }
  m_chosen = item.id;
  m_done = true;
}

void MenuTracker::Open(int level, int index, bool selectFirst) {
  CloseAbove(level);
  SkinMenuLevel& parent = *m_levels[size_t(level)];
  const HMENU sub = parent.Items()[size_t(index)].sub;
  Notify(WM_INITMENUPOPUP, WPARAM(sub), MAKELPARAM(index, FALSE));
  if (m_done || !::IsMenu(sub)) return;
  auto child = std::make_unique<SkinMenuLevel>(sub, m_owner, nullptr, m_metrics);
  if (!child->Create() || !child->Load()) return;
  SkinRect item = parent.ItemScreenRect(index);
  item.top -= SkinMenuLevel::kFrame;
  const SkinRect window = parent.ScreenRect();
  child->Show(PlaceSubMenu(item, window, child->Width(), child->Height(), WorkAreaAt(window)));
  m_levels.push_back(std::move(child));
  if (selectFirst) Select(LastIndex(), NextSelectable(Last().SelectableMask(), -1, 1), false);
}

void MenuTracker::CloseAbove(int level) {
  while (LastIndex() > level) {
    const HMENU menu = Last().Menu();
    ::KillTimer(Last().Window(), kOpenTimer);
    m_levels.pop_back();
    Notify(WM_UNINITMENUPOPUP, WPARAM(menu), 0);
  }
}

void MenuTracker::OnKey(UINT vk) {
  const int level = LastIndex();
  SkinMenuLevel& l = Last();
  switch (vk) {
    case VK_UP:
    case VK_DOWN:
      Select(level, NextSelectable(l.SelectableMask(), l.Selected(), vk == VK_UP ? -1 : 1), false);
      break;
    case VK_HOME:
    case VK_END:
      Select(level, NextSelectable(l.SelectableMask(), -1, vk == VK_END ? -1 : 1), false);
      break;
    case VK_RIGHT:
      if (l.Selected() >= 0 && l.Items()[size_t(l.Selected())].sub) Activate(level, l.Selected());
      break;
    case VK_LEFT:
    case VK_ESCAPE:
      if (level > 0)
        CloseAbove(level - 1);
      else if (vk == VK_ESCAPE)
        Cancel();
      break;
    case VK_RETURN:
    case VK_SPACE:
      if (l.Selected() >= 0) Activate(level, l.Selected());
      break;
    case VK_MENU:
    case VK_F10:
      Cancel();
      break;
    default:
      break;
  }
}

void MenuTracker::OnChar(wchar_t c) {
  if (c == L' ' || c == L'\r' || c == 27) return;  // handled as keys
  ::CharUpperBuffW(&c, 1);
  SkinMenuLevel& l = Last();
  const MnemonicMatch match = FindMnemonic(l.Mnemonics(), char16_t(c), l.Selected());
  if (match.index < 0) return;
  if (match.unique)
    Activate(LastIndex(), match.index);
  else
    Select(LastIndex(), match.index, false);
}

// A press outside the menu still reaches a window of this thread under it.
void MenuTracker::PassOn(const MSG& msg, POINT pt) {
  HWND target = ::WindowFromPoint(pt);
  if (!target || ::GetWindowThreadProcessId(target, nullptr) != ::GetCurrentThreadId()) return;
  const LRESULT hit = ::SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
  const UINT m = msg.message < WM_MOUSEFIRST ? msg.message + kClientOffset : msg.message;
  if (hit == HTCLIENT) {
    ::ScreenToClient(target, &pt);
    ::PostMessageW(target, m, msg.message < WM_MOUSEFIRST ? 0 : msg.wParam, MAKELPARAM(pt.x, pt.y));
  } else if (hit != HTNOWHERE && hit != HTERROR) {
    ::PostMessageW(target, m - kClientOffset, WPARAM(hit), MAKELPARAM(pt.x, pt.y));
  }
}

// Every way out: timers, capture and windows go before the owner hears of it.
void MenuTracker::Finish() {
  if (m_finished || !m_running) return;
  m_finished = true;
  try {
    if (!m_levels.empty()) {
      ::KillTimer(Top().Window(), kWatchTimer);
      if (::GetCapture() == Top().Window()) ::ReleaseCapture();
      CloseAbove(0);
      const HMENU menu = Top().Menu();
      const bool shown = ::IsWindowVisible(Top().Window()) != FALSE;
      m_levels.clear();
      if (shown) Notify(WM_UNINITMENUPOPUP, WPARAM(menu), 0);
    }
    Notify(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Notify(WM_EXITMENULOOP, TRUE, 0);
  } catch (...) {
  }
  if (m_hook) ::UnhookWindowsHookEx(m_hook);
  m_hook = nullptr;
  if (t_active == this) t_active = nullptr;
  if (m_quit) ::PostQuitMessage(int(m_quitCode));
}

}  // namespace

BOOL SkinTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner, const RECT* exclude) {
  try {
    const SkinWindowHost* host = HostShowingMenus();
    if (!host) return SystemTrack(menu, flags, x, y, owner, exclude);
    if (t_active) return FALSE;  // one menu at a time per thread, as the system's
    if (!::IsMenu(menu) || !::IsWindow(owner)) {
      ::SetLastError(::IsMenu(menu) ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_MENU_HANDLE);
      return FALSE;
    }
    UINT chosen = 0;
    {
      MenuTracker tracker(owner, flags, host->Metrics());
      if (!tracker.Start(menu)) return SystemTrack(menu, flags, x, y, owner, exclude);
      tracker.Run(x, y, exclude);
      chosen = tracker.Chosen();
    }
    if (flags & TPM_RETURNCMD) return BOOL(chosen);
    if (chosen && !(flags & TPM_NONOTIFY))
      ::PostMessageW(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return chosen != 0;
  } catch (...) {
    return FALSE;
  }
}

BOOL WINAPI redirected::TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner,
                                         LPTPMPARAMS params) {
  try {
    if (HostShowingMenus()) {
      const RECT* exclude =
          params && params->cbSize >= sizeof(TPMPARAMS) ? &params->rcExclude : nullptr;
      return SkinTrackPopupMenu(menu, flags, x, y, owner, exclude);
    }
  } catch (...) {
  }
  return SystemFunctions().TrackPopupMenuEx(menu, flags, x, y, owner, params);
}

BOOL WINAPI redirected::TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved,
                                       HWND owner, const RECT* rect) {
  try {
    if (HostShowingMenus()) return SkinTrackPopupMenu(menu, flags, x, y, owner, nullptr);
  } catch (...) {
  }
  return SystemFunctions().TrackPopupMenu(menu, flags, x, y, reserved, owner, rect);
}

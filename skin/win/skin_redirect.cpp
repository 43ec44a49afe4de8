#include "skin/win/skin_redirect.h"

#include <psapi.h>

#include <cstring>
#include <vector>

#include "skin/win/skin_engine.h"
#include "skin/win/skin_object.h"
#include "skin/win/skin_windows.h"

namespace {

enum Group { kAlways = 0 };

struct Slot {
  const char* name;
  const wchar_t* module;
  int group;  // apply-option bit, 0 for always
  void* replacement;
  void* original;
};

CRITICAL_SECTION g_slotLock;
bool g_lockReady = false;
bool g_installed = false;
int g_patched = 0;
thread_local WNDPROC t_defaultProc = nullptr;

struct SysFns {
  decltype(&::CallWindowProcW) callW = nullptr;
  decltype(&::CallWindowProcA) callA = nullptr;
  decltype(&::DefWindowProcW) defW = nullptr;
  decltype(&::DefWindowProcA) defA = nullptr;
  decltype(&::DefDlgProcW) dlgW = nullptr;
  decltype(&::DefDlgProcA) dlgA = nullptr;
  decltype(&::GetSysColor) sysColor = nullptr;
  decltype(&::GetSysColorBrush) sysBrush = nullptr;
  decltype(&::FillRect) fillRect = nullptr;
  decltype(&::DrawEdge) drawEdge = nullptr;
  decltype(&::DeleteObject) deleteObject = nullptr;
  decltype(&::SetScrollInfo) setScrollInfo = nullptr;
  decltype(&::SetScrollPos) setScrollPos = nullptr;
  decltype(&::SystemParametersInfoW) spiW = nullptr;
  decltype(&::GetSystemMetrics) metrics = nullptr;
  decltype(&::AdjustWindowRectEx) adjust = nullptr;
  decltype(&::LoadLibraryA) loadA = nullptr;
  decltype(&::LoadLibraryW) loadW = nullptr;
  decltype(&::LoadLibraryExA) loadExA = nullptr;
  decltype(&::LoadLibraryExW) loadExW = nullptr;
  decltype(&::GetProcAddress) getProc = nullptr;
  decltype(&::CreateThread) createThread = nullptr;
} g_sys;

bool Enabled() {
  return SkinEngine::Get().IsEnabled();
}

template <class F>
void Resolve(F& out, const wchar_t* module, const char* name) {
  HMODULE h = ::GetModuleHandleW(module);
  if (!h) h = ::LoadLibraryW(module);
  out = h ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(h, name))) : nullptr;
}

// ---- replacements ----------------------------------------------------------

LRESULT WithDefault(WNDPROC real, HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  LRESULT result = 0;
  const WNDPROC saved = t_defaultProc;
  t_defaultProc = real;
  LRESULT r;
  if (RouteThroughDefault(hwnd, msg, w, l, result))
    r = result;
  else
    r = real(hwnd, msg, w, l);
  t_defaultProc = saved;
  return r;
}

LRESULT WINAPI MyDefWindowProcW(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(g_sys.defW, h, m, w, l);
}
LRESULT WINAPI MyDefWindowProcA(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(g_sys.defA, h, m, w, l);
}
LRESULT WINAPI MyDefDlgProcW(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(g_sys.dlgW, h, m, w, l);
}
LRESULT WINAPI MyDefDlgProcA(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(g_sys.dlgA, h, m, w, l);
}

DWORD WINAPI MyGetSysColor(int index) {
  try {
    if (Enabled() && index >= 0 && index <= 30) return SkinEngine::Get().Metrics().Color(index);
  } catch (...) {
  }
  return g_sys.sysColor(index);
}

HBRUSH WINAPI MyGetSysColorBrush(int index) {
  try {
    if (Enabled() && index >= 0 && index <= 30) {
      if (HBRUSH b = SkinEngine::Get().Metrics().Brush(index)) return b;
    }
  } catch (...) {
  }
  return g_sys.sysBrush(index);
}

int WINAPI MyFillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  try {
    const auto index = reinterpret_cast<INT_PTR>(brush);
    if (Enabled() && index >= 1 && index <= 31) {
      if (HBRUSH b = SkinEngine::Get().Metrics().Brush(int(index - 1)))
        return g_sys.fillRect(hdc, rect, b);
    }
  } catch (...) {
  }
  return g_sys.fillRect(hdc, rect, brush);
}

// Edges in the theme's system colours, as the system draws them.
BOOL WINAPI MyDrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags) {
  try {
    if (Enabled() && rect && !(flags & (BF_DIAGONAL | BF_MONO | BF_FLAT))) {
      const ThemeMetrics& m = SkinEngine::Get().Metrics();
      RECT r = *rect;
      auto line = [&](COLORREF tl, COLORREF br) {
        HBRUSH a = ::CreateSolidBrush(tl);
        HBRUSH b = ::CreateSolidBrush(br);
        RECT s;
        if (flags & BF_TOP) {
          s = {r.left, r.top, r.right, r.top + 1};
          g_sys.fillRect(hdc, &s, a);
        }
        if (flags & BF_LEFT) {
          s = {r.left, r.top, r.left + 1, r.bottom};
          g_sys.fillRect(hdc, &s, a);
        }
        if (flags & BF_BOTTOM) {
          s = {r.left, r.bottom - 1, r.right, r.bottom};
          g_sys.fillRect(hdc, &s, b);
        }
        if (flags & BF_RIGHT) {
          s = {r.right - 1, r.top, r.right, r.bottom};
          g_sys.fillRect(hdc, &s, b);
        }
        ::DeleteObject(a);
        ::DeleteObject(b);
        if (flags & BF_TOP) ++r.top;
        if (flags & BF_LEFT) ++r.left;
        if (flags & BF_BOTTOM) --r.bottom;
        if (flags & BF_RIGHT) --r.right;
      };
      const UINT outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
      const UINT inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
      if (outer == BDR_RAISEDOUTER) line(m.Color(COLOR_3DLIGHT), m.Color(COLOR_3DDKSHADOW));
      if (outer == BDR_SUNKENOUTER) line(m.Color(COLOR_3DSHADOW), m.Color(COLOR_3DHIGHLIGHT));
      if (inner == BDR_RAISEDINNER) line(m.Color(COLOR_3DHIGHLIGHT), m.Color(COLOR_3DSHADOW));
      if (inner == BDR_SUNKENINNER) line(m.Color(COLOR_3DDKSHADOW), m.Color(COLOR_3DLIGHT));
      if (flags & BF_MIDDLE) g_sys.fillRect(hdc, &r, m.Brush(COLOR_BTNFACE));
      if (flags & BF_ADJUST) *rect = r;
      return TRUE;
    }
  } catch (...) {
  }
  return g_sys.drawEdge(hdc, rect, edge, flags);
}

// The theme's brushes belong to the engine: a control deleting what
// GetSysColorBrush gave it must not destroy them.
BOOL WINAPI MyDeleteObject(HGDIOBJ object) {
  try {
    const ThemeMetrics& m = SkinEngine::Get().Metrics();
    for (int i = 0; i <= 30; ++i)
      if (object && object == m.Brush(i)) return TRUE;
  } catch (...) {
  }
  return g_sys.deleteObject(object);
}

int WINAPI MySetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  try {
    CSkinObjectFrame* o = Enabled() ? SkinObjectFor(hwnd) : nullptr;
    if (o && bar != SB_CTL) {
      const int r = g_sys.setScrollInfo(hwnd, bar, info, FALSE);
      if (redraw) ::SendMessageW(hwnd, WM_NCPAINT, 1, 0);
      return r;
    }
  } catch (...) {
  }
  return g_sys.setScrollInfo(hwnd, bar, info, redraw);
}

int WINAPI MySetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  try {
    CSkinObjectFrame* o = Enabled() ? SkinObjectFor(hwnd) : nullptr;
    if (o && bar != SB_CTL) {
      const int r = g_sys.setScrollPos(hwnd, bar, pos, FALSE);
      if (redraw) ::SendMessageW(hwnd, WM_NCPAINT, 1, 0);
      return r;
    }
  } catch (...) {
  }
  return g_sys.setScrollPos(hwnd, bar, pos, redraw);
}

BOOL WINAPI MySystemParametersInfoW(UINT action, UINT param, void* data, UINT winIni) {
  const BOOL ok = g_sys.spiW(action, param, data, winIni);
  try {
    SkinEngine& engine = SkinEngine::Get();
    const int opts = engine.GetApplyOptions();
    if (ok && data && Enabled() && (opts & SkinEngine::kMetrics) && (opts & SkinEngine::kColours)) {
      const ThemeMetrics& m = engine.Metrics();
      if (action == SPI_GETICONTITLELOGFONT && param == sizeof(LOGFONTW)) {
        *static_cast<LOGFONTW*>(data) = m.MenuFont();
      } else if (action == SPI_GETNONCLIENTMETRICS &&
                 static_cast<NONCLIENTMETRICSW*>(data)->cbSize >= 500) {
        auto* nc = static_cast<NONCLIENTMETRICSW*>(data);
        nc->lfCaptionFont = m.CaptionFont();
        nc->lfSmCaptionFont = m.SmallCaptionFont();
        nc->lfMenuFont = m.MenuFont();
        nc->lfStatusFont = m.MenuFont();
      }
    }
  } catch (...) {
  }
  return ok;
}

HMODULE AfterLoad(HMODULE module) {
  try {
    if (module && g_installed) RedirectModule(module);
  } catch (...) {
  }
  return module;
}

HMODULE WINAPI MyLoadLibraryA(LPCSTR name) {
  return AfterLoad(g_sys.loadA(name));
}
HMODULE WINAPI MyLoadLibraryW(LPCWSTR name) {
  return AfterLoad(g_sys.loadW(name));
}
HMODULE WINAPI MyLoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags) {
  HMODULE m = g_sys.loadExA(name, file, flags);
  return (flags & (LOAD_LIBRARY_AS_DATAFILE | 0x20 | 0x40)) ? m : AfterLoad(m);
}
HMODULE WINAPI MyLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags) {
  HMODULE m = g_sys.loadExW(name, file, flags);
  return (flags & (LOAD_LIBRARY_AS_DATAFILE | 0x20 | 0x40)) ? m : AfterLoad(m);
}

struct ThreadStart {
  LPTHREAD_START_ROUTINE routine;
  void* param;
};

DWORD WINAPI HookedThreadStart(void* p) {
  ThreadStart start = *static_cast<ThreadStart*>(p);
  delete static_cast<ThreadStart*>(p);
  InstallCreationHook();
  const DWORD r = start.routine(start.param);
  RemoveCreationHook();
  return r;
}

HANDLE WINAPI MyCreateThread(SECURITY_ATTRIBUTES* sa, SIZE_T stack, LPTHREAD_START_ROUTINE routine,
                             void* param, DWORD flags, DWORD* id) {
  if (Enabled() && routine) {
    auto* start = new (std::nothrow) ThreadStart{routine, param};
    if (start) {
      HANDLE h = g_sys.createThread(sa, stack, &HookedThreadStart, start, flags, id);
      if (!h) delete start;
      return h;
    }
  }
  return g_sys.createThread(sa, stack, routine, param, flags, id);
}

FARPROC WINAPI MyGetProcAddress(HMODULE module, LPCSTR name);

// The 46 slots; a null replacement leaves that function to the system.
Slot g_slots[] = {
    {"LoadLibraryA", L"kernel32.dll", kAlways, reinterpret_cast<void*>(&MyLoadLibraryA), nullptr},
    {"LoadLibraryW", L"kernel32.dll", kAlways, reinterpret_cast<void*>(&MyLoadLibraryW), nullptr},
    {"LoadLibraryExA", L"kernel32.dll", kAlways, reinterpret_cast<void*>(&MyLoadLibraryExA),
     nullptr},
    {"LoadLibraryExW", L"kernel32.dll", kAlways, reinterpret_cast<void*>(&MyLoadLibraryExW),
     nullptr},
    {"GetProcAddress", L"kernel32.dll", kAlways, reinterpret_cast<void*>(&MyGetProcAddress),
     nullptr},
    {"GetModuleHandleA", L"kernel32.dll", kAlways, nullptr, nullptr},
    {"RegisterClassA", L"user32.dll", kAlways, nullptr, nullptr},
    {"RegisterClassW", L"user32.dll", kAlways, nullptr, nullptr},
    {"GetSysColor", L"user32.dll", SkinEngine::kColours, reinterpret_cast<void*>(&MyGetSysColor),
     nullptr},
    {"GetSysColorBrush", L"user32.dll", SkinEngine::kColours,
     reinterpret_cast<void*>(&MyGetSysColorBrush), nullptr},
    {"DrawEdge", L"user32.dll", SkinEngine::kColours, reinterpret_cast<void*>(&MyDrawEdge),
     nullptr},
    {"DrawFrameControl", L"user32.dll", SkinEngine::kColours, nullptr, nullptr},
    {"SetScrollInfo", L"user32.dll", SkinEngine::kFrame, reinterpret_cast<void*>(&MySetScrollInfo),
     nullptr},
    {"SetScrollPos", L"user32.dll", SkinEngine::kFrame, reinterpret_cast<void*>(&MySetScrollPos),
     nullptr},
    {"GetScrollInfo", L"user32.dll", SkinEngine::kFrame, nullptr, nullptr},
    {"EnableScrollBar", L"user32.dll", SkinEngine::kFrame, nullptr, nullptr},
    {"OpenThemeData", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"DrawThemeBackground", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"CloseThemeData", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"GetThemeColor", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"GetThemeInt", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"IsAppThemed", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"IsThemeActive", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"GetCurrentThemeName", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"GetThemeSysBool", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"GetThemeSysColor", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"GetThemePartSize", L"uxtheme.dll", SkinEngine::kColours, nullptr, nullptr},
    {"SystemParametersInfoW", L"user32.dll", SkinEngine::kMetrics,
     reinterpret_cast<void*>(&MySystemParametersInfoW), nullptr},
    {"DefWindowProcA", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefWindowProcA), nullptr},
    {"DefWindowProcW", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefWindowProcW), nullptr},
    {"DefMDIChildProcA", L"user32.dll", kAlways, nullptr, nullptr},
    {"DefMDIChildProcW", L"user32.dll", kAlways, nullptr, nullptr},
    {"DefFrameProcA", L"user32.dll", kAlways, nullptr, nullptr},
    {"DefFrameProcW", L"user32.dll", kAlways, nullptr, nullptr},
    {"DefDlgProcA", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefDlgProcA), nullptr},
    {"DefDlgProcW", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefDlgProcW), nullptr},
    {"CallWindowProcA", L"user32.dll", kAlways, nullptr, nullptr},
    {"CallWindowProcW", L"user32.dll", kAlways, nullptr, nullptr},
    {"CreateThread", L"kernel32.dll", kAlways, reinterpret_cast<void*>(&MyCreateThread), nullptr},
    {"FillRect", L"user32.dll", SkinEngine::kColours, reinterpret_cast<void*>(&MyFillRect),
     nullptr},
    {"DeleteObject", L"gdi32.dll", SkinEngine::kColours, reinterpret_cast<void*>(&MyDeleteObject),
     nullptr},
    {"AdjustWindowRectEx", L"user32.dll", SkinEngine::kMetrics, nullptr, nullptr},
    {"GetSystemMetrics", L"user32.dll", SkinEngine::kMetrics, nullptr, nullptr},
    {"TrackPopupMenu", L"user32.dll", SkinEngine::kMenus, nullptr, nullptr},
    {"TrackPopupMenuEx", L"user32.dll", SkinEngine::kMenus, nullptr, nullptr},
    {"DrawMenuBar", L"user32.dll", SkinEngine::kFrame, nullptr, nullptr},
};
static_assert(sizeof(g_slots) / sizeof(g_slots[0]) == 46, "46 redirection slots");

int g_activeOptions = 0;

bool SlotActive(const Slot& s) {
  return s.replacement && s.original && (s.group == kAlways || (g_activeOptions & s.group));
}

FARPROC WINAPI MyGetProcAddress(HMODULE module, LPCSTR name) {
  FARPROC found = g_sys.getProc(module, name);
  try {
    if (found && g_installed && HIWORD(reinterpret_cast<UINT_PTR>(name)) != 0) {
      for (const Slot& s : g_slots)
        if (SlotActive(s) && reinterpret_cast<void*>(found) == s.original)
          return reinterpret_cast<FARPROC>(s.replacement);
    }
  } catch (...) {
  }
  return found;
}

// Modules whose own imports stay untouched: the ones the replacements stand for.
bool IsSystemCore(HMODULE m) {
  static const wchar_t* kNames[] = {L"kernel32.dll", L"kernelbase.dll", L"ntdll.dll",
                                    L"user32.dll",   L"gdi32.dll",      L"win32u.dll",
                                    L"uxtheme.dll"};
  for (const wchar_t* n : kNames)
    if (m == ::GetModuleHandleW(n)) return true;
  return false;
}

// Points every import slot of `module` that holds `from` at `to`.
int PatchModule(HMODULE module, bool install) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return 0;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return 0;
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress == 0 || dir.Size == 0) return 0;
  int count = 0;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
       d->Name != 0 && d->FirstThunk != 0; ++d) {
    for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function; ++t) {
      void** slot = reinterpret_cast<void**>(&t->u1.Function);
      for (const Slot& s : g_slots) {
        if (!SlotActive(s)) continue;
        void* from = install ? s.original : s.replacement;
        void* to = install ? s.replacement : s.original;
        if (*slot != from) continue;
        DWORD old = 0;
        if (::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old)) {
          *slot = to;
          ::VirtualProtect(slot, sizeof(void*), old, &old);
          ++count;
        }
        break;
      }
    }
  }
  return count;
}

void PatchAll(bool install) {
  std::vector<HMODULE> modules(512);
  DWORD needed = 0;
  if (!::EnumProcessModules(::GetCurrentProcess(), modules.data(),
                            DWORD(modules.size() * sizeof(HMODULE)), &needed))
    return;
  modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
  for (HMODULE m : modules) {
    if (IsSystemCore(m)) continue;
    const int n = PatchModule(m, install);
    g_patched += install ? n : -n;
  }
}

HWINEVENTHOOK g_eventHook = nullptr;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG, LONG, DWORD, DWORD) {
  try {
    if (event != EVENT_OBJECT_REORDER || !hwnd) return;
    SkinEngine& engine = SkinEngine::Get();
    if (!engine.IsEnabled() || !(engine.GetApplyOptions() & SkinEngine::kFrame)) return;
    if (!SkinObjectFor(hwnd)) return;
    const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
    if ((style & WS_CAPTION) == WS_CAPTION || (style & (WS_VSCROLL | WS_HSCROLL)))
      ::SetTimer(hwnd, kRefreshTimerId, 1000, nullptr);
  } catch (...) {
  }
}

}  // namespace

void ResolveSystemFunctions() {
  if (!g_lockReady) {
    ::InitializeCriticalSection(&g_slotLock);
    g_lockReady = true;
  }
  if (g_sys.callW) return;
  Resolve(g_sys.callW, L"user32.dll", "CallWindowProcW");
  Resolve(g_sys.callA, L"user32.dll", "CallWindowProcA");
  Resolve(g_sys.defW, L"user32.dll", "DefWindowProcW");
  Resolve(g_sys.defA, L"user32.dll", "DefWindowProcA");
  Resolve(g_sys.dlgW, L"user32.dll", "DefDlgProcW");
  Resolve(g_sys.dlgA, L"user32.dll", "DefDlgProcA");
  Resolve(g_sys.sysColor, L"user32.dll", "GetSysColor");
  Resolve(g_sys.sysBrush, L"user32.dll", "GetSysColorBrush");
  Resolve(g_sys.fillRect, L"user32.dll", "FillRect");
  Resolve(g_sys.drawEdge, L"user32.dll", "DrawEdge");
  Resolve(g_sys.deleteObject, L"gdi32.dll", "DeleteObject");
  Resolve(g_sys.setScrollInfo, L"user32.dll", "SetScrollInfo");
  Resolve(g_sys.setScrollPos, L"user32.dll", "SetScrollPos");
  Resolve(g_sys.spiW, L"user32.dll", "SystemParametersInfoW");
  Resolve(g_sys.metrics, L"user32.dll", "GetSystemMetrics");
  Resolve(g_sys.adjust, L"user32.dll", "AdjustWindowRectEx");
  Resolve(g_sys.loadA, L"kernel32.dll", "LoadLibraryA");
  Resolve(g_sys.loadW, L"kernel32.dll", "LoadLibraryW");
  Resolve(g_sys.loadExA, L"kernel32.dll", "LoadLibraryExA");
  Resolve(g_sys.loadExW, L"kernel32.dll", "LoadLibraryExW");
  Resolve(g_sys.getProc, L"kernel32.dll", "GetProcAddress");
  Resolve(g_sys.createThread, L"kernel32.dll", "CreateThread");
  for (Slot& s : g_slots) {
    HMODULE h = ::GetModuleHandleW(s.module);
    s.original = h ? reinterpret_cast<void*>(::GetProcAddress(h, s.name)) : nullptr;
  }
}

void InstallSystemRedirections(int applyOptions) {
  ResolveSystemFunctions();
  ::EnterCriticalSection(&g_slotLock);
  if (!g_installed) {
    g_activeOptions = applyOptions;
    PatchAll(true);
    g_installed = true;
  }
  ::LeaveCriticalSection(&g_slotLock);
}

void RemoveSystemRedirections() {
  if (!g_lockReady) return;
  ::EnterCriticalSection(&g_slotLock);
  if (g_installed) {
    PatchAll(false);
    g_installed = false;
    g_patched = 0;
  }
  ::LeaveCriticalSection(&g_slotLock);
}

void RedirectModule(HMODULE module) {
  if (!g_lockReady || IsSystemCore(module)) return;
  ::EnterCriticalSection(&g_slotLock);
  if (g_installed) g_patched += PatchModule(module, true);
  ::LeaveCriticalSection(&g_slotLock);
}

int RedirectedSlotCount() {
  return g_patched;
}

void InstallWindowEventHook() {
  if (g_eventHook) return;
  g_eventHook = ::SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_REORDER, nullptr, &OnWinEvent,
                                  ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
}

LRESULT SysCallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  return (g_sys.callW ? g_sys.callW : &::CallWindowProcW)(proc, hwnd, msg, w, l);
}

LRESULT SysCallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  return (g_sys.callA ? g_sys.callA : &::CallWindowProcA)(proc, hwnd, msg, w, l);
}

LRESULT SysDefaultProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (t_defaultProc) return t_defaultProc(hwnd, msg, w, l);
  return (g_sys.defW ? g_sys.defW : &::DefWindowProcW)(hwnd, msg, w, l);
}

int SysGetSystemMetrics(int index) {
  return (g_sys.metrics ? g_sys.metrics : &::GetSystemMetrics)(index);
}

BOOL SysAdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
  return (g_sys.adjust ? g_sys.adjust : &::AdjustWindowRectEx)(rect, style, menu, exStyle);
}

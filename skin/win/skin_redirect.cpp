#include "skin/win/skin_redirect.h"

#include <psapi.h>
#include <vssym32.h>

#include <cstring>
#include <vector>

#include "skin/win/skin_engine.h"
#include "skin/win/skin_menu.h"
#include "skin/win/skin_object.h"
#include "skin/win/skin_visual_style.h"
#include "skin/win/skin_windows.h"
#include "skin/win/theme_class.h"

namespace {

enum Group { kAlways = 0 };
// The visual-style functions, in the colours group. The system's own modules
// keep theirs: they go on to call visual-style functions the engine does not
// replace, which cannot take the engine's handles.
constexpr int kVisualStyle = SkinEngine::kColours | 0x100;

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
// What the default procedure of the redirected call in progress on this
// thread is, so an object's hook can pass a message on to it.
struct DefaultCall {
  enum Kind { kNone, kPlain, kFrame, kCallProc } kind = kNone;
  WNDPROC proc = nullptr;  // kPlain: the system's default procedure; kCallProc: the one called
  bool ansi = false;
  HWND client = nullptr;  // kFrame: the MDI client
};
thread_local DefaultCall t_default;

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
  decltype(&::DefMDIChildProcW) mdiChildW = nullptr;
  decltype(&::DefMDIChildProcA) mdiChildA = nullptr;
  decltype(&::DefFrameProcW) frameW = nullptr;
  decltype(&::DefFrameProcA) frameA = nullptr;
  decltype(&::RegisterClassW) registerW = nullptr;
  decltype(&::RegisterClassA) registerA = nullptr;
  decltype(&::GetScrollInfo) getScrollInfo = nullptr;
  decltype(&::EnableScrollBar) enableScrollBar = nullptr;
  decltype(&::DrawMenuBar) drawMenuBar = nullptr;
  decltype(&::DrawFrameControl) drawFrameControl = nullptr;
  decltype(&::TrackPopupMenu) trackPopup = nullptr;
  decltype(&::TrackPopupMenuEx) trackPopupEx = nullptr;
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

LRESULT CallDefault(const DefaultCall& c, HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (c.kind) {
    case DefaultCall::kFrame:
      return (c.ansi ? g_sys.frameA : g_sys.frameW)(h, c.client, m, w, l);
    case DefaultCall::kCallProc:
      return c.ansi ? g_sys.callA(c.proc, h, m, w, l) : g_sys.callW(c.proc, h, m, w, l);
    default:
      return c.proc(h, m, w, l);
  }
}

LRESULT CallDefault(const DefaultCall& call, HWND h, UINT m, WPARAM w, LPARAM l);

// Gives the window's object the first chance at a message headed for a
// default procedure, then runs that procedure.
LRESULT WithDefault(const DefaultCall& call, HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  LRESULT result = 0;
  const DefaultCall saved = t_default;
  t_default = call;
  LRESULT r;
  if (RouteThroughDefault(hwnd, msg, w, l, result))
    r = result;
  else
    r = CallDefault(call, hwnd, msg, w, l);
  t_default = saved;
  return r;
}

DefaultCall Plain(WNDPROC proc) {
  DefaultCall c;
  c.kind = DefaultCall::kPlain;
  c.proc = proc;
  return c;
}

LRESULT WINAPI MyDefWindowProcW(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(Plain(g_sys.defW), h, m, w, l);
}
LRESULT WINAPI MyDefWindowProcA(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(Plain(g_sys.defA), h, m, w, l);
}
LRESULT WINAPI MyDefDlgProcW(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(Plain(g_sys.dlgW), h, m, w, l);
}
LRESULT WINAPI MyDefDlgProcA(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(Plain(g_sys.dlgA), h, m, w, l);
}
LRESULT WINAPI MyDefMDIChildProcW(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(Plain(g_sys.mdiChildW), h, m, w, l);
}
LRESULT WINAPI MyDefMDIChildProcA(HWND h, UINT m, WPARAM w, LPARAM l) {
  return WithDefault(Plain(g_sys.mdiChildA), h, m, w, l);
}
LRESULT Frame(bool ansi, HWND h, HWND client, UINT m, WPARAM w, LPARAM l) {
  DefaultCall c;
  c.kind = DefaultCall::kFrame;
  c.ansi = ansi;
  c.client = client;
  return WithDefault(c, h, m, w, l);
}
LRESULT WINAPI MyDefFrameProcW(HWND h, HWND client, UINT m, WPARAM w, LPARAM l) {
  return Frame(false, h, client, m, w, l);
}
LRESULT WINAPI MyDefFrameProcA(HWND h, HWND client, UINT m, WPARAM w, LPARAM l) {
  return Frame(true, h, client, m, w, l);
}

// A message passed on to a procedure of the system's window modules reaches
// the system's drawing, so the object sees it first; a call into any other
// procedure is the application's own chain and goes through untouched.
LRESULT CallProc(bool ansi, WNDPROC proc, HWND h, UINT m, WPARAM w, LPARAM l) {
  try {
    if (proc && Enabled() && IsSystemProcedure(proc)) {
      DefaultCall c;
      c.kind = DefaultCall::kCallProc;
      c.proc = proc;
      c.ansi = ansi;
      return WithDefault(c, h, m, w, l);
    }
  } catch (...) {
  }
  return ansi ? g_sys.callA(proc, h, m, w, l) : g_sys.callW(proc, h, m, w, l);
}
LRESULT WINAPI MyCallWindowProcW(WNDPROC proc, HWND h, UINT m, WPARAM w, LPARAM l) {
  return CallProc(false, proc, h, m, w, l);
}
LRESULT WINAPI MyCallWindowProcA(WNDPROC proc, HWND h, UINT m, WPARAM w, LPARAM l) {
  return CallProc(true, proc, h, m, w, l);
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

// The thumb being dragged is the engine's, so is the position it stands for.
BOOL WINAPI MyGetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  const BOOL ok = g_sys.getScrollInfo(hwnd, bar, info);
  try {
    if (ok && info && (info->fMask & SIF_TRACKPOS) && Enabled()) {
      if (CSkinObjectFrame* o = SkinObjectFor(hwnd)) {
        const SkinScrollBar* b = o->ScrollBarFor(bar);
        if (b && b->thumbTracking) info->nTrackPos = b->trackPosition;
      }
    }
  } catch (...) {
  }
  return ok;
}

// The system draws the changed arrows over the skinned bar; the engine's
// drawing follows.
BOOL WINAPI MyEnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  const BOOL ok = g_sys.enableScrollBar(hwnd, bar, arrows);
  try {
    if (Enabled() && SkinObjectFor(hwnd)) {
      if (bar == SB_CTL)
        ::InvalidateRect(hwnd, nullptr, FALSE);
      else
        ::SendMessageW(hwnd, WM_NCPAINT, 1, 0);
    }
  } catch (...) {
  }
  return ok;
}

BOOL WINAPI MyDrawMenuBar(HWND hwnd) {
  const BOOL ok = g_sys.drawMenuBar(hwnd);
  try {
    if (Enabled() && SkinObjectFor(hwnd)) ::SendMessageW(hwnd, WM_NCPAINT, 1, 0);
  } catch (...) {
  }
  return ok;
}

// A window the engine frames gets the theme's borders: callers sizing a
// window for a client area then get the client area they asked for.
BOOL WINAPI MyAdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
  try {
    const int opts = SkinEngine::Get().GetApplyOptions();
    const bool maximized = (style & WS_MAXIMIZE) && !(style & WS_CHILD);
    if (rect && Enabled() && (opts & SkinEngine::kFrame) && (style & WS_THICKFRAME) &&
        (style & WS_CAPTION) == WS_CAPTION && !maximized) {
      // The edge the window will get: creation adds it for such frames.
      if ((exStyle & WS_EX_DLGMODALFRAME) ||
          (!(exStyle & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME))))
        exStyle |= WS_EX_WINDOWEDGE;
      RECT b;
      CSkinObjectFrame::ComputeBorders(style, exStyle, b);
      rect->left -= b.left;
      rect->top -= b.top + (menu ? SysGetSystemMetrics(SM_CYMENU) : 0);
      rect->right += b.right;
      rect->bottom += b.bottom;
      return TRUE;
    }
  } catch (...) {
  }
  return g_sys.adjust(rect, style, menu, exStyle);
}

// The frame controls the theme has parts for, drawn from it: check boxes,
// radio buttons and push buttons, scroll arrows and caption buttons.
BOOL WINAPI MyDrawFrameControl(HDC hdc, RECT* rect, UINT type, UINT state) {
  try {
    if (Enabled() && hdc && rect && !(state & DFCS_ADJUSTRECT)) {
      const int look = (state & DFCS_INACTIVE) ? 3
                       : (state & DFCS_PUSHED) ? 2
                       : (state & DFCS_HOT)    ? 1
                                               : 0;
      const char16_t* cls = nullptr;
      int part = 0, drawState = 0;
      const UINT kind = state & 0xFF;
      if (type == DFC_BUTTON && (kind & 0x1F) == DFCS_BUTTONPUSH) {
        cls = u"BUTTON", part = BP_PUSHBUTTON, drawState = 1 + look;
      } else if (type == DFC_BUTTON &&
                 ((kind & 0x1F) == DFCS_BUTTONCHECK || (kind & 0x1F) == DFCS_BUTTONRADIO ||
                  (kind & 0x1F) == DFCS_BUTTONRADIOIMAGE)) {
        cls = u"BUTTON";
        part = (kind & 0x1F) == DFCS_BUTTONCHECK ? BP_CHECKBOX : BP_RADIOBUTTON;
        drawState = ((state & DFCS_CHECKED) ? 5 : 1) + look;
      } else if (type == DFC_SCROLL && kind <= DFCS_SCROLLRIGHT) {
        static const int kArrowBase[] = {ABS_UPNORMAL, ABS_DOWNNORMAL, ABS_LEFTNORMAL,
                                         ABS_RIGHTNORMAL};
        cls = u"SCROLLBAR", part = SBP_ARROWBTN, drawState = kArrowBase[kind] + look;
      } else if (type == DFC_CAPTION && kind <= DFCS_CAPTIONHELP) {
        static const int kCaptionPart[] = {WP_CLOSEBUTTON, WP_MINBUTTON, WP_MAXBUTTON,
                                           WP_RESTOREBUTTON, WP_HELPBUTTON};
        cls = u"WINDOW", part = kCaptionPart[kind], drawState = 1 + look;
      }
      ThemeClass* theme = cls ? SkinEngine::Get().GetThemeClass(cls) : nullptr;
      if (theme && theme->DrawBackground(hdc, part, drawState, *rect)) return TRUE;
    }
  } catch (...) {
  }
  return g_sys.drawFrameControl(hdc, rect, type, state);
}

bool EngineShowsMenus() {
  return Enabled() && (SkinEngine::Get().GetApplyOptions() & SkinEngine::kMenus);
}

BOOL WINAPI MyTrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner,
                               LPTPMPARAMS params) {
  try {
    if (EngineShowsMenus()) {
      const RECT* exclude =
          params && params->cbSize >= sizeof(TPMPARAMS) ? &params->rcExclude : nullptr;
      return SkinTrackPopupMenu(menu, flags, x, y, owner, exclude);
    }
  } catch (...) {
  }
  return g_sys.trackPopupEx(menu, flags, x, y, owner, params);
}

BOOL WINAPI MyTrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                             const RECT* rect) {
  try {
    if (EngineShowsMenus()) return SkinTrackPopupMenu(menu, flags, x, y, owner, nullptr);
  } catch (...) {
  }
  return g_sys.trackPopup(menu, flags, x, y, reserved, owner, rect);
}

// The engine's replacement a procedure stands for, else the procedure itself.
WNDPROC SystemProcFor(WNDPROC proc);

// A class must not keep a replacement as its procedure: the class outlives
// the redirections.
ATOM WINAPI MyRegisterClassW(const WNDCLASSW* wc) {
  if (!wc) return g_sys.registerW(wc);
  WNDCLASSW copy = *wc;
  copy.lpfnWndProc = SystemProcFor(wc->lpfnWndProc);
  return g_sys.registerW(&copy);
}
ATOM WINAPI MyRegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return g_sys.registerA(wc);
  WNDCLASSA copy = *wc;
  copy.lpfnWndProc = SystemProcFor(wc->lpfnWndProc);
  return g_sys.registerA(&copy);
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
    {"RegisterClassA", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyRegisterClassA), nullptr},
    {"RegisterClassW", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyRegisterClassW), nullptr},
    {"GetSysColor", L"user32.dll", SkinEngine::kColours, reinterpret_cast<void*>(&MyGetSysColor),
     nullptr},
    {"GetSysColorBrush", L"user32.dll", SkinEngine::kColours,
     reinterpret_cast<void*>(&MyGetSysColorBrush), nullptr},
    {"DrawEdge", L"user32.dll", SkinEngine::kColours, reinterpret_cast<void*>(&MyDrawEdge),
     nullptr},
    {"DrawFrameControl", L"user32.dll", SkinEngine::kColours,
     reinterpret_cast<void*>(&MyDrawFrameControl), nullptr},
    {"SetScrollInfo", L"user32.dll", SkinEngine::kFrame, reinterpret_cast<void*>(&MySetScrollInfo),
     nullptr},
    {"SetScrollPos", L"user32.dll", SkinEngine::kFrame, reinterpret_cast<void*>(&MySetScrollPos),
     nullptr},
    {"GetScrollInfo", L"user32.dll", SkinEngine::kFrame, reinterpret_cast<void*>(&MyGetScrollInfo),
     nullptr},
    {"EnableScrollBar", L"user32.dll", SkinEngine::kFrame,
     reinterpret_cast<void*>(&MyEnableScrollBar), nullptr},
    {"OpenThemeData", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::OpenThemeData), nullptr},
    {"DrawThemeBackground", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::DrawThemeBackground), nullptr},
    {"CloseThemeData", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::CloseThemeData), nullptr},
    {"GetThemeColor", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::GetThemeColor), nullptr},
    {"GetThemeInt", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::GetThemeInt), nullptr},
    {"IsAppThemed", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::IsAppThemed), nullptr},
    {"IsThemeActive", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::IsThemeActive), nullptr},
    {"GetCurrentThemeName", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::GetCurrentThemeName), nullptr},
    {"GetThemeSysBool", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::GetThemeSysBool), nullptr},
    {"GetThemeSysColor", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::GetThemeSysColor), nullptr},
    {"GetThemePartSize", L"uxtheme.dll", kVisualStyle,
     reinterpret_cast<void*>(&visual_style::GetThemePartSize), nullptr},
    {"SystemParametersInfoW", L"user32.dll", SkinEngine::kMetrics,
     reinterpret_cast<void*>(&MySystemParametersInfoW), nullptr},
    {"DefWindowProcA", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefWindowProcA), nullptr},
    {"DefWindowProcW", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefWindowProcW), nullptr},
    {"DefMDIChildProcA", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefMDIChildProcA),
     nullptr},
    {"DefMDIChildProcW", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefMDIChildProcW),
     nullptr},
    {"DefFrameProcA", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefFrameProcA), nullptr},
    {"DefFrameProcW", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefFrameProcW), nullptr},
    {"DefDlgProcA", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefDlgProcA), nullptr},
    {"DefDlgProcW", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyDefDlgProcW), nullptr},
    {"CallWindowProcA", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyCallWindowProcA),
     nullptr},
    {"CallWindowProcW", L"user32.dll", kAlways, reinterpret_cast<void*>(&MyCallWindowProcW),
     nullptr},
    {"CreateThread", L"kernel32.dll", kAlways, reinterpret_cast<void*>(&MyCreateThread), nullptr},
    {"FillRect", L"user32.dll", SkinEngine::kColours, reinterpret_cast<void*>(&MyFillRect),
     nullptr},
    {"DeleteObject", L"gdi32.dll", SkinEngine::kColours, reinterpret_cast<void*>(&MyDeleteObject),
     nullptr},
    {"AdjustWindowRectEx", L"user32.dll", SkinEngine::kMetrics,
     reinterpret_cast<void*>(&MyAdjustWindowRectEx), nullptr},
    {"GetSystemMetrics", L"user32.dll", SkinEngine::kMetrics, nullptr, nullptr},
    {"TrackPopupMenu", L"user32.dll", SkinEngine::kMenus,
     reinterpret_cast<void*>(&MyTrackPopupMenu), nullptr},
    {"TrackPopupMenuEx", L"user32.dll", SkinEngine::kMenus,
     reinterpret_cast<void*>(&MyTrackPopupMenuEx), nullptr},
    {"DrawMenuBar", L"user32.dll", SkinEngine::kFrame, reinterpret_cast<void*>(&MyDrawMenuBar),
     nullptr},
};
static_assert(sizeof(g_slots) / sizeof(g_slots[0]) == 46, "46 redirection slots");

int g_activeOptions = 0;

WNDPROC SystemProcFor(WNDPROC proc) {
  for (const Slot& s : g_slots)
    if (s.replacement && s.original && s.replacement == reinterpret_cast<void*>(proc))
      return reinterpret_cast<WNDPROC>(s.original);
  return proc;
}

bool SlotActive(const Slot& s) {
  if (!s.replacement || !s.original) return false;
  if (s.group == kAlways) return true;
  if (s.group == kVisualStyle) return (g_activeOptions & SkinEngine::kColours) != 0;
  return (g_activeOptions & s.group) != 0;
}

// A module of the system: one loaded from the Windows folder.
bool IsSystemModule(HMODULE m) {
  wchar_t path[MAX_PATH], windows[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(m, path, MAX_PATH);
  const UINT w = ::GetSystemWindowsDirectoryW(windows, MAX_PATH);
  if (n == 0 || n >= MAX_PATH || w == 0 || w >= MAX_PATH) return false;
  return ::CompareStringOrdinal(path, int(w), windows, int(w), TRUE) == CSTR_EQUAL &&
         (path[w] == L'\\' || windows[w - 1] == L'\\');
}

bool SlotFor(const Slot& s, bool systemModule) {
  return SlotActive(s) && !(systemModule && s.group == kVisualStyle);
}

FARPROC WINAPI MyGetProcAddress(HMODULE module, LPCSTR name) {
  FARPROC found = g_sys.getProc(module, name);
  try {
    if (found && g_installed && HIWORD(reinterpret_cast<UINT_PTR>(name)) != 0) {
      for (const Slot& s : g_slots) {
        if (!SlotActive(s) || reinterpret_cast<void*>(found) != s.original) continue;
        if (s.group == kVisualStyle) {
          HMODULE caller = nullptr;
          ::GetModuleHandleExW(
              GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
              static_cast<LPCWSTR>(__builtin_return_address(0)), &caller);
          if (!caller || IsSystemModule(caller)) break;
        }
        return reinterpret_cast<FARPROC>(s.replacement);
      }
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
  const bool systemModule = IsSystemModule(module);
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
       d->Name != 0 && d->FirstThunk != 0; ++d) {
    for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function; ++t) {
      void** slot = reinterpret_cast<void**>(&t->u1.Function);
      for (const Slot& s : g_slots) {
        if (!SlotFor(s, systemModule)) continue;
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
  Resolve(g_sys.mdiChildW, L"user32.dll", "DefMDIChildProcW");
  Resolve(g_sys.mdiChildA, L"user32.dll", "DefMDIChildProcA");
  Resolve(g_sys.frameW, L"user32.dll", "DefFrameProcW");
  Resolve(g_sys.frameA, L"user32.dll", "DefFrameProcA");
  Resolve(g_sys.registerW, L"user32.dll", "RegisterClassW");
  Resolve(g_sys.registerA, L"user32.dll", "RegisterClassA");
  Resolve(g_sys.getScrollInfo, L"user32.dll", "GetScrollInfo");
  Resolve(g_sys.enableScrollBar, L"user32.dll", "EnableScrollBar");
  Resolve(g_sys.drawMenuBar, L"user32.dll", "DrawMenuBar");
  Resolve(g_sys.drawFrameControl, L"user32.dll", "DrawFrameControl");
  Resolve(g_sys.trackPopup, L"user32.dll", "TrackPopupMenu");
  Resolve(g_sys.trackPopupEx, L"user32.dll", "TrackPopupMenuEx");
  SetSystemTrackPopupMenuEx(g_sys.trackPopupEx);
  visual_style::ResolveSystem();
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
  if (t_default.kind != DefaultCall::kNone) return CallDefault(t_default, hwnd, msg, w, l);
  return (g_sys.defW ? g_sys.defW : &::DefWindowProcW)(hwnd, msg, w, l);
}

int SysGetSystemMetrics(int index) {
  return (g_sys.metrics ? g_sys.metrics : &::GetSystemMetrics)(index);
}

BOOL SysAdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
  return (g_sys.adjust ? g_sys.adjust : &::AdjustWindowRectEx)(rect, style, menu, exStyle);
}

// Bringing windows under the skin: the class table that chooses each
// window's object, the per-thread creation hook, attaching and detaching.
#include "skin/win/windows/skin_windows.h"

#include <windows.h>

#include <prsht.h>

#include <algorithm>
#include <atomic>
#include <cwctype>
#include <vector>

#include "skin/theme_text.h"
#include "skin/win/objects/skin_object_button.h"
#include "skin/win/objects/skin_object_combo.h"
#include "skin/win/objects/skin_object_edit.h"
#include "skin/win/objects/skin_object_frame.h"
#include "skin/win/objects/skin_object_progress.h"
#include "skin/win/objects/skin_object_scrollbar.h"
#include "skin/win/objects/skin_object_spin.h"
#include "skin/win/system/skin_lock.h"
#include "skin/win/windows/skin_maps.h"
#include "skin/win/windows/skin_redirect.h"

namespace {

thread_local HHOOK t_creationHook = nullptr;

// The engine served, set when the window side is made and cleared first
// when the engine goes.
std::atomic<const SkinWindowHost*> g_host{nullptr};

// Skinned windows to their objects, and window class names to the kind of
// object their windows get. Never destroyed: windows may outlive the engine.
struct WindowSideMaps {
  SkinWindowMap windows;
  SkinClassMap classNames;
};
WindowSideMaps& Maps() {
  static WindowSideMaps* maps = new WindowSideMaps();
  return *maps;
}

// Every thread's creation hook, so that the engine can take them all away
// when it goes. Never destroyed: threads may end after the engine.
struct CreationHooks {
  CreationHooks() { ::InitializeCriticalSection(&lock); }
  CRITICAL_SECTION lock;
  std::vector<HHOOK> hooks;
};
CreationHooks& AllCreationHooks() {
  static CreationHooks* hooks = new CreationHooks();
  return *hooks;
}

template <class T>
CSkinObject* Make() {
  return new T();
}

// Kinds this program never creates keep the frame object's behaviour.
const SkinObjectClass kCombo = {u"CSkinObjectComboBox", &Make<CSkinObjectComboBox>};
const SkinObjectClass kEdit = {u"CSkinObjectEdit", &Make<CSkinObjectEdit>};
const SkinObjectClass kDateTime = {u"CSkinObjectDateTime", &Make<CSkinObjectComboBox>};
const SkinObjectClass kMonthCal = {u"CSkinObjectMonthCal", &Make<CSkinObjectFrame>};
const SkinObjectClass kListBox = {u"CSkinObjectListBox", &Make<CSkinObjectListBox>};
const SkinObjectClass kScrollBar = {u"CSkinObjectScrollBar", &Make<CSkinObjectScrollBar>};
const SkinObjectClass kHeader = {u"CSkinObjectHeader", &Make<CSkinObjectFrame>};
const SkinObjectClass kStatusBar = {u"CSkinObjectStatusBar", &Make<CSkinObjectFrame>};
const SkinObjectClass kTreeView = {u"CSkinObjectTreeView", &Make<CSkinObjectFrame>};
const SkinObjectClass kProgress = {u"CSkinObjectProgress", &Make<CSkinObjectProgress>};
const SkinObjectClass kTrackBar = {u"CSkinObjectTrackBar", &Make<CSkinObjectFrame>};
const SkinObjectClass kTab = {u"CSkinObjectTab", &Make<CSkinObjectFrame>};
const SkinObjectClass kMdiClient = {u"CSkinObjectMDIClient", &Make<CSkinObjectFrame>};
const SkinObjectClass kSpin = {u"CSkinObjectSpin", &Make<CSkinObjectSpin>};
const SkinObjectClass kToolBar = {u"CSkinObjectToolBar", &Make<CSkinObjectFrame>};
const SkinObjectClass kButton = {u"CSkinObjectButton", &Make<CSkinObjectButton>};
const SkinObjectClass kNone = {u"", nullptr};
const SkinObjectClass kAppFrame = {u"CSkinObjectApplicationFrame", &Make<CSkinObjectFrame>};

struct ClassEntry {
  const char16_t* windowClass;
  const SkinObjectClass* kind;
};
const ClassEntry kClassTable[] = {
    {u"ComboBox", &kCombo},
    {u"TComboBox", &kCombo},
    {u"Edit", &kEdit},
    {u"SysIPAddress32", &kEdit},
    {u"msctls_hotkey32", &kEdit},
    {u"TEdit", &kEdit},
    {u"TMemo", &kEdit},
    {u"TRichEditViewer", &kEdit},
    {u"SysDateTimePick32", &kDateTime},
    {u"SysMonthCal32", &kMonthCal},
    {u"ListBox", &kListBox},
    {u"ComboLBox", &kListBox},
    {u"TListBox", &kListBox},
    {u"ScrollBar", &kScrollBar},
    {u"ATL:ScrollBar", &kScrollBar},
    {u"TScrollBar", &kScrollBar},
    {u"SysHeader32", &kHeader},
    {u"msctls_statusbar32", &kStatusBar},
    {u"SysTreeView32", &kTreeView},
    {u"TTreeView", &kTreeView},
    {u"msctls_progress32", &kProgress},
    {u"TNewProgressBar", &kProgress},
    {u"TProgressBar", &kProgress},
    {u"msctls_trackbar32", &kTrackBar},
    {u"TTrackBar", &kTrackBar},
    {u"SysTabControl32", &kTab},
    {u"TTabControl", &kTab},
    {u"MDIClient", &kMdiClient},
    {u"msctls_updown32", &kSpin},
    {u"ToolbarWindow32", &kToolBar},
    {u"Button", &kButton},
    {u"TButton", &kButton},
    {u"TRadioButton", &kButton},
    {u"TCheckBox", &kButton},
    {u"TGroupBox", &kButton},
    {u"#32768", &kNone},
    {u"SkinManagerMenu", &kNone},
    {u"SysPager", &kNone},
};

// The input method's own windows; other classes merely containing the
// letters (a date-time picker, a timer window) are skinned as usual.
bool IsImeClass(const std::u16string& className) {
  return ThemeUpperCopy(className) == u"IME";
}

LRESULT CALLBACK CreationHook(int code, WPARAM w, LPARAM l) {
  const LRESULT next = ::CallNextHookEx(t_creationHook, code, w, l);
  // The system calls back with no context: the host is the one engine.
  const SkinWindowHost* host = SkinHost();
  if (!host) return next;
  try {
    if (code == HCBT_CREATEWND && host->GetAutoAttach()) {
      HWND hwnd = reinterpret_cast<HWND>(w);
      wchar_t name[50] = {};
      ::GetClassNameW(hwnd, name, 50);
      const auto* cbt = reinterpret_cast<CBT_CREATEWNDW*>(l);
      std::u16string cls(reinterpret_cast<const char16_t*>(name));
      SkinAttach(hwnd, cls, cbt ? cbt->lpcs : nullptr);
    }
  } catch (...) {
  }
  return next;
}

bool IsPlainChildPage(HWND hwnd, const CREATESTRUCTW* cs) {
  const LONG style = cs ? cs->style : ::GetWindowLongW(hwnd, GWL_STYLE);
  return (style & WS_CHILD) && (style & DS_CONTROL);
}

int FrameTypeFor(HWND hwnd, const std::u16string& cls, const CREATESTRUCTW* cs) {
  if (cls != u"#32770") return kFrameOther;
  if (!IsPlainChildPage(hwnd, cs)) return kFrameDialog;
  HWND parent = cs ? cs->hwndParent : ::GetParent(hwnd);
  if (CSkinObject* p = SkinObjectFor(parent)) {
    if (p->FrameType() == kFramePage) return kFramePage;
  }
  // A page of a property sheet; our own wizard pages are plain child dialogs
  // of a dialog, which are pages as well.
  if (parent && ::SendMessageW(parent, PSM_GETCURRENTPAGEHWND, 0, 0) != 0) return kFramePage;
  wchar_t parentClass[50] = {};
  if (parent) ::GetClassNameW(parent, parentClass, 50);
  return std::wstring(parentClass) == L"#32770" ? kFramePage : kFrameDialog;
}

class WindowSideHooks : public SkinEngineHooks {
 public:
  explicit WindowSideHooks(const SkinWindowHost& host) : m_host(host) {}

  void RemoveRedirections() override { RemoveSystemRedirections(); }
  void Shutdown() override {
    g_host = nullptr;
    RemoveSystemRedirections();
    RemoveAllCreationHooks();
    RemoveWindowEventHook();
    SkinWindowMap& map = Maps().windows;
    for (HWND hwnd : map.Handles()) {
      std::unique_ptr<CSkinObject> object = map.Remove(hwnd);
      if (object) object->DetachWindow();
      CSkinObject::Dispose(std::move(object));
    }
  }
  void InstallRedirections(int applyOptions) override { InstallSystemRedirections(applyOptions); }
  void SkinChanged(int oldEnabled, int newEnabled) override {
    Changing(newEnabled);
    SkinWindowMap& map = Maps().windows;
    for (HWND hwnd : map.Handles()) {
      if (!::IsWindow(hwnd)) {
        CSkinObject::Dispose(map.Remove(hwnd));
        continue;
      }
      if (CSkinObject* object = map.Find(hwnd)) object->SkinChanged(oldEnabled, newEnabled);
    }
  }

 private:
  void Changing(int newEnabled) {
    const std::vector<HWND> windows = ProcessWindows();
    for (HWND hwnd : windows) {
      if (::GetAncestor(hwnd, GA_PARENT) == ::GetDesktopWindow())
        ::PostMessageW(hwnd, WM_SYSCOLORCHANGE, 0, 0);
    }
    // Windows made before the theme came are brought under it now.
    if (!newEnabled || !m_host.GetAutoAttach()) return;
    for (HWND hwnd : windows) {
      if (SkinObjectFor(hwnd) || !::IsWindow(hwnd)) continue;
      wchar_t name[50] = {};
      ::GetClassNameW(hwnd, name, 50);
      SkinAttach(hwnd, std::u16string(reinterpret_cast<const char16_t*>(name)), nullptr);
    }
  }

  // Every window of this process, top-level ones and their descendants.
  static std::vector<HWND> ProcessWindows() {
    std::vector<HWND> windows;
    ::EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
          DWORD owner = 0;
          ::GetWindowThreadProcessId(hwnd, &owner);
          if (owner != ::GetCurrentProcessId()) return TRUE;
          auto* list = reinterpret_cast<std::vector<HWND>*>(p);
          list->push_back(hwnd);
          ::EnumChildWindows(
              hwnd,
              [](HWND child, LPARAM q) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(q)->push_back(child);
                return TRUE;
              },
              p);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
  }

  const SkinWindowHost& m_host;
};

}  // namespace

// A window procedure inside the system's window modules can be replaced
// safely; others are reached through the redirected default procedures.
bool IsSystemProcedure(WNDPROC proc) {
  HMODULE owner = nullptr;
  if (!::GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(proc), &owner))
    return false;
  return owner == ::GetModuleHandleW(L"user32.dll") || owner == ::GetModuleHandleW(L"comctl32.dll");
}

void InstallCreationHook() {
  if (t_creationHook) return;
  t_creationHook = ::SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
  if (!t_creationHook) return;
  CreationHooks& all = AllCreationHooks();
  ScopedLock lock(all.lock);
  all.hooks.push_back(t_creationHook);
}

void RemoveCreationHook() {
  if (!t_creationHook) return;
  CreationHooks& all = AllCreationHooks();
  ScopedLock lock(all.lock);
  auto it = std::find(all.hooks.begin(), all.hooks.end(), t_creationHook);
  // Gone from the list: the engine has removed it already.
  if (it != all.hooks.end()) {
    ::UnhookWindowsHookEx(t_creationHook);
    all.hooks.erase(it);
  }
  t_creationHook = nullptr;
}

void RemoveAllCreationHooks() {
  CreationHooks& all = AllCreationHooks();
  ScopedLock lock(all.lock);
  for (HHOOK hook : all.hooks) ::UnhookWindowsHookEx(hook);
  all.hooks.clear();
}

SkinEngineHooks& CreateSkinWindowSide(const SkinWindowHost& host) {
  // Outlives the engine, whose destructor still calls it.
  static WindowSideHooks* hooks = new WindowSideHooks(host);
  SkinClassMap& map = Maps().classNames;
  if (map.Size() == 0) {
    for (const ClassEntry& e : kClassTable) map.Add(e.windowClass, e.kind);
  }
  ResolveSystemFunctions();
  g_host = &host;
  SkinUpdateStateMessage();
  SkinQueryStateMessage();
  InstallCreationHook();
  InstallWindowEventHook();
  return *hooks;
}

const SkinWindowHost* SkinHost() {
  return g_host;
}

bool SkinEnabled() {
  const SkinWindowHost* host = g_host;
  return host && host->IsEnabled();
}

CSkinObject* SkinAttach(HWND hwnd, const std::u16string& className, const CREATESTRUCTW* create) {
  if (!hwnd || className == u"tooltips_class32" || IsImeClass(className)) return nullptr;
  // Reached from the creation hook and for windows made before the theme:
  // the theme handed to the object is the one engine's.
  const SkinWindowHost* host = SkinHost();
  if (!host) return nullptr;
  const SkinClassMap& classNames = Maps().classNames;
  const SkinObjectClass* kind = nullptr;
  bool forms = false;
  if (className.find(u"WindowsForms") != std::u16string::npos) {
    forms = true;
    const size_t a = className.find(u'.');
    const size_t b = a == std::u16string::npos ? a : className.find(u'.', a + 1);
    const std::u16string inner =
        b == std::u16string::npos ? std::u16string() : className.substr(a + 1, b - a - 1);
    if (!classNames.Find(inner, kind) || !kind->create) kind = &kAppFrame;
  } else if (classNames.Find(className, kind)) {
    if (!kind->create) return nullptr;
  } else {
    if (className.find(u"Internet Explorer") != std::u16string::npos ||
        className.find(u"OleMainThread") != std::u16string::npos)
      return nullptr;
    kind = &kAppFrame;
  }
  std::unique_ptr<CSkinObject> made(kind->create());
  CSkinObject* object = made.get();
  if (!object) return nullptr;
  const int frameType = FrameTypeFor(hwnd, className, create);
  if (!Maps().windows.Insert(hwnd, std::move(made))) return nullptr;
  SkinAttachment with;
  with.theme = host;
  with.defaultProcedure = &SysDefaultProc;
  const auto current =
      reinterpret_cast<WNDPROC>(::IsWindowUnicode(hwnd) ? ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                                        : ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  // A procedure of the system's is replaced; others go through the default ones.
  if (IsSystemProcedure(current)) with.skinProcedure = &SkinWindowProc;
  object->AttachWindow(hwnd, *kind, frameType, forms, with);
  return object;
}

void SkinDetach(HWND hwnd) {
  std::unique_ptr<CSkinObject> object = Maps().windows.Remove(hwnd);
  if (object) object->DetachWindow();
  CSkinObject::Dispose(std::move(object));
}

CSkinObject* SkinObjectFor(HWND hwnd) {
  // Asked from procedures and hooks with no context; no engine, no objects.
  if (!hwnd || !SkinHost()) return nullptr;
  return Maps().windows.Find(hwnd);
}

LRESULT CALLBACK SkinWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  CSkinObject* object = SkinObjectFor(hwnd);
  if (!object || !object->IsSubclassed()) {
    auto prev = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kSkinPrevProcProp));
    if (prev) return CallSkinProcedure(::IsWindowUnicode(hwnd) != FALSE, prev, hwnd, msg, w, l);
    return SysDefaultProc(hwnd, msg, w, l);
  }
  CSkinObject::InUse use(object);
  // Read now: the hook may lose the window, and the object its handle.
  const WNDPROC prev = object->PreviousProc();
  const bool unicode = object->IsUnicode();
  try {
    if (msg == WM_NCDESTROY) {
      SkinDetach(hwnd);
      return CallSkinProcedure(unicode, prev, hwnd, msg, w, l);
    }
    // The system calls back with no context: the theme is the one engine's.
    if (SkinEnabled() && (!object->IsDefaultOnly() || msg == SkinUpdateStateMessage())) {
      LRESULT result = 0;
      if (object->MessageHook(msg, w, l, result)) return result;
    }
  } catch (...) {
  }
  return CallSkinProcedure(unicode, prev, hwnd, msg, w, l);
}

bool RouteThroughDefault(HWND hwnd, UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  CSkinObject* object = SkinObjectFor(hwnd);
  // A redirected default procedure: no context but the one engine's theme.
  if (!object || object->IsSubclassed() || !SkinEnabled()) return false;
  CSkinObject::InUse use(object);
  try {
    if (msg == WM_NCDESTROY) {
      SkinDetach(hwnd);
      return false;
    }
    if (object->IsDefaultOnly() && msg != SkinUpdateStateMessage()) return false;
    return object->MessageHook(msg, w, l, result);
  } catch (...) {
    return false;
  }
}

#include "skin/win/skin_windows.h"

#include <windows.h>

#include <prsht.h>

#include <cwctype>

#include "skin/theme_text.h"
#include "skin/win/skin_engine.h"
#include "skin/win/skin_object.h"
#include "skin/win/skin_redirect.h"
#include "skin/win/skin_redirect_table.h"

namespace {

thread_local HHOOK t_creationHook = nullptr;
const wchar_t kPrevProcProp[] = L"SkinEnginePrevProc";

class CSkinObjectApplicationFrame : public CSkinObjectFrame {
 public:
  const char16_t* ObjectClassName() const override { return u"CSkinObjectApplicationFrame"; }
};

template <class T>
SkinWindowObject* Make() {
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
const SkinObjectClass kSpin = {u"CSkinObjectSpin", &Make<CSkinObjectFrame>};
const SkinObjectClass kToolBar = {u"CSkinObjectToolBar", &Make<CSkinObjectFrame>};
const SkinObjectClass kButton = {u"CSkinObjectButton", &Make<CSkinObjectButton>};
const SkinObjectClass kNone = {u"", nullptr};
const SkinObjectClass kAppFrame = {u"CSkinObjectApplicationFrame",
                                   &Make<CSkinObjectApplicationFrame>};

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

bool ContainsNoCase(const std::u16string& text, std::u16string_view part) {
  return ThemeUpperCopy(text).find(ThemeUpperCopy(part)) != std::u16string::npos;
}

LRESULT CALLBACK CreationHook(int code, WPARAM w, LPARAM l) {
  const LRESULT next = ::CallNextHookEx(t_creationHook, code, w, l);
  try {
    SkinEngine& engine = SkinEngine::Get();
    if (code == HCBT_CREATEWND && engine.GetAutoAttach()) {
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
  if (CSkinObjectFrame* p = SkinObjectFor(parent)) {
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
  void RemoveRedirections() override { RemoveSystemRedirections(); }
  void InstallRedirections(int applyOptions) override { InstallSystemRedirections(applyOptions); }
  void SkinChanging(int, int) override {
    const DWORD pid = ::GetCurrentProcessId();
    ::EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
          DWORD owner = 0;
          ::GetWindowThreadProcessId(hwnd, &owner);
          if (owner == DWORD(p)) ::PostMessageW(hwnd, WM_SYSCOLORCHANGE, 0, 0);
          return TRUE;
        },
        LPARAM(pid));
  }
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

UINT SkinUpdateStateMessage() {
  static const UINT msg = ::RegisterWindowMessageW(L"WM_SKINENGINE_UPDATESTATE");
  return msg;
}

UINT SkinQueryStateMessage() {
  static const UINT msg = ::RegisterWindowMessageW(L"WM_SKINENGINE_QUERYSTATE");
  return msg;
}

CSkinObjectFrame* SkinObjectFor(HWND hwnd) {
  if (!hwnd) return nullptr;
  return dynamic_cast<CSkinObjectFrame*>(SkinEngine::Get().Windows().Find(hwnd));
}

void InstallCreationHook() {
  if (t_creationHook) return;
  t_creationHook = ::SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
}

void RemoveCreationHook() {
  if (t_creationHook) ::UnhookWindowsHookEx(t_creationHook);
  t_creationHook = nullptr;
}

void InstallSkinWindowSide(SkinEngine& engine) {
  static WindowSideHooks hooks;
  SkinClassMap& map = engine.ClassNames();
  if (map.Size() == 0) {
    for (const ClassEntry& e : kClassTable) map.Add(e.windowClass, e.kind);
  }
  ResolveSystemFunctions();
  engine.SetHooks(&hooks);
  SkinUpdateStateMessage();
  SkinQueryStateMessage();
  InstallCreationHook();
  InstallWindowEventHook();
}

CSkinObjectFrame* SkinAttach(HWND hwnd, const std::u16string& className,
                             const CREATESTRUCTW* create) {
  if (!hwnd || className == u"tooltips_class32" || ContainsNoCase(className, u"IME"))
    return nullptr;
  SkinEngine& engine = SkinEngine::Get();
  const SkinObjectClass* kind = nullptr;
  bool forms = false;
  if (className.find(u"WindowsForms") != std::u16string::npos) {
    forms = true;
    const size_t a = className.find(u'.');
    const size_t b = a == std::u16string::npos ? a : className.find(u'.', a + 1);
    const std::u16string inner =
        b == std::u16string::npos ? std::u16string() : className.substr(a + 1, b - a - 1);
    if (!engine.ClassNames().Find(inner, kind) || !kind->create) kind = &kAppFrame;
  } else if (engine.ClassNames().Find(className, kind)) {
    if (!kind->create) return nullptr;
  } else {
    if (className.find(u"Internet Explorer") != std::u16string::npos ||
        className.find(u"OleMainThread") != std::u16string::npos)
      return nullptr;
    kind = &kAppFrame;
  }
  std::unique_ptr<SkinWindowObject> made(kind->create());
  auto* object = dynamic_cast<CSkinObjectFrame*>(made.get());
  if (!object) return nullptr;
  const int frameType = FrameTypeFor(hwnd, className, create);
  if (!engine.Windows().Insert(hwnd, std::move(made))) return nullptr;
  object->AttachWindow(hwnd, frameType, forms);
  return object;
}

void SkinDetach(HWND hwnd) {
  std::unique_ptr<SkinWindowObject> object = SkinEngine::Get().Windows().Remove(hwnd);
  if (auto* frame = dynamic_cast<CSkinObjectFrame*>(object.get())) frame->DetachWindow();
}

void CSkinObjectFrame::AttachWindow(HWND hwnd, int frameType, bool windowsForms) {
  m_hWnd = hwnd;
  m_frameType = frameType;
  m_windowsForms = windowsForms;
  m_unicode = ::IsWindowUnicode(hwnd) != FALSE;
  m_prevProc = reinterpret_cast<WNDPROC>(m_unicode ? ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                                   : ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  if (IsSystemProcedure(m_prevProc)) {
    ::SetPropW(hwnd, kPrevProcProp, reinterpret_cast<HANDLE>(m_prevProc));
    if (m_unicode)
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinWindowProc));
    else
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SkinWindowProc));
    m_subclassed = true;
  }
  OnAttached();
}

void CSkinObjectFrame::DetachWindow() {
  if (!m_hWnd) return;
  if (m_hotTimer) ::KillTimer(m_hWnd, kHotTimerId);
  m_hotTimer = false;
  if (m_subclassed) {
    const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
    // Someone subclassed after us: keep our procedure, which forwards through
    // the stored previous procedure once the object is gone.
    if (current == &SkinWindowProc) {
      if (m_unicode)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevProc));
      else
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevProc));
      ::RemovePropW(m_hWnd, kPrevProcProp);
    }
  }
  m_subclassed = false;
  m_hWnd = nullptr;
}

LRESULT CSkinObjectFrame::CallPrevious(UINT msg, WPARAM w, LPARAM l) {
  if (!m_subclassed) return SysDefaultProc(m_hWnd, msg, w, l);
  return m_unicode ? SystemFunctions().CallWindowProcW(m_prevProc, m_hWnd, msg, w, l)
                   : SystemFunctions().CallWindowProcA(m_prevProc, m_hWnd, msg, w, l);
}

LRESULT CALLBACK SkinWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  CSkinObjectFrame* object = SkinObjectFor(hwnd);
  if (!object || !object->IsSubclassed()) {
    auto prev = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kPrevProcProp));
    if (prev) return SystemFunctions().CallWindowProcW(prev, hwnd, msg, w, l);
    return SysDefaultProc(hwnd, msg, w, l);
  }
  try {
    if (msg == WM_NCDESTROY) {
      WNDPROC prev = object->PreviousProc();
      const bool unicode = ::IsWindowUnicode(hwnd) != FALSE;
      SkinDetach(hwnd);
      return unicode ? SystemFunctions().CallWindowProcW(prev, hwnd, msg, w, l)
                     : SystemFunctions().CallWindowProcA(prev, hwnd, msg, w, l);
    }
    if (!SkinEngine::Get().IsEnabled()) return object->CallPrevious(msg, w, l);
    if (!object->IsDefaultOnly() || msg == SkinUpdateStateMessage()) {
      LRESULT result = 0;
      if (object->MessageHook(msg, w, l, result)) return result;
    }
    return object->CallPrevious(msg, w, l);
  } catch (...) {
    return object->CallPrevious(msg, w, l);
  }
}

bool RouteThroughDefault(HWND hwnd, UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  CSkinObjectFrame* object = SkinObjectFor(hwnd);
  if (!object || object->IsSubclassed() || !SkinEngine::Get().IsEnabled()) return false;
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

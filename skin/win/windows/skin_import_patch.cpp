// Import patching: every loaded module's import slots that hold a system
// function of the table are pointed at its replacement, and back again when
// the redirections are removed.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <vector>

#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/windows/skin_redirect.h"

namespace {

CRITICAL_SECTION g_slotLock;
bool g_lockReady = false;
bool g_installed = false;
int g_patched = 0;
int g_activeOptions = 0;

class SlotLocked {
 public:
  SlotLocked() { ::EnterCriticalSection(&g_slotLock); }
  ~SlotLocked() { ::LeaveCriticalSection(&g_slotLock); }
  SlotLocked(const SlotLocked&) = delete;
  SlotLocked& operator=(const SlotLocked&) = delete;
};

bool SlotActive(const RedirectSlotEntry& s) {
  if (!s.replacement || !s.original) return false;
  if (s.group == kRedirectAlways) return true;
  if (s.group == kRedirectVisualStyle) return (g_activeOptions & kApplyColours) != 0;
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

// The system's own modules go on to call visual-style functions the engine
// does not replace, which cannot take the engine's handles.
bool SlotFor(const RedirectSlotEntry& s, bool systemModule) {
  return SlotActive(s) && !(systemModule && s.group == kRedirectVisualStyle);
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

// Points every import slot of `module` that holds a system function at its
// replacement (or, removing, the other way round); the number of slots changed.
int PatchModule(HMODULE module, bool install) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return 0;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return 0;
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress == 0 || dir.Size == 0) return 0;
  const RedirectSlotEntry* slots = RedirectSlots();
  int count = 0;
  const bool systemModule = IsSystemModule(module);
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
       d->Name != 0 && d->FirstThunk != 0; ++d) {
    for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function; ++t) {
      void** slot = reinterpret_cast<void**>(&t->u1.Function);
      for (int i = 0; i < kRedirectSlotCount; ++i) {
        const RedirectSlotEntry& s = slots[i];
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

}  // namespace

void ResolveSystemFunctions() {
  if (!g_lockReady) {
    ::InitializeCriticalSection(&g_slotLock);
    g_lockReady = true;
  }
  RedirectSlots();
}

void InstallSystemRedirections(int applyOptions) {
  ResolveSystemFunctions();
  SlotLocked lock;
  if (!g_installed) {
    g_activeOptions = applyOptions;
    PatchAll(true);
    g_installed = true;
  }
}

void RemoveSystemRedirections() {
  if (!g_lockReady) return;
  SlotLocked lock;
  if (g_installed) {
    PatchAll(false);
    g_installed = false;
    g_patched = 0;
  }
}

void RedirectModule(HMODULE module) {
  if (!g_lockReady || IsSystemCore(module)) return;
  SlotLocked lock;
  if (g_installed) g_patched += PatchModule(module, true);
}

int RedirectedSlotCount() {
  return g_patched;
}

void* ReplacementToHandOut(void* found, const void* caller) {
  if (!g_installed) return nullptr;
  const RedirectSlotEntry* slots = RedirectSlots();
  for (int i = 0; i < kRedirectSlotCount; ++i) {
    const RedirectSlotEntry& s = slots[i];
    if (!SlotActive(s) || found != s.original) continue;
    if (s.group == kRedirectVisualStyle) {
      HMODULE module = nullptr;
      ::GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCWSTR>(caller), &module);
      if (!module || IsSystemModule(module)) return nullptr;
    }
    return s.replacement;
  }
  return nullptr;
}

WNDPROC SystemProcFor(WNDPROC proc) {
  const RedirectSlotEntry* slots = RedirectSlots();
  for (int i = 0; i < kRedirectSlotCount; ++i) {
    const RedirectSlotEntry& s = slots[i];
    if (s.replacement && s.original && s.replacement == reinterpret_cast<void*>(proc))
      return reinterpret_cast<WNDPROC>(s.original);
  }
  return proc;
}

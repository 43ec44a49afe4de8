// The system functions the engine redirects, one row each in slot order (a
// row's place is its slot number). From this one table come the saved system
// functions, their lookup, the declarations of the replacements and the slots
// that import patching walks.
#pragma once
#include <windows.h>

#include <uxtheme.h>

#include "skin/win/skin_engine.h"

// What fills a slot: an apply option, always, or the visual-style functions
// (the colours option; modules of the Windows folder keep the system's).
constexpr int kRedirectAlways = 0;
constexpr int kRedirectVisualStyle = SkinEngine::kColours | 0x100;

// ROW(function, module, group) for a function the engine replaces; KEPT(...)
// for a slot whose function stays the system's.
#define SKIN_REDIRECTIONS(ROW, KEPT)                              \
  ROW(LoadLibraryA, L"kernel32.dll", kRedirectAlways)             \
  ROW(LoadLibraryW, L"kernel32.dll", kRedirectAlways)             \
  ROW(LoadLibraryExA, L"kernel32.dll", kRedirectAlways)           \
  ROW(LoadLibraryExW, L"kernel32.dll", kRedirectAlways)           \
  ROW(GetProcAddress, L"kernel32.dll", kRedirectAlways)           \
  ROW(GetModuleHandleA, L"kernel32.dll", kRedirectAlways)         \
  ROW(RegisterClassA, L"user32.dll", kRedirectAlways)             \
  ROW(RegisterClassW, L"user32.dll", kRedirectAlways)             \
  ROW(GetSysColor, L"user32.dll", SkinEngine::kColours)           \
  ROW(GetSysColorBrush, L"user32.dll", SkinEngine::kColours)      \
  ROW(DrawEdge, L"user32.dll", SkinEngine::kColours)              \
  ROW(DrawFrameControl, L"user32.dll", SkinEngine::kColours)      \
  ROW(SetScrollInfo, L"user32.dll", SkinEngine::kFrame)           \
  ROW(SetScrollPos, L"user32.dll", SkinEngine::kFrame)            \
  ROW(GetScrollInfo, L"user32.dll", SkinEngine::kFrame)           \
  ROW(EnableScrollBar, L"user32.dll", SkinEngine::kFrame)         \
  ROW(OpenThemeData, L"uxtheme.dll", kRedirectVisualStyle)        \
  ROW(DrawThemeBackground, L"uxtheme.dll", kRedirectVisualStyle)  \
  ROW(CloseThemeData, L"uxtheme.dll", kRedirectVisualStyle)       \
  ROW(GetThemeColor, L"uxtheme.dll", kRedirectVisualStyle)        \
  ROW(GetThemeInt, L"uxtheme.dll", kRedirectVisualStyle)          \
  ROW(IsAppThemed, L"uxtheme.dll", kRedirectVisualStyle)          \
  ROW(IsThemeActive, L"uxtheme.dll", kRedirectVisualStyle)        \
  ROW(GetCurrentThemeName, L"uxtheme.dll", kRedirectVisualStyle)  \
  ROW(GetThemeSysBool, L"uxtheme.dll", kRedirectVisualStyle)      \
  ROW(GetThemeSysColor, L"uxtheme.dll", kRedirectVisualStyle)     \
  ROW(GetThemePartSize, L"uxtheme.dll", kRedirectVisualStyle)     \
  ROW(SystemParametersInfoW, L"user32.dll", SkinEngine::kMetrics) \
  ROW(DefWindowProcA, L"user32.dll", kRedirectAlways)             \
  ROW(DefWindowProcW, L"user32.dll", kRedirectAlways)             \
  ROW(DefMDIChildProcA, L"user32.dll", kRedirectAlways)           \
  ROW(DefMDIChildProcW, L"user32.dll", kRedirectAlways)           \
  ROW(DefFrameProcA, L"user32.dll", kRedirectAlways)              \
  ROW(DefFrameProcW, L"user32.dll", kRedirectAlways)              \
  ROW(DefDlgProcA, L"user32.dll", kRedirectAlways)                \
  ROW(DefDlgProcW, L"user32.dll", kRedirectAlways)                \
  ROW(CallWindowProcA, L"user32.dll", kRedirectAlways)            \
  ROW(CallWindowProcW, L"user32.dll", kRedirectAlways)            \
  ROW(CreateThread, L"kernel32.dll", kRedirectAlways)             \
  ROW(FillRect, L"user32.dll", SkinEngine::kColours)              \
  ROW(DeleteObject, L"gdi32.dll", SkinEngine::kColours)           \
  ROW(AdjustWindowRectEx, L"user32.dll", SkinEngine::kMetrics)    \
  ROW(GetSystemMetrics, L"user32.dll", SkinEngine::kMetrics)      \
  ROW(TrackPopupMenu, L"user32.dll", SkinEngine::kMenus)          \
  ROW(TrackPopupMenuEx, L"user32.dll", SkinEngine::kMenus)        \
  ROW(DrawMenuBar, L"user32.dll", SkinEngine::kFrame)

#define SKIN_REDIRECT_IGNORE(function, module, group)

// The engine's replacements, each of its system function's type; defined by
// the file of its concern.
namespace redirected {
#define SKIN_REDIRECT_DECLARE(function, module, group) decltype(::function) function;
SKIN_REDIRECTIONS(SKIN_REDIRECT_DECLARE, SKIN_REDIRECT_IGNORE)
#undef SKIN_REDIRECT_DECLARE
}  // namespace redirected

enum RedirectSlot {
#define SKIN_REDIRECT_SLOT(function, module, group) kSlot##function,
  SKIN_REDIRECTIONS(SKIN_REDIRECT_SLOT, SKIN_REDIRECT_SLOT)
#undef SKIN_REDIRECT_SLOT
      kRedirectSlotCount
};
static_assert(kRedirectSlotCount == 46, "46 redirection slots");
static_assert(kSlotRegisterClassW == 7 && kSlotSystemParametersInfoW == 27 &&
                  kSlotCreateThread == 38 && kSlotGetSystemMetrics == 42 && kSlotDrawMenuBar == 45,
              "the slots keep their numbers");

// The system's own functions, never the replacements: looked up in their
// modules on first use, which comes before any import slot is patched.
struct SystemFunctionTable {
#define SKIN_REDIRECT_FIELD(function, module, group) decltype(&::function) function = nullptr;
  SKIN_REDIRECTIONS(SKIN_REDIRECT_FIELD, SKIN_REDIRECT_FIELD)
#undef SKIN_REDIRECT_FIELD
};
const SystemFunctionTable& SystemFunctions();

// One slot: the system function and the replacement (null where the system's
// stays) that import patching exchanges.
struct RedirectSlotEntry {
  const char* name;
  int group;
  void* original;
  void* replacement;
};
const RedirectSlotEntry* RedirectSlots();  // kRedirectSlotCount entries

// The system room: the system's own functions, saved before the skin points
// anything at its replacements, and the table of those it redirects, one row
// each in slot order (a row's place is its slot number). From this one table
// come the saved system functions, their lookup, the declarations of the
// replacements (skin/win/windows/skin_redirect.h) and the slots that import
// patching walks.
#pragma once
#include <windows.h>

#include <uxtheme.h>

// What the skin is applied to; the engine's options are a set of these.
enum SkinApplyOption { kApplyMetrics = 1, kApplyFrame = 2, kApplyColours = 4, kApplyMenus = 8 };

// What fills a slot: an apply option, always, or the visual-style functions
// (the colours option; modules of the Windows folder keep the system's).
constexpr int kRedirectAlways = 0;
constexpr int kRedirectVisualStyle = kApplyColours | 0x100;

// ROW(function, module, group) for a function the engine replaces; KEPT(...)
// for a slot whose function stays the system's.
#define SKIN_REDIRECTIONS(ROW, KEPT)                             \
  ROW(LoadLibraryA, L"kernel32.dll", kRedirectAlways)            \
  ROW(LoadLibraryW, L"kernel32.dll", kRedirectAlways)            \
  ROW(LoadLibraryExA, L"kernel32.dll", kRedirectAlways)          \
  ROW(LoadLibraryExW, L"kernel32.dll", kRedirectAlways)          \
  ROW(GetProcAddress, L"kernel32.dll", kRedirectAlways)          \
  ROW(GetModuleHandleA, L"kernel32.dll", kRedirectAlways)        \
  ROW(RegisterClassA, L"user32.dll", kRedirectAlways)            \
  ROW(RegisterClassW, L"user32.dll", kRedirectAlways)            \
  ROW(GetSysColor, L"user32.dll", kApplyColours)                 \
  ROW(GetSysColorBrush, L"user32.dll", kApplyColours)            \
  ROW(DrawEdge, L"user32.dll", kApplyColours)                    \
  ROW(DrawFrameControl, L"user32.dll", kApplyColours)            \
  ROW(SetScrollInfo, L"user32.dll", kApplyFrame)                 \
  ROW(SetScrollPos, L"user32.dll", kApplyFrame)                  \
  ROW(GetScrollInfo, L"user32.dll", kApplyFrame)                 \
  ROW(EnableScrollBar, L"user32.dll", kApplyFrame)               \
  ROW(OpenThemeData, L"uxtheme.dll", kRedirectVisualStyle)       \
  ROW(DrawThemeBackground, L"uxtheme.dll", kRedirectVisualStyle) \
  ROW(CloseThemeData, L"uxtheme.dll", kRedirectVisualStyle)      \
  ROW(GetThemeColor, L"uxtheme.dll", kRedirectVisualStyle)       \
  ROW(GetThemeInt, L"uxtheme.dll", kRedirectVisualStyle)         \
  ROW(IsAppThemed, L"uxtheme.dll", kRedirectVisualStyle)         \
  ROW(IsThemeActive, L"uxtheme.dll", kRedirectVisualStyle)       \
  ROW(GetCurrentThemeName, L"uxtheme.dll", kRedirectVisualStyle) \
  ROW(GetThemeSysBool, L"uxtheme.dll", kRedirectVisualStyle)     \
  ROW(GetThemeSysColor, L"uxtheme.dll", kRedirectVisualStyle)    \
  ROW(GetThemePartSize, L"uxtheme.dll", kRedirectVisualStyle)    \
  ROW(SystemParametersInfoW, L"user32.dll", kApplyMetrics)       \
  ROW(DefWindowProcA, L"user32.dll", kRedirectAlways)            \
  ROW(DefWindowProcW, L"user32.dll", kRedirectAlways)            \
  ROW(DefMDIChildProcA, L"user32.dll", kRedirectAlways)          \
  ROW(DefMDIChildProcW, L"user32.dll", kRedirectAlways)          \
  ROW(DefFrameProcA, L"user32.dll", kRedirectAlways)             \
  ROW(DefFrameProcW, L"user32.dll", kRedirectAlways)             \
  ROW(DefDlgProcA, L"user32.dll", kRedirectAlways)               \
  ROW(DefDlgProcW, L"user32.dll", kRedirectAlways)               \
  ROW(CallWindowProcA, L"user32.dll", kRedirectAlways)           \
  ROW(CallWindowProcW, L"user32.dll", kRedirectAlways)           \
  ROW(CreateThread, L"kernel32.dll", kRedirectAlways)            \
  ROW(FillRect, L"user32.dll", kApplyColours)                    \
  ROW(DeleteObject, L"gdi32.dll", kApplyColours)                 \
  ROW(AdjustWindowRectEx, L"user32.dll", kApplyMetrics)          \
  ROW(GetSystemMetrics, L"user32.dll", kApplyMetrics)            \
  ROW(TrackPopupMenu, L"user32.dll", kApplyMenus)                \
  ROW(TrackPopupMenuEx, L"user32.dll", kApplyMenus)              \
  ROW(DrawMenuBar, L"user32.dll", kApplyFrame)

#define SKIN_REDIRECT_IGNORE(function, module, group)

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

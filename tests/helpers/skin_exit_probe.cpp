// Loads the theme named on the command line, makes a skinned window, and
// checks once the engine is gone at exit that the window has its own
// procedure back and that a window made then gets no skin object. Exit code
// 0 when both held, 3 when not, 2 when the theme did not load, 4 when the
// window was not skinned to begin with.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "skin/win/engine/skin_engine.h"
#include "skin/win/objects/skin_object.h"
#include "skin/win/windows/skin_windows.h"

namespace {

HWND g_window = nullptr;

WNDPROC ProcOf(HWND hwnd) {
  return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

// Made before the engine, so destroyed after it.
struct AfterTheEngine {
  ~AfterTheEngine() {
    if (!g_window) return;
    int failures = 0;
    if (ProcOf(g_window) == &SkinWindowProc) {
      std::puts("the window still runs through the engine");
      ++failures;
    }
    HWND later = ::CreateWindowExW(0, L"Button", L"later", WS_POPUP | WS_VISIBLE, 0, 0, 60, 20,
                                   nullptr, nullptr, nullptr, nullptr);
    if (later && ProcOf(later) == &SkinWindowProc) {
      std::puts("a window made after the engine went was skinned");
      ++failures;
    }
    // Both still answer and paint.
    ::SendMessageW(g_window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"after"));
    ::RedrawWindow(g_window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    if (later) ::DestroyWindow(later);
    ::DestroyWindow(g_window);
    std::fflush(stdout);
    ::ExitProcess(failures ? 3 : 0);
  }
} g_after;

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argc < 2) return 2;
  const std::wstring theme = argv[1];
  ::LocalFree(argv);
  if (!SkinEngine::Get().LoadTheme(std::u16string(theme.begin(), theme.end()), u"NormalBlack2.ini"))
    return 2;
  g_window = ::CreateWindowExW(0, L"Button", L"probe", WS_POPUP | WS_VISIBLE, 0, 0, 60, 20, nullptr,
                               nullptr, nullptr, nullptr);
  if (!g_window || ProcOf(g_window) != &SkinWindowProc) {
    g_window = nullptr;
    return 4;
  }
  return 0;
}

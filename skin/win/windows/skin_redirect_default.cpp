// Default-procedure routing: the redirected default window procedures (and
// CallWindowProc into the system's procedures) give a window's skin object
// the first chance at a message, then run the procedure they stand for. Class
// registration keeps the system's procedures, never the replacements.
#include <windows.h>

#include "skin/win/objects/skin_object.h"
#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/windows/skin_redirect.h"
#include "skin/win/windows/skin_windows.h"

namespace {

// What the default procedure of the redirected call in progress on this
// thread is, so an object's hook can pass a message on to it.
struct DefaultCall {
  enum Kind { kNone, kPlain, kFrame, kCallProc } kind = kNone;
  WNDPROC proc = nullptr;  // kPlain: the system's default procedure; kCallProc: the one called
  bool ansi = false;
  HWND client = nullptr;  // kFrame: the MDI client
};
thread_local DefaultCall t_default;

LRESULT CallDefault(const DefaultCall& c, HWND h, UINT m, WPARAM w, LPARAM l) {
  const SystemFunctionTable& sys = SystemFunctions();
  switch (c.kind) {
    case DefaultCall::kFrame:
      return (c.ansi ? sys.DefFrameProcA : sys.DefFrameProcW)(h, c.client, m, w, l);
    case DefaultCall::kCallProc:
      return c.ansi ? sys.CallWindowProcA(c.proc, h, m, w, l)
                    : sys.CallWindowProcW(c.proc, h, m, w, l);
    default:
      return c.proc(h, m, w, l);
  }
}

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

LRESULT Plain(WNDPROC proc, HWND h, UINT m, WPARAM w, LPARAM l) {
  DefaultCall c;
  c.kind = DefaultCall::kPlain;
  c.proc = proc;
  return WithDefault(c, h, m, w, l);
}

LRESULT Frame(bool ansi, HWND h, HWND client, UINT m, WPARAM w, LPARAM l) {
  DefaultCall c;
  c.kind = DefaultCall::kFrame;
  c.ansi = ansi;
  c.client = client;
  return WithDefault(c, h, m, w, l);
}

// A message passed on to a procedure of the system's window modules reaches
// the system's drawing, so the object sees it first; a call into any other
// procedure is the application's own chain and goes through untouched.
LRESULT CallProc(bool ansi, WNDPROC proc, HWND h, UINT m, WPARAM w, LPARAM l) {
  try {
    // A redirected function: no context but the one engine's theme.
    if (proc && SkinEnabled() && IsSystemProcedure(proc)) {
      DefaultCall c;
      c.kind = DefaultCall::kCallProc;
      c.proc = proc;
      c.ansi = ansi;
      return WithDefault(c, h, m, w, l);
    }
  } catch (...) {
  }
  const SystemFunctionTable& sys = SystemFunctions();
  return ansi ? sys.CallWindowProcA(proc, h, m, w, l) : sys.CallWindowProcW(proc, h, m, w, l);
}

}  // namespace

LRESULT SysDefaultProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (t_default.kind != DefaultCall::kNone) return CallDefault(t_default, hwnd, msg, w, l);
  return SystemFunctions().DefWindowProcW(hwnd, msg, w, l);
}

LRESULT WINAPI redirected::DefWindowProcW(HWND h, UINT m, WPARAM w, LPARAM l) {
  return Plain(SystemFunctions().DefWindowProcW, h, m, w, l);
}
LRESULT WINAPI redirected::DefWindowProcA(HWND h, UINT m, WPARAM w, LPARAM l) {
  return Plain(SystemFunctions().DefWindowProcA, h, m, w, l);
}
LRESULT WINAPI redirected::DefDlgProcW(HWND h, UINT m, WPARAM w, LPARAM l) {
  return Plain(SystemFunctions().DefDlgProcW, h, m, w, l);
}
LRESULT WINAPI redirected::DefDlgProcA(HWND h, UINT m, WPARAM w, LPARAM l) {
  return Plain(SystemFunctions().DefDlgProcA, h, m, w, l);
}
LRESULT WINAPI redirected::DefMDIChildProcW(HWND h, UINT m, WPARAM w, LPARAM l) {
  return Plain(SystemFunctions().DefMDIChildProcW, h, m, w, l);
}
LRESULT WINAPI redirected::DefMDIChildProcA(HWND h, UINT m, WPARAM w, LPARAM l) {
  return Plain(SystemFunctions().DefMDIChildProcA, h, m, w, l);
}
LRESULT WINAPI redirected::DefFrameProcW(HWND h, HWND client, UINT m, WPARAM w, LPARAM l) {
  return Frame(false, h, client, m, w, l);
}
LRESULT WINAPI redirected::DefFrameProcA(HWND h, HWND client, UINT m, WPARAM w, LPARAM l) {
  return Frame(true, h, client, m, w, l);
}
LRESULT WINAPI redirected::CallWindowProcW(WNDPROC proc, HWND h, UINT m, WPARAM w, LPARAM l) {
  return CallProc(false, proc, h, m, w, l);
}
LRESULT WINAPI redirected::CallWindowProcA(WNDPROC proc, HWND h, UINT m, WPARAM w, LPARAM l) {
  return CallProc(true, proc, h, m, w, l);
}

// A class must not keep a replacement as its procedure: the class outlives
// the redirections.
ATOM WINAPI redirected::RegisterClassW(const WNDCLASSW* wc) {
  if (!wc) return SystemFunctions().RegisterClassW(wc);
  WNDCLASSW copy = *wc;
  copy.lpfnWndProc = SystemProcFor(wc->lpfnWndProc);
  return SystemFunctions().RegisterClassW(&copy);
}
ATOM WINAPI redirected::RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return SystemFunctions().RegisterClassA(wc);
  WNDCLASSA copy = *wc;
  copy.lpfnWndProc = SystemProcFor(wc->lpfnWndProc);
  return SystemFunctions().RegisterClassA(&copy);
}

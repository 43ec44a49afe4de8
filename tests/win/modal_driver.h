// Runs a modal loop (a dialog, a message box) on the test's thread while
// another thread acts on its windows, the way a user would from outside.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "tests/win/program_harness.h"

namespace modal_driver {
inline BOOL CALLBACK PressOk(HWND hwnd, LPARAM) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = {0};
  ::GetClassNameW(hwnd, cls, 16);
  if (pid == ::GetCurrentProcessId() && std::wstring(cls) == L"#32770" && ::IsWindowVisible(hwnd))
    ::PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
  return TRUE;
}
}  // namespace modal_driver

// Runs `drive` on a second thread while `modal` runs here; returns after both.
// When `drive` leaves the modal loop running (a failed check), the dialogs of
// this process are sent OK until it ends, so a failure cannot hang the run.
inline void RunDriven(const std::function<void()>& modal, const std::function<void()>& drive) {
  std::atomic<bool> done{false};
  std::thread driver([&] {
    drive();
    const DWORD start = ::GetTickCount();
    while (!done) {
      ::Sleep(100);
      if (::GetTickCount() - start > 5000) ::EnumWindows(modal_driver::PressOk, 0);
    }
  });
  modal();
  done = true;
  driver.join();
}

// A dialog of this process with that caption, waiting up to timeoutMs.
inline HWND OwnDialog(const std::wstring& caption, DWORD timeoutMs = 10000) {
  return WaitForDialog(::GetCurrentProcessId(), caption, timeoutMs);
}

// The caption of this program's message boxes: its file name without extension.
inline std::wstring MessageBoxCaption() {
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, n);
  name = name.substr(name.find_last_of(L'\\') + 1);
  return name.substr(0, name.find_last_of(L'.'));
}

// Handles this thread's messages until `pred` holds; false on timeout.
template <typename Pred>
bool PumpUntil(Pred pred, DWORD timeoutMs = 20000) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (pred()) return true;
    if (::GetTickCount() - start > timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Handles this thread's messages for a while (timers, paints).
inline void PumpMessages(DWORD ms) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < ms) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(10);
  }
}

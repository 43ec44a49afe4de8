#include "convert/win/when_done_actions.h"

#include <windows.h>

namespace {

// Sleep and shut down need the privilege that a user's token holds but has
// not switched on.
void EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return;
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
    ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  ::CloseHandle(token);
}

}  // namespace

void CSystemActions::PlayChime() {
  ::MessageBeep(MB_ICONINFORMATION);
}

void CSystemActions::GoToSleep() {
  EnableShutdownPrivilege();
  // Looked up when needed: the power library is not there on every system.
  using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
  HMODULE power = ::LoadLibraryW(L"powrprof.dll");
  if (!power) return;
  const auto suspend = reinterpret_cast<SetSuspendStateFn>(
      reinterpret_cast<void*>(::GetProcAddress(power, "SetSuspendState")));
  if (suspend) suspend(FALSE, FALSE, FALSE);
  ::FreeLibrary(power);
}

void CSystemActions::ShutDown() {
  EnableShutdownPrivilege();
  ::ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF,
                  SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_FLAG_PLANNED);
}

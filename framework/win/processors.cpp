#include "framework/win/processors.h"

#include <windows.h>

int LogicalProcessors() {
  // Beyond 64 processors the system info counts only the program's own group.
  const DWORD all = ::GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
  if (all > 0) return int(all);
  SYSTEM_INFO info;
  ::GetNativeSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? int(info.dwNumberOfProcessors) : 1;
}

// The framework's private window messages.
#pragma once
#include <windows.h>

// Sent by a wizard page to its parent whenever IsBusy changes its answer.
constexpr UINT WM_PAGE_BUSY_CHANGED = WM_APP + 1;

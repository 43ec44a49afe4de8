// The private window messages of app/.
#pragma once
#include <windows.h>

// Posted to the input page when a file search has ended, found everything or
// cancelled.
constexpr UINT WM_SEARCH_DONE = WM_APP + 20;

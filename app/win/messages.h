// The private window messages of app/.
#pragma once
#include <windows.h>

// Posted to the input page when a file search has ended, found everything or
// cancelled.
constexpr UINT WM_SEARCH_DONE = WM_APP + 20;
// Posted to the input page when the details of files have come in; one at a time.
constexpr UINT WM_DETAILS_NEWS = WM_APP + 21;

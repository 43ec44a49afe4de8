// The private window messages of convert/.
#pragma once
#include <windows.h>

// Posted by the conversion worker when its run has ended.
constexpr UINT WM_CONVERT_FINISHED = WM_USER + 1233;
// Posted by the result page: run the failed files again.
constexpr UINT WM_RETRY_FAILED = WM_USER + 1234;
static_assert(WM_CONVERT_FINISHED == 2257 && WM_RETRY_FAILED == 2258,
              "the messages keep their values");

// Posted to the converting page when its run has news.
constexpr UINT WM_RUN_NEWS = WM_APP + 30;
// Posted to the converting page after the run's end, once the result page shows.
constexpr UINT WM_RUN_COUNTDOWN = WM_APP + 31;

// Files opened with the program end up in one window: the system starts one
// process per file, and every start after the first hands its files to the
// window of the first and ends. A copy of the program elsewhere, with
// settings of its own beside it, keeps a window of its own.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The files and folders of the command line, made full against the current
// folder; empty when there are none.
std::vector<std::u16string> CommandLinePaths();

// With paths, hands them to the window of an earlier start and returns true
// (this start ends); otherwise this start becomes the one later starts hand
// to, and false. Without paths it only tries to become that one.
bool HandToRunningWindow(const std::vector<std::u16string>& paths);

// Marks the window that later starts hand their files to.
void MarkReceivingWindow(HWND window);

// The paths a WM_COPYDATA message of a later start carries; false for a
// message that is not one.
bool HandedPaths(LPARAM copyData, std::vector<std::u16string>& paths);

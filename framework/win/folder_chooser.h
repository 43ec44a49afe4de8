// The system's folder chooser, offering file-system folders only.
#pragma once
#include <windows.h>

#include <string>

// True when the user picked a folder; `folder` is then its full path as the
// system gives it (a drive root keeps its backslash), however long.
bool ChooseFolder(HWND owner, const std::u16string& title, std::u16string& folder);

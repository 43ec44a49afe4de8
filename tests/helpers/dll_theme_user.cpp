// A module that uses the visual-style functions and the system colours
// through its own imports, to show which of them the skin engine redirects
// depending on where the module was loaded from.
#include <windows.h>

#include <uxtheme.h>

extern "C" __declspec(dllexport) HTHEME OpenButtonTheme() {
  return ::OpenThemeData(nullptr, L"Button");
}

extern "C" __declspec(dllexport) DWORD ButtonFaceColor() {
  return ::GetSysColor(COLOR_BTNFACE);
}

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "program/win/vidmorph_app.h"

namespace {
CVidmorphApp theApp;
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  theApp.InitInstance();
  return 0;
}

// A DLL whose name no system DLL has, so that where it is found from shows
// which folders the loader searched.
#include <windows.h>

extern "C" __declspec(dllexport) int CwdMarker() {
  return 42;
}

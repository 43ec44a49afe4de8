// The side component the program asks to unregister itself at exit. It
// registers nothing, so unregistering always succeeds.
#include <windows.h>

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  return S_OK;
}

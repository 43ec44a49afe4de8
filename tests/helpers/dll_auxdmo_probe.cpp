// Stands in for the side component in tests: unregistering leaves a marker
// file beside the DLL, so a test can see that the program called it.
#include <windows.h>

#include <string>

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  HMODULE self = nullptr;
  ::GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&DllUnregisterServer), &self);
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(self, path, MAX_PATH);
  std::wstring marker(path, n);
  marker = marker.substr(0, marker.find_last_of(L'\\') + 1) + L"auxdmo-unregistered.txt";
  HANDLE h = ::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  return S_OK;
}

#include "program/win/window_handover.h"

#include <shellapi.h>

#include <cstdint>

#include "app/app_state.h"
#include "app/input_files.h"
#include "framework/win/dialog.h"
#include "framework/win/wide.h"

namespace {

constexpr ULONG_PTR kPathsTag = 0x564D5041;  // "VMPA"
// How long a start waits for the first one's window, which may still be
// asking for a language.
constexpr ULONGLONG kWaitForWindowMs = 60000;
constexpr UINT kHandOverMs = 10000;

// A name of this copy of the program alone: its folder holds its settings.
std::wstring NameOfThisCopy(const wchar_t* kind) {
  uint64_t hash = 14695981039346656037ull;
  for (char16_t c : ModulePath()) {
    hash ^= uint64_t(FoldedLetter(c));
    hash *= 1099511628211ull;
  }
  wchar_t text[64];
  ::wsprintfW(text, L"Vidmorph.%s.%08lx%08lx", kind, static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFF));
  return text;
}

HANDLE g_claim = nullptr;
bool g_claimed = false;  // held for the life of the process by the receiving start

// True when this start holds the claim, now or once its holder is gone.
bool Claim(DWORD waitMs) {
  if (!g_claim) g_claim = ::CreateMutexW(nullptr, FALSE, NameOfThisCopy(L"Start").c_str());
  if (!g_claim) return false;
  const DWORD got = ::WaitForSingleObject(g_claim, waitMs);
  g_claimed = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
  return g_claimed;
}

BOOL CALLBACK FindReceiver(HWND window, LPARAM found) {
  if (!::GetPropW(window, NameOfThisCopy(L"Window").c_str())) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

bool HandTo(HWND window, const std::vector<std::u16string>& paths) {
  std::u16string block;
  for (const std::u16string& path : paths) block += path + u'\0';
  COPYDATASTRUCT data{kPathsTag, DWORD(block.size() * sizeof(char16_t)), &block[0]};
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  // The start the user made may bring the window it hands to forward.
  ::AllowSetForegroundWindow(pid);
  DWORD_PTR answer = 0;
  return ::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                               kHandOverMs, &answer) &&
         answer == TRUE;
}

}  // namespace

std::vector<std::u16string> CommandLinePaths() {
  std::vector<std::u16string> paths;
  int count = 0;
  LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!args) return paths;
  for (int i = 1; i < count; ++i) {
    wchar_t full[32768];
    const DWORD n = ::GetFullPathNameW(args[i], 32768, full, nullptr);
    paths.push_back(n > 0 && n < 32768 ? U(full, n) : U(args[i]));
  }
  ::LocalFree(args);
  return paths;
}

bool HandToRunningWindow(const std::vector<std::u16string>& paths) {
  if (Claim(0) || paths.empty()) return false;
  const ULONGLONG until = ::GetTickCount64() + kWaitForWindowMs;
  do {
    HWND window = nullptr;
    ::EnumWindows(FindReceiver, reinterpret_cast<LPARAM>(&window));
    if (window && HandTo(window, paths)) return true;
    // The first start may have ended meanwhile: then this one is the first.
    if (Claim(100)) return false;
  } while (::GetTickCount64() < until);
  return false;
}

void MarkReceivingWindow(HWND window) {
  if (g_claimed) ::SetPropW(window, NameOfThisCopy(L"Window").c_str(), reinterpret_cast<HANDLE>(1));
}

bool HandedPaths(LPARAM copyData, std::vector<std::u16string>& paths) {
  const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
  if (!data || data->dwData != kPathsTag || data->cbData % sizeof(char16_t) != 0) return false;
  const char16_t* text = static_cast<const char16_t*>(data->lpData);
  const size_t length = data->cbData / sizeof(char16_t);
  paths.clear();
  size_t start = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] != u'\0') continue;
    if (i > start) paths.emplace_back(text + start, i - start);
    start = i + 1;
  }
  return true;
}

// What loading the theme adds to start-up: the program started from a folder
// with its theme file against a folder without one, alternating run by run
// so both see the same machine load, timed from process start to the wizard
// window being visible. Also times loading the theme within this process.
// Usage: bench_theme_startup [runs per kind]; the program and theme are taken
// from <exe dir>\..\..\app\.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/product_info.h"
#include "skin/win/engine/skin_engine.h"

namespace {

using Clock = std::chrono::steady_clock;

std::wstring ExeDir() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindWizard(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t text[64] = {};
  if (pid == s->pid && IsWindowVisible(hwnd) && GetWindowTextW(hwnd, text, 64) > 0 &&
      std::wstring(text) == reinterpret_cast<const wchar_t*>(product::kName)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from start to the visible wizard, or -1; the program is closed after.
double TimeStartup(const std::wstring& exe, const std::wstring& folder) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  std::wstring line = L"\"" + exe + L"\"";
  const Clock::time_point start = Clock::now();
  if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info)) {
    return -1;
  }
  Search search = {info.dwProcessId, nullptr};
  double elapsed = -1;
  while (Ms(Clock::now() - start) < 30000) {
    EnumWindows(FindWizard, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      elapsed = Ms(Clock::now() - start);
      break;
    }
    Sleep(2);
  }
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 15000) != WAIT_OBJECT_0)
    TerminateProcess(info.hProcess, 1);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return elapsed;
}

bool Prepare(const std::wstring& folder, const std::wstring& app, bool withTheme) {
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW((folder + L"Option.dat").c_str());
  if (!CopyFileW((app + L"Vidmorph.exe").c_str(), (folder + L"Vidmorph.exe").c_str(), FALSE)) {
    return false;
  }
  // With a language chosen the wizard comes without the Language dialog first.
  const std::wstring languages = folder + L"mlg.txt";
  CopyFileW((app + L"mlg.txt").c_str(), languages.c_str(), FALSE);
  if (!WritePrivateProfileStringW(L"mlg", L"curlg", L"0", languages.c_str())) return false;
  if (!withTheme) return true;
  return CopyFileW((app + L"Vista.skinstyles").c_str(), (folder + L"Vista.skinstyles").c_str(),
                   FALSE) != FALSE;
}

void RemoveFolder(const std::wstring& folder) {
  for (const wchar_t* name : {L"Vidmorph.exe", L"Vista.skinstyles", L"Option.dat", L"mlg.txt"}) {
    DeleteFileW((folder + name).c_str());
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
  LocalFree(argv);
  const std::wstring app = ExeDir() + L"..\\..\\app\\";

  // In-process load of the shipped theme: the first load, then repeated ones.
  SkinEngine& engine = SkinEngine::Get();
  const std::wstring themePath = app + L"Vista.skinstyles";
  const std::u16string theme(themePath.begin(), themePath.end());
  std::vector<double> loads;
  for (int i = 0; i < 20; ++i) {
    const Clock::time_point t = Clock::now();
    if (!engine.LoadTheme(theme, u"NormalBlack2.ini")) {
      std::fwprintf(stderr, L"cannot load %ls\n", themePath.c_str());
      return 2;
    }
    loads.push_back(Ms(Clock::now() - t));
  }
  std::wprintf(L"theme load: first %.2f ms, median of 20 %.2f ms\n", loads[0], Median(loads));

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring base =
      std::wstring(temp) + L"vm_theme_bench_" + std::to_wstring(GetCurrentProcessId());
  const std::wstring with = base + L"_with\\", without = base + L"_without\\";
  if (!Prepare(with, app, true) || !Prepare(without, app, false)) {
    std::fwprintf(stderr, L"cannot copy the program from %ls\n", app.c_str());
    return 2;
  }
  // One unmeasured start of each warms the file cache and the system.
  TimeStartup(with + L"Vidmorph.exe", with);
  TimeStartup(without + L"Vidmorph.exe", without);
  std::vector<double> themed, plain;
  for (int i = 0; i < runs; ++i) {
    // Which kind goes first alternates too.
    double a = 0, b = 0;
    if (i % 2 == 0) a = TimeStartup(with + L"Vidmorph.exe", with);
    b = TimeStartup(without + L"Vidmorph.exe", without);
    if (i % 2 == 1) a = TimeStartup(with + L"Vidmorph.exe", with);
    if (a < 0 || b < 0) {
      std::fwprintf(stderr, L"the wizard did not appear\n");
      return 1;
    }
    themed.push_back(a);
    plain.push_back(b);
  }
  RemoveFolder(with);
  RemoveFolder(without);
  // Each pair ran back to back under much the same load, so the median of the
  // pairs' ratios is the steadiest figure on a busy machine.
  std::vector<double> pairs;
  for (int i = 0; i < runs; ++i) pairs.push_back(themed[i] / plain[i]);
  const double ratio = Median(pairs);
  const auto low = [](const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
  };
  const auto high = [](const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
  };
  std::wprintf(
      L"start-up to the wizard, median of %d: with theme %.1f ms (%.1f to %.1f), "
      L"without %.1f ms (%.1f to %.1f)\n",
      runs, Median(themed), low(themed), high(themed), Median(plain), low(plain), high(plain));
  std::wprintf(L"ratio of medians %.3f, of fastest runs %.3f\n", Median(themed) / Median(plain),
               low(themed) / low(plain));
  std::wprintf(L"ratio (median of paired runs) %.3f (goal <= 1.2): %ls\n", ratio,
               ratio <= 1.2 ? L"met" : L"missed");
  return ratio <= 1.2 ? 0 : 1;
}

#include "tests/win/convert_driver.h"

// after windows.h
#include <tlhelp32.h>

#include "framework/archive.h"
#include "resources/resource.h"

ConvertDriver::ConvertDriver(const std::wstring& buildDir)
    : in(dir.Path() + L"in\\"), out(dir.Path() + L"out\\"), m_buildDir(buildDir) {
  ::CreateDirectoryW(in.c_str(), nullptr);
  ::CreateDirectoryW(out.c_str(), nullptr);
}

bool ConvertDriver::WriteScript(const std::wstring& name, const std::string& script) const {
  return WriteBytes(in + name, std::vector<uint8_t>(script.begin(), script.end()));
}

bool ConvertDriver::Start(const std::function<void(APP_STATE&)>& edit) {
  if (!CopyInto(m_buildDir + L"..\\app\\Vidmorph.exe", dir.Path()) ||
      !CopyInto(m_buildDir + L"helpers\\fake_encoder.exe", dir.Path(), L"ffmpeg.exe"))
    return false;
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  s.g_bUseTempFolder = 0;
  s.g_strOutputFolder.assign(out.begin(), out.end());
  s.g_nTaskAvi = 1;  // audio task: MP3 is the first profile
  if (edit) edit(s);
  Archive ar;
  SerializeSettings(ar, s);
  if (!WriteBytes(dir.Path() + L"Option.dat", ar.Bytes())) return false;
  if (StoreRunSettings(s.g_runSettings) != StoreRunSettings(RUN_SETTINGS()) &&
      !WriteBytes(dir.Path() + L"Vidmorph.ini", StoreRunSettings(s.g_runSettings)))
    return false;
  prog.reset(new RunningProgram(dir.Path() + L"Vidmorph.exe"));
  main = prog->WaitForWindow(L"Ostrel AVI Converter");
  return main != nullptr;
}

HWND ConvertDriver::Press(int button, int idOnPage, DWORD timeoutMs) const {
  ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  return WaitForPage(idOnPage, timeoutMs);
}

HWND ConvertDriver::WaitForPage(int idOnPage, DWORD timeoutMs) const {
  HWND page = nullptr;
  WaitUntil([&] { return (page = VisiblePageWith(main, idOnPage)) != nullptr; }, timeoutMs);
  return page;
}

HWND ConvertDriver::ToOutputPageAdding(const std::function<bool(HWND input)>& add, size_t count) {
  HWND input = Press(IDC_BTN_NEXT, IDC_INPUT_NAMES);
  if (!input || !add(input) ||
      !WaitUntil([&] { return ListRows(::GetDlgItem(input, IDC_INPUT_PATHS)).size() == count; }))
    return nullptr;
  return Press(IDC_BTN_NEXT, IDC_OUT_PROFILE);
}

HWND ConvertDriver::ToOutputPage(const std::wstring& names, size_t count) {
  return ToOutputPageAdding(
      [&](HWND input) { return AddThroughFileDialog(prog->Pid(), input, in, names); }, count);
}

HWND ConvertDriver::FoldersToOutputPage(const std::vector<std::wstring>& folders, size_t count) {
  return ToOutputPageAdding(
      [&](HWND input) {
        for (const std::wstring& folder : folders) {
          const size_t before = ListRows(::GetDlgItem(input, IDC_INPUT_PATHS)).size();
          if (!AddThroughFolderChooser(prog->Pid(), input, folder)) return false;
          // One add at a time: the next waits for this one's files.
          if (!WaitUntil([&] {
                return ListRows(::GetDlgItem(input, IDC_INPUT_PATHS)).size() > before &&
                       ::IsWindowEnabled(::GetDlgItem(input, IDC_INPUT_ADD_FOLDER));
              }))
            return false;
        }
        return true;
      },
      count);
}

HWND ConvertDriver::ToConvertingPage(const std::wstring& names, size_t count) {
  return ToOutputPage(names, count) ? StartRun() : nullptr;
}

HWND ConvertDriver::RunAgain() {
  return Press(IDC_BTN_PREV, IDC_OUT_PROFILE) ? StartRun() : nullptr;
}

HWND ConvertDriver::StartRun() {
  ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_BTN_NEXT, BN_CLICKED), 0);
  // A short run may show the result page before a look at the converting page.
  if (!WaitUntil([&] {
        return VisiblePageWith(main, IDC_CONV_CANCEL) || VisiblePageWith(main, IDC_RES_TOTAL);
      }))
    return nullptr;
  // No other page has a control of this id.
  converting = PageWith(main, IDC_CONV_COUNT);
  return converting;
}

std::vector<std::wstring> ConvertDriver::Log() const {
  return ListRows(::GetDlgItem(converting, IDC_CONV_LOG));
}

std::wstring ConvertDriver::ConvertingText(int id) const {
  return WindowText(::GetDlgItem(converting, id));
}

int ProcessesNamed(const wchar_t* exeName) {
  int n = 0;
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W e{};
  e.dwSize = sizeof(e);
  for (BOOL ok = ::Process32FirstW(snap, &e); ok; ok = ::Process32NextW(snap, &e))
    if (_wcsicmp(e.szExeFile, exeName) == 0) ++n;
  ::CloseHandle(snap);
  return n;
}

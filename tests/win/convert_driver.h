// Drives the real program through conversion runs with the stand-in encoder as
// its ffmpeg.exe, from a scratch folder with the subfolders in\ and out\.
// Shared by the run tests and the benchmarks, so it reports instead of asserting.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "tests/win/program_harness.h"

class ConvertDriver {
 public:
  // `buildDir` is the Windows build folder, which holds app\'s sibling helpers\.
  explicit ConvertDriver(const std::wstring& buildDir = TestExeDir());

  // Writes a stand-in script as the input file in\NAME (see fake_encoder.cpp).
  bool WriteScript(const std::wstring& name, const std::string& script) const;
  // Copies the program and the stand-in, writes Option.dat (audio task, so MP3
  // is the profile; no temp folder; out\ as the output folder) after `edit` has
  // changed it, and Vidmorph.ini when the edit changes its settings, and
  // starts the program.
  bool Start(const std::function<void(APP_STATE&)>& edit = nullptr);
  // Presses a wizard button and waits until the page holding `idOnPage` shows.
  HWND Press(int button, int idOnPage, DWORD timeoutMs = 5000) const;
  // From the task page to the output page with these files of in\ (one
  // name, or several each in double quotes).
  HWND ToOutputPage(const std::wstring& names, size_t count);
  // The same with these folders added one after the other through Add
  // Folder and the real chooser, `count` files in all.
  HWND FoldersToOutputPage(const std::vector<std::wstring>& folders, size_t count);
  // Next on the output page: the converting page once the run has begun.
  HWND StartRun();
  // From the task page to a run of these files of in\ (one name, or several
  // each in double quotes): the converting page once the run has begun, or
  // null when a step did not come.
  HWND ToConvertingPage(const std::wstring& names, size_t count);
  // From the result page, the same run again.
  HWND RunAgain();
  // The page holding `idOnPage` once it shows, or null after timeoutMs.
  HWND WaitForPage(int idOnPage, DWORD timeoutMs) const;
  std::vector<std::wstring> Log() const;
  std::wstring ConvertingText(int id) const;

  ScratchDir dir;
  std::wstring in, out;
  std::unique_ptr<RunningProgram> prog;
  HWND main = nullptr;
  HWND converting = nullptr;

 private:
  // From the task page to the output page once `add` has filled the input list.
  HWND ToOutputPageAdding(const std::function<bool(HWND input)>& add, size_t count);

  std::wstring m_buildDir;
};

// Running processes of this executable name, whoever started them.
int ProcessesNamed(const wchar_t* exeName);

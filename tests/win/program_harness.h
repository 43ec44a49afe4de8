// Starts the real program from a scratch folder and finds its windows, for
// black-box tests that drive it the way a person would.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Folder of the running test executable, with a trailing backslash.
std::wstring TestExeDir();
// The build's application folder (<test exe dir>\..\app\).
std::wstring AppDir();
// The test helpers' folder (<test exe dir>\helpers\).
std::wstring HelpersDir();

// A fresh, empty folder under the temporary folder; removed by the destructor.
class ScratchDir {
public:
  ScratchDir();
  ~ScratchDir();
  const std::wstring& Path() const { return m_path; }  // ends with a backslash
private:
  std::wstring m_path;
};

bool CopyInto(const std::wstring& source, const std::wstring& folder, const wchar_t* newName = nullptr);
std::vector<uint8_t> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::wstring& path);

class RunningProgram {
public:
  // Starts exePath with its own folder as the current folder.
  explicit RunningProgram(const std::wstring& exePath);
  ~RunningProgram();  // kills the process if it still runs

  bool Started() const { return m_pi.hProcess != nullptr; }
  DWORD Pid() const { return m_pi.dwProcessId; }
  // The process's visible top-level window with this caption, waiting up to timeoutMs.
  HWND WaitForWindow(const std::wstring& caption, DWORD timeoutMs = 30000) const;
  bool WaitForExit(DWORD timeoutMs = 15000) const;

private:
  PROCESS_INFORMATION m_pi{};
};

std::wstring WindowText(HWND hwnd);

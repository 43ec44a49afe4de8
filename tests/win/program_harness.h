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

bool CopyInto(const std::wstring& source, const std::wstring& folder,
              const wchar_t* newName = nullptr);
std::vector<uint8_t> ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::wstring& path);

// Writes mlg.txt into `folder` (ending with a backslash) with language `index`
// already chosen, so that the program starts without asking for a language:
// the build's language packs, or a file holding only the choice when the build
// has none. False when it could not be written.
bool InstallLanguageFile(const std::wstring& folder, int index = 0);

// Runs a command line hidden with its output thrown away and waits for it;
// the exit code, or -1 when it could not start.
long RunHidden(const std::wstring& commandLine);

class RunningProgram {
 public:
  // Starts exePath with its own folder as the current folder. Unless
  // `askLanguage` is set, a folder without mlg.txt first gets one with English
  // chosen (InstallLanguageFile), since the Language dialog would otherwise
  // come before the wizard.
  explicit RunningProgram(const std::wstring& exePath, bool askLanguage = false);
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

// Visible child dialog of `main` that holds a control with this id, or null.
HWND VisiblePageWith(HWND main, int controlId);
// A top-level window of the process with this caption that appeared after
// the call started (message boxes, file dialogs), waiting up to timeoutMs.
HWND WaitForDialog(DWORD pid, const std::wstring& caption, DWORD timeoutMs = 15000);
// The text of the first static control of a message box.
std::wstring MessageBoxText(HWND box);
// Clicks a button the way the system does on a mouse click, without waiting.
void ClickButton(HWND button);
// Real pointer input at a screen point: a move, with `flags` (button presses) added.
void SendMouse(DWORD flags, int x, int y);
// Waits until `pred` holds, polling; false on timeout.
template <typename Pred>
bool WaitUntil(Pred pred, DWORD timeoutMs = 10000) {
  const DWORD start = ::GetTickCount();
  while (!pred()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(50);
  }
  return true;
}
// The first visible descendant window of this class, or null.
HWND FindDescendant(HWND parent, const std::wstring& className);
// The rows of a list box in another process.
std::vector<std::wstring> ListRows(HWND list);
// Adds files through the input page's real file dialog: the folder first,
// then the names (one name, or several each in double quotes). False when
// the dialog did not come or did not close.
bool AddThroughFileDialog(DWORD pid, HWND inputPage, const std::wstring& folder,
                          const std::wstring& names);

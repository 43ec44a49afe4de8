// Starts the real program from a scratch folder and finds its windows, for
// black-box tests that drive it the way a person would.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Folder of the running test executable, with a trailing backslash.
std::wstring TestExeDir();
// The build's application folder (<test exe dir>\..\app\).
std::wstring AppDir();
// The test helpers' folder (<test exe dir>\helpers\).
std::wstring HelpersDir();
// The encoder a benchmark in <build>\bench\ measures: the one its command
// line names first, or else the build's own.
std::wstring BenchEncoder();

// A fresh, empty folder under the temporary folder, or under `parent`
// (ending with a backslash); removed with all it holds by the destructor.
class ScratchDir {
 public:
  ScratchDir();
  explicit ScratchDir(const std::wstring& parent);
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
// The same in `folder` (the caller's own when empty), gathering what it
// writes to its standard output and error where asked; `started` is called
// with its process id while it runs. It has a process group of its own.
long RunCaptured(const std::wstring& commandLine, const std::wstring& folder, std::string* out,
                 std::string* err, const std::function<void(DWORD pid)>& started = nullptr);

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
// The child dialog of `main` that holds a control with this id, shown or not.
HWND PageWith(HWND main, int controlId);
// Waits until the page holding this control shows; null on timeout.
HWND WaitForPage(HWND main, int controlId, DWORD timeoutMs = 20000);
// Clicks a navigation button of the wizard. The click is sent, so the step is
// over when it returns; gives the page holding `idOnPage` once it shows.
HWND PressNavigation(HWND main, int button, int idOnPage);
// The wizard's enabled navigation buttons as text, such as "Prev Next".
std::string NavigationButtons(HWND main);
// Waits until the wizard's enabled navigation buttons read `expected`. The
// buttons are the last thing a step changes, so a step the program makes on
// its own (the end of a run) is over when they read right.
bool WaitForButtons(HWND main, const std::string& expected, DWORD timeoutMs = 20000);
// A top-level window of the process with this caption that appeared after
// the call started (message boxes, file dialogs), waiting up to timeoutMs.
HWND WaitForDialog(DWORD pid, const std::wstring& caption, DWORD timeoutMs = 15000);
// The text of the first static control of a message box.
std::wstring MessageBoxText(HWND box);
// Clicks a button the way the system does on a mouse click, without waiting.
void ClickButton(HWND button);
// A hidden top-level window to create a page in, for tests in this process.
HWND CreatePageParent();
// Real pointer input at a screen point: a move, with `flags` (button presses) added.
void SendMouse(DWORD flags, int x, int y);
// Real keyboard input: the keys pressed in order and released in reverse,
// such as {VK_MENU, VK_SPACE} for Alt+Space.
void SendKeys(std::initializer_list<WORD> keys);
// Waits until `pred` holds, polling; false on timeout.
template <typename Pred>
bool WaitUntil(Pred pred, DWORD timeoutMs = 20000) {
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
// The rows of a combo box in another process.
std::vector<std::wstring> ComboRows(HWND combo);
// The folder a file dialog of another process shows, read through the
// dialog's own query; empty when it cannot be read.
std::wstring FileDialogFolder(DWORD pid, HWND dialog);
// Adds files through the input page's real file dialog: the folder first,
// then the names (one name, or several each in double quotes). False when
// the dialog did not come, did not show the folder, or did not close.
bool AddThroughFileDialog(DWORD pid, HWND inputPage, const std::wstring& folder,
                          const std::wstring& names);

// UTF-8 text as the system's wide text.
std::wstring WideOf(const char* utf8);
// Keeps the screen under `window` as a 24-bit BMP file in the build's
// test-logs\ folder (beside the test executable's),
// for a person to look at; false when it could not be written.
bool SaveShot(HWND window, const std::wstring& name);

// Whether a window below `parent` shows exactly this text.
bool HasChildWithText(HWND parent, const std::wstring& text);

// The system's folder chooser of a process: its window and its folder tree.
struct FolderChooser {
  HWND dialog = nullptr;
  HWND tree = nullptr;
};
// The folder chooser the process shows, once it shows; nulls after timeoutMs.
FolderChooser WaitForFolderChooser(DWORD pid, DWORD timeoutMs = 15000);
// Selects a folder ("Z:\" or "C:\a\b") in the chooser's tree, its drive
// first, then each folder below it, expanding the tree on the way. False
// when a part of the path is not in the tree.
bool SelectInFolderChooser(DWORD pid, const FolderChooser& chooser, const std::wstring& folder);
// Adds a folder through the input page's Add Folder and the real chooser:
// picks it and presses OK. False when the chooser did not come, the folder
// was not found (the chooser is then cancelled) or the chooser did not close.
bool AddThroughFolderChooser(DWORD pid, HWND inputPage, const std::wstring& folder);

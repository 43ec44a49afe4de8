#include "tests/win/program_harness.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include "resources/resource.h"

std::wstring TestExeDir() {
  wchar_t path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::wstring AppDir() {
  return TestExeDir() + L"..\\app\\";
}
std::wstring BenchEncoder() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  const std::wstring encoder = argc > 1 ? argv[1] : TestExeDir() + L"..\\..\\app\\ffmpeg.exe";
  ::LocalFree(argv);
  return encoder;
}

std::wstring HelpersDir() {
  return TestExeDir() + L"helpers\\";
}

namespace {
std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  return temp;
}
}  // namespace

ScratchDir::ScratchDir() : ScratchDir(TempFolder()) {}

ScratchDir::ScratchDir(const std::wstring& parent) {
  static int counter = 0;
  m_path = parent + L"vmtest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L"-" + std::to_wstring(::GetTickCount()) + L"\\";
  ::CreateDirectoryW(m_path.c_str(), nullptr);
}

namespace {
// Deletes what lies below `folder` (extended-length, ending in a backslash)
// and then the folder, one entry at a time: never descends through a link and
// never names a path outside the folder, however long the paths below it are.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE h = ::FindFirstFileW((folder + L"*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      const bool folderEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (folderEntry && !link)
        RemoveTree(path + L"\\");
      else if (folderEntry)
        ::RemoveDirectoryW(path.c_str());
      else
        ::DeleteFileW(path.c_str());
    } while (::FindNextFileW(h, &found));
    ::FindClose(h);
  }
  ::RemoveDirectoryW(folder.c_str());
}
}  // namespace

ScratchDir::~ScratchDir() {
  RemoveTree(L"\\\\?\\" + m_path);
}

bool CopyInto(const std::wstring& source, const std::wstring& folder, const wchar_t* newName) {
  const std::wstring name = newName ? newName : source.substr(source.find_last_of(L'\\') + 1);
  return ::CopyFileW(source.c_str(), (folder + name).c_str(), FALSE) != FALSE;
}

std::vector<uint8_t> ReadBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  uint8_t buf[4096];
  DWORD got = 0;
  while (::ReadFile(h, buf, sizeof(buf), &got, nullptr) && got > 0)
    bytes.insert(bytes.end(), buf, buf + got);
  ::CloseHandle(h);
  return bytes;
}

bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  ::CloseHandle(h);
  return ok;
}

bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool InstallLanguageFile(const std::wstring& folder, int index) {
  const std::wstring file = folder + L"mlg.txt";
  // Without the build's packs the platform creates the file on writing.
  ::CopyFileW((AppDir() + L"mlg.txt").c_str(), file.c_str(), FALSE);
  return ::WritePrivateProfileStringW(L"mlg", L"curlg", std::to_wstring(index).c_str(),
                                      file.c_str()) != FALSE;
}

RunningProgram::RunningProgram(const std::wstring& exePath, bool askLanguage) {
  const std::wstring dir = exePath.substr(0, exePath.find_last_of(L'\\') + 1);
  if (!askLanguage && !FileExists(dir + L"mlg.txt")) InstallLanguageFile(dir);
  std::wstring cmd = L"\"" + exePath + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  if (!::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                        &m_pi))
    m_pi = PROCESS_INFORMATION{};
}

RunningProgram::~RunningProgram() {
  if (!m_pi.hProcess) return;
  if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(m_pi.hProcess, 1);
    ::WaitForSingleObject(m_pi.hProcess, 5000);
  }
  ::CloseHandle(m_pi.hThread);
  ::CloseHandle(m_pi.hProcess);
}

namespace {
struct FindData {
  DWORD pid;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == d->pid && ::IsWindowVisible(hwnd) && WindowText(hwnd) == *d->caption) {
    d->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND RunningProgram::WaitForWindow(const std::wstring& caption, DWORD timeoutMs) const {
  const DWORD start = ::GetTickCount();
  do {
    FindData d{m_pi.dwProcessId, &caption, nullptr};
    ::EnumWindows(FindProc, reinterpret_cast<LPARAM>(&d));
    if (d.found) return d.found;
    if (::WaitForSingleObject(m_pi.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
  } while (::GetTickCount() - start < timeoutMs);
  return nullptr;
}

bool RunningProgram::WaitForExit(DWORD timeoutMs) const {
  return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t buf[512] = {0};
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                             2000, &copied))
    return std::wstring();
  buf[511] = 0;
  return buf;
}

namespace {
struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindPageProc(HWND child, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  HWND item = ::GetDlgItem(child, s->id);
  if (item && ::IsWindowVisible(child)) {
    s->found = child;
    return FALSE;
  }
  return TRUE;
}

struct DialogSearch {
  DWORD pid;
  const std::wstring* caption;
  HWND found;
};

BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<DialogSearch*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64] = {0};
  ::GetClassNameW(hwnd, cls, 64);
  if (pid == d->pid && ::IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770" &&
      WindowText(hwnd) == *d->caption) {
    d->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FirstStaticProc(HWND child, LPARAM lp) {
  wchar_t cls[32] = {0};
  ::GetClassNameW(child, cls, 32);
  if (std::wstring(cls) == L"Static" && !WindowText(child).empty()) {
    *reinterpret_cast<HWND*>(lp) = child;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

namespace {
struct ClassSearch {
  const std::wstring* cls;
  HWND found;
};
BOOL CALLBACK FindClassProc(HWND child, LPARAM lp) {
  auto* s = reinterpret_cast<ClassSearch*>(lp);
  wchar_t cls[64] = {0};
  ::GetClassNameW(child, cls, 64);
  if (*s->cls == cls && ::IsWindowVisible(child)) {
    s->found = child;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindDescendant(HWND parent, const std::wstring& className) {
  ClassSearch s{&className, nullptr};
  ::EnumChildWindows(parent, FindClassProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND VisiblePageWith(HWND main, int controlId) {
  ChildSearch s{controlId, nullptr};
  ::EnumChildWindows(main, FindPageProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND PageWith(HWND main, int controlId) {
  for (HWND c = ::GetWindow(main, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[16] = {0};
    ::GetClassNameW(c, cls, 16);
    if (std::wstring(cls) == L"#32770" && ::GetDlgItem(c, controlId)) return c;
  }
  return nullptr;
}

HWND WaitForPage(HWND main, int controlId, DWORD timeoutMs) {
  HWND page = nullptr;
  WaitUntil([&] { return (page = VisiblePageWith(main, controlId)) != nullptr; }, timeoutMs);
  return page;
}

HWND PressNavigation(HWND main, int button, int idOnPage) {
  ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 LPARAM(::GetDlgItem(main, button)));
  return WaitForPage(main, idOnPage);
}

std::string NavigationButtons(HWND main) {
  const std::pair<int, const char*> all[] = {{IDC_BTN_SAVELOG, "SaveLog"},
                                             {IDC_BTN_PREV, "Prev"},
                                             {IDC_BTN_NEXT, "Next"},
                                             {IDC_BTN_REPEAT, "Repeat"}};
  std::string s;
  for (const auto& b : all)
    if (::IsWindowEnabled(::GetDlgItem(main, b.first)))
      s += (s.empty() ? "" : " ") + std::string(b.second);
  return s;
}

bool WaitForButtons(HWND main, const std::string& expected, DWORD timeoutMs) {
  return WaitUntil([&] { return NavigationButtons(main) == expected; }, timeoutMs);
}

HWND WaitForDialog(DWORD pid, const std::wstring& caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        DialogSearch d{pid, &caption, nullptr};
        ::EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&d));
        found = d.found;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

std::wstring MessageBoxText(HWND box) {
  HWND text = nullptr;
  ::EnumChildWindows(box, FirstStaticProc, reinterpret_cast<LPARAM>(&text));
  return text ? WindowText(text) : std::wstring();
}

void ClickButton(HWND button) {
  ::PostMessageW(button, BM_CLICK, 0, 0);
}

HWND CreatePageParent() {
  return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr,
                           nullptr);
}

void SendMouse(DWORD flags, int x, int y) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &in, sizeof(in));
}

void SendKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> in;
  for (WORD vk : keys) {
    INPUT down = {};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = vk;
    in.push_back(down);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT up = {};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *--it;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(up);
  }
  ::SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

namespace {

// The rows of a list box or a combo box, through the messages of its kind.
std::vector<std::wstring> Rows(HWND control, UINT count, UINT length, UINT text) {
  std::vector<std::wstring> rows;
  const LRESULT n = ::SendMessageW(control, count, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    const LRESULT len = ::SendMessageW(control, length, WPARAM(i), 0);
    std::wstring row(size_t(len > 0 ? len : 0) + 1, L'\0');
    const LRESULT got = ::SendMessageW(control, text, WPARAM(i), reinterpret_cast<LPARAM>(&row[0]));
    row.resize(size_t(got > 0 ? got : 0));
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

std::vector<std::wstring> ListRows(HWND list) {
  return Rows(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::wstring> ComboRows(HWND combo) {
  return Rows(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::wstring FileDialogFolder(DWORD pid, HWND dialog) {
  HANDLE process =
      ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return std::wstring();
  // The dialog writes into its own process: the buffer must live there.
  const SIZE_T bytes = MAX_PATH * sizeof(wchar_t);
  void* remote = ::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
  std::wstring folder;
  DWORD_PTR length = 0;
  wchar_t local[MAX_PATH] = {0};
  SIZE_T read = 0;
  if (remote &&
      ::SendMessageTimeoutW(dialog, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(remote), SMTO_ABORTIFHUNG,
                            5000, &length) &&
      LONG_PTR(length) > 0 && ::ReadProcessMemory(process, remote, local, bytes, &read)) {
    local[MAX_PATH - 1] = 0;
    folder = local;
  }
  if (remote) ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  ::CloseHandle(process);
  return folder;
}

namespace {
bool SameFolder(std::wstring a, std::wstring b) {
  while (!a.empty() && a.back() == L'\\') a.pop_back();
  while (!b.empty() && b.back() == L'\\') b.pop_back();
  return !a.empty() && ::CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()),
                                              TRUE) == CSTR_EQUAL;
}
}  // namespace

bool AddThroughFileDialog(DWORD pid, HWND inputPage, const std::wstring& folder,
                          const std::wstring& names) {
  ClickButton(::GetDlgItem(inputPage, IDC_INPUT_ADD));
  HWND dlg = WaitForDialog(pid, L"Open");
  if (!dlg) return false;
  HWND edit = FindDescendant(dlg, L"Edit");
  if (!edit) return false;
  ::SendMessageW(edit, WM_SETTEXT, 0, LPARAM(folder.c_str()));
  ::SendMessageW(dlg, WM_COMMAND, IDOK, 0);
  // The names are taken relative to the folder the dialog shows.
  if (!WaitUntil([&] { return SameFolder(FileDialogFolder(pid, dlg), folder); })) return false;
  ::SendMessageW(edit, WM_SETTEXT, 0, LPARAM(names.c_str()));
  ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
  return WaitUntil([&] { return !::IsWindow(dlg); });
}

long RunHidden(const std::wstring& commandLine) {
  return RunCaptured(commandLine, std::wstring(), nullptr, nullptr);
}

namespace {

struct PipeReader {
  HANDLE pipe;
  std::string* bytes;
};

DWORD WINAPI ReadPipe(LPVOID param) {
  PipeReader& reader = *static_cast<PipeReader*>(param);
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(reader.pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
    reader.bytes->append(buffer, got);
  return 0;
}

// The write end of a pipe for the child, or NUL when nothing is gathered;
// `read` gets the read end.
HANDLE ChildOutput(std::string* bytes, HANDLE& read) {
  SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
  read = nullptr;
  if (!bytes)
    return ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                         OPEN_EXISTING, 0, nullptr);
  HANDLE write = nullptr;
  if (!::CreatePipe(&read, &write, &security, 0)) return INVALID_HANDLE_VALUE;
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  return write;
}

}  // namespace

long RunCaptured(const std::wstring& commandLine, const std::wstring& folder, std::string* out,
                 std::string* err, const std::function<void(DWORD pid)>& started) {
  HANDLE outRead = nullptr, errRead = nullptr;
  HANDLE outWrite = ChildOutput(out, outRead);
  HANDLE errWrite = ChildOutput(err, errRead);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  std::wstring line = commandLine;
  PROCESS_INFORMATION info;
  const BOOL ok =
      ::CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NEW_PROCESS_GROUP, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info);
  ::CloseHandle(outWrite);
  ::CloseHandle(errWrite);
  // Both read at once, so that a child filling one pipe never waits on the other.
  PipeReader readers[2] = {{outRead, out}, {errRead, err}};
  HANDLE threads[2] = {nullptr, nullptr};
  for (int i = 0; i < 2; ++i)
    if (ok && readers[i].pipe)
      threads[i] = ::CreateThread(nullptr, 0, ReadPipe, &readers[i], 0, nullptr);
  if (ok && started) started(info.dwProcessId);
  for (int i = 0; i < 2; ++i) {
    if (threads[i]) {
      ::WaitForSingleObject(threads[i], INFINITE);
      ::CloseHandle(threads[i]);
    }
    if (readers[i].pipe) ::CloseHandle(readers[i].pipe);
  }
  if (!ok) return -1;
  ::WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(info.hProcess, &code);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return long(code);
}

namespace {

struct ChooserSearch {
  DWORD pid;
  HWND dialog;
  HWND tree;
};

BOOL CALLBACK FindChooserProc(HWND hwnd, LPARAM lp) {
  auto* c = reinterpret_cast<ChooserSearch*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != c->pid || !::IsWindowVisible(hwnd)) return TRUE;
  HWND tree = FindDescendant(hwnd, WC_TREEVIEWW);
  if (!tree) return TRUE;
  c->dialog = hwnd;
  c->tree = tree;
  return FALSE;
}

// The label of a tree item of any process: the tree writes into its own
// process, so the item record and its text buffer live there.
std::wstring TreeItemText(DWORD pid, HWND tree, HTREEITEM item) {
  HANDLE process =
      ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return std::wstring();
  constexpr int kChars = 1024;
  const SIZE_T bytes = sizeof(TVITEMW) + kChars * sizeof(wchar_t);
  auto* remote =
      static_cast<char*>(::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
  std::wstring text;
  TVITEMW tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
  tv.cchTextMax = kChars;
  wchar_t local[kChars] = {0};
  SIZE_T done = 0;
  if (remote && ::WriteProcessMemory(process, remote, &tv, sizeof(tv), &done) &&
      ::SendMessageW(tree, TVM_GETITEMW, 0, LPARAM(remote)) &&
      ::ReadProcessMemory(process, tv.pszText, local, sizeof(local), &done)) {
    local[kChars - 1] = 0;
    text = local;
  }
  if (remote) ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  ::CloseHandle(process);
  return text;
}

HTREEITEM NextItem(HWND tree, UINT which, HTREEITEM item) {
  return HTREEITEM(::SendMessageW(tree, TVM_GETNEXTITEM, which, LPARAM(item)));
}

// Depth-first search for an item whose label holds `part`, expanding on the way.
HTREEITEM FindTreeItem(DWORD pid, HWND tree, HTREEITEM first, const std::wstring& part, int depth) {
  for (HTREEITEM item = first; item; item = NextItem(tree, TVGN_NEXT, item)) {
    if (TreeItemText(pid, tree, item).find(part) != std::wstring::npos) return item;
    if (depth == 0) continue;
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(item));
    if (HTREEITEM found =
            FindTreeItem(pid, tree, NextItem(tree, TVGN_CHILD, item), part, depth - 1))
      return found;
  }
  return nullptr;
}

// The child of `parent` labelled `name` (letters of either case alike).
HTREEITEM ChildNamed(DWORD pid, HWND tree, HTREEITEM parent, const std::wstring& name) {
  ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(parent));
  for (HTREEITEM item = NextItem(tree, TVGN_CHILD, parent); item;
       item = NextItem(tree, TVGN_NEXT, item)) {
    const std::wstring text = TreeItemText(pid, tree, item);
    if (::CompareStringOrdinal(text.c_str(), int(text.size()), name.c_str(), int(name.size()),
                               TRUE) == CSTR_EQUAL)
      return item;
  }
  return nullptr;
}

}  // namespace

FolderChooser WaitForFolderChooser(DWORD pid, DWORD timeoutMs) {
  ChooserSearch c{pid, nullptr, nullptr};
  WaitUntil(
      [&] {
        ::EnumWindows(FindChooserProc, LPARAM(&c));
        return c.dialog != nullptr;
      },
      timeoutMs);
  return {c.dialog, c.tree};
}

bool SelectInFolderChooser(DWORD pid, const FolderChooser& chooser, const std::wstring& folder) {
  if (folder.size() < 3 || folder[1] != L':') return false;
  // The chooser may still be filling its tree when it shows.
  HTREEITEM item = nullptr;
  const std::wstring drive = std::wstring(L"(") + folder.substr(0, 2) + L")";
  WaitUntil([&] {
    item = FindTreeItem(pid, chooser.tree, NextItem(chooser.tree, TVGN_ROOT, nullptr), drive, 3);
    return item != nullptr;
  });
  for (size_t start = 3; item && start < folder.size();) {
    size_t end = folder.find(L'\\', start);
    if (end == std::wstring::npos) end = folder.size();
    if (end > start) item = ChildNamed(pid, chooser.tree, item, folder.substr(start, end - start));
    start = end + 1;
  }
  if (!item) return false;
  ::SendMessageW(chooser.tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(item));
  return true;
}

bool AddThroughFolderChooser(DWORD pid, HWND inputPage, const std::wstring& folder) {
  ClickButton(::GetDlgItem(inputPage, IDC_INPUT_ADD_FOLDER));
  const FolderChooser chooser = WaitForFolderChooser(pid);
  if (!chooser.dialog) return false;
  const bool picked = SelectInFolderChooser(pid, chooser, folder);
  ::PostMessageW(chooser.dialog, WM_COMMAND, picked ? IDOK : IDCANCEL, 0);
  return WaitUntil([&] { return !::IsWindow(chooser.dialog); }) && picked;
}

namespace {
struct TextSearch {
  const std::wstring* text;
  bool found;
};
BOOL CALLBACK HasTextProc(HWND child, LPARAM lp) {
  auto* s = reinterpret_cast<TextSearch*>(lp);
  s->found = WindowText(child) == *s->text;
  return !s->found;
}
}  // namespace

bool HasChildWithText(HWND parent, const std::wstring& text) {
  TextSearch s{&text, false};
  ::EnumChildWindows(parent, HasTextProc, LPARAM(&s));
  return s.found;
}

std::wstring WideOf(const char* utf8) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring out(size_t(n > 0 ? n - 1 : 0), L'\0');
  if (n > 1) ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &out[0], n);
  return out;
}

bool SaveShot(HWND window, const std::wstring& name) {
  const std::wstring folder = TestExeDir() + L"..\\test-logs\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  RECT rc;
  if (!::GetWindowRect(window, &rc)) return false;
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(dc, bitmap);
  ::BitBlt(dc, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  ::SelectObject(dc, old);
  const DWORD size = DWORD(((w * 3 + 3) & ~3) * h);
  BITMAPFILEHEADER head = {0x4D42, DWORD(sizeof(head) + sizeof(info.bmiHeader) + size), 0, 0,
                           DWORD(sizeof(head) + sizeof(info.bmiHeader))};
  std::vector<uint8_t> bytes(reinterpret_cast<uint8_t*>(&head),
                             reinterpret_cast<uint8_t*>(&head) + sizeof(head));
  bytes.insert(bytes.end(), reinterpret_cast<uint8_t*>(&info.bmiHeader),
               reinterpret_cast<uint8_t*>(&info.bmiHeader) + sizeof(info.bmiHeader));
  if (bits)
    bytes.insert(bytes.end(), static_cast<uint8_t*>(bits), static_cast<uint8_t*>(bits) + size);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return bits && WriteBytes(folder + name, bytes);
}

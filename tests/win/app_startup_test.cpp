// The real program, started from a scratch folder: its window, its settings
// file and the side component at exit.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/run_settings.h"
#include "framework/archive.h"
#include "program/win/vidmorph_dlg.h"
#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

const wchar_t kCaption[] = L"Ostrel AVI Converter";

// Copies the program into a scratch folder, optionally with the probe DLL.
std::wstring InstallProgram(const ScratchDir& dir, bool withAux) {
  EXPECT_TRUE(CopyInto(AppDir() + L"Vidmorph.exe", dir.Path()));
  if (withAux) {
    EXPECT_TRUE(CopyInto(HelpersDir() + L"dll_auxdmo_probe.dll", dir.Path(), L"AuxDmo.dll"));
  }
  return dir.Path() + L"Vidmorph.exe";
}

void CloseThroughButton(HWND main) {
  HWND close = ::GetDlgItem(main, IDC_BTN_CLOSE);
  ASSERT_NE(close, nullptr);
  ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_BTN_CLOSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(close));
}

std::vector<uint8_t> DefaultFile() {
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  Archive ar;
  SerializeSettings(ar, s);
  return ar.Bytes();
}

TEST(AppStartup, FirstStartShowsWindowAndWritesDefaultFile) {
  ScratchDir dir;
  RunningProgram prog(InstallProgram(dir, true));
  ASSERT_TRUE(prog.Started());
  HWND main = prog.WaitForWindow(kCaption);
  ASSERT_NE(main, nullptr) << "wizard window did not appear";
  EXPECT_EQ(WindowText(::GetDlgItem(main, IDC_BTN_CLOSE)), L"&Close");
  EXPECT_EQ(WindowText(::GetDlgItem(main, IDC_BTN_WEBSITE)), L"WebSite");
  EXPECT_FALSE(FileExists(dir.Path() + L"Option.dat"));

  CloseThroughButton(main);
  ASSERT_TRUE(prog.WaitForExit());
  const auto bytes = ReadBytes(dir.Path() + L"Option.dat");
  ASSERT_EQ(bytes.size(), 124u);
  EXPECT_EQ(bytes, DefaultFile());
  EXPECT_TRUE(FileExists(dir.Path() + L"auxdmo-unregistered.txt"));
  EXPECT_FALSE(FileExists(dir.Path() + L"Option.dat.tmp"));
}

TEST(AppStartup, StoredFileSurvivesARunByteForByte) {
  ScratchDir dir;
  const std::wstring exe = InstallProgram(dir, false);
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  s.g_strOutputFolder = std::u16string(300, u'f');
  s.g_nProfilePos = 4;
  s.g_bOverwrite = 1;
  s.g_nPosChannels = 1;
  s.g_nTaskAvi = 1;
  Archive ar;
  SerializeSettings(ar, s);
  ASSERT_TRUE(WriteBytes(dir.Path() + L"Option.dat", ar.Bytes()));

  RunningProgram prog(exe);
  HWND main = prog.WaitForWindow(kCaption);
  ASSERT_NE(main, nullptr);
  // The close box ends the program as the Close button does.
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(prog.WaitForExit());
  EXPECT_EQ(ReadBytes(dir.Path() + L"Option.dat"), ar.Bytes());
}

// Read-only by the user's choice: read, and left as it is at exit, though
// the program would write it otherwise (here, without its stray last bytes).
TEST(AppStartup, AReadOnlySettingsFileIsLeftAsItIs) {
  ScratchDir dir;
  const std::wstring exe = InstallProgram(dir, false);
  const std::wstring file = dir.Path() + L"Option.dat";
  std::vector<uint8_t> stored = DefaultFile();
  stored.insert(stored.end(), {'x', 'y', 'z'});
  ASSERT_TRUE(WriteBytes(file, stored));
  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));

  RunningProgram prog(exe);
  HWND main = prog.WaitForWindow(kCaption);
  ASSERT_NE(main, nullptr);
  CloseThroughButton(main);
  ASSERT_TRUE(prog.WaitForExit());
  EXPECT_EQ(ReadBytes(file), stored);
  EXPECT_EQ(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY,
            DWORD(FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(FileExists(file + L".tmp"));
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(AppStartup, GarbageSettingsFileStillStartsAndIsRepaired) {
  ScratchDir dir;
  const std::wstring exe = InstallProgram(dir, false);
  std::vector<uint8_t> garbage = {7, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
  ASSERT_TRUE(WriteBytes(dir.Path() + L"Option.dat", garbage));
  RunningProgram prog(exe);
  HWND main = prog.WaitForWindow(kCaption);
  ASSERT_NE(main, nullptr);
  // Escape is the dialog's cancel.
  ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(prog.WaitForExit());
  auto expected = DefaultFile();
  expected[0] = 7;  // the one item read before the bad string
  EXPECT_EQ(ReadBytes(dir.Path() + L"Option.dat"), expected);
}

// What the wizard window works on, made before the window.
struct ProbeState {
  APP_STATE state;
  CLanguagePack pack;
};

// Captures the shared state at the moment the pages would be created.
class ProbeDlg : public ProbeState, public CVidmorphDlg {
 public:
  ProbeDlg() : CVidmorphDlg(nullptr, state, pack) {}
  APP_STATE seen;
  bool created = false;

 protected:
  void CreatePages() override {
    seen = state;
    created = true;
    ::PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BTN_CLOSE, BN_CLICKED), 0);
  }
};

TEST(AppStartup, StoredSettingsAreReadBeforeThePagesExist) {
  ProbeDlg dlg;
  const std::wstring file = reinterpret_cast<const wchar_t*>(dlg.SettingsFile().c_str());
  APP_STATE stored;
  SetDefaults(stored, u"C:\\x\\Vidmorph.exe");
  stored.g_strOutputFolder = u"E:\\stored\\";
  stored.g_nTaskMode = 3;
  stored.g_nPosSize = 9;
  Archive ar;
  SerializeSettings(ar, stored);
  ASSERT_TRUE(WriteBytes(file, ar.Bytes()));

  // The run's settings file beside it: the task page's box shows it at once.
  const std::wstring runFile = file.substr(0, file.find_last_of(L'\\') + 1) + L"Vidmorph.ini";
  RUN_SETTINGS run;
  run.nSimultaneous = kSimultaneousAutomatic;
  ASSERT_TRUE(WriteBytes(runFile, StoreRunSettings(run)));

  SetDefaults(dlg.state, u"C:\\x\\Vidmorph.exe");
  dlg.state.g_nPrevTaskMode = 0;
  dlg.DoModal();
  ::DeleteFileW(file.c_str());
  ::DeleteFileW(runFile.c_str());
  ASSERT_TRUE(dlg.created);
  EXPECT_EQ(dlg.seen.g_runSettings.nSimultaneous, kSimultaneousAutomatic);
  EXPECT_EQ(dlg.seen.g_strOutputFolder, u"E:\\stored\\");
  EXPECT_EQ(dlg.seen.g_nPosSize, 9);
  EXPECT_EQ(dlg.seen.g_nPrevTaskMode, 3);
}

}  // namespace

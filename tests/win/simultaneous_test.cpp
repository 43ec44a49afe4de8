// The "Simultaneous conversions" box of the task page: in this process for
// machines of any size, and in the real program, where the choice is kept in
// "Vidmorph.ini" and "Option.dat" stays as it was.
#include <gtest/gtest.h>

#include <memory>

#include "app/app_state.h"
#include "app/run_settings.h"
#include "app/win/task_page.h"
#include "framework/archive.h"
#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

std::vector<std::wstring> Numbers(int most) {
  std::vector<std::wstring> rows;
  for (int n = 1; n <= most; ++n) rows.push_back(std::to_wstring(n));
  return rows;
}

// Picks a row the way a person's pick reaches the page.
void Pick(HWND page, int row) {
  HWND box = ::GetDlgItem(page, IDC_TASK_SIMULTANEOUS);
  ::SendMessageW(box, CB_SETCURSEL, WPARAM(row), 0);
  ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_TASK_SIMULTANEOUS, CBN_SELCHANGE), LPARAM(box));
}

int Selected(HWND page) {
  return int(::SendDlgItemMessageW(page, IDC_TASK_SIMULTANEOUS, CB_GETCURSEL, 0, 0));
}

class TaskPageBox : public testing::Test {
 protected:
  void SetUp() override {
    SetDefaults(state, u"C:\\x\\Vidmorph.exe");
    parent = CreatePageParent();
    ASSERT_NE(parent, nullptr);
  }
  void TearDown() override {
    page.reset();
    ::DestroyWindow(parent);
  }
  HWND Open(int processors) {
    page.reset(new CTaskPage(state, processors));
    EXPECT_TRUE(page->Create(parent));
    page->EnterPage();
    return page->GetSafeHwnd();
  }

  APP_STATE state;
  HWND parent = nullptr;
  std::unique_ptr<CTaskPage> page;
};

// The rows for each machine are the portable rules' (native tests); here,
// what only the window shows: the row of a stored choice, and what a pick
// and a language switch do to it.
TEST_F(TaskPageBox, ANumberBeyondTheMachineIsOfferedAsItRunsAndStaysUntilAPick) {
  state.g_runSettings.nSimultaneous = 5;
  HWND hwnd = Open(3);
  EXPECT_EQ(ComboRows(::GetDlgItem(hwnd, IDC_TASK_SIMULTANEOUS)),
            (std::vector<std::wstring>{L"1", L"2", L"3", L"4", L"5", L"Automatic"}));
  EXPECT_EQ(Selected(hwnd), 4);
  page->LeavePage();
  page->EnterPage();
  EXPECT_EQ(state.g_runSettings.nSimultaneous, 5);

  // A language switch renames Automatic and keeps the row shown.
  page->SetTexts({{u"9143-1", u"Automatisch"}});
  EXPECT_EQ(ComboRows(::GetDlgItem(hwnd, IDC_TASK_SIMULTANEOUS)).back(), L"Automatisch");
  EXPECT_EQ(Selected(hwnd), 4);
  EXPECT_EQ(state.g_runSettings.nSimultaneous, 5);

  Pick(hwnd, 5);
  EXPECT_EQ(state.g_runSettings.nSimultaneous, kSimultaneousAutomatic);
  Pick(hwnd, 1);
  page->LeavePage();
  EXPECT_EQ(state.g_runSettings.nSimultaneous, 2);
  // Once a number the machine offers is picked, the box offers only those.
  page->SetTexts({});
  EXPECT_EQ(ComboRows(::GetDlgItem(hwnd, IDC_TASK_SIMULTANEOUS)),
            (std::vector<std::wstring>{L"1", L"2", L"3", L"Automatic"}));
  EXPECT_EQ(Selected(hwnd), 1);
}

std::vector<uint8_t> Text(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

const std::vector<uint8_t> kAutomaticFile = Text("[Vidmorph]\r\nSimultaneousConversions=auto\r\n");
const std::vector<uint8_t> kDefaultFile = Text("[Vidmorph]\r\nSimultaneousConversions=1\r\n");

// "Option.dat" as the program writes it without this box.
std::vector<uint8_t> DefaultOptions() {
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  Archive ar;
  SerializeSettings(ar, s);
  return ar.Bytes();
}

class SimultaneousProgram : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CopyInto(AppDir() + L"Vidmorph.exe", dir.Path())); }
  // Starts the program; the task page with the box, or null.
  HWND Start() {
    prog.reset(new RunningProgram(dir.Path() + L"Vidmorph.exe"));
    main = prog->WaitForWindow(L"Ostrel AVI Converter");
    return main ? WaitForPage(main, IDC_TASK_SIMULTANEOUS) : nullptr;
  }
  bool Close() {
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    return prog->WaitForExit();
  }
  std::wstring Ini() const { return dir.Path() + L"Vidmorph.ini"; }
  std::wstring Options() const { return dir.Path() + L"Option.dat"; }

  ScratchDir dir;
  std::unique_ptr<RunningProgram> prog;
  HWND main = nullptr;
};

TEST_F(SimultaneousProgram, AChoiceSurvivesARestartAndOptionDatStaysAsWithoutIt) {
  SYSTEM_INFO info;
  ::GetSystemInfo(&info);
  auto expected = Numbers(std::min(int(info.dwNumberOfProcessors), 8));
  expected.push_back(L"Automatic");

  HWND task = Start();
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(ComboRows(::GetDlgItem(task, IDC_TASK_SIMULTANEOUS)), expected);
  EXPECT_EQ(Selected(task), 0);
  Pick(task, int(expected.size()) - 1);
  ASSERT_TRUE(Close());
  EXPECT_EQ(ReadBytes(Ini()), kAutomaticFile);
  EXPECT_EQ(ReadBytes(Options()), DefaultOptions());
  EXPECT_FALSE(FileExists(Ini() + L".tmp"));

  task = Start();
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(Selected(task), int(expected.size()) - 1);
  Pick(task, 0);
  ASSERT_TRUE(Close());
  EXPECT_EQ(ReadBytes(Ini()), kDefaultFile);
  EXPECT_EQ(ReadBytes(Options()), DefaultOptions());
}

// Read-only by the user's choice: read, and left as it is; the other
// settings file is written as ever.
TEST_F(SimultaneousProgram, AReadOnlyFileIsReadAndLeftAsItIs) {
  ASSERT_TRUE(WriteBytes(Ini(), kAutomaticFile));
  ASSERT_TRUE(::SetFileAttributesW(Ini().c_str(), FILE_ATTRIBUTE_READONLY));
  HWND task = Start();
  ASSERT_NE(task, nullptr);
  const int rows = int(::SendDlgItemMessageW(task, IDC_TASK_SIMULTANEOUS, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(Selected(task), rows - 1);
  Pick(task, 0);
  ASSERT_TRUE(Close());
  EXPECT_EQ(ReadBytes(Ini()), kAutomaticFile);
  EXPECT_EQ(::GetFileAttributesW(Ini().c_str()) & FILE_ATTRIBUTE_READONLY,
            DWORD(FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(FileExists(Ini() + L".tmp"));
  EXPECT_EQ(ReadBytes(Options()), DefaultOptions());
  ::SetFileAttributesW(Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SimultaneousProgram, GarbageStartsWithOneAndIsRepaired) {
  // Bytes of every value, far more than the file ever holds, with a valid
  // line past the part that is read.
  std::vector<uint8_t> garbage;
  for (int i = 0; i < 70000; ++i) garbage.push_back(uint8_t(i * 7919 >> 3));
  const auto late = Text("\r\nSimultaneousConversions=auto\r\n");
  garbage.insert(garbage.end(), late.begin(), late.end());
  ASSERT_TRUE(WriteBytes(Ini(), garbage));
  HWND task = Start();
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(Selected(task), 0);
  ASSERT_TRUE(Close());
  EXPECT_EQ(ReadBytes(Ini()), kDefaultFile);
  EXPECT_EQ(ReadBytes(Options()), DefaultOptions());
}

}  // namespace

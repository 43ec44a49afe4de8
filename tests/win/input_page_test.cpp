// The input page in this process: files and folders dropped on it as a real
// HDROP, and a folder added through the real folder chooser. Each add ends
// with the rows in both lists, the roots in the state and one line on what
// was left out.
#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/app_state.h"
#include "app/win/input_page.h"
#include "app/win/language_pack.h"
#include "resources/resource.h"
#include "tests/win/modal_driver.h"
#include "tests/win/program_harness.h"

namespace {

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

// What the shell hands a window when files are dropped on it.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const std::wstring& p : paths) chars += p.size() + 1;
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(drop + 1);
  for (const std::wstring& p : paths) {
    p.copy(out, p.size());
    out += p.size() + 1;
  }
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class InputPageInProcess : public testing::Test {
 protected:
  // The folders live on drive C directly, where the chooser's tree shows them.
  InputPageInProcess() : dir(L"C:\\") {}
  void SetUp() override {
    SetDefaults(state, u"C:\\x\\Vidmorph.exe");
    parent = CreatePageParent();
    ASSERT_NE(parent, nullptr);
    page.reset(new CInputPage(state, pack));
    ASSERT_TRUE(page->Create(parent));
    hwnd = page->GetSafeHwnd();
    page->EnterPage();
    // Holiday\a.avi, Holiday\Day 1\clip.avi, Holiday\Day 2\clip.avi,
    // Holiday\Day 2\Evening\clip.AVI, and a text file among them.
    holiday = dir.Path() + L"Holiday";
    for (const wchar_t* folder : {L"", L"\\Day 1", L"\\Day 2", L"\\Day 2\\Evening"})
      ASSERT_TRUE(::CreateDirectoryW((holiday + folder).c_str(), nullptr));
    for (const wchar_t* file : {L"\\a.avi", L"\\Day 1\\clip.avi", L"\\Day 2\\clip.avi",
                                L"\\Day 2\\notes.txt", L"\\Day 2\\Evening\\clip.AVI"})
      ASSERT_TRUE(WriteBytes(holiday + file, {0}));
  }
  void TearDown() override {
    page.reset();
    ::DestroyWindow(parent);
  }
  // Waits for the add under way to end; its line, or empty on timeout.
  std::wstring AddEnded() {
    if (!PumpUntil([&] { return !page->IsBusy(); })) return std::wstring();
    return WindowText(::GetDlgItem(hwnd, IDC_INPUT_STATUS));
  }
  std::vector<std::wstring> Rows(int id) const { return ListRows(::GetDlgItem(hwnd, id)); }

  ScratchDir dir;
  std::wstring holiday;
  APP_STATE state;
  CLanguagePack pack;
  HWND parent = nullptr;
  std::unique_ptr<CInputPage> page;
  HWND hwnd = nullptr;
};

TEST_F(InputPageInProcess, DroppedFilesAndFoldersAreAddedFilteredAndTheLeftOutCounted) {
  ASSERT_TRUE(WriteBytes(dir.Path() + L"x.avi", {0}));
  ASSERT_TRUE(WriteBytes(dir.Path() + L"y.mp3", {0}));
  const std::wstring loose = dir.Path() + L"x.avi";
  ::SendMessageW(hwnd, WM_DROPFILES,
                 WPARAM(MakeDrop({loose, holiday, dir.Path() + L"y.mp3", dir.Path() + L"gone"})),
                 0);
  EXPECT_EQ(AddEnded(),
            L"Files added: 5. Left out, not of the task's file types: 2. "
            L"Could not be read: 1 (gone).");
  const std::vector<std::wstring> paths = {
      loose, holiday + L"\\a.avi", holiday + L"\\Day 1\\clip.avi", holiday + L"\\Day 2\\clip.avi",
      holiday + L"\\Day 2\\Evening\\clip.AVI"};
  EXPECT_EQ(Rows(IDC_INPUT_PATHS), paths);
  EXPECT_EQ(Rows(IDC_INPUT_NAMES),
            (std::vector<std::wstring>{L"x.avi", L"a.avi", L"clip.avi", L"clip.avi", L"clip.AVI"}));
  ASSERT_EQ(state.g_inputFiles.size(), 5u);
  EXPECT_EQ(state.g_inputFiles[0].strRoot, u"");
  for (size_t i = 1; i < 5; ++i) {
    EXPECT_EQ(state.g_inputFiles[i].strPath, U16(paths[i]));
    EXPECT_EQ(state.g_inputFiles[i].strRoot, U16(holiday));
  }

  // The same file dropped again is a second row, as from the file dialog.
  ::SendMessageW(hwnd, WM_DROPFILES, WPARAM(MakeDrop({loose})), 0);
  EXPECT_EQ(AddEnded(), L"Files added: 1.");
  EXPECT_EQ(Rows(IDC_INPUT_PATHS).size(), 6u);
  EXPECT_EQ(Rows(IDC_INPUT_NAMES).back(), L"x.avi");
  // The buttons that change the list are usable again.
  for (int id : {IDC_INPUT_ADD, IDC_INPUT_ADD_FOLDER, IDC_INPUT_DELETE, IDC_INPUT_CLEAR})
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hwnd, id))) << id;
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hwnd, IDC_INPUT_STOP)));
}

TEST_F(InputPageInProcess, TheCreateTaskOffersItsThirteenTypes) {
  state.g_nTaskAvi = 2;
  ASSERT_TRUE(WriteBytes(holiday + L"\\Day 1\\b.MKV", {0}));
  ASSERT_TRUE(WriteBytes(holiday + L"\\Day 1\\c.swf", {0}));
  ::SendMessageW(hwnd, WM_DROPFILES, WPARAM(MakeDrop({holiday + L"\\Day 1"})), 0);
  EXPECT_EQ(AddEnded(), L"Files added: 3.");
  EXPECT_EQ(Rows(IDC_INPUT_NAMES), (std::vector<std::wstring>{L"b.MKV", L"c.swf", L"clip.avi"}));
}

TEST_F(InputPageInProcess, AddFolderTakesTheChoosersFolderAsTheRoot) {
  bool picked = false, titled = false;
  RunDriven([&] { ::SendMessageW(::GetDlgItem(hwnd, IDC_INPUT_ADD_FOLDER), BM_CLICK, 0, 0); },
            [&] {
              const FolderChooser c = WaitForFolderChooser(::GetCurrentProcessId());
              if (!c.dialog) return;
              titled = HasChildWithText(c.dialog, L"Select a folder to add:");
              picked = SelectInFolderChooser(::GetCurrentProcessId(), c, holiday + L"\\Day 2");
              ::PostMessageW(c.dialog, WM_COMMAND, picked ? IDOK : IDCANCEL, 0);
            });
  ASSERT_TRUE(picked);
  EXPECT_TRUE(titled);
  EXPECT_EQ(AddEnded(), L"Files added: 2. Left out, not of the task's file types: 1.");
  EXPECT_EQ(Rows(IDC_INPUT_PATHS),
            (std::vector<std::wstring>{holiday + L"\\Day 2\\clip.avi",
                                       holiday + L"\\Day 2\\Evening\\clip.AVI"}));
  ASSERT_EQ(state.g_inputFiles.size(), 2u);
  EXPECT_EQ(state.g_inputFiles[1].strRoot, U16(holiday + L"\\Day 2"));

  // A cancelled chooser adds nothing and leaves the line as it was.
  RunDriven([&] { ::SendMessageW(::GetDlgItem(hwnd, IDC_INPUT_ADD_FOLDER), BM_CLICK, 0, 0); },
            [&] {
              const FolderChooser c = WaitForFolderChooser(::GetCurrentProcessId());
              if (c.dialog) ::PostMessageW(c.dialog, WM_COMMAND, IDCANCEL, 0);
            });
  EXPECT_FALSE(page->IsBusy());
  EXPECT_EQ(Rows(IDC_INPUT_PATHS).size(), 2u);
  EXPECT_EQ(WindowText(::GetDlgItem(hwnd, IDC_INPUT_STATUS)),
            L"Files added: 2. Left out, not of the task's file types: 1.");
}

}  // namespace

// The wizard driven through its commands from outside, as a person would:
// page shown, button states, and both input lists.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_state.h"
#include "framework/archive.h"
#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

class Wizard : public testing::Test {
 protected:
  void Start(const std::vector<uint8_t>* settings = nullptr) {
    ASSERT_TRUE(CopyInto(AppDir() + L"Vidmorph.exe", dir.Path()));
    if (settings) {
      ASSERT_TRUE(WriteBytes(dir.Path() + L"Option.dat", *settings));
    }
    prog.reset(new RunningProgram(dir.Path() + L"Vidmorph.exe"));
    main = prog->WaitForWindow(L"Ostrel AVI Converter");
    ASSERT_NE(main, nullptr);
  }
  void TearDown() override { prog.reset(); }

  HWND Item(int id) const { return ::GetDlgItem(main, id); }
  std::string Buttons() const { return NavigationButtons(main); }
  HWND Press(int button, int idOnPage) { return PressNavigation(main, button, idOnPage); }
  void ExpectRefusedEmptyList() {
    ClickButton(Item(IDC_BTN_NEXT));
    HWND box = WaitForDialog(prog->Pid(), L"Vidmorph");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"Please add the input files!");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
    EXPECT_NE(VisiblePageWith(main, IDC_INPUT_NAMES), nullptr);
    EXPECT_EQ(Buttons(), "Prev Next");
  }
  void StartRun();

  ScratchDir dir;
  std::unique_ptr<RunningProgram> prog;
  HWND main = nullptr;
};

std::vector<uint8_t> SettingsWith(void (*change)(APP_STATE&)) {
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  change(s);
  Archive ar;
  SerializeSettings(ar, s);
  return ar.Bytes();
}

TEST_F(Wizard, PagesAndButtonsFollowTheSequence) {
  Start();
  HWND task = VisiblePageWith(main, IDC_TASK_AVI_VIDEO);
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(Buttons(), "Next");
  for (int id = IDC_TASK_FLV_FIRST; id < IDC_TASK_AVI_FIRST; ++id)
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(task, id))) << id;
  for (int id = IDC_TASK_AVI_VIDEO; id <= IDC_TASK_AVI_CREATE; ++id)
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(task, id))) << id;
  EXPECT_EQ(::SendDlgItemMessageW(task, IDC_TASK_AVI_VIDEO, BM_GETCHECK, 0, 0), BST_CHECKED);

  ASSERT_NE(Press(IDC_BTN_NEXT, IDC_INPUT_NAMES), nullptr);
  EXPECT_EQ(Buttons(), "Prev Next");
  ExpectRefusedEmptyList();
  ASSERT_NE(Press(IDC_BTN_PREV, IDC_TASK_AVI_VIDEO), nullptr);
  EXPECT_EQ(Buttons(), "Next");
}

TEST_F(Wizard, TwoHundredFilesAreAddedWholeAndEditedInStep) {
  std::wstring names;
  for (int i = 0; i < 200; ++i) {
    wchar_t name[32];
    wsprintfW(name, L"clip%03d.avi", i);
    ASSERT_TRUE(WriteBytes(dir.Path() + name, {0}));
    names += std::wstring(L"\"") + name + L"\" ";
  }
  Start();
  HWND input = Press(IDC_BTN_NEXT, IDC_INPUT_NAMES);
  ASSERT_NE(input, nullptr);
  ASSERT_TRUE(AddThroughFileDialog(prog->Pid(), input, dir.Path(), names));
  HWND shown = ::GetDlgItem(input, IDC_INPUT_NAMES);
  HWND paths = ::GetDlgItem(input, IDC_INPUT_PATHS);
  ASSERT_TRUE(WaitUntil([&] { return ListRows(shown).size() == 200; }));
  auto rows = ListRows(shown);
  auto full = ListRows(paths);
  ASSERT_EQ(full.size(), 200u);
  EXPECT_EQ(rows.front(), L"clip000.avi");
  EXPECT_EQ(rows.back(), L"clip199.avi");
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(full[i], dir.Path() + rows[i]) << i;

  // Selecting a shown row selects the same path; Delete removes both.
  ::SendMessageW(shown, LB_SETCURSEL, 1, 0);
  ::SendMessageW(input, WM_COMMAND, MAKEWPARAM(IDC_INPUT_NAMES, LBN_SELCHANGE), LPARAM(shown));
  EXPECT_EQ(::SendMessageW(paths, LB_GETCURSEL, 0, 0), 1);
  ::SendMessageW(input, WM_COMMAND, MAKEWPARAM(IDC_INPUT_DELETE, BN_CLICKED), 0);
  rows = ListRows(shown);
  full = ListRows(paths);
  ASSERT_EQ(rows.size(), 199u);
  ASSERT_EQ(full.size(), 199u);
  EXPECT_EQ(rows[1], L"clip002.avi");
  EXPECT_EQ(full[1], dir.Path() + L"clip002.avi");
  // Nothing is selected now, so a second Delete does nothing.
  ::SendMessageW(input, WM_COMMAND, MAKEWPARAM(IDC_INPUT_DELETE, BN_CLICKED), 0);
  EXPECT_EQ(ListRows(shown).size(), 199u);

  ::SendMessageW(input, WM_COMMAND, MAKEWPARAM(IDC_INPUT_CLEAR, BN_CLICKED), 0);
  EXPECT_TRUE(ListRows(shown).empty());
  EXPECT_TRUE(ListRows(paths).empty());
  ExpectRefusedEmptyList();
}

// A run with the stand-in encoder, which holds the one file until the test
// lets it go on.
void Wizard::StartRun() {
  const std::string script = "wait " + std::string(dir.Path().begin(), dir.Path().end()) + "go\n";
  ASSERT_TRUE(
      WriteBytes(dir.Path() + L"a.avi", std::vector<uint8_t>(script.begin(), script.end())));
  ASSERT_TRUE(CopyInto(HelpersDir() + L"fake_encoder.exe", dir.Path(), L"ffmpeg.exe"));
  const std::wstring folder = dir.Path();
  APP_STATE s;
  SetDefaults(s, u"C:\\x\\Vidmorph.exe");
  s.g_bUseTempFolder = 0;
  s.g_strOutputFolder.assign(folder.begin(), folder.end());
  Archive ar;
  SerializeSettings(ar, s);
  Start(&ar.Bytes());
  HWND input = Press(IDC_BTN_NEXT, IDC_INPUT_NAMES);
  ASSERT_NE(input, nullptr);
  ASSERT_TRUE(AddThroughFileDialog(prog->Pid(), input, dir.Path(), L"a.avi"));
  ASSERT_TRUE(
      WaitUntil([&] { return ListRows(::GetDlgItem(input, IDC_INPUT_PATHS)).size() == 1; }));
  ASSERT_NE(Press(IDC_BTN_NEXT, IDC_OUT_PROFILE), nullptr);
  EXPECT_EQ(Buttons(), "Prev Next");
  ASSERT_NE(Press(IDC_BTN_NEXT, IDC_CONV_CANCEL), nullptr);
  EXPECT_EQ(Buttons(), "");
  ASSERT_TRUE(WriteBytes(dir.Path() + L"go", {}));
  // The end of the run moves the wizard on by itself; the buttons come last.
  ASSERT_NE(WaitForPage(main, IDC_RES_TOTAL_CAPTION, 60000), nullptr);
  ASSERT_TRUE(WaitForButtons(main, "SaveLog Prev Repeat")) << Buttons();
}

TEST_F(Wizard, ConversionEndAndResultPageButtons) {
  StartRun();
  EXPECT_NE(VisiblePageWith(main, IDC_RES_TOTAL_CAPTION), nullptr);
  ASSERT_NE(Press(IDC_BTN_PREV, IDC_OUT_PROFILE), nullptr);
  EXPECT_EQ(Buttons(), "Prev Next");
}

TEST_F(Wizard, RepeatKeepsTheInputList) {
  StartRun();
  ASSERT_NE(Press(IDC_BTN_REPEAT, IDC_TASK_AVI_VIDEO), nullptr);
  EXPECT_EQ(Buttons(), "Next");
  HWND input = Press(IDC_BTN_NEXT, IDC_INPUT_NAMES);
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(ListRows(::GetDlgItem(input, IDC_INPUT_PATHS)),
            std::vector<std::wstring>{dir.Path() + L"a.avi"});
}

TEST_F(Wizard, ChangingTheTaskResetsOptionPositionsButNotTheProfile) {
  const auto stored = SettingsWith([](APP_STATE& s) {
    s.g_nProfilePos = 3;
    s.g_nPosSize = 4;
    s.g_nPosChannels = 1;
    s.g_nPosAudioCodec = 2;
  });
  Start(&stored);
  HWND task = VisiblePageWith(main, IDC_TASK_AVI_AUDIO);
  ASSERT_NE(task, nullptr);
  ::SendMessageW(::GetDlgItem(task, IDC_TASK_AVI_AUDIO), BM_CLICK, 0, 0);
  ASSERT_NE(Press(IDC_BTN_NEXT, IDC_INPUT_NAMES), nullptr);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(prog->WaitForExit());
  const auto bytes = ReadBytes(dir.Path() + L"Option.dat");
  APP_STATE back;
  SetDefaults(back, u"C:\\x\\Vidmorph.exe");
  Archive ar(bytes.data(), bytes.size(), nullptr);
  SerializeSettings(ar, back);
  ASSERT_TRUE(ar.Ok());
  EXPECT_EQ(back.g_nTaskAvi, 1);
  EXPECT_EQ(back.g_nProfilePos, 3);
  EXPECT_EQ(back.g_nPosSize, 0);
  EXPECT_EQ(back.g_nPosChannels, 0);
  EXPECT_EQ(back.g_nPosAudioCodec, 0);
}

TEST_F(Wizard, NextWithoutATaskChangeKeepsOptionPositions) {
  const auto stored = SettingsWith([](APP_STATE& s) {
    s.g_nPosSize = 4;
    s.g_nPosChannels = 1;
  });
  Start(&stored);
  ASSERT_NE(Press(IDC_BTN_NEXT, IDC_INPUT_NAMES), nullptr);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(prog->WaitForExit());
  EXPECT_EQ(ReadBytes(dir.Path() + L"Option.dat"), stored);
}

// A visible pop-up menu of the process: the system's or the skin's.
HWND VisibleMenuOf(DWORD pid) {
  struct Search {
    DWORD pid;
    HWND found;
  } search{pid, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lp) {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        wchar_t cls[32] = {0};
        ::GetClassNameW(hwnd, cls, 32);
        if (owner != s->pid || !::IsWindowVisible(hwnd) ||
            (std::wstring(cls) != L"#32768" && std::wstring(cls) != L"SkinManagerMenu"))
          return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      LPARAM(&search));
  return search.found;
}

// As a person would: Alt+Space opens the window's system menu, Up goes round
// to its last item and Return chooses it. Without the item at the end, the
// last item is another and the About dialog does not come.
TEST_F(Wizard, SystemMenuAboutOpensTheAboutDialog) {
  Start();
  ::SetForegroundWindow(main);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == main; }));
  SendKeys({VK_MENU, VK_SPACE});
  ASSERT_TRUE(WaitUntil([&] { return VisibleMenuOf(prog->Pid()) != nullptr; }));
  SendKeys({VK_UP});
  SendKeys({VK_RETURN});
  HWND about = WaitForDialog(prog->Pid(), L"About");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION)),
            L"Ostrel AVI Converter Version: 3.0");
  ::PostMessageW(about, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
}

// Every page ends above the wizard's bottom buttons, under the theme's caption
// as under the system's: the page rectangle is worked out from the caption
// height the window is drawn with.
TEST(WizardLayout, EveryPageEndsAboveTheBottomButtons) {
  for (bool skinned : {false, true}) {
    ScratchDir dir;
    ASSERT_TRUE(CopyInto(AppDir() + L"Vidmorph.exe", dir.Path()));
    if (skinned) {
      ASSERT_TRUE(CopyInto(AppDir() + L"Vista.skinstyles", dir.Path()));
    }
    RunningProgram prog(dir.Path() + L"Vidmorph.exe");
    HWND main = prog.WaitForWindow(L"Ostrel AVI Converter");
    ASSERT_NE(main, nullptr);
    const char* look = skinned ? "skinned" : "unskinned";
    LONG buttonsTop = LONG_MAX;
    for (int id : {IDC_BTN_SAVELOG, IDC_BTN_PREV, IDC_BTN_NEXT, IDC_BTN_REPEAT}) {
      RECT r;
      ASSERT_TRUE(::GetWindowRect(::GetDlgItem(main, id), &r)) << id;
      buttonsTop = std::min(buttonsTop, r.top);
    }
    for (int idOnPage : {IDC_TASK_AVI_VIDEO, IDC_INPUT_NAMES, IDC_OUT_PROFILE,
                         IDC_CONV_TOTAL_PROGRESS, IDC_RES_TOTAL}) {
      HWND page = PageWith(main, idOnPage);
      ASSERT_NE(page, nullptr) << look << " " << idOnPage;
      RECT r;
      ASSERT_TRUE(::GetWindowRect(page, &r));
      EXPECT_LE(r.bottom, buttonsTop) << look << " page holding " << idOnPage;
      EXPECT_GT(r.bottom, buttonsTop - 12) << look << " page holding " << idOnPage;
    }
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(prog.WaitForExit());
  }
}

}  // namespace

// The output settings page: driven from outside in the running program, and
// in this process where the conversion job record or the folder chooser must
// be reached.
#include <gtest/gtest.h>

#include <memory>

#include "app/app_state.h"
#include "framework/archive.h"
#include "profiles/catalogue.h"
#include "profiles/command_line.h"
#include "profiles/output_page_rules.h"
#include "profiles/win/output_settings_page.h"
#include "resources/resource.h"
#include "tests/win/modal_driver.h"
#include "tests/win/program_harness.h"

namespace {

std::wstring TempPath() {
  wchar_t path[MAX_PATH + 1] = {0};
  ::GetTempPathW(MAX_PATH + 1, path);
  return path;
}

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

class OutputPage : public testing::Test {
 protected:
  // Starts the program and walks to the output page with one input file,
  // choosing the audio task on the way when asked.
  void StartAndWalk(bool audioTask = false) {
    ASSERT_TRUE(WriteBytes(dir.Path() + L"clip.avi", {0}));
    ASSERT_TRUE(CopyInto(AppDir() + L"Vidmorph.exe", dir.Path()));
    prog.reset(new RunningProgram(dir.Path() + L"Vidmorph.exe"));
    main = prog->WaitForWindow(L"Ostrel AVI Converter");
    ASSERT_NE(main, nullptr);
    if (audioTask) {
      HWND task = VisiblePageWith(main, IDC_TASK_AVI_AUDIO);
      ASSERT_NE(task, nullptr);
      ::SendMessageW(::GetDlgItem(task, IDC_TASK_AVI_AUDIO), BM_CLICK, 0, 0);
    }
    HWND input = Press(IDC_BTN_NEXT, IDC_INPUT_NAMES);
    ASSERT_NE(input, nullptr);
    ASSERT_TRUE(AddThroughFileDialog(prog->Pid(), input, dir.Path(), L"clip.avi"));
    ASSERT_TRUE(
        WaitUntil([&] { return ListRows(::GetDlgItem(input, IDC_INPUT_PATHS)).size() == 1; }));
    page = Press(IDC_BTN_NEXT, IDC_OUT_PROFILE);
    ASSERT_NE(page, nullptr);
  }
  void TearDown() override { prog.reset(); }

  HWND Press(int button, int idOnPage) { return PressNavigation(main, button, idOnPage); }
  // Leaves the page for the input page and comes back.
  void LeaveAndReturn() {
    ASSERT_NE(Press(IDC_BTN_PREV, IDC_INPUT_NAMES), nullptr);
    ASSERT_EQ(Press(IDC_BTN_NEXT, IDC_OUT_PROFILE), page);
  }
  // Leaves the page backwards (Next would start a conversion), closes the
  // program and reads what it stored.
  APP_STATE LeaveCloseAndRead() {
    APP_STATE back;
    SetDefaults(back, u"C:\\x\\Vidmorph.exe");
    back.g_strOutputFolder = u"unread";
    if (!Press(IDC_BTN_PREV, IDC_INPUT_NAMES)) return back;
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    if (!prog->WaitForExit()) return back;
    const auto bytes = ReadBytes(dir.Path() + L"Option.dat");
    Archive ar(bytes.data(), bytes.size(), nullptr);
    SerializeSettings(ar, back);
    EXPECT_TRUE(ar.Ok());
    return back;
  }

  HWND Box(int id) const { return ::GetDlgItem(page, id); }
  int Count(int id) const { return int(::SendMessageW(Box(id), CB_GETCOUNT, 0, 0)); }
  int Sel(int id) const { return int(::SendMessageW(Box(id), CB_GETCURSEL, 0, 0)); }
  int Data(int id, int index) const {
    return int(::SendMessageW(Box(id), CB_GETITEMDATA, WPARAM(index), 0));
  }
  std::wstring ItemText(int id, int index) const {
    wchar_t buf[128] = {0};
    ::SendMessageW(Box(id), CB_GETLBTEXT, WPARAM(index), LPARAM(buf));
    return buf;
  }
  bool Checked(int id) const { return ::SendMessageW(Box(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) const { return ::IsWindowEnabled(Box(id)) != FALSE; }
  bool Visible(int id) const { return ::IsWindowVisible(Box(id)) != FALSE; }
  void ChooseProfile(int position) {
    ::SendMessageW(Box(IDC_OUT_PROFILE), CB_SETCURSEL, WPARAM(position), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_OUT_PROFILE, CBN_SELCHANGE),
                   LPARAM(Box(IDC_OUT_PROFILE)));
  }

  ScratchDir dir;
  std::unique_ptr<RunningProgram> prog;
  HWND main = nullptr;
  HWND page = nullptr;
};

TEST_F(OutputPage, WithoutSettingsTheFirstRowsAndTheTempFolderShow) {
  StartAndWalk();
  // The 22 video profiles of old, then the three added since.
  ASSERT_EQ(Count(IDC_OUT_PROFILE), 25);
  EXPECT_EQ(Sel(IDC_OUT_PROFILE), 0);
  EXPECT_EQ(ItemText(IDC_OUT_PROFILE, 0), L"DivX Movie(.avi)");
  EXPECT_EQ(ItemText(IDC_OUT_PROFILE, 21), L"SVCD Format(.mpg)");
  EXPECT_EQ(ItemText(IDC_OUT_PROFILE, 24), L"WebM Video(.webm)");
  for (int i = 0; i < 25; ++i) EXPECT_EQ(Data(IDC_OUT_PROFILE, i), i < 22 ? i : i + 5);
  // Positions 0, although DivX Movie preselects other rows in most boxes.
  for (OptionKind kind : kAllOptionKinds) {
    const int id = OptionBoxId(kind);
    EXPECT_EQ(Count(id), OptionList(0, kind).nCount) << id;
    EXPECT_EQ(Sel(id), 0) << id;
    EXPECT_TRUE(Enabled(id)) << id;
  }
  EXPECT_TRUE(Checked(IDC_OUT_USE_TEMP));
  EXPECT_FALSE(Checked(IDC_OUT_SAME_AS_SOURCE));
  EXPECT_FALSE(Checked(IDC_OUT_OVERWRITE));
  EXPECT_FALSE(Enabled(IDC_OUT_BROWSE));
  EXPECT_FALSE(Enabled(IDC_OUT_FOLDER));
  EXPECT_EQ(WindowText(Box(IDC_OUT_FOLDER)), TempPath());

  EXPECT_TRUE(Visible(IDC_OUT_STATIC_1082));
  for (int id : {IDC_OUT_USE_ORIGINAL, IDC_OUT_AUDIO_FORMAT, IDC_OUT_BURNER, IDC_OUT_REFRESH})
    EXPECT_FALSE(Visible(id)) << id;
  for (int id : {IDC_OUT_BURNER, IDC_OUT_BURN_SPEED, IDC_OUT_CONVERT_AND_BURN, IDC_OUT_DISC_VOLUME,
                 IDC_OUT_REFRESH})
    EXPECT_FALSE(Enabled(id)) << id;
  ASSERT_EQ(Count(IDC_OUT_AUDIO_FORMAT), 3);
  EXPECT_EQ(ItemText(IDC_OUT_AUDIO_FORMAT, 0), L"MPEG audio layer 3 (*.mp3)");
  EXPECT_EQ(ItemText(IDC_OUT_AUDIO_FORMAT, 1), L"MPEG audio layer 2 (*.mp2)");
  EXPECT_EQ(ItemText(IDC_OUT_AUDIO_FORMAT, 2), L"WAV format (*.wav)");
  EXPECT_EQ(Sel(IDC_OUT_AUDIO_FORMAT), 0);
  EXPECT_EQ(WindowText(Box(IDC_OUT_DISC_VOLUME)), L"MyDVD");

  APP_STATE back = LeaveCloseAndRead();
  EXPECT_EQ(back.g_strOutputFolder, U16(TempPath()));
  EXPECT_EQ(back.g_bUseTempFolder, 1);
  EXPECT_EQ(back.g_nProfilePos, 0);
  for (OptionKind kind : kAllOptionKinds) EXPECT_EQ(SavedPosition(back, kind), 0);
  EXPECT_EQ(back.g_nAudioFormat, 0);
  EXPECT_EQ(back.g_nBurner, -1);
  EXPECT_EQ(back.g_nBurnSpeed, -1);
  EXPECT_EQ(back.g_bConvertAndBurn, 1);
  EXPECT_EQ(back.g_strDiscVolume, u"MyDVD");
}

TEST_F(OutputPage, AProfileChoiceStartsFromItsPreselectedRowsAndAReturnKeepsTheLastLeave) {
  StartAndWalk();
  ChooseProfile(5);  // MPEG2 Video: video bitrate rows 0-7, 9, 8
  for (OptionKind kind : kAllOptionKinds) {
    const int id = OptionBoxId(kind);
    ASSERT_EQ(Count(id), OptionList(5, kind).nCount) << id;
    EXPECT_EQ(Sel(id), OptionList(5, kind).nDefault) << id;
    EXPECT_EQ(Data(id, Sel(id)), PreselectedRow(5, kind)) << id;
  }
  EXPECT_EQ(Data(IDC_OUT_VIDEO_BITRATE, 8), 9);
  EXPECT_EQ(Count(IDC_OUT_CHANNELS), 3);

  ::SendMessageW(Box(IDC_OUT_SIZE), CB_SETCURSEL, 3, 0);
  ::SendMessageW(Box(IDC_OUT_VIDEO_BITRATE), CB_SETCURSEL, 8, 0);
  ::SendMessageW(Box(IDC_OUT_OVERWRITE), BM_CLICK, 0, 0);
  LeaveAndReturn();
  EXPECT_EQ(Sel(IDC_OUT_PROFILE), 5);
  EXPECT_EQ(Sel(IDC_OUT_SIZE), 3);
  EXPECT_EQ(Sel(IDC_OUT_VIDEO_BITRATE), 8);
  EXPECT_EQ(Sel(IDC_OUT_CHANNELS), 1);
  EXPECT_TRUE(Checked(IDC_OUT_OVERWRITE));

  APP_STATE back = LeaveCloseAndRead();
  EXPECT_EQ(back.g_nProfilePos, 5);
  EXPECT_EQ(back.g_nPosSize, 3);
  EXPECT_EQ(back.g_nPosVideoBitrate, 8);
  EXPECT_EQ(back.g_nPosFrameRate, OptionList(5, OptionKind::FrameRate).nDefault);
  EXPECT_EQ(back.g_nPosChannels, 1);
  EXPECT_EQ(back.g_bOverwrite, 1);
}

TEST_F(OutputPage, EmptyListsAreDisabledAndStoredAsNoSelection) {
  StartAndWalk();
  ChooseProfile(19);  // DVD Format: the target argument says it all
  for (OptionKind kind : kAllOptionKinds) {
    EXPECT_EQ(Count(OptionBoxId(kind)), 0);
    EXPECT_FALSE(Enabled(OptionBoxId(kind)));
  }
  LeaveAndReturn();
  EXPECT_EQ(Sel(IDC_OUT_PROFILE), 19);
  for (OptionKind kind : kAllOptionKinds) EXPECT_FALSE(Enabled(OptionBoxId(kind)));
  ChooseProfile(3);  // a full profile enables them again
  for (OptionKind kind : kAllOptionKinds) EXPECT_TRUE(Enabled(OptionBoxId(kind)));
  ChooseProfile(20);
  APP_STATE back = LeaveCloseAndRead();
  EXPECT_EQ(back.g_nProfilePos, 20);
  for (OptionKind kind : kAllOptionKinds) EXPECT_EQ(SavedPosition(back, kind), -1);
}

TEST_F(OutputPage, TheAudioTaskOffersTheAudioProfilesTheLaterOnesLast) {
  StartAndWalk(true);
  ASSERT_EQ(Count(IDC_OUT_PROFILE), 8);
  const wchar_t* names[] = {L"MP3(.mp3)", L"WAV(.wav)",   L"OGG(.ogg)",   L"WMA(.wmv)",
                            L"AAC(.aac)", L"FLAC(.flac)", L"Opus(.opus)", L"M4A(.m4a)"};
  const int profiles[] = {22, 23, 24, 25, 26, 30, 31, 32};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ItemText(IDC_OUT_PROFILE, i), names[i]);
    EXPECT_EQ(Data(IDC_OUT_PROFILE, i), profiles[i]);
  }
  for (int id : {IDC_OUT_SIZE, IDC_OUT_FRAME_RATE, IDC_OUT_VIDEO_BITRATE, IDC_OUT_VIDEO_CODEC}) {
    EXPECT_EQ(Count(id), 0) << id;
    EXPECT_FALSE(Enabled(id)) << id;
  }
  for (int id : {IDC_OUT_AUDIO_BITRATE, IDC_OUT_AUDIO_CODEC, IDC_OUT_SAMPLE_RATE, IDC_OUT_CHANNELS})
    EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_EQ(Data(IDC_OUT_AUDIO_CODEC, 0), 1);  // MP3's only codec row
}

TEST_F(OutputPage, FolderChecksGovernBrowseAndAnEmptyFolderIsStoredAsDriveC) {
  StartAndWalk();
  ::SendMessageW(Box(IDC_OUT_USE_TEMP), BM_CLICK, 0, 0);
  EXPECT_TRUE(Enabled(IDC_OUT_BROWSE));
  EXPECT_TRUE(Enabled(IDC_OUT_FOLDER));
  EXPECT_EQ(WindowText(Box(IDC_OUT_FOLDER)), TempPath());  // unchecking keeps the text
  ::SendMessageW(Box(IDC_OUT_SAME_AS_SOURCE), BM_CLICK, 0, 0);
  EXPECT_FALSE(Enabled(IDC_OUT_BROWSE));
  ::SendMessageW(Box(IDC_OUT_SAME_AS_SOURCE), BM_CLICK, 0, 0);
  EXPECT_TRUE(Enabled(IDC_OUT_BROWSE));
  ::SendMessageW(Box(IDC_OUT_FOLDER), WM_SETTEXT, 0, LPARAM(L""));
  APP_STATE back = LeaveCloseAndRead();
  EXPECT_EQ(back.g_strOutputFolder, u"C:\\");
  EXPECT_EQ(back.g_bUseTempFolder, 0);
  EXPECT_EQ(back.g_bSameAsSource, 0);
}

// The page in this process, for what only shows inside it: the job record
// and the folder chooser.
class OutputPageInProcess : public testing::Test {
 protected:
  void SetUp() override {
    SetDefaults(state, u"C:\\x\\Vidmorph.exe");
    parent = CreatePageParent();
    ASSERT_NE(parent, nullptr);
    page.reset(new COutputSettingsPage(state, state.g_nTaskAvi, state.job));
    ASSERT_TRUE(page->Create(parent));
    hwnd = page->GetSafeHwnd();
  }
  void TearDown() override {
    page.reset();
    ::DestroyWindow(parent);
  }
  HWND Box(int id) const { return ::GetDlgItem(hwnd, id); }
  void Click(int id) { ::SendMessageW(Box(id), BM_CLICK, 0, 0); }
  void ChooseProfile(int position) {
    ::SendMessageW(Box(IDC_OUT_PROFILE), CB_SETCURSEL, WPARAM(position), 0);
    ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_OUT_PROFILE, CBN_SELCHANGE),
                   LPARAM(Box(IDC_OUT_PROFILE)));
  }

  APP_STATE state;
  HWND parent = nullptr;
  std::unique_ptr<COutputSettingsPage> page;
  HWND hwnd = nullptr;
};

TEST(OutputPageBoxes, KindsMapToTheirOwnBoxes) {
  const int expected[] = {IDC_OUT_SIZE,          IDC_OUT_FRAME_RATE,  IDC_OUT_AUDIO_BITRATE,
                          IDC_OUT_VIDEO_BITRATE, IDC_OUT_VIDEO_CODEC, IDC_OUT_AUDIO_CODEC,
                          IDC_OUT_SAMPLE_RATE,   IDC_OUT_CHANNELS};
  for (int i = 0; i < kOptionKindCount; ++i)
    EXPECT_EQ(OptionBoxId(kAllOptionKinds[i]), expected[i]) << i;
  EXPECT_EQ(expected[0], 1053);
  EXPECT_EQ(expected[1], 1057);
  EXPECT_EQ(expected[7], 1060);
}

TEST_F(OutputPageInProcess, LeavingWritesRowNumbersAndNoRowIntoTheJob) {
  page->EnterPage();
  ChooseProfile(5);
  ::SendMessageW(Box(IDC_OUT_VIDEO_BITRATE), CB_SETCURSEL, 8, 0);  // row 9 sits at position 8
  page->LeavePage();
  const CONVERT_JOB& job = state.job;
  EXPECT_EQ(job.nProfile, 5);
  EXPECT_EQ(job.nVideoBitrate, 9);
  EXPECT_EQ(job.nSize, 10);
  EXPECT_EQ(job.nVideoCodec, 8);
  EXPECT_EQ(job.nChannels, 1);
  EXPECT_FALSE(job.bUseOriginal);
  EXPECT_FALSE(::IsWindowVisible(hwnd));

  page->EnterPage();
  ChooseProfile(21);
  page->LeavePage();
  EXPECT_EQ(job.nProfile, 21);
  for (OptionKind kind : kAllOptionKinds) EXPECT_EQ(JobRow(job, kind), -1);
}

TEST_F(OutputPageInProcess, UseOriginalDisablesTheOptionsAndReachesTheJob) {
  state.g_nTaskAvi = 1;
  page->EnterPage();
  Click(IDC_OUT_USE_ORIGINAL);
  for (OptionKind kind : kAllOptionKinds) EXPECT_FALSE(::IsWindowEnabled(Box(OptionBoxId(kind))));
  page->LeavePage();
  EXPECT_TRUE(state.job.bUseOriginal);
  EXPECT_EQ(state.g_bUseOriginal, 1);

  page->EnterPage();  // the stored flag disables them again on entry
  EXPECT_FALSE(::IsWindowEnabled(Box(IDC_OUT_AUDIO_CODEC)));
  Click(IDC_OUT_USE_ORIGINAL);  // only boxes with rows come back
  EXPECT_TRUE(::IsWindowEnabled(Box(IDC_OUT_AUDIO_CODEC)));
  EXPECT_FALSE(::IsWindowEnabled(Box(IDC_OUT_SIZE)));
}

TEST_F(OutputPageInProcess, AStoredProfilePositionPastTheAudioListTakesTheFirst) {
  APP_STATE& s = state;
  s.g_nTaskAvi = 1;
  s.g_nProfilePos = 12;  // iPod Nano, stored under the video task
  s.g_nPosAudioBitrate = 2;
  page->EnterPage();
  EXPECT_EQ(::SendMessageW(Box(IDC_OUT_PROFILE), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(::SendMessageW(Box(IDC_OUT_AUDIO_BITRATE), CB_GETCURSEL, 0, 0), 2);
  page->LeavePage();
  EXPECT_EQ(s.g_nProfilePos, 0);
  EXPECT_EQ(s.job.nProfile, 22);
  EXPECT_EQ(s.job.nAudioBitrate, 7);  // MP3's audio bitrate rows: 0, 6-24
}

TEST_F(OutputPageInProcess, BrowseKeepsTheSingleBackslashOfADriveRoot) {
  page->EnterPage();
  Click(IDC_OUT_USE_TEMP);  // off: Browse becomes usable
  ASSERT_TRUE(::IsWindowEnabled(Box(IDC_OUT_BROWSE)));
  bool titled = false, picked = false;
  RunDriven([&] { Click(IDC_OUT_BROWSE); },
            [&] {
              const FolderChooser c = WaitForFolderChooser(::GetCurrentProcessId());
              if (!c.dialog) return;
              titled = HasChildWithText(c.dialog, L"Select Destination Path:");
              picked = SelectInFolderChooser(::GetCurrentProcessId(), c, L"Z:\\");
              ::PostMessageW(c.dialog, WM_COMMAND, picked ? IDOK : IDCANCEL, 0);
            });
  EXPECT_TRUE(titled);
  ASSERT_TRUE(picked);
  EXPECT_EQ(WindowText(Box(IDC_OUT_FOLDER)), L"Z:\\");
  page->LeavePage();
  EXPECT_EQ(state.g_strOutputFolder, u"Z:\\");
}

}  // namespace

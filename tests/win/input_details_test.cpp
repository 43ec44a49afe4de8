// What the program finds out about its inputs when they are added, through
// the real program with the stand-in encoder as its reader: the input page's
// line and marks, a reader that never answers, and a run that fails an
// unreadable file without starting its encoder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

class InputDetailsTest : public testing::Test, public ConvertDriver {
 protected:
  void TearDown() override { prog.reset(); }

  // Selects the row named `name` as a click would, and returns the page's line.
  void Select(HWND input, const std::wstring& name) const {
    HWND list = ::GetDlgItem(input, IDC_INPUT_NAMES);
    const std::vector<std::wstring> rows = ListRows(list);
    const auto row = std::find(rows.begin(), rows.end(), name);
    ASSERT_NE(row, rows.end()) << "no row " << std::string(name.begin(), name.end());
    ::SendMessageW(list, LB_SETCURSEL, WPARAM(row - rows.begin()), 0);
    ::SendMessageW(input, WM_COMMAND, MAKEWPARAM(IDC_INPUT_NAMES, LBN_SELCHANGE), LPARAM(list));
  }
  static bool Says(HWND input, const std::wstring& part) {
    return WindowText(::GetDlgItem(input, IDC_INPUT_STATUS)).find(part) != std::wstring::npos;
  }
};

const char kHdrReport[] =
    "probe err Input #0, matroska,webm, from 'x':\\n"
    "  Duration: 00:01:05.00, start: 0.000000, bitrate: 9000 kb/s\\n"
    "  Stream #0:0: Video: hevc (Main 10), yuv420p10le(tv, bt2020nc/bt2020/smpte2084, "
    "progressive), 1920x1080, 25 fps, 25 tbr\\n"
    "  Stream #0:1: Audio: aac (LC), 48000 Hz, 5.1, fltp\\n"
    "  Stream #0:2: Subtitle: subrip\\n"
    "At least one output file must be specified\\n\n"
    "probe exit 1\n";

TEST_F(InputDetailsTest, PageTellsEachFileAndTheRunFailsUnreadableOnesAtOnce) {
  const std::wstring other = L"\u65e5\u672c \u0432\u0438\u0434\u0435\u043e.avi";
  ASSERT_TRUE(WriteScript(L"hdr.avi", std::string(kHdrReport) + "file 100 $OUT\n"));
  ASSERT_TRUE(WriteScript(L"broken.avi",
                          "probe err x: Invalid data found when processing input\\n\n"
                          "probe exit 1\nfile 100 $OUT\n"));
  // A reader that never answers: the page and the wizard go on all the same.
  ASSERT_TRUE(WriteScript(L"hang.avi", "probe sleep 600000\nfile 100 $OUT\n"));
  ASSERT_TRUE(WriteScript(other, "file 100 $OUT\n"));
  ASSERT_TRUE(Start());

  // Next does not wait for the files to be looked at.
  ASSERT_TRUE(ToOutputPage(L"\"hdr.avi\" \"broken.avi\" \"hang.avi\" \"" + other + L"\"", 4));
  HWND input = Press(IDC_BTN_PREV, IDC_INPUT_NAMES);
  ASSERT_TRUE(input);

  Select(input, L"broken.avi");
  EXPECT_TRUE(WaitUntil([&] {
    return Says(input, L"Cannot be read: the file is incomplete or damaged.") &&
           Says(input, L"Files that cannot be read: 1.");
  }));
  Select(input, L"hdr.avi");
  EXPECT_TRUE(WaitUntil([&] {
    return Says(input, L"Length 65 s, ") && Says(input, L"HEVC 10-bit HDR, 1920 x 1080, 25 fps") &&
           Says(input, L"Audio: AAC, 6 channels") && Says(input, L"Tracks: 1 audio, 1 subtitles");
  })) << WindowText(::GetDlgItem(input, IDC_INPUT_STATUS));
  Select(input, other);
  EXPECT_TRUE(WaitUntil([&] { return Says(input, L"Audio: MP3, 2 channels"); }))
      << WindowText(::GetDlgItem(input, IDC_INPUT_STATUS));
  // The reader of hang.avi is ended once its time is up, and says so.
  Select(input, L"hang.avi");
  EXPECT_TRUE(WaitUntil([&] { return Says(input, L"did not answer"); }, 60000));
  EXPECT_TRUE(Says(input, L"Files that cannot be read: 2."));

  ASSERT_TRUE(Press(IDC_BTN_NEXT, IDC_OUT_PROFILE));
  ASSERT_TRUE(StartRun());
  ASSERT_TRUE(WaitForPage(IDC_RES_TOTAL, 60000));
  EXPECT_TRUE(FileExists(out + L"hdr.avi.mp3"));
  EXPECT_TRUE(FileExists(out + other + L".mp3"));
  // Never started: their scripts would have written an output.
  EXPECT_FALSE(FileExists(out + L"broken.avi.mp3"));
  EXPECT_FALSE(FileExists(out + L"hang.avi.mp3"));
  const std::vector<std::wstring> log = Log();
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const std::wstring& entry) {
    return entry.find(L"broken.avi cannot be read.") != std::wstring::npos;
  }));
  const std::vector<std::wstring> results =
      ListRows(::GetDlgItem(WaitForPage(IDC_RES_TOTAL, 1000), IDC_RES_FILES));
  EXPECT_TRUE(std::any_of(results.begin(), results.end(), [&](const std::wstring& row) {
    return row.find(L"incomplete or damaged") != std::wstring::npos;
  }));
}

}  // namespace

namespace {

class OutputFolderTest : public testing::Test, public ConvertDriver {
 protected:
  void TearDown() override { prog.reset(); }
  // Presses Next on the output page and returns the message box it brings.
  HWND NextBringsBox() const {
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_BTN_NEXT, BN_CLICKED), 0);
    return WaitForDialog(prog->Pid(), L"Vidmorph");
  }
  static void Answer(HWND box, int button) {
    ::PostMessageW(box, WM_COMMAND, button, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
  }
};

TEST_F(OutputFolderTest, AMissingFolderIsOfferedAndAnUnwritableOneIsSaidBeforeTheRun) {
  const std::wstring missing = dir.Path() + L"made\\below\\";
  ASSERT_TRUE(WriteScript(L"a.avi", "file 5 $OUT\n"));
  ASSERT_TRUE(
      Start([&](APP_STATE& s) { s.g_strOutputFolder.assign(missing.begin(), missing.end()); }));
  ASSERT_TRUE(ToOutputPage(L"a.avi", 1));

  HWND box = NextBringsBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), L"The output folder " + missing + L" does not exist. Create it?");
  Answer(box, IDNO);
  EXPECT_TRUE(VisiblePageWith(main, IDC_OUT_PROFILE));
  EXPECT_FALSE(FileExists(dir.Path() + L"made"));

  box = NextBringsBox();
  ASSERT_TRUE(box);
  Answer(box, IDYES);
  ASSERT_TRUE(WaitForPage(IDC_RES_TOTAL, 60000));
  EXPECT_TRUE(FileExists(missing + L"a.avi.mp3"));

  // A file where the folder should be: nothing can be written there.
  const std::wstring file = dir.Path() + L"not a folder";
  ASSERT_TRUE(WriteBytes(file, {1}));
  HWND output = Press(IDC_BTN_PREV, IDC_OUT_PROFILE);
  ASSERT_TRUE(output);
  ::SetWindowTextW(::GetDlgItem(output, IDC_OUT_FOLDER), file.c_str());
  box = NextBringsBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), L"Files cannot be written in the output folder " + file +
                                     L". Please choose another folder.");
  Answer(box, IDOK);
  EXPECT_TRUE(VisiblePageWith(main, IDC_OUT_PROFILE));
}

}  // namespace

// Whole conversion runs of the real program with a scripted stand-in encoder:
// what is logged, the overwrite question, cancel, the result page and the
// saved log.
#include <windows.h>

#include <gtest/gtest.h>

#include "convert/conversion_log.h"
#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

int EncoderProcesses() {
  return ProcessesNamed(L"ffmpeg.exe");
}

class ConvertRun : public testing::Test, public ConvertDriver {
 protected:
  void TearDown() override { prog.reset(); }

  void Start(bool overwrite) {
    ASSERT_TRUE(ConvertDriver::Start([&](APP_STATE& s) { s.g_bOverwrite = overwrite; }));
  }
  // From the task page to the converting page with these input files.
  void Convert(const std::wstring& names, size_t count) {
    ASSERT_NE(ToConvertingPage(names, count), nullptr);
  }
  // The result page once the step to it is over (its buttons come last).
  HWND WaitForResult() const {
    HWND page = WaitForPage(IDC_RES_TOTAL, 60000);
    return page && WaitForButtons(main, "SaveLog Prev Repeat") ? page : nullptr;
  }
};

std::wstring Text(HWND page, int id) {
  return WindowText(::GetDlgItem(page, id));
}

// Entries without their "HH:MM:SS " stamps.
std::vector<std::wstring> Unstamped(const std::vector<std::wstring>& entries) {
  std::vector<std::wstring> texts;
  for (const auto& e : entries) {
    EXPECT_GE(e.size(), 9u);
    EXPECT_EQ(e[2], L':');
    EXPECT_EQ(e[8], L' ');
    texts.push_back(e.substr(9));
  }
  return texts;
}

TEST_F(ConvertRun, FirstChunkOfARunIsLoggedWholeLaterOnesAsTails) {
  const std::string a(400, 'A'), b(400, 'B'), c(400, 'C');
  ASSERT_TRUE(WriteScript(L"one.avi", "out " + a + "\nsleep 1500\nout " + b + "\nfile 10 $OUT\n"));
  ASSERT_TRUE(WriteScript(L"two.avi", "out " + c + "\nfile 10 $OUT\n"));
  Start(false);
  Convert(L"\"one.avi\" \"two.avi\"", 2);
  HWND result = WaitForResult();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Text(result, IDC_RES_TOTAL), L"2");
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"2");
  EXPECT_EQ(Text(result, IDC_RES_FOLDER), out);
  EXPECT_EQ(Text(converting, IDC_CONV_COUNT), L"2/2");

  const auto log = Unstamped(Log());
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0].substr(0, 1), L"\"");
  EXPECT_NE(log[0].find(L"one.avi.mp3\""), std::wstring::npos);
  EXPECT_EQ(log[1], std::wstring(400, L'A'));
  EXPECT_EQ(log[2], std::wstring(350, L'B'));
  EXPECT_NE(log[3].find(L"two.avi.mp3\""), std::wstring::npos);
  EXPECT_EQ(log[4], std::wstring(350, L'C'));
}

TEST_F(ConvertRun, ExistingOutputAnsweredNoIsSkipped) {
  for (const wchar_t* name : {L"a.avi", L"b.avi", L"c.avi"})
    ASSERT_TRUE(WriteScript(name, "out x\nfile 5 $OUT\n"));
  ASSERT_TRUE(WriteBytes(out + L"b.avi.mp3", {1, 2, 3}));
  Start(false);
  Convert(L"\"a.avi\" \"b.avi\" \"c.avi\"", 3);
  HWND box = WaitForDialog(prog->Pid(), L"Vidmorph", 30000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"The file: " + out + L"b.avi.mp3 have exist. writeover it? ");
  EXPECT_EQ(Text(converting, IDC_CONV_COUNT), L"1/3");
  ::PostMessageW(box, WM_COMMAND, IDNO, 0);
  HWND result = WaitForResult();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Text(converting, IDC_CONV_COUNT), L"3/3");
  EXPECT_EQ(Text(result, IDC_RES_TOTAL), L"3");
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"2");
  EXPECT_EQ(ReadBytes(out + L"b.avi.mp3"), (std::vector<uint8_t>{1, 2, 3}));
  const auto log = Unstamped(Log());
  ASSERT_EQ(log.size(), 5u);  // the skipped file logs its command line only
  EXPECT_NE(log[2].find(L"b.avi.mp3\""), std::wstring::npos);
  EXPECT_NE(log[3].find(L"c.avi.mp3\""), std::wstring::npos);
}

TEST_F(ConvertRun, OverwriteOnAsksNothing) {
  ASSERT_TRUE(WriteScript(L"a.avi", "out x\nfile 7 $OUT\n"));
  ASSERT_TRUE(WriteBytes(out + L"a.avi.mp3", {1}));
  Start(true);
  Convert(L"\"a.avi\"", 1);
  HWND result = WaitForResult();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"1");
  EXPECT_EQ(ReadBytes(out + L"a.avi.mp3").size(), 7u);
  EXPECT_EQ(Log().size(), 2u);
}

TEST_F(ConvertRun, CancelInTheThirdFileAfterTwoSuccesses) {
  ASSERT_TRUE(WriteScript(L"a.avi", "out x\nfile 5 $OUT\n"));
  ASSERT_TRUE(WriteScript(L"b.avi", "out x\nfile 5 $OUT\n"));
  std::string slow;
  for (int i = 0; i < 40; ++i) slow += "out tick\nsleep 500\n";
  ASSERT_TRUE(WriteScript(L"c.avi", slow + "file 5 $OUT\n"));
  Start(false);
  Convert(L"\"a.avi\" \"b.avi\" \"c.avi\"", 3);
  // Cancel while the third file's encoder is known to run: its first tick is logged.
  ASSERT_TRUE(WaitUntil(
      [&] {
        const auto log = Log();
        return log.size() >= 6 && log[4].find(L"c.avi.mp3\"") != std::wstring::npos &&
               log[5].find(L"tick") != std::wstring::npos;
      },
      30000));
  ClickButton(::GetDlgItem(converting, IDC_CONV_CANCEL));
  HWND result = WaitForResult();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Text(result, IDC_RES_TOTAL), L"3");
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"0");
  EXPECT_FALSE(FileExists(out + L"c.avi.mp3"));
  EXPECT_TRUE(WaitUntil([] { return EncoderProcesses() == 0; }));
}

TEST_F(ConvertRun, SavedLogHoldsBothRunsInOrder) {
  ASSERT_TRUE(WriteScript(L"a.avi", "out first\\r\\nline\nfile 5 $OUT\n"));
  Start(true);
  Convert(L"\"a.avi\"", 1);
  ASSERT_NE(WaitForResult(), nullptr);
  ASSERT_NE(RunAgain(), nullptr);
  ASSERT_NE(WaitForResult(), nullptr);
  const auto entries = Log();
  ASSERT_EQ(entries.size(), 4u);

  ClickButton(::GetDlgItem(main, IDC_BTN_SAVELOG));
  HWND save = WaitForDialog(prog->Pid(), L"Save As");
  ASSERT_NE(save, nullptr);
  HWND edit = FindDescendant(save, L"Edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(WindowText(edit), L"vm_video_log.txt");
  const std::wstring target = dir.Path() + L"saved.txt";
  ::SendMessageW(edit, WM_SETTEXT, 0, LPARAM(target.c_str()));
  ::PostMessageW(save, WM_COMMAND, IDOK, 0);
  std::vector<std::u16string> expected;
  for (const auto& e : entries) expected.emplace_back(e.begin(), e.end());
  const std::string bytes = SavedLogBytes(expected);
  const std::vector<uint8_t> want(bytes.begin(), bytes.end());
  // The file may exist before all of it is written.
  EXPECT_TRUE(WaitUntil([&] { return ReadBytes(target) == want; }));
  EXPECT_EQ(ReadBytes(target), want);
  // The chunk's own CR LF is written with text-mode line ends: CR CR LF.
  EXPECT_NE(bytes.find("first\r\r\nline\r\n"), std::string::npos);
}

}  // namespace

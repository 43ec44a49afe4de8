// What a run tells the user, through the real program: every file's outcome
// on the result page with its reason, nothing half-made left behind, Retry
// failed, the whole run's bar and time left, and no encoder outliving the
// program.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

class ConvertOutcomes : public testing::Test, public ConvertDriver {
 protected:
  void TearDown() override { prog.reset(); }
  HWND Result(DWORD timeoutMs = 60000) const { return WaitForPage(IDC_RES_TOTAL, timeoutMs); }
  std::vector<std::wstring> Rows(HWND result) const {
    return ListRows(::GetDlgItem(result, IDC_RES_FILES));
  }
  // Retry failed, then the result page once its row `row` reads `expected`.
  HWND RetryFailed(HWND result, size_t row, const std::wstring& expected) {
    ClickButton(::GetDlgItem(result, IDC_RES_RETRY));
    const bool shown = WaitUntil(
        [&] {
          const std::vector<std::wstring> rows = Rows(result);
          return ::IsWindowVisible(result) && rows.size() > row && rows[row] == expected;
        },
        60000);
    return shown ? result : nullptr;
  }
};

bool Visible(HWND page, int id) {
  return ::IsWindowVisible(::GetDlgItem(page, id)) != FALSE;
}

TEST_F(ConvertOutcomes, EveryFileHasItsOutcomeAndReasonInInputOrder) {
  ASSERT_TRUE(WriteScript(L"a.avi", "err Duration: 00:00:02.00\\r\\n\nfile 1234 $OUT\n"));
  ASSERT_TRUE(WriteScript(L"b.avi", "err b.avi: No such file or directory\\r\\n\nexit 1\n"));
  // Exit 0 with nothing written.
  ASSERT_TRUE(WriteScript(L"c.avi", "out all fine\\r\\n\n"));
  // A half-written output of a failing encoder.
  ASSERT_TRUE(WriteScript(
      L"d.avi",
      "file 300 $OUT\nerr Error while opening encoder for output stream #0:0\\r\\n\nexit 1\n"));
  ASSERT_TRUE(WriteScript(L"e.avi", "file 5 $OUT\n"));
  ASSERT_TRUE(WriteBytes(out + L"e.avi.mp3", {1}));  // answered No: skipped
  ASSERT_TRUE(Start());
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\" \"c.avi\" \"d.avi\" \"e.avi\"", 5), nullptr);
  HWND box = WaitForDialog(prog->Pid(), L"Vidmorph", 60000);
  ASSERT_NE(box, nullptr);
  ::PostMessageW(box, WM_COMMAND, IDNO, 0);
  HWND result = Result();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)), L"1");
  EXPECT_EQ(Rows(result),
            (std::vector<std::wstring>{
                L"a.avi - Converted (1 KB)",
                L"b.avi - Failed: b.avi: No such file or directory (exit code 1)",
                L"c.avi - Failed: the encoder reported success but wrote nothing (exit code 0)",
                L"d.avi - Failed: Error while opening encoder for output stream #0:0 (exit code 1)",
                L"e.avi - Skipped",
            }));
  // Nothing half-made; the skipped file's output is the user's own.
  EXPECT_FALSE(FileExists(out + L"b.avi.mp3"));
  EXPECT_FALSE(FileExists(out + L"c.avi.mp3"));
  EXPECT_FALSE(FileExists(out + L"d.avi.mp3"));
  EXPECT_EQ(ReadBytes(out + L"e.avi.mp3").size(), 1u);
  EXPECT_TRUE(Visible(result, IDC_RES_RETRY));
  // The log keeps the command lines as they were: one per file.
  size_t commands = 0;
  for (const std::wstring& entry : Log())
    commands += entry.find(L"ffmpeg.exe") != std::wstring::npos;
  EXPECT_EQ(commands, 5u);
}

TEST_F(ConvertOutcomes, RetryFailedRunsOnlyTheFailedFilesAgain) {
  ASSERT_TRUE(WriteScript(L"a.avi", "file 10 $OUT\n"));
  ASSERT_TRUE(
      WriteScript(L"b.avi", "err b.avi: Invalid data found when processing input\\r\\n\nexit 1\n"));
  ASSERT_TRUE(WriteScript(L"c.avi", "file 30 $OUT\n"));
  ASSERT_TRUE(Start());
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\" \"c.avi\"", 3), nullptr);
  HWND result = Result();
  ASSERT_NE(result, nullptr);
  ASSERT_EQ(Rows(result).size(), 3u);
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)), L"2");
  const size_t logged = Log().size();
  // The user mends b.avi; a.avi's output is the user's to keep.
  ASSERT_TRUE(WriteScript(L"b.avi", "file 20 $OUT\n"));
  ASSERT_TRUE(WriteBytes(out + L"a.avi.mp3", {7, 7}));

  ASSERT_NE(RetryFailed(result, 1, L"b.avi - Converted (20 bytes)"), nullptr) << Rows(result)[1];
  EXPECT_EQ(Rows(result), (std::vector<std::wstring>{L"a.avi - Converted (10 bytes)",
                                                     L"b.avi - Converted (20 bytes)",
                                                     L"c.avi - Converted (30 bytes)"}));
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)), L"3");
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_TOTAL)), L"3");
  EXPECT_FALSE(Visible(result, IDC_RES_RETRY));
  // Only b ran again: one more command line, and a.avi's output untouched.
  const std::vector<std::wstring> log = Log();
  ASSERT_GT(log.size(), logged);
  EXPECT_NE(log[logged].find(L"b.avi.mp3\""), std::wstring::npos);
  EXPECT_EQ(ReadBytes(out + L"a.avi.mp3").size(), 2u);
}

TEST_F(ConvertOutcomes, CancelInTheThirdOfFiveLeavesItsOutputNowhere) {
  for (const wchar_t* name : {L"a.avi", L"b.avi", L"d.avi", L"e.avi"})
    ASSERT_TRUE(WriteScript(name, "file 5 $OUT\n"));
  const std::wstring never = dir.Path() + L"never";
  ASSERT_TRUE(WriteScript(L"c.avi", "file 100 $OUT\nout writing\\r\\n\nwait " +
                                        std::string(never.begin(), never.end()) + "\n"));
  ASSERT_TRUE(Start());
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\" \"c.avi\" \"d.avi\" \"e.avi\"", 5), nullptr);
  // The third encoder has written part of its output.
  ASSERT_TRUE(WaitUntil([&] { return FileExists(out + L"c.avi.mp3"); }, 60000));
  ClickButton(::GetDlgItem(converting, IDC_CONV_CANCEL));
  HWND result = Result();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Rows(result), (std::vector<std::wstring>{
                              L"a.avi - Converted (5 bytes)",
                              L"b.avi - Converted (5 bytes)",
                              L"c.avi - Cancelled",
                              L"d.avi - Cancelled: the run ended before this file",
                              L"e.avi - Cancelled: the run ended before this file",
                          }));
  EXPECT_FALSE(FileExists(out + L"c.avi.mp3"));
  EXPECT_FALSE(FileExists(out + L"d.avi.mp3"));
  EXPECT_TRUE(FileExists(out + L"a.avi.mp3"));
}

TEST_F(ConvertOutcomes, TheWholeRunBarMovesAndTheTimeLeftIsUnknownWhileSilent) {
  // Four seconds of a ten-second clip's progress, then a silent encoder.
  std::string a = "err Duration: 00:00:10.00, start: 0.000000\\r\\n\n";
  for (int s = 1; s <= 8; ++s)
    a += "err frame=1 time=00:00:0" + std::to_string(s) + ".00 bitrate=1\\r\nsleep 500\n";
  a += "file 5 $OUT\n";
  ASSERT_TRUE(WriteScript(L"a.avi", a));
  const std::wstring go = dir.Path() + L"go";
  ASSERT_TRUE(
      WriteScript(L"b.avi", "wait " + std::string(go.begin(), go.end()) + "\nfile 5 $OUT\n"));
  ASSERT_TRUE(Start());
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\"", 2), nullptr);
  HWND total = ::GetDlgItem(converting, IDC_CONV_TOTAL_PROGRESS);
  EXPECT_TRUE(::IsWindowVisible(total));
  ASSERT_TRUE(WaitUntil(
      [&] { return ConvertingText(IDC_CONV_ESTIMATE).find(L" left - ") != std::wstring::npos; },
      30000))
      << WindowText(::GetDlgItem(converting, IDC_CONV_ESTIMATE));
  const std::wstring estimate = ConvertingText(IDC_CONV_ESTIMATE);
  EXPECT_EQ(estimate.rfind(L"Elapsed ", 0), 0u) << estimate;
  EXPECT_NE(estimate.find(L"x real time"), std::wstring::npos) << estimate;
  // b's encoder says nothing: the line gives up its number.
  ASSERT_TRUE(WaitUntil([&] { return ConvertingText(IDC_CONV_COUNT) == L"2/2"; }, 30000));
  const LRESULT half = ::SendMessageW(total, PBM_GETPOS, 0, 0);
  EXPECT_GE(half, 40);
  EXPECT_LE(half, 60);
  ASSERT_TRUE(WaitUntil(
      [&] {
        return ConvertingText(IDC_CONV_ESTIMATE).find(L"time left unknown") != std::wstring::npos;
      },
      30000));
  ASSERT_TRUE(WriteBytes(go, {1}));
  ASSERT_NE(Result(), nullptr);
}

TEST_F(ConvertOutcomes, NoEncoderOutlivesAKilledProgram) {
  const std::wstring never = dir.Path() + L"never";
  const std::wstring running = dir.Path() + L"running";
  ASSERT_TRUE(WriteScript(L"a.avi", "file 1 " + std::string(running.begin(), running.end()) +
                                        "\nwait " + std::string(never.begin(), never.end()) +
                                        "\n"));
  ASSERT_TRUE(Start());
  const int before = ProcessesNamed(L"ffmpeg.exe");
  ASSERT_NE(ToConvertingPage(L"a.avi", 1), nullptr);
  // Running, not just created: an encoder runs only once it is in the job.
  ASSERT_TRUE(WaitUntil([&] { return FileExists(running); }, 30000));
  ASSERT_EQ(ProcessesNamed(L"ffmpeg.exe"), before + 1);
  // As Task Manager ends it: no chance to clean up.
  HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, prog->Pid());
  ASSERT_NE(process, nullptr);
  ::TerminateProcess(process, 9);
  ::WaitForSingleObject(process, 10000);
  ::CloseHandle(process);
  // The system ends the job's processes once the job's last handle, the
  // program's, is closed (Wine 8 does so too).
  EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(L"ffmpeg.exe") == before; }, 10000));
}

}  // namespace

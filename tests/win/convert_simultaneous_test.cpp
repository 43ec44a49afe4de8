// Runs of the real program that keep several stand-in encoders busy: how many
// run at once, the rows of the files in flight, the overwrite questions, the
// outcomes and the log's grouping.
#include <windows.h>

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

class ConvertSimultaneous : public testing::Test, public ConvertDriver {
 protected:
  void TearDown() override {
    // Encoders still waiting would outlive a failed test.
    WriteBytes(in + L"go", {1});
    prog.reset();
  }
  // A script that says it has started, then waits for the test's go.
  bool WriteHeldScript(const std::wstring& name, const std::string& end) {
    const std::string letter(1, char(name[0]));
    const std::string inA(in.begin(), in.end());
    return WriteScript(name, "out chunk-of-" + letter + "\nfile 1 " + inA + "started-" + letter +
                                 "\nwait " + inA + "go\nout more-of-" + letter + "\n" + end);
  }
  // Three held files with two encoders: a and b run, c waits.
  void TwoOfThreeHeld() {
    for (const wchar_t* name : {L"a.avi", L"b.avi", L"c.avi"})
      ASSERT_TRUE(WriteHeldScript(name, "file 5 $OUT\n"));
    ASSERT_TRUE(Start([](APP_STATE& s) { s.g_runSettings.nSimultaneous = 2; }));
    ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\" \"c.avi\"", 3), nullptr);
    ASSERT_TRUE(WaitUntil(
        [&] { return FileExists(in + L"started-a") && FileExists(in + L"started-b"); }, 30000));
  }
  HWND AnswerQuestion(const std::wstring& output, int answer) {
    HWND box = WaitForDialog(prog->Pid(), L"Vidmorph", 30000);
    if (!box) return nullptr;
    EXPECT_EQ(MessageBoxText(box), L"The file: " + out + output + L" have exist. writeover it? ");
    ::PostMessageW(box, WM_COMMAND, answer, 0);
    // Gone before the next question may come.
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
    return box;
  }
};

// The file whose entry this is: a command line names its output, a chunk its letter.
char OwnerOf(const std::wstring& entry) {
  for (char c = 'a'; c <= 'f'; ++c) {
    const std::wstring letter(1, wchar_t(c));
    if (entry.find(L"\\" + letter + L".avi.mp3\"") != std::wstring::npos ||
        entry.find(L"-of-" + letter) != std::wstring::npos)
      return c;
  }
  return '?';
}

TEST_F(ConvertSimultaneous, ThreeAtOnceQuestionsInTurnOutcomesAndLogInInputOrder) {
  const std::string ok = "file 5 $OUT\n";
  for (const wchar_t* name : {L"a.avi", L"b.avi", L"d.avi", L"e.avi", L"f.avi"})
    ASSERT_TRUE(WriteHeldScript(name, ok));
  ASSERT_TRUE(WriteHeldScript(L"c.avi", "exit 1\n"));
  ASSERT_TRUE(WriteBytes(out + L"d.avi.mp3", {1, 2, 3}));
  ASSERT_TRUE(WriteBytes(out + L"f.avi.mp3", {4, 5, 6}));
  ASSERT_TRUE(Start([](APP_STATE& s) { s.g_runSettings.nSimultaneous = 3; }));
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\" \"c.avi\" \"d.avi\" \"e.avi\" \"f.avi\"", 6),
            nullptr);

  // Three encoders run and wait; the fourth file waits for one of them.
  ASSERT_TRUE(WaitUntil(
      [&] {
        return FileExists(in + L"started-a") && FileExists(in + L"started-b") &&
               FileExists(in + L"started-c");
      },
      30000));
  HWND rows = ::GetDlgItem(converting, IDC_CONV_RUNNING);
  ASSERT_TRUE(WaitUntil([&] { return ListRows(rows).size() == 3; }));
  EXPECT_TRUE(::IsWindowVisible(rows));
  const auto shown = ListRows(rows);
  for (size_t i = 0; i < 3; ++i)
    EXPECT_NE(shown[i].find(std::wstring(1, wchar_t(L'a' + i)) + L".avi"), std::wstring::npos)
        << shown[i];
  EXPECT_EQ(ProcessesNamed(L"ffmpeg.exe"), 3);
  EXPECT_FALSE(FileExists(in + L"started-d"));
  EXPECT_EQ(ConvertingText(IDC_CONV_COUNT), L"1/6");
  EXPECT_EQ(ConvertingText(IDC_CONV_FILE_NAME), L"a.avi");

  ASSERT_TRUE(WriteBytes(in + L"go", {1}));
  ASSERT_NE(WaitForDialog(prog->Pid(), L"Vidmorph", 30000), nullptr);
  // The question holds the run, not the page: the files that end meanwhile
  // leave the rows and count as done at once.
  EXPECT_TRUE(WaitUntil(
      [&] { return ListRows(rows).empty() && ConvertingText(IDC_CONV_COUNT) == L"4/6"; }, 30000))
      << ListRows(rows).size() << " rows, " << ConvertingText(IDC_CONV_COUNT);
  ASSERT_NE(AnswerQuestion(L"d.avi.mp3", IDYES), nullptr);
  ASSERT_NE(AnswerQuestion(L"f.avi.mp3", IDNO), nullptr);
  HWND result = WaitForPage(IDC_RES_TOTAL, 60000);
  ASSERT_NE(result, nullptr);
  ASSERT_TRUE(WaitForButtons(main, "SaveLog Prev Repeat"));
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_TOTAL)), L"6");
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)), L"4");
  EXPECT_EQ(ConvertingText(IDC_CONV_COUNT), L"6/6");
  for (const wchar_t* name : {L"a", L"b", L"d", L"e"})
    EXPECT_EQ(ReadBytes(out + name + L".avi.mp3").size(), 5u) << name;
  EXPECT_FALSE(FileExists(out + L"c.avi.mp3"));
  EXPECT_EQ(ReadBytes(out + L"f.avi.mp3"), (std::vector<uint8_t>{4, 5, 6}));
  EXPECT_EQ(ProcessesNamed(L"ffmpeg.exe"), 0);

  // Each file's entries together, the files in input order; the skipped file
  // logs its command line only.
  std::string owners;
  for (const std::wstring& entry : Log()) owners += OwnerOf(entry);
  std::string grouped;
  for (char c : owners)
    if (grouped.empty() || grouped.back() != c) grouped += c;
  EXPECT_EQ(grouped, "abcdef") << owners;
  EXPECT_EQ(owners.back(), 'f');
  EXPECT_EQ(std::count(owners.begin(), owners.end(), 'f'), 1);
}

TEST_F(ConvertSimultaneous, CancelEndsEveryRunningEncoderAndKeepsNoHalfMadeOutput) {
  ASSERT_NO_FATAL_FAILURE(TwoOfThreeHeld());
  ClickButton(::GetDlgItem(converting, IDC_CONV_CANCEL));
  HWND result = WaitForPage(IDC_RES_TOTAL, 30000);
  ASSERT_NE(result, nullptr);
  EXPECT_TRUE(WaitUntil([] { return ProcessesNamed(L"ffmpeg.exe") == 0; }));
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)), L"0");
  EXPECT_FALSE(FileExists(in + L"started-c"));
  for (const wchar_t* name : {L"a", L"b", L"c"})
    EXPECT_FALSE(FileExists(out + name + L".avi.mp3")) << name;
}

TEST_F(ConvertSimultaneous, ClosingTheWindowMidRunLeavesNoEncoder) {
  ASSERT_NO_FATAL_FAILURE(TwoOfThreeHeld());
  EXPECT_EQ(ProcessesNamed(L"ffmpeg.exe"), 2);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(prog->WaitForExit());
  EXPECT_EQ(ProcessesNamed(L"ffmpeg.exe"), 0);
  EXPECT_FALSE(FileExists(in + L"started-c"));
}

TEST_F(ConvertSimultaneous, AMissingEncoderIsToldOnceNotOncePerSlot) {
  for (const wchar_t* name : {L"a.avi", L"b.avi", L"c.avi"})
    ASSERT_TRUE(WriteScript(name, "file 5 $OUT\n"));
  ASSERT_TRUE(Start([](APP_STATE& s) { s.g_runSettings.nSimultaneous = 3; }));
  ASSERT_TRUE(::DeleteFileW((dir.Path() + L"ffmpeg.exe").c_str()));
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\" \"c.avi\"", 3), nullptr);
  HWND box = WaitForDialog(prog->Pid(), L"Error", 30000);
  ASSERT_NE(box, nullptr);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  HWND result = WaitForPage(IDC_RES_TOTAL, 30000);
  ASSERT_NE(result, nullptr);
  ASSERT_TRUE(WaitForButtons(main, "SaveLog Prev Repeat"));
  // A second box would hold the run, so none is left once the result shows.
  EXPECT_EQ(WaitForDialog(prog->Pid(), L"Error", 0), nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)), L"0");
  // The run stopped at the first file: only its command line is logged.
  EXPECT_EQ(Log().size(), 1u);
}

}  // namespace

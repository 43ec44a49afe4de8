// Runs that go wrong, through the real program with the stand-in encoder: an
// encoder that cannot start, prints nothing, floods its output or says that
// its output is broken; an output that would land on an input; a stored
// output folder without its separator. Each must end with a clear outcome
// and nothing of the user's lost.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

class ConvertFaults : public testing::Test, public ConvertDriver {
 protected:
  void TearDown() override { prog.reset(); }
  HWND Result(DWORD timeoutMs = 60000) const { return WaitForPage(IDC_RES_TOTAL, timeoutMs); }
  // The log entries from `from` on, without their "HH:MM:SS " stamps.
  std::vector<std::wstring> LogTexts(size_t from = 0) const {
    std::vector<std::wstring> texts;
    const std::vector<std::wstring> entries = Log();
    for (size_t i = from; i < entries.size(); ++i) texts.push_back(entries[i].substr(9));
    return texts;
  }
};

std::wstring Text(HWND page, int id) {
  return WindowText(::GetDlgItem(page, id));
}

// Handles a process holds, from the system's table of all handles: Wine
// answers GetProcessHandleCount for another process with 0.
int HandlesOf(DWORD pid) {
  struct Entry {
    ULONG pid;
    BYTE type;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
  };
  using Query = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  const ULONG kSystemHandleInformation = 16;
  std::vector<char> buffer(1 << 20);
  ULONG size = 0;
  while (query(kSystemHandleInformation, buffer.data(), ULONG(buffer.size()), &size) != 0) {
    if (buffer.size() >= (1u << 26)) return -1;
    buffer.resize(buffer.size() * 2);
  }
  const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
  const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(void*));
  int held = 0;
  for (ULONG i = 0; i < count; ++i) held += entries[i].pid == pid;
  return held;
}

TEST_F(ConvertFaults, AnEncoderThatCannotStartLeavesTheFileLabelsAlone) {
  ASSERT_TRUE(WriteScript(L"a.avi", "out x\nfile 5 $OUT\n"));
  ASSERT_TRUE(Start());
  ASSERT_TRUE(::DeleteFileW((dir.Path() + L"ffmpeg.exe").c_str()));
  ASSERT_NE(ToConvertingPage(L"a.avi", 1), nullptr);
  // The system's caption, as the box has none of its own.
  HWND box = WaitForDialog(prog->Pid(), L"Error", 30000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"CreateProcess error! Please reinstall this software again.");
  EXPECT_EQ(ConvertingText(IDC_CONV_FILE_NAME), L"...");
  EXPECT_EQ(ConvertingText(IDC_CONV_COUNT), L"...");
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  HWND result = Result();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"0");
  EXPECT_EQ(ConvertingText(IDC_CONV_FILE_NAME), L"...");
  EXPECT_EQ(ConvertingText(IDC_CONV_COUNT), L"...");
}

TEST_F(ConvertFaults, CancelEndsAnEncoderThatPrintsNothing) {
  ASSERT_TRUE(WriteScript(L"a.avi", "sleep 60000\nfile 5 $OUT\n"));
  ASSERT_TRUE(WriteScript(L"b.avi", "out x\nfile 5 $OUT\n"));
  ASSERT_TRUE(Start());
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\"", 2), nullptr);
  // The first file is named on the page once its encoder runs.
  ASSERT_TRUE(WaitUntil([&] { return ConvertingText(IDC_CONV_COUNT) == L"1/2"; }, 30000));
  ASSERT_TRUE(WaitUntil([] { return ProcessesNamed(L"ffmpeg.exe") == 1; }));
  ClickButton(::GetDlgItem(converting, IDC_CONV_CANCEL));
  // Within a second or two; the margin is for a loaded machine.
  HWND result = Result(5000);
  ASSERT_NE(result, nullptr) << "no result page 5 s after Cancel";
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"0");
  EXPECT_EQ(ConvertingText(IDC_CONV_COUNT), L"1/2");
  EXPECT_TRUE(WaitUntil([] { return ProcessesNamed(L"ffmpeg.exe") == 0; }, 5000));
  EXPECT_FALSE(FileExists(out + L"b.avi.mp3"));
}

TEST_F(ConvertFaults, AFloodingEncoderIsReadAsFastAsItWrites) {
  ASSERT_TRUE(WriteScript(L"a.avi", "flood 1048576\nfile 5 $OUT\n"));
  ASSERT_TRUE(Start());
  const DWORD start = ::GetTickCount();
  ASSERT_NE(ToConvertingPage(L"a.avi", 1), nullptr);
  // Read at one chunk a second, 1 MB would take over four minutes.
  HWND result = Result(30000);
  ASSERT_NE(result, nullptr) << "1 MB of warnings not read in 30 s";
  const DWORD seconds = (::GetTickCount() - start) / 1000;
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"1");

  // The command line, the first chunk whole, then at most a tail a second.
  const std::vector<std::wstring> log = LogTexts();
  ASSERT_GE(log.size(), 3u);
  EXPECT_LE(log.size(), 3u + seconds);
  const std::wstring line = L"[mpeg4 @ 0000000000cd1ac0] ac-tex damaged at 12 34\r\n";
  EXPECT_GT(log[1].size(), 350u);
  EXPECT_EQ(log[1].substr(0, line.size()), line);
  for (size_t i = 2; i < log.size(); ++i) EXPECT_LE(log[i].size(), 350u) << i;
  EXPECT_EQ(log.back().substr(log.back().size() - line.size()), line);
}

TEST_F(ConvertFaults, AnOutputIsNeverWrittenOverAnInputOfTheRun) {
  // a.avi's output beside it would be a.avi.mp3: the user's own file, also on the list.
  ASSERT_TRUE(WriteScript(L"a.avi", "out x\nfile 5 $OUT\n"));
  const std::string users = "out y\nfile 6 $OUT\n";
  ASSERT_TRUE(WriteScript(L"a.avi.mp3", users));
  ASSERT_TRUE(Start([](APP_STATE& s) {
    s.g_bSameAsSource = 1;
    s.g_bOverwrite = 1;
  }));
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"a.avi.mp3\"", 2), nullptr);
  HWND result = Result();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Text(result, IDC_RES_TOTAL), L"2");
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"1");
  EXPECT_EQ(ReadBytes(in + L"a.avi.mp3"), std::vector<uint8_t>(users.begin(), users.end()));
  EXPECT_EQ(ReadBytes(in + L"a.avi.mp3.mp3").size(), 6u);

  const std::vector<std::wstring> log = LogTexts();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1],
            L"Not converted: the output " + in + L"a.avi.mp3 is an input file of this run.");
  EXPECT_NE(log[2].find(L"a.avi.mp3.mp3\""), std::wstring::npos);
}

TEST_F(ConvertFaults, AFatalLineFailsTheFileWhateverTheExitCode) {
  // A full disk, as the encoder reports it when it still exits with 0.
  ASSERT_TRUE(WriteScript(L"a.avi",
                          "file 5 $OUT\n"
                          "err Error writing trailer of $OUT: No space left on device\\r\\n\n"
                          "exit 0\n"));
  ASSERT_TRUE(WriteScript(L"b.avi", "out fine\nfile 5 $OUT\n"));
  ASSERT_TRUE(Start());
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\"", 2), nullptr);
  HWND result = Result();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"1");
  // The half-written file the run created is gone; the run went on.
  EXPECT_FALSE(FileExists(out + L"a.avi.mp3"));
  EXPECT_TRUE(FileExists(out + L"b.avi.mp3"));
  const std::vector<std::wstring> log = LogTexts();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1], L"Error writing trailer of " + out + L"a.avi.mp3: No space left on device\r\n");
}

TEST_F(ConvertFaults, AStoredFolderWithoutItsSeparatorHoldsTheOutputs) {
  ASSERT_TRUE(WriteScript(L"a.avi", "out x\nfile 5 $OUT\n"));
  const std::wstring folder = out.substr(0, out.size() - 1);
  ASSERT_TRUE(
      Start([&](APP_STATE& s) { s.g_strOutputFolder.assign(folder.begin(), folder.end()); }));
  ASSERT_NE(ToConvertingPage(L"a.avi", 1), nullptr);
  HWND result = Result();
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Text(result, IDC_RES_SUCCEEDED), L"1");
  EXPECT_EQ(ReadBytes(out + L"a.avi.mp3").size(), 5u);
  EXPECT_FALSE(FileExists(folder + L"a.avi.mp3"));
  EXPECT_EQ(Text(result, IDC_RES_FOLDER), folder);
}

// Every run's worker lets go of its thread when it ends, so runs do not add
// up to handles kept until the program exits.
TEST_F(ConvertFaults, RunsKeepNoHandlesOnceEnded) {
  ASSERT_TRUE(WriteScript(L"a.avi", "out x\nfile 5 $OUT\n"));
  ASSERT_TRUE(Start([](APP_STATE& s) { s.g_bOverwrite = 1; }));
  auto runOnce = [&](bool first) {
    return (first ? ToConvertingPage(L"a.avi", 1) : RunAgain()) && Result() &&
           WaitUntil([] { return ProcessesNamed(L"ffmpeg.exe") == 0; });
  };
  ASSERT_TRUE(runOnce(true));
  const int before = HandlesOf(prog->Pid());
  ASSERT_GT(before, 0);
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(runOnce(false)) << i;
  const int after = HandlesOf(prog->Pid());
  EXPECT_LE(after, before + 2) << before << " handles after one run, " << after << " after seven";
}

}  // namespace

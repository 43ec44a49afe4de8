// A run the program did not live to end, through the real program: killed at
// seeded moments and continued at each next start, it ends with one whole
// output per input, nothing half-made and no encoder left; a second copy
// leaves a live run alone; a damaged journal is set aside and named once.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

constexpr int kFiles = 20;
constexpr int kKills = 10;
// A whole output; the stand-in writes one byte first, as an encoder writes a
// file's head long before its end.
constexpr long kWhole = 1000;

class ConvertJournal : public testing::Test, public ConvertDriver {
 protected:
  void TearDown() override { prog.reset(); }

  static std::wstring Name(int i) { return L"clip" + std::to_wstring(100 + i) + L".avi"; }
  std::wstring Output(int i) const { return out + Name(i) + L".mp3"; }
  std::wstring Gate(int i, int n) const {
    return dir.Path() + L"gate" + std::to_wstring(n) + L"_" + std::to_wstring(i);
  }
  std::wstring Marker(int i) const { return dir.Path() + L"started_" + std::to_wstring(i); }
  static std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }
  long SizeOf(const std::wstring& path) const {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return FileExists(path) ? long(bytes.size()) : -1;
  }
  bool Open(const std::wstring& path) const { return WriteBytes(path, {1}); }

  // Each clip: its encoder tells it has started, waits for the first gate,
  // writes a head, waits for the second and writes the whole file.
  void WriteClips() {
    std::wstring names;
    for (int i = 0; i < kFiles; ++i) {
      ASSERT_TRUE(WriteScript(Name(i), "file 1 " + Narrow(Marker(i)) + "\nwait " +
                                           Narrow(Gate(i, 1)) + "\nfile 1 $OUT\nwait " +
                                           Narrow(Gate(i, 2)) + "\nfile " + std::to_string(kWhole) +
                                           " $OUT\n"));
      names += L"\"" + Name(i) + L"\" ";
    }
    m_names = names;
  }

  // Ends the program as Task Manager does: no chance to clean up.
  void Kill() {
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, prog->Pid());
    ASSERT_NE(process, nullptr);
    ::TerminateProcess(process, 9);
    ::WaitForSingleObject(process, 10000);
    ::CloseHandle(process);
    prog.reset();
  }

  // Starts the program again and answers the message it shows before its
  // window; the message's text, empty when none came.
  std::wstring Restart(int answer) {
    main = converting = nullptr;
    prog.reset(new RunningProgram(dir.Path() + L"Vidmorph.exe"));
    HWND box = WaitForDialog(prog->Pid(), L"Vidmorph", 30000);
    if (!box) return std::wstring();
    const std::wstring text = MessageBoxText(box);
    m_seenAtQuestion.clear();
    for (int i = 0; i < kFiles; ++i)
      if (SizeOf(Output(i)) >= 0 && SizeOf(Output(i)) != kWhole) m_seenAtQuestion.push_back(i);
    ::PostMessageW(box, WM_COMMAND, answer, 0);
    main = prog->WaitForWindow(L"Ostrel AVI Converter");
    converting = main ? PageWith(main, IDC_CONV_COUNT) : nullptr;
    return text;
  }

  // Closes the program and starts it again: true when it opens straight on
  // the task page, which it does only when it asked nothing before its window.
  bool RestartsWithoutQuestion() {
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    if (!prog->WaitForExit()) return false;
    prog.reset(new RunningProgram(dir.Path() + L"Vidmorph.exe"));
    main = prog->WaitForWindow(L"Ostrel AVI Converter");
    return main && VisiblePageWith(main, IDC_TASK_AVI_FIRST);
  }

  std::wstring m_names;
  std::vector<int> m_seenAtQuestion;  // files with a half-made output while the question shows
};

TEST_F(ConvertJournal,
       KilledTenTimesAtSeededMomentsAndContinuedEachTimeEveryInputHasOneWholeOutput) {
  WriteClips();
  const char* given = std::getenv("VM_KILL_SEED");
  const unsigned seed = given ? unsigned(std::strtoul(given, nullptr, 10)) : ::GetTickCount();
  std::printf("kill seed %u (set VM_KILL_SEED to repeat)\n", seed);
  std::mt19937 random(seed);
  const int encodersBefore = ProcessesNamed(L"ffmpeg.exe");
  ASSERT_TRUE(Start());
  ASSERT_NE(ToConvertingPage(m_names, kFiles), nullptr);

  int next = 0;  // the first file not let through yet
  for (int kill = 0; kill < kKills; ++kill) {
    // Let a few files through, then stop in the one after: before its
    // encoder wrote anything, or with its output half-made.
    const int through = std::uniform_int_distribution<int>(0, 1)(random);
    const bool halfMade = std::uniform_int_distribution<int>(0, 1)(random) == 1;
    const int at = next + through;
    std::printf("kill %d: in %s, %s\n", kill + 1, Narrow(Name(at)).c_str(),
                halfMade ? "its output half-made" : "before its encoder wrote");
    for (; next < at; ++next) ASSERT_TRUE(Open(Gate(next, 1)) && Open(Gate(next, 2)));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(Marker(at)); }, 60000)) << "kill " << kill;
    if (halfMade) {
      ASSERT_TRUE(Open(Gate(at, 1)));
      ASSERT_TRUE(WaitUntil([&] { return SizeOf(Output(at)) == 1; }, 30000));
    }
    ASSERT_TRUE(::DeleteFileW(Marker(at).c_str()));
    Kill();
    // The job takes the encoder with the program.
    EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(L"ffmpeg.exe") == encodersBefore; }, 10000))
        << "kill " << kill;

    const int left = kFiles - at;
    const std::wstring question = Restart(IDYES);
    EXPECT_EQ(question.rfind(L"The last conversion stopped with " + std::to_wstring(left) +
                                 L" of " + std::to_wstring(kFiles) + L" files not converted.",
                             0),
              0u)
        << Narrow(question);
    // The half-made file went before the question, and so before its
    // encoder could start again.
    EXPECT_TRUE(m_seenAtQuestion.empty()) << "kill " << kill;
    ASSERT_NE(converting, nullptr);
    ASSERT_TRUE(::IsWindowVisible(converting));
  }
  for (; next < kFiles; ++next) ASSERT_TRUE(Open(Gate(next, 1)) && Open(Gate(next, 2)));
  HWND result = WaitForPage(IDC_RES_TOTAL, 120000);
  ASSERT_NE(result, nullptr);
  // The whole run, the files of every earlier start among them.
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_TOTAL)), std::to_wstring(kFiles));
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)), std::to_wstring(kFiles));
  for (int i = 0; i < kFiles; ++i) EXPECT_EQ(SizeOf(Output(i)), kWhole) << Narrow(Name(i));
  // Nothing else in the output folder: no partial or stray file.
  int files = 0;
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((out + L"*").c_str(), &found);
  for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &found))
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
  if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
  EXPECT_EQ(files, kFiles);

  // Ended well: the next start asks nothing.
  EXPECT_TRUE(RestartsWithoutQuestion());
}

TEST_F(ConvertJournal, ASecondCopyLeavesALiveRunAloneAndNoForgetsAStoppedOne) {
  WriteClips();
  ASSERT_TRUE(Start());
  ASSERT_NE(ToConvertingPage(m_names, kFiles), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(Marker(0)); }, 30000));
  // The question comes before the window, so a window on the task page means
  // none was asked.
  {
    RunningProgram second(dir.Path() + L"Vidmorph.exe");
    HWND other = second.WaitForWindow(L"Ostrel AVI Converter");
    ASSERT_NE(other, nullptr);
    EXPECT_NE(VisiblePageWith(other, IDC_TASK_AVI_FIRST), nullptr);
    ::PostMessageW(other, WM_CLOSE, 0, 0);
    ASSERT_TRUE(second.WaitForExit());
  }
  ASSERT_TRUE(Open(Gate(0, 1)));
  ASSERT_TRUE(WaitUntil([&] { return SizeOf(Output(0)) == 1; }, 30000));
  Kill();

  // No: the half-made file goes all the same, and the run is forgotten.
  const std::wstring question = Restart(IDNO);
  EXPECT_NE(question.find(L"Continue it?"), std::wstring::npos) << Narrow(question);
  EXPECT_TRUE(m_seenAtQuestion.empty());
  EXPECT_FALSE(FileExists(Output(0)));
  ASSERT_NE(main, nullptr);
  EXPECT_NE(VisiblePageWith(main, IDC_TASK_AVI_FIRST), nullptr);
  EXPECT_TRUE(RestartsWithoutQuestion());
}

TEST_F(ConvertJournal, ADamagedJournalIsSetAsideAndNamedOnceAndTheProgramStarts) {
  ASSERT_TRUE(Start());
  const std::wstring journal = dir.Path() + L"Vidmorph.journal";
  const std::wstring aside = journal + L".damaged";
  const std::string garbage = "not a journal";
  // Garbage, then one that cannot be written, which is of no use either.
  for (bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "garbage");
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(prog->WaitForExit());
    const std::vector<uint8_t> settings = ReadBytes(dir.Path() + L"Option.dat");
    ASSERT_TRUE(WriteBytes(journal, std::vector<uint8_t>(garbage.begin(), garbage.end())));
    if (readOnly) {
      ASSERT_TRUE(::SetFileAttributesW(journal.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    EXPECT_NE(Restart(IDOK).find(L"Vidmorph.journal.damaged"), std::wstring::npos);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(FileExists(journal));
    EXPECT_EQ(ReadBytes(aside).size(), garbage.size());
    ::SetFileAttributesW(aside.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Named once: the next start goes straight to the window.
    EXPECT_TRUE(RestartsWithoutQuestion());
    EXPECT_EQ(ReadBytes(dir.Path() + L"Option.dat"), settings);
  }
}

}  // namespace

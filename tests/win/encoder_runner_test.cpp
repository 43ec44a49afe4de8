// The encoder runner against the real encoder and a stand-in of our own.
// Files are found from this test program's folder: the stand-in encoder is
// <exe dir>\helpers\fake_encoder.exe, the application folder with ffmpeg.exe is
// <exe dir>\..\app\. Every run has a deadline and message boxes are captured,
// so a fault fails a test instead of hanging it.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "convert/win/encoder_runner.h"
#include "tests/win/program_harness.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

std::wstring ExeDir() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

std::wstring Encoder() {
  return ExeDir() + L"..\\app\\ffmpeg.exe";
}
std::wstring FakeEncoder() {
  return ExeDir() + L"helpers\\fake_encoder.exe";
}
std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Names of the encoders this test program started that are still alive (other
// children, such as a shell the system starts for a folder dialog, do not count),
// allowing the system a while to take an ended one off its list.
std::wstring LiveChildren() {
  std::wstring names;
  WaitUntil([&] {
    names.clear();
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32FirstW(snap, &entry); ok; ok = Process32NextW(snap, &entry))
      if (entry.th32ParentProcessID == GetCurrentProcessId() &&
          (_wcsicmp(entry.szExeFile, L"ffmpeg.exe") == 0 ||
           _wcsicmp(entry.szExeFile, L"fake_encoder.exe") == 0))
        names += entry.szExeFile;
    CloseHandle(snap);
    return names.empty();
  });
  return names;
}

struct ShownMessage {
  HWND owner;
  std::wstring text;
  bool noCaption;
};
std::vector<ShownMessage> g_messages;

int WINAPI CaptureMessage(HWND owner, LPCWSTR text, LPCWSTR caption, UINT) {
  g_messages.push_back({owner, text, caption == nullptr});
  return IDOK;
}

class RecordingSink : public EncoderRunSink {
 public:
  void LogChunk(const std::u16string& text) override {
    if (throwOnChunk) throw std::runtime_error("the page went away");
    chunks.push_back(text);
    lastChunkAt = Clock::now();
    if (cancelRequested) ++chunksAfterCancel;
    ++logged;
  }
  void SetPercent(int percent) override {
    percents.push_back(percent);
    if (cancelOnProgress && !cancelRequested && percent > 0 && percent < 100) {
      cancelRequested = true;
      percentsAtCancel = percents.size();
    }
  }
  bool CancelRequested() override { return cancelRequested; }
  HWND MessageOwner() override { return owner; }

  HWND owner = reinterpret_cast<HWND>(0x1234);
  bool cancelOnProgress = false;
  bool throwOnChunk = false;
  std::atomic<bool> cancelRequested{false};
  int chunksAfterCancel = 0;
  size_t percentsAtCancel = 0;
  std::atomic<int> logged{0};
  std::vector<std::u16string> chunks;
  std::vector<int> percents;
  Clock::time_point lastChunkAt;
};

class EncoderRunnerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    s_dir = std::wstring(temp) + L"vm_runner_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(s_dir.c_str(), nullptr);
    for (const wchar_t* seconds : {L"2", L"20"}) {
      const std::wstring make =
          L"\"" + Encoder() + L"\" -v error -y -f lavfi -i testsrc=size=96x72:rate=10:duration=" +
          seconds + L" -f lavfi -i sine=duration=" + seconds + L" -vcodec mpeg4 -acodec mp2 \"" +
          s_dir + L"clip" + seconds + L".avi\"";
      RecordingSink sink;
      EncoderRunner runner(sink);
      runner.SetMessageBox(CaptureMessage);
      runner.Run(U16(make), u"");
    }
  }
  static void TearDownTestSuite() {
    for (const wchar_t* name : {L"clip2.avi", L"clip20.avi", L"out.avi", L"fake.out"})
      DeleteFileW((s_dir + name).c_str());
    RemoveDirectoryW(s_dir.c_str());
  }
  void SetUp() override {
    g_messages.clear();
    ASSERT_TRUE(Exists(Encoder())) << "build the app_files target";
    ASSERT_TRUE(Exists(s_dir + L"clip20.avi"));
    DeleteFileW(Out().c_str());
  }

  static std::wstring Out(const wchar_t* name = L"out.avi") { return s_dir + name; }
  static std::u16string Convert(const std::wstring& input, const std::wstring& options,
                                const std::wstring& output) {
    return U16(L"\"" + Encoder() + L"\" -y " + options + L" -i \"" + input +
               L"\" -vcodec mpeg4 -acodec mp2 \"" + output + L"\"");
  }
  static std::u16string Fake(const std::wstring& script) {
    return U16(L"\"" + FakeEncoder() + L"\" " + script);
  }

  // Runs on another thread so that a hang fails the test instead of stopping it.
  EncoderOutcome RunWithDeadline(const std::u16string& commandLine, const std::wstring& output,
                                 int seconds = 60) {
    EncoderRunner runner(sink, registry);
    runner.SetMessageBox(CaptureMessage);
    std::future<EncoderOutcome> outcome =
        std::async(std::launch::async, [&] { return runner.Run(commandLine, U16(output)); });
    if (outcome.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready) {
      ADD_FAILURE() << "the run did not end in " << seconds << " s";
      runner.Terminate();
    }
    return outcome.get();
  }

  static std::wstring s_dir;
  RecordingSink sink;
  EncoderRegistry registry;
};
std::wstring EncoderRunnerTest::s_dir;

TEST_F(EncoderRunnerTest, ShortConversionReaches100AndCounts) {
  EXPECT_EQ(RunWithDeadline(Convert(s_dir + L"clip2.avi", L"", Out()), Out()),
            EncoderOutcome::Succeeded);
  std::u16string all;
  for (const std::u16string& chunk : sink.chunks) all += chunk;
  EXPECT_NE(all.find(u"Duration: 00:00:02"), std::u16string::npos);
  ASSERT_FALSE(sink.percents.empty());
  EXPECT_EQ(sink.percents.back(), 100);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(EncoderRunnerTest, MissingInputIsNotCountedAndShowsNoMessage) {
  EXPECT_EQ(RunWithDeadline(Convert(s_dir + L"absent.avi", L"", Out()), Out()),
            EncoderOutcome::Failed);
  EXPECT_TRUE(sink.percents.empty());
  EXPECT_TRUE(g_messages.empty());
  EXPECT_FALSE(Exists(Out()));
}

TEST_F(EncoderRunnerTest, RejectedOptionIsNotCountedThoughItsFileIsLeft) {
  // H.263 knows only five frame sizes; the encoder has created its file when it refuses.
  const std::wstring out = Out();
  const std::u16string line = U16(L"\"" + Encoder() + L"\" -y -i \"" + s_dir +
                                  L"clip2.avi\" -vcodec h263 -s 100x100 \"" + out + L"\"");
  EXPECT_EQ(RunWithDeadline(line, out), EncoderOutcome::Failed);
  EXPECT_TRUE(Exists(out));
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(EncoderRunnerTest, CancelEndsTheEncoderWithoutWaitingForAChunk) {
  // Read at the input's own pace, the 20 s clip prints a clock now and then.
  sink.cancelOnProgress = true;
  const auto start = Clock::now();
  EXPECT_EQ(RunWithDeadline(Convert(s_dir + L"clip20.avi", L"-re", Out()), Out()),
            EncoderOutcome::Cancelled);
  EXPECT_LT(MsSince(start), 15000);
  ASSERT_TRUE(sink.cancelRequested);
  // Nothing more is logged or parsed once the request is there.
  EXPECT_EQ(sink.chunksAfterCancel, 0);
  EXPECT_EQ(sink.percents.size(), sink.percentsAtCancel);
  EXPECT_EQ(LiveChildren(), L"");
}

// A sink that throws (the page gone, memory short) must not leave the encoder
// running or the registry pointing at a runner that no longer exists.
TEST_F(EncoderRunnerTest, ARunLeftByAnExceptionStillEndsItsEncoder) {
  sink.throwOnChunk = true;
  {
    EncoderRunner runner(sink, registry);
    runner.SetMessageBox(CaptureMessage);
    EXPECT_THROW(runner.Run(Fake(L"err hello sleep 60000"), U16(Out())), std::runtime_error);
  }
  EXPECT_EQ(LiveChildren(), L"");
  registry.CloseAll();
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(EncoderRunnerTest, MissingEncoderTakesTheStartFailurePath) {
  const std::u16string line = U16(L"\"" + s_dir + L"none\\ffmpeg.exe\" -y -i a.avi b.avi");
  EXPECT_EQ(RunWithDeadline(line, Out()), EncoderOutcome::StartFailed);
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0].text, L"CreateProcess error! Please reinstall this software again.");
  EXPECT_TRUE(g_messages[0].noCaption);
  EXPECT_EQ(g_messages[0].owner, sink.owner);
  EXPECT_TRUE(sink.chunks.empty());
}

TEST_F(EncoderRunnerTest, EveryChunkIsLoggedAsPrintedAndParsed) {
  const std::wstring out = Out(L"fake.out");
  // Each pause is longer than the runner's, so every text arrives as a chunk of its own.
  const std::u16string line = Fake(
      L"err \"  Duration: 00:00:10.00, start: 0\\r\\n\" sleep 1500 "
      L"out \"size= 1kB time=00:00:05.00 bitrate= 1k\\r\" sleep 1500 "
      L"err \"size= 2kB time=00:00:12.00 bitrate= 1k\\r\" file 10 \"" +
      out + L"\"");
  EXPECT_EQ(RunWithDeadline(line, out), EncoderOutcome::Succeeded);
  const std::vector<std::u16string> expected = {u"  Duration: 00:00:10.00, start: 0\r\n",
                                                u"size= 1kB time=00:00:05.00 bitrate= 1k\r",
                                                u"size= 2kB time=00:00:12.00 bitrate= 1k\r"};
  EXPECT_EQ(sink.chunks, expected);
  EXPECT_EQ(sink.percents, (std::vector<int>{50, 99, 100}));
}

TEST_F(EncoderRunnerTest, SuccessNeedsExitCodeZeroAndANonEmptyFile) {
  const std::wstring out = Out(L"fake.out");
  struct Case {
    const wchar_t* script;
    EncoderOutcome outcome;
  } cases[] = {{L"file 10 OUT exit 0", EncoderOutcome::Succeeded},
               {L"file 10 OUT exit 3", EncoderOutcome::Failed},
               {L"file 0 OUT exit 0", EncoderOutcome::Failed},
               {L"exit 0", EncoderOutcome::Failed}};
  for (const Case& c : cases) {
    DeleteFileW(out.c_str());
    sink.chunks.clear();
    std::wstring script = std::wstring(L"err done ") + c.script;
    const size_t at = script.find(L"OUT");
    if (at != std::wstring::npos) script.replace(at, 3, L"\"" + out + L"\"");
    EXPECT_EQ(RunWithDeadline(Fake(script), out), c.outcome) << c.script;
    // An ended encoder does not keep the runner in its one-second pause.
    ASSERT_EQ(sink.chunks.size(), 1u) << c.script;
    EXPECT_LT(MsSince(sink.lastChunkAt), 800) << c.script;
  }
}

// The encoder's own words for a broken output count, whatever its exit code:
// a full disk makes it say so and exit with 0.
TEST_F(EncoderRunnerTest, AFatalLineFailsTheFileWhateverTheExitCode) {
  const std::wstring out = Out(L"fake.out");
  const std::wstring file = L"file 10 \"" + out + L"\" ";
  EncoderRunner runner(sink, registry);
  runner.SetMessageBox(CaptureMessage);
  EXPECT_EQ(runner.Run(Fake(file + L"err \"Error writing trailer of R:\\a.mp3: Invalid argument"
                                   L"\\r\\nvideo:0kB audio:39kB\\r\\n\" exit 0"),
                       U16(out)),
            EncoderOutcome::Failed);
  EXPECT_EQ(runner.Reason(), FailReason::FatalLine);
  EXPECT_EQ(runner.FatalLine(), u"Error writing trailer of R:\\a.mp3: Invalid argument");
  EXPECT_TRUE(sink.percents.empty());

  EXPECT_EQ(runner.Run(Fake(file + L"exit 3"), U16(out)), EncoderOutcome::Failed);
  EXPECT_EQ(runner.Reason(), FailReason::ExitCode);
  EXPECT_EQ(runner.Run(Fake(file), U16(out)), EncoderOutcome::Succeeded);
  EXPECT_EQ(runner.Reason(), FailReason::None);
}

TEST_F(EncoderRunnerTest, ClosingTheProgramEndsTheEncoderAndStartsNoMore) {
  std::thread closer([this] {
    WaitUntil([this] { return sink.logged > 0; });
    registry.CloseAll();
  });
  const auto start = Clock::now();
  EXPECT_EQ(RunWithDeadline(Fake(L"err hello sleep 60000"), Out()), EncoderOutcome::Cancelled);
  closer.join();
  EXPECT_LT(MsSince(start), 10000);
  EXPECT_EQ(LiveChildren(), L"");
  EXPECT_EQ(sink.chunks.size(), 1u);

  EXPECT_EQ(RunWithDeadline(Fake(L"err again"), Out()), EncoderOutcome::Cancelled);
  EXPECT_EQ(sink.chunks.size(), 1u);
  EXPECT_TRUE(g_messages.empty());
}

}  // namespace

TEST_F(EncoderRunnerTest, TheEncoderRunsInItsOwnFolder) {
  // Whatever folder the program runs in.
  ASSERT_TRUE(SetCurrentDirectoryW(s_dir.c_str()));
  const std::wstring out = Out(L"fake.out");
  EXPECT_EQ(RunWithDeadline(Fake(L"where file 10 \"" + out + L"\""), out),
            EncoderOutcome::Succeeded);
  SetCurrentDirectoryW(TestExeDir().c_str());
  std::u16string all;
  for (const std::u16string& chunk : sink.chunks) all += chunk;
  std::wstring helpers = HelpersDir();
  helpers.pop_back();  // the current folder comes without its separator
  EXPECT_EQ(all, u"cwd=" + U16(helpers) + u"\n");
}

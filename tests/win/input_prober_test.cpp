// The prober over the bundled encoder, on files that Debian's own encoder
// package makes here and now (run through Wine as the Unix program it is):
// 10-bit HEVC with PQ, 4:2:2 with HLG, audio alone, a cut file, a text file
// named .mp4, a name in other scripts and a path beyond the plain length;
// then a reader that never answers, and a file removed after it was looked at.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "convert/win/input_prober.h"
#include "tests/win/convert_driver.h"
#include "tests/win/program_harness.h"

namespace {

std::string UnixPath(const std::wstring& path) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix = toUnix ? toUnix(path.c_str()) : nullptr;
  if (!unix) return std::string();
  std::string result(unix);
  ::HeapFree(::GetProcessHeap(), 0, unix);
  return result;
}

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

const wchar_t kOtherName[] = L"\u0432\u0438\u0434\u0435\u043e \u6620\u753b.mkv";

class InputProberTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_dir = new ScratchDir();
    const std::string unix = UnixPath(s_dir->Path());
    ASSERT_FALSE(unix.empty());
    const std::string tone = "-f lavfi -i sine=sample_rate=48000 ";
    const std::string script =
        "cd '" + unix +
        "' && E='ffmpeg -v error -y -f lavfi -i testsrc2=size=640x360:rate=25' && "
        "$E " +
        tone +
        "-t 2 -c:v libx265 -x265-params log-level=error -pix_fmt yuv420p10le "
        "-color_primaries bt2020 -color_trc smpte2084 -colorspace bt2020nc -c:a aac -ac 6 pq.mp4 "
        "&& "
        "$E -t 2 -c:v libx264 -pix_fmt yuv422p10le -color_primaries bt2020 "
        "-color_trc arib-std-b67 -colorspace bt2020nc hlg.mkv && "
        "ffmpeg -v error -y " +
        tone +
        "-t 3 -c:a libmp3lame song.mp3 && "
        "head -c 20000 pq.mp4 > cut.mp4 && echo 'not a film' > note.mp4 && "
        "cp hlg.mkv \"$(printf '\\320\\262\\320\\270\\320\\264\\320\\265\\320\\276 "
        "\\346\\230\\240\\347\\224\\273.mkv')\"; touch made\n";
    // Started through the system's "start", which hands a Unix program a path
    // without a colon (the Unix path of a drive has one) as it is.
    const std::wstring script_name =
        L"vm-make-" + std::to_wstring(::GetCurrentProcessId()) + L".sh";
    const std::wstring file = L"Z:\\tmp\\" + script_name;
    ASSERT_TRUE(WriteBytes(file, std::vector<uint8_t>(script.begin(), script.end())));
    RunHidden(L"cmd /c start /unix /bin/sh /tmp/" + script_name);
    // The Unix program is not waited for: its last step marks its end.
    const bool made = WaitUntil([] { return FileExists(s_dir->Path() + L"made"); }, 180000);
    ::DeleteFileW(file.c_str());
    ASSERT_TRUE(made && FileExists(s_dir->Path() + L"note.mp4")) << unix;
    // A path longer than the plain form allows, reached in its extended form.
    s_long = s_dir->Path();
    for (int i = 0; i < 3; ++i) {
      s_long += std::wstring(100, wchar_t(L'a' + i)) + L"\\";
      ::CreateDirectoryW((L"\\\\?\\" + s_long).c_str(), nullptr);
    }
    s_long += L"song.mp3";
    ::CopyFileW((s_dir->Path() + L"song.mp3").c_str(), (L"\\\\?\\" + s_long).c_str(), FALSE);
  }
  static void TearDownTestSuite() {
    // Left in the extended form, which the scratch folder's removal cannot reach:
    // taken away first, deepest first.
    std::wstring path = s_long;
    ::DeleteFileW((L"\\\\?\\" + path).c_str());
    for (int i = 0; i < 3; ++i) {
      path = path.substr(0, path.find_last_of(L'\\'));
      ::RemoveDirectoryW((L"\\\\?\\" + path).c_str());
    }
    delete s_dir;
  }

  static std::u16string In(const std::wstring& name) { return U16(s_dir->Path() + name); }
  static ScratchDir* s_dir;
  static std::wstring s_long;
};
ScratchDir* InputProberTest::s_dir = nullptr;
std::wstring InputProberTest::s_long;

TEST_F(InputProberTest, TheBundledEncoderTellsWhatRealFilesHoldAndWhyOthersCannotBeRead) {
  InputProber prober(U16(AppDir()));
  const InputDetails pq = prober.Current(In(L"pq.mp4"));
  EXPECT_TRUE(pq.readable);
  EXPECT_EQ(pq.videoCodec, "hevc");
  EXPECT_EQ(pq.bitDepth, 10);
  EXPECT_EQ(pq.transfer, ColourTransfer::Pq);
  EXPECT_EQ(pq.width, 640);
  EXPECT_EQ(pq.audioChannels, 6);
  EXPECT_NEAR(pq.durationSeconds, 2, 0.1);
  EXPECT_GT(pq.sizeBytes, 0);

  const InputDetails hlg = prober.Current(In(L"hlg.mkv"));
  EXPECT_EQ(hlg.transfer, ColourTransfer::Hlg);
  EXPECT_EQ(hlg.chromaWidthShift, 1);
  EXPECT_EQ(hlg.chromaHeightShift, 0);
  EXPECT_FALSE(hlg.hasAudio);
  EXPECT_EQ(prober.Current(In(kOtherName)).transfer, ColourTransfer::Hlg);

  const InputDetails song = prober.Current(In(L"song.mp3"));
  EXPECT_TRUE(song.readable && song.hasAudio && !song.hasVideo);
  EXPECT_TRUE(prober.Current(U16(s_long)).readable);

  for (const wchar_t* name : {L"cut.mp4", L"note.mp4"}) {
    const InputDetails broken = prober.Current(In(name));
    EXPECT_TRUE(broken.probed) << name;
    EXPECT_EQ(broken.problem, InputProblem::NotMedia) << name;
  }
  // Looked at in the background, the same comes in, and the listener hears of it.
  InputProber background(U16(AppDir()));
  int news = 0;
  background.SetListener([&] { ++news; });
  background.Look({In(L"pq.mp4"), In(L"note.mp4")});
  ASSERT_TRUE(WaitUntil([&] { return background.Known(In(L"note.mp4")).probed; }, 60000));
  EXPECT_TRUE(WaitUntil([&] { return background.Known(In(L"pq.mp4")).readable; }, 60000));
  background.SetListener(nullptr);
  EXPECT_GE(news, 2);
}

TEST_F(InputProberTest, AReaderThatNeverAnswersIsEndedAndARemovedFileIsSaidGone) {
  // The stand-in as the encoder: asked about this file, it never answers.
  ScratchDir app;
  ASSERT_TRUE(CopyInto(HelpersDir() + L"fake_encoder.exe", app.Path(), L"ffmpeg.exe"));
  const std::string hang = "probe sleep 600000\n";
  ASSERT_TRUE(WriteBytes(app.Path() + L"hang.avi", std::vector<uint8_t>(hang.begin(), hang.end())));
  ASSERT_TRUE(WriteBytes(app.Path() + L"gone.avi", {}));
  {
    InputProber prober(U16(app.Path()), 2, 1500);
    const auto start = std::chrono::steady_clock::now();
    const InputDetails hung = prober.Current(U16(app.Path() + L"hang.avi"));
    EXPECT_EQ(hung.problem, InputProblem::NoAnswer);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    // Unchanged, it is not asked again.
    EXPECT_EQ(prober.Current(U16(app.Path() + L"hang.avi")).problem, InputProblem::NoAnswer);

    EXPECT_TRUE(prober.Current(U16(app.Path() + L"gone.avi")).readable);
    ASSERT_TRUE(::DeleteFileW((app.Path() + L"gone.avi").c_str()));
    EXPECT_EQ(prober.Current(U16(app.Path() + L"gone.avi")).problem, InputProblem::Missing);
  }
  // A prober closed while its reader hangs ends the reader rather than waiting for it.
  const std::string other = "probe sleep 600000\n";
  ASSERT_TRUE(WriteBytes(app.Path() + L"x.avi", std::vector<uint8_t>(other.begin(), other.end())));
  auto prober = std::make_unique<InputProber>(U16(app.Path()), 1, 600000);
  prober->Look({U16(app.Path() + L"x.avi")});
  ASSERT_TRUE(WaitUntil([] { return ProcessesNamed(L"ffmpeg.exe") > 0; }));
  const auto start = std::chrono::steady_clock::now();
  prober.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_TRUE(WaitUntil([] { return ProcessesNamed(L"ffmpeg.exe") == 0; }));
}

}  // namespace

// The console program against the window it twins: its dry run prints the
// command lines the window logs for the same inputs and settings, for every
// profile and for the settings the window stored.
#include <windows.h>

#include <gtest/gtest.h>

#include "profiles/catalogue.h"
#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring text(size_t(n), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &text[0], n);
  return text;
}

class CmdProgram : public testing::Test, public ConvertDriver {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyInto(TestExeDir() + L"..\\app\\VidmorphCmd.exe", dir.Path()));
    // A name with letters of no code page, which the console's UTF-8 must keep.
    ASSERT_TRUE(WriteScript(kClip, "file 10 $OUT\n"));
  }
  void TearDown() override { prog.reset(); }

  // The command line the window logged for its last run's one file.
  std::wstring WindowsCommandLine() {
    EXPECT_NE(WaitForPage(IDC_RES_TOTAL, 60000), nullptr);
    EXPECT_TRUE(WaitForButtons(main, "SaveLog Prev Repeat"));
    std::wstring found;
    for (const std::wstring& entry : Log())
      if (entry.find(L"ffmpeg.exe\" -i ") != std::wstring::npos) found = entry.substr(9);
    return found;
  }

  std::wstring DryRun(const std::wstring& options) {
    std::string out;
    EXPECT_EQ(RunCaptured(L"\"" + dir.Path() + L"VidmorphCmd.exe\" " + options + L" --dry-run \"" +
                              in + kClip + L"\"",
                          dir.Path(), &out, nullptr),
              0)
        << out;
    std::wstring line = Wide(out);
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
    return line;
  }

  static constexpr const wchar_t* kClip = L"clip \u51fa\u53d1.avi";
};

TEST_F(CmdProgram, SettingsDryRunIsWhatTheWindowRunsWithTheSameSettings) {
  ASSERT_TRUE(ConvertDriver::Start([](APP_STATE& s) {
    s.g_nTaskAvi = 0;     // video
    s.g_nProfilePos = 6;  // H.264 Video
    s.g_nPosSize = 2;
    s.g_nPosVideoBitrate = 3;
    s.g_nPosSampleRate = 40;  // past its list: the window selects no row
    s.g_nPosChannels = 0;
    s.g_bOverwrite = 1;
  }));
  ASSERT_NE(ToConvertingPage(L"\"" + std::wstring(kClip) + L"\"", 1), nullptr);
  const std::wstring window = WindowsCommandLine();
  ASSERT_FALSE(window.empty());
  EXPECT_NE(window.find(L" -f mp4 "), std::wstring::npos) << window;
  EXPECT_EQ(DryRun(L"--settings"), window);
}

TEST_F(CmdProgram, DryRunIsWhatTheWindowRunsForEveryProfile) {
  ASSERT_TRUE(ConvertDriver::Start([](APP_STATE& s) {
    s.g_nTaskAvi = 3;  // no task chosen: the box offers every profile
    s.g_bOverwrite = 1;
  }));
  HWND page = ToOutputPage(L"\"" + std::wstring(kClip) + L"\"", 1);
  ASSERT_NE(page, nullptr);
  HWND box = ::GetDlgItem(page, IDC_OUT_PROFILE);
  ASSERT_EQ(::SendMessageW(box, CB_GETCOUNT, 0, 0), kProfileCount);
  for (int profile = 0; profile < kProfileCount; ++profile) {
    if (profile > 0) {
      ASSERT_NE(Press(IDC_BTN_PREV, IDC_OUT_PROFILE), nullptr) << profile;
    }
    ::SendMessageW(box, CB_SETCURSEL, WPARAM(profile), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_OUT_PROFILE, CBN_SELCHANGE), LPARAM(box));
    ASSERT_NE(StartRun(), nullptr) << profile;
    const std::wstring window = WindowsCommandLine();
    ASSERT_FALSE(window.empty()) << profile;
    // Without its last backslash, which would quote the quote after it.
    const std::wstring folder = out.substr(0, out.size() - 1);
    EXPECT_EQ(DryRun(L"--profile " + std::to_wstring(profile) + L" --out \"" + folder + L"\""),
              window)
        << profile;
  }
}

}  // namespace

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

// The string values of one key in a JSON text, in their order (ASCII escapes
// and \uXXXX undone).
std::vector<std::wstring> JsonStrings(const std::string& json, const std::string& key) {
  std::vector<std::wstring> values;
  const std::string start = "\"" + key + "\": \"";
  for (size_t at = json.find(start); at != std::string::npos; at = json.find(start, at)) {
    std::string bytes;
    for (at += start.size(); at < json.size() && json[at] != '"'; ++at) {
      if (json[at] != '\\' || at + 1 >= json.size()) {
        bytes += json[at];
      } else if (json[++at] == 'u' && at + 4 < json.size()) {
        bytes += char(std::stoi(json.substr(at + 1, 4), nullptr, 16));
        at += 4;
      } else {
        bytes += json[at];
      }
    }
    values.push_back(Wide(bytes));
  }
  return values;
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

TEST_F(CmdProgram, TheReportHoldsTheResultPagesRowsForTheSameBatch) {
  ASSERT_TRUE(WriteScript(L"a.avi", "err Duration: 00:00:02.00\\r\\n\nfile 1234 $OUT\n"));
  ASSERT_TRUE(WriteScript(L"b.avi", "err b.avi: No such file or directory\\r\\n\nexit 1\n"));
  ASSERT_TRUE(WriteScript(L"c.avi", "out all fine\\r\\n\n"));
  ASSERT_TRUE(WriteScript(L"e.avi", "file 5 $OUT\n"));
  ASSERT_TRUE(WriteBytes(out + L"e.avi.mp3", {1}));  // kept: skipped
  ASSERT_TRUE(ConvertDriver::Start());
  ASSERT_NE(ToConvertingPage(L"\"a.avi\" \"b.avi\" \"c.avi\" \"e.avi\"", 4), nullptr);
  HWND box = WaitForDialog(prog->Pid(), L"Vidmorph", 60000);
  ASSERT_NE(box, nullptr);
  ::PostMessageW(box, WM_COMMAND, IDNO, 0);
  HWND result = WaitForPage(IDC_RES_TOTAL, 60000);
  ASSERT_NE(result, nullptr);
  ASSERT_TRUE(WaitForButtons(main, "SaveLog Prev Repeat"));
  const std::vector<std::wstring> rows = ListRows(::GetDlgItem(result, IDC_RES_FILES));
  ASSERT_EQ(rows.size(), 4u);
  prog.reset();
  // The same batch again from where the window began.
  ASSERT_TRUE(::DeleteFileW((out + L"a.avi.mp3").c_str()));

  std::string console;
  EXPECT_EQ(RunCaptured(L"\"" + dir.Path() +
                            L"VidmorphCmd.exe\" --settings --overwrite no --report "
                            L"report.json \"" +
                            in + L"a.avi\" \"" + in + L"b.avi\" \"" + in + L"c.avi\" \"" + in +
                            L"e.avi\"",
                        dir.Path(), nullptr, &console),
            1)
      << console;
  const std::vector<uint8_t> bytes = ReadBytes(dir.Path() + L"report.json");
  const std::string json(bytes.begin(), bytes.end());
  const std::vector<std::wstring> inputs = JsonStrings(json, "input");
  const std::vector<std::wstring> results = JsonStrings(json, "result");
  ASSERT_EQ(inputs.size(), rows.size()) << json;
  ASSERT_EQ(results.size(), rows.size()) << json;
  for (size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(inputs[i].substr(inputs[i].find_last_of(L'\\') + 1) + L" - " + results[i], rows[i]);
  EXPECT_NE(json.find("\"exitCode\": 1,"), std::string::npos) << json;
}

}  // namespace

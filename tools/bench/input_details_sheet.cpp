// Pictures of the input page's details in each language pack, for a person to
// look at for clipped text: a file with every detail (HDR video, audio,
// subtitles), and an unreadable one with its reason and the count. The
// stand-in encoder answers as the reader. Writes input_details_<n>_<row>.bmp
// into the build's test-logs\ folder.
// Usage: input_details_sheet (from the Windows build folder's bench\ subfolder).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

const char kFullReport[] =
    "probe err Input #0, matroska,webm, from 'x':\\n"
    "  Duration: 01:02:05.00, start: 0.000000, bitrate: 9000 kb/s\\n"
    "  Stream #0:0: Video: hevc (Main 10), yuv420p10le(tv, bt2020nc/bt2020/arib-std-b67), "
    "3840x2160, 29.97 fps\\n"
    "  Stream #0:1: Audio: eac3, 48000 Hz, 5.1(side), fltp\\n"
    "  Stream #0:2: Audio: aac, 48000 Hz, stereo, fltp\\n"
    "  Stream #0:3: Subtitle: subrip\\n\n"
    "probe exit 1\n";

bool Select(HWND input, int row) {
  HWND list = ::GetDlgItem(input, IDC_INPUT_NAMES);
  ::SendMessageW(list, LB_SETCURSEL, WPARAM(row), 0);
  ::SendMessageW(input, WM_COMMAND, MAKEWPARAM(IDC_INPUT_NAMES, LBN_SELCHANGE), LPARAM(list));
  HWND status = ::GetDlgItem(input, IDC_INPUT_STATUS);
  return WaitUntil([&] { return WindowText(status).find(L"...") == std::wstring::npos; }, 30000);
}

}  // namespace

int main() {
  int status = 0;
  for (int language = 0; language < 5; ++language) {
    ConvertDriver run(TestExeDir() + L"..\\");
    run.WriteScript(L"Holiday in the mountains, 2024.mkv", std::string(kFullReport));
    run.WriteScript(L"broken.mp4",
                    "probe err x: Invalid data found when processing input\\n\n"
                    "probe exit 1\n");
    // The packs of the build's application folder, two up from here.
    ::CopyFileW((TestExeDir() + L"..\\..\\app\\mlg.txt").c_str(),
                (run.dir.Path() + L"mlg.txt").c_str(), FALSE);
    if (!InstallLanguageFile(run.dir.Path(), language) ||
        !run.Start([](APP_STATE& s) { s.g_nTaskAvi = 0; }) ||
        !run.ToOutputPage(L"\"Holiday in the mountains, 2024.mkv\" \"broken.mp4\"", 2)) {
      std::printf("language %d: the program did not come to the page\n", language);
      status = 1;
      continue;
    }
    HWND input = run.Press(IDC_BTN_PREV, IDC_INPUT_NAMES);
    // The unreadable one first, so that the count is there when the other is shown.
    for (int row : {1, 0}) {
      const std::wstring name =
          L"input_details_" + std::to_wstring(language) + L"_" + std::to_wstring(row) + L".bmp";
      if (!input || !Select(input, row) || !SaveShot(run.main, name)) {
        std::printf("language %d row %d: no picture\n", language, row);
        status = 1;
        continue;
      }
      std::printf("%ls: %ls\n", name.c_str(),
                  WindowText(::GetDlgItem(input, IDC_INPUT_STATUS)).c_str());
    }
  }
  return status;
}

// The Language dialog run in this process, driven from a second thread: its
// rows, the preset row, "More..." and the only two ways out.
#include <gtest/gtest.h>

#include "app/win/language_dialog.h"
#include "resources/resource.h"
#include "tests/win/modal_driver.h"

namespace {

std::vector<std::u16string> g_opened;
void RecordOpen(HWND, const std::u16string& path) {
  g_opened.push_back(path);
}

class LanguageDialog : public testing::Test {
 protected:
  void SetUp() override {
    savedOpen = CLanguageDialog::s_openFile;
    CLanguageDialog::s_openFile = RecordOpen;
    g_opened.clear();
    const std::wstring file = dir.Path() + L"mlg.txt";
    const std::wstring text = L"\uFEFF[mlg]\r\nlist=English^Deutsch^Fran\u00e7ais^\r\n";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    ASSERT_TRUE(WriteBytes(file, std::vector<uint8_t>(bytes, bytes + text.size() * 2)));
    state.g_strLangFile = reinterpret_cast<const char16_t*>(file.c_str());
    state.g_strAppDir = reinterpret_cast<const char16_t*>(dir.Path().c_str());
  }
  void TearDown() override { CLanguageDialog::s_openFile = savedOpen; }

  // Runs the dialog with `preset`; `drive` gets its list box and must end it.
  int Run(int preset, const std::function<void(HWND dlg, HWND list)>& drive) {
    int chosen = -2;
    RunDriven([&] { chosen = RunLanguageDialog(nullptr, preset, state); },
              [&] {
                HWND dlg = OwnDialog(L"Language");
                if (!dlg) {
                  ADD_FAILURE() << "no Language dialog";
                  return;
                }
                drive(dlg, ::GetDlgItem(dlg, IDC_LANG_LIST));
              });
    return chosen;
  }
  static void Command(HWND dlg, int id, int code = BN_CLICKED) {
    ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, code), LPARAM(::GetDlgItem(dlg, id)));
  }
  static int Selected(HWND list) { return int(::SendMessageW(list, LB_GETCURSEL, 0, 0)); }

  ScratchDir dir;
  APP_STATE state;
  CLanguageDialog::OpenFileFn savedOpen = nullptr;
};

TEST_F(LanguageDialog, PresetRowMoreStaysOpenAndOnlyOkOrADoubleClickEndIt) {
  const int chosen = Run(1, [&](HWND dlg, HWND list) {
    const std::vector<std::wstring> rows = {L"English", L"Deutsch", L"Fran\u00e7ais", L"More..."};
    EXPECT_EQ(ListRows(list), rows);
    EXPECT_EQ(Selected(list), 1);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dlg, IDCANCEL)));
    EXPECT_EQ(::GetWindowLongW(dlg, GWL_STYLE) & WS_SYSMENU, 0);

    // Escape and the close command do nothing.
    Command(dlg, IDCANCEL);
    ::SendMessageW(dlg, WM_CLOSE, 0, 0);
    // A double-click on "More..." opens the notes and keeps the dialog.
    ::SendMessageW(list, LB_SETCURSEL, 3, 0);
    Command(dlg, IDC_LANG_LIST, LBN_DBLCLK);
    EXPECT_TRUE(::IsWindowVisible(dlg));
    EXPECT_EQ(g_opened, std::vector<std::u16string>{reinterpret_cast<const char16_t*>(
                            (dir.Path() + L"morelg.txt").c_str())});
    // A double-click on a language ends the dialog as OK does.
    ::SendMessageW(list, LB_SETCURSEL, 2, 0);
    Command(dlg, IDC_LANG_LIST, LBN_DBLCLK);
  });
  EXPECT_EQ(chosen, 2);
}

TEST_F(LanguageDialog, OkWithoutASelectionChoosesNothing) {
  EXPECT_EQ(Run(-1,
                [](HWND dlg, HWND list) {
                  EXPECT_EQ(Selected(list), -1);
                  Command(dlg, IDOK);
                }),
            -1);
}

}  // namespace

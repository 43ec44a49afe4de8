// The real program with the shipped language packs: the language step at
// start, the texts of the window and its pages, and the Language button.
#include <gtest/gtest.h>

#include "app/win/language_pack.h"
#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

const wchar_t kCaption[] = L"Ostrel AVI Converter";

// A control id that only this page of the wizard has, by template.
const std::map<int, int> kPageMarks = {{IDD_TASK_PAGE, 1079},
                                       {IDD_INPUT_PAGE, IDC_INPUT_ADD},
                                       {IDD_OUTPUT_PAGE, IDC_OUT_FOLDER},
                                       {IDD_CONVERTING_PAGE, IDC_CONV_CAPTION},
                                       {IDD_RESULT_PAGE, IDC_RES_TOTAL_CAPTION}};

int StoredLanguage(const std::wstring& file) {
  return int(::GetPrivateProfileIntW(L"mlg", L"curlg", -1, file.c_str()));
}

class LanguageProgram : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CopyInto(AppDir() + L"Vidmorph.exe", dir.Path())); }
  void TearDown() override {
    if (prog && main) {
      ::PostMessageW(main, WM_CLOSE, 0, 0);
      EXPECT_TRUE(prog->WaitForExit());
    }
  }
  // The shipped packs without a chosen language.
  void InstallUnchosen() {
    ASSERT_TRUE(InstallLanguageFile(dir.Path()));
    ::WritePrivateProfileStringW(L"mlg", L"curlg", nullptr, File().c_str());
  }
  void Start(bool askLanguage) {
    prog.reset(new RunningProgram(dir.Path() + L"Vidmorph.exe", askLanguage));
    ASSERT_TRUE(prog->Started());
  }
  void WaitForMain() {
    main = prog->WaitForWindow(kCaption);
    ASSERT_NE(main, nullptr);
  }
  // The texts the pack names for the window and its pages that the controls
  // do not show (all of them when a page is missing); `checked` counts the texts.
  std::vector<std::string> Unshown(const CLanguagePack& pack, int& checked) const {
    std::vector<std::string> unshown;
    checked = 0;
    for (const auto& [key, text] : pack.m_texts) {
      const size_t dash = key.find(u'-');
      if (dash == std::u16string::npos) continue;
      const int templateId = std::stoi(std::string(key.begin(), key.begin() + dash));
      const int id = std::stoi(std::string(key.begin() + dash + 1, key.end()));
      HWND window = nullptr;
      if (templateId == IDD_VIDMORPH_DIALOG) {
        window = main;
      } else if (kPageMarks.count(templateId)) {
        window = PageWith(main, kPageMarks.at(templateId));
      } else {
        continue;  // the About dialog is not open
      }
      // Texts the input page shows by itself, in lines of its own making.
      if (templateId == IDD_INPUT_PAGE && id >= IDS_INPUT_FOLDER_TITLE && id <= IDS_INPUT_CANCELLED)
        continue;
      ++checked;
      HWND target = !window || id == 0 ? window : ::GetDlgItem(window, id);
      if (!target || WindowText(target) != std::wstring(text.begin(), text.end()))
        unshown.push_back(std::string(key.begin(), key.end()));
    }
    return unshown;
  }
  // Every text the current pack names for the window and its pages comes on
  // screen: a new choice is stored before its texts are applied.
  void ExpectPackShown(int index) {
    CLanguagePack pack;
    ASSERT_EQ(pack.Load(reinterpret_cast<const char16_t*>(File().c_str())), index);
    int checked = 0;
    std::vector<std::string> unshown;
    EXPECT_TRUE(WaitUntil([&] { return (unshown = Unshown(pack, checked)).empty(); }))
        << unshown.size() << " texts not shown, the first " << unshown.front();
    EXPECT_GT(checked, 30);
    // The one row of a list that follows the language.
    const auto automatic = pack.m_texts.find(u"9143-1");
    ASSERT_NE(automatic, pack.m_texts.end());
    const auto rows = ComboRows(
        ::GetDlgItem(PageWith(main, kPageMarks.at(IDD_TASK_PAGE)), IDC_TASK_SIMULTANEOUS));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(), std::wstring(automatic->second.begin(), automatic->second.end()));
  }
  std::wstring File() const { return dir.Path() + L"mlg.txt"; }

  ScratchDir dir;
  std::unique_ptr<RunningProgram> prog;
  HWND main = nullptr;
};

TEST_F(LanguageProgram, StoredLanguageIsShownAndTheLanguageButtonSwitchesIt) {
  ASSERT_TRUE(InstallLanguageFile(dir.Path(), 1));
  Start(false);
  WaitForMain();
  EXPECT_EQ(WindowText(::GetDlgItem(main, IDC_BTN_LANGUAGE)), L"&Sprache");
  ExpectPackShown(1);

  ClickButton(::GetDlgItem(main, IDC_BTN_LANGUAGE));
  HWND dlg = WaitForDialog(prog->Pid(), L"Language");
  ASSERT_NE(dlg, nullptr);
  HWND list = ::GetDlgItem(dlg, IDC_LANG_LIST);
  const auto rows = ListRows(list);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[5], L"More...");
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), 1);

  ::SendMessageW(list, LB_SETCURSEL, 3, 0);
  ClickButton(::GetDlgItem(dlg, IDOK));
  // The choice is stored just after the dialog is gone.
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dlg) && StoredLanguage(File()) == 3; }));
  ExpectPackShown(3);

  // The About dialog takes its texts from the same pack.
  ClickButton(::GetDlgItem(main, IDC_BTN_ABOUT));
  HWND about = WaitForDialog(prog->Pid(), L"Acerca de");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(about, IDOK)), L"Aceptar");
  EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION)),
            L"Ostrel AVI Converter Version: 3.0");
  ::PostMessageW(about, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
}

TEST_F(LanguageProgram, FirstStartAsksForTheLanguageBeforeTheWizard) {
  InstallUnchosen();
  Start(true);
  HWND dlg = WaitForDialog(prog->Pid(), L"Language");
  ASSERT_NE(dlg, nullptr);
  HWND list = ::GetDlgItem(dlg, IDC_LANG_LIST);
  EXPECT_EQ(ListRows(list).size(), 6u);
  EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(prog->WaitForWindow(kCaption, 500), nullptr);

  ::SendMessageW(list, LB_SETCURSEL, 4, 0);
  ClickButton(::GetDlgItem(dlg, IDOK));
  WaitForMain();
  EXPECT_EQ(StoredLanguage(File()), 4);
  EXPECT_EQ(WindowText(::GetDlgItem(main, IDC_BTN_LANGUAGE)), L"\u8bed\u8a00(&L)");
  ExpectPackShown(4);
}

TEST_F(LanguageProgram, WithoutLanguageFileMoreIsTheOnlyRowAndIsAskedOnce) {
  Start(true);
  HWND dlg = WaitForDialog(prog->Pid(), L"Language");
  ASSERT_NE(dlg, nullptr);
  HWND list = ::GetDlgItem(dlg, IDC_LANG_LIST);
  EXPECT_EQ(ListRows(list), std::vector<std::wstring>{L"More..."});
  ::SendMessageW(list, LB_SETCURSEL, 0, 0);
  ClickButton(::GetDlgItem(dlg, IDOK));
  WaitForMain();
  EXPECT_EQ(WindowText(::GetDlgItem(main, IDC_BTN_LANGUAGE)), L"&Lanuage");
  EXPECT_EQ(StoredLanguage(File()), 0);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(prog->WaitForExit());

  // The stored row is kept: the next start goes straight to the wizard.
  main = nullptr;
  Start(true);
  WaitForMain();
  EXPECT_EQ(WindowText(::GetDlgItem(main, IDC_BTN_LANGUAGE)), L"&Lanuage");
}

}  // namespace

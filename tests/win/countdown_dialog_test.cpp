// The countdown before sleep or shut down, run in this process with a fake of
// the machine's side and a clock of the test's own, driven from a second
// thread: the time left, the action at the end, a key or Cancel stopping it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "app/win/language_pack.h"
#include "convert/win/countdown_dialog.h"
#include "resources/resource.h"
#include "tests/native/when_done_fake.h"
#include "tests/win/modal_driver.h"

namespace {

class CountdownDialog : public testing::Test {
 protected:
  // Starts the countdown of `choice` and runs the dialog; `drive` gets it.
  INT_PTR Run(WhenDone choice, const std::function<void(HWND dlg)>& drive,
              const LanguageTexts* pack = nullptr) {
    countdown.RunEnded(choice, BatchEnd::Finished, clock, machine);
    EXPECT_EQ(choice, WhenDone::Nothing);
    INT_PTR result = -2;
    RunDriven(
        [&] {
          CCountdownDialog dialog(nullptr, countdown, machine, pack,
                                  [this] { return clock.load(); });
          result = dialog.DoModal();
        },
        [&] {
          HWND dlg = OwnDialog(pack ? Caption(*pack) : L"When the run is done");
          if (!dlg) {
            ADD_FAILURE() << "no countdown";
            return;
          }
          drive(dlg);
        });
    return result;
  }
  static std::wstring Caption(const LanguageTexts& pack) {
    const std::u16string& caption = pack.at(u"143-0");
    return std::wstring(caption.begin(), caption.end());
  }
  static std::wstring Text(HWND dlg) { return WindowText(::GetDlgItem(dlg, IDC_COUNTDOWN_TEXT)); }
  // Waits until the dialog shows `text` or has gone.
  static bool Shows(HWND dlg, const std::wstring& text) {
    for (int i = 0; i < 200; ++i) {
      if (!::IsWindow(dlg)) return false;
      if (Text(dlg) == text) return true;
      ::Sleep(50);
    }
    return false;
  }
  static bool Gone(HWND dlg) {
    for (int i = 0; i < 200 && ::IsWindow(dlg); ++i) ::Sleep(50);
    return !::IsWindow(dlg);
  }

  std::atomic<uint64_t> clock{5000};
  WhenDoneCountdown countdown;
  FakeWhenDoneActions machine;
};

TEST_F(CountdownDialog, ShowsTheSecondsLeftAndShutsDownAtTheEnd) {
  const INT_PTR result = Run(WhenDone::ShutDown, [&](HWND dlg) {
    EXPECT_TRUE(Shows(dlg, L"The computer will shut down in 60 s."));
    EXPECT_EQ(WindowText(::GetDlgItem(dlg, IDC_COUNTDOWN_HINT)),
              L"Press any key or Cancel to stop.");
    clock += 59500;
    EXPECT_TRUE(Shows(dlg, L"The computer will shut down in 1 s."));
    EXPECT_TRUE(machine.taken.empty());
    clock += 500;
    EXPECT_TRUE(Gone(dlg));
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(machine.taken, std::vector<std::string>{"shutdown"});
}

TEST_F(CountdownDialog, AnyKeyOrCancelStopsItAndNothingHappens) {
  // A key on whichever control has the focus.
  INT_PTR result = Run(WhenDone::Sleep, [&](HWND dlg) {
    EXPECT_TRUE(Shows(dlg, L"The computer will go to sleep in 60 s."));
    ::PostMessageW(::GetDlgItem(dlg, IDCANCEL), WM_KEYDOWN, 'Q', 0);
    EXPECT_TRUE(Gone(dlg));
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_FALSE(countdown.Counting());

  result = Run(WhenDone::ShutDown, [&](HWND dlg) {
    clock += 20000;
    EXPECT_TRUE(Shows(dlg, L"The computer will shut down in 40 s."));
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   LPARAM(::GetDlgItem(dlg, IDCANCEL)));
    EXPECT_TRUE(Gone(dlg));
  });
  EXPECT_EQ(result, IDCANCEL);
  // Long past the end: nothing was taken, then or later.
  clock += 120000;
  EXPECT_FALSE(countdown.Tick(clock, machine));
  EXPECT_TRUE(machine.taken.empty());
}

TEST_F(CountdownDialog, EveryLanguagePackWordsItAndItsPictureIsKept) {
  // The shipped packs, each chosen in a copy of the file in turn.
  ScratchDir dir;
  ASSERT_TRUE(CopyInto(AppDir() + L"mlg.txt", dir.Path()));
  const std::u16string file = reinterpret_cast<const char16_t*>((dir.Path() + L"mlg.txt").c_str());
  const wchar_t* names[] = {L"en", L"de", L"fr", L"es", L"zh"};
  for (int index = 0; index < 5; ++index) {
    CLanguagePack pack;
    pack.WriteCurrent(index, file);
    ASSERT_EQ(pack.Load(file), index);
    const WhenDoneTexts texts = TranslatedTexts(WhenDoneTextKeys(), pack.m_texts);
    Run(
        WhenDone::ShutDown,
        [&](HWND dlg) {
          const std::u16string& wanted = texts.shutDownIn;
          const std::wstring start(wanted.begin(), wanted.begin() + wanted.find(u"%1"));
          EXPECT_TRUE(WaitUntil([&] { return Text(dlg).compare(0, start.size(), start) == 0; }))
              << names[index];
          EXPECT_EQ(WindowText(::GetDlgItem(dlg, IDC_COUNTDOWN_HINT)),
                    std::wstring(texts.howToStop.begin(), texts.howToStop.end()));
          EXPECT_TRUE(SaveShot(dlg, L"countdown_" + std::wstring(names[index]) + L".bmp"));
          ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         LPARAM(::GetDlgItem(dlg, IDCANCEL)));
        },
        &pack.m_texts);
  }
  EXPECT_TRUE(machine.taken.empty());
}

}  // namespace

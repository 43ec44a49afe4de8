// What happens when a run is done, through a fake of the machine's side.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/run_settings.h"
#include "convert/taskbar_state.h"
#include "convert/when_done.h"
#include "tests/native/when_done_fake.h"

namespace {

// The choice as the settings file keeps it between runs.
WhenDone StoredAndLoaded(WhenDone choice) {
  RUN_SETTINGS s;
  s.whenDone = choice;
  const std::vector<uint8_t> bytes = StoreRunSettings(s);
  return LoadRunSettings(bytes.data(), bytes.size()).whenDone;
}

}  // namespace

TEST(WhenDone, ShutDownCountsDownSixtySecondsThenActsOnceAndIsNotKept) {
  FakeWhenDoneActions machine;
  WhenDoneCountdown countdown;
  WhenDone choice = StoredAndLoaded(WhenDone::ShutDown);
  ASSERT_EQ(choice, WhenDone::ShutDown);

  countdown.RunEnded(choice, BatchEnd::Finished, 1000, machine);
  EXPECT_TRUE(countdown.Counting());
  EXPECT_EQ(choice, WhenDone::Nothing);  // used once
  EXPECT_EQ(CountdownText(countdown, 1000, WhenDoneTexts(), NumberTexts()),
            u"The computer will shut down in 60 s.");
  EXPECT_EQ(countdown.SecondsLeft(1001), 60);
  EXPECT_EQ(countdown.SecondsLeft(2000), 59);
  for (uint64_t now = 1000; now < 61000; now += 250) {
    ASSERT_FALSE(countdown.Tick(now, machine)) << now;
    ASSERT_GE(countdown.SecondsLeft(now), 1);
  }
  EXPECT_TRUE(machine.taken.empty());
  EXPECT_TRUE(countdown.Tick(61000, machine));
  EXPECT_FALSE(countdown.Counting());
  EXPECT_FALSE(countdown.Tick(70000, machine));
  EXPECT_EQ(machine.taken, std::vector<std::string>{"shutdown"});

  // The next run finds "do nothing" in the file: nothing happens.
  choice = StoredAndLoaded(choice);
  countdown.RunEnded(choice, BatchEnd::Finished, 80000, machine);
  EXPECT_FALSE(countdown.Counting());
  EXPECT_FALSE(countdown.Tick(200000, machine));
  EXPECT_EQ(machine.taken.size(), 1u);
}

TEST(WhenDone, AKeyOrCancelStopsTheCountdownAndACancelledRunKeepsTheChoice) {
  FakeWhenDoneActions machine;
  WhenDoneCountdown countdown;
  WhenDone choice = WhenDone::Sleep;
  // The user was there to cancel the run: nothing happens, the choice stays.
  countdown.RunEnded(choice, BatchEnd::Cancelled, 0, machine);
  EXPECT_FALSE(countdown.Counting());
  EXPECT_EQ(choice, WhenDone::Sleep);

  countdown.RunEnded(choice, BatchEnd::Finished, 0, machine);
  EXPECT_EQ(CountdownText(countdown, 30500, WhenDoneTexts(), NumberTexts()),
            u"The computer will go to sleep in 30 s.");
  countdown.Stop();
  EXPECT_FALSE(countdown.Tick(60000, machine));
  EXPECT_FALSE(countdown.Tick(600000, machine));
  EXPECT_TRUE(machine.taken.empty());
  EXPECT_EQ(choice, WhenDone::Nothing);  // stopped counts as used

  // A sound plays at once, after a run the encoder could not even start too.
  choice = WhenDone::Sound;
  countdown.RunEnded(choice, BatchEnd::StartFailed, 0, machine);
  EXPECT_FALSE(countdown.Counting());
  EXPECT_EQ(machine.taken, std::vector<std::string>{"sound"});
  EXPECT_EQ(choice, WhenDone::Nothing);
}

TEST(WhenDone, TheSettingsFileKeepsTheChoiceAndReadsItDefensively) {
  for (WhenDone w : {WhenDone::Nothing, WhenDone::Sound, WhenDone::Sleep, WhenDone::ShutDown})
    EXPECT_EQ(StoredAndLoaded(w), w);
  RUN_SETTINGS s;
  s.nSimultaneous = 3;
  s.whenDone = WhenDone::Sleep;
  const auto bytes = StoreRunSettings(s);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "[Vidmorph]\r\nSimultaneousConversions=3\r\nWhenDone=sleep\r\n");
  const auto load = [](const std::string& text) {
    return LoadRunSettings(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  };
  EXPECT_EQ(load("whendone = ShutDown\r\nSimultaneousConversions=2").whenDone, WhenDone::ShutDown);
  EXPECT_EQ(load("whendone = ShutDown\r\nSimultaneousConversions=2").nSimultaneous, 2);
  // The first of a repeated name counts; anything else is "do nothing".
  EXPECT_EQ(load("WhenDone=sound\nWhenDone=shutdown\n").whenDone, WhenDone::Sound);
  for (const char* bad : {"WhenDone=", "WhenDone=3", "WhenDone=shut down", "WhenDone=reboot",
                          "WhenDone=sleepy", "When Done=sleep"})
    EXPECT_EQ(load(bad).whenDone, WhenDone::Nothing) << bad;
}

TEST(TaskbarState, AnyFailedFileShowsTheErrorStateUntilTheResultPageIsLeft) {
  TaskbarState bar;
  EXPECT_EQ(bar.Mark(), TaskbarMark::None);
  bar.RunStarted();
  bar.Progress(0.25);
  EXPECT_EQ(bar.Mark(), TaskbarMark::Progress);
  FileVerdict done;
  done.outcome = FileOutcome::Succeeded;
  bar.FileEnded(done.outcome);
  FileVerdict skipped;
  skipped.outcome = FileOutcome::Skipped;
  bar.FileEnded(skipped.outcome);
  EXPECT_EQ(bar.Mark(), TaskbarMark::Progress);

  // Not an encoder's failure: a file whose output would replace an input.
  FileVerdict passedOver;
  passedOver.outcome = FileOutcome::Failed;
  passedOver.reason = FailReason::OutputIsAnInput;
  bar.FileEnded(passedOver.outcome);
  EXPECT_EQ(bar.Mark(), TaskbarMark::Error);
  bar.Progress(2);
  EXPECT_EQ(bar.Share(), 1);

  FileRecord failed;
  failed.verdict = passedOver;
  FileRecord ok;
  ok.verdict = done;
  bar.RunEnded({ok, failed});
  EXPECT_EQ(bar.Mark(), TaskbarMark::Error);  // kept on the result page
  bar.ResultPageLeft();
  EXPECT_EQ(bar.Mark(), TaskbarMark::None);

  // A retry that converts what failed ends without the error state; one
  // whose encoder could not start ends in it.
  bar.RunStarted();
  bar.RunEnded({ok, ok});
  EXPECT_EQ(bar.Mark(), TaskbarMark::None);
  FileRecord notStarted;
  notStarted.verdict.outcome = FileOutcome::StartFailed;
  bar.RunStarted();
  bar.RunEnded({ok, notStarted});
  EXPECT_EQ(bar.Mark(), TaskbarMark::Error);
  // Cancelled files alone are what the user asked for.
  FileRecord cancelled;
  cancelled.verdict.outcome = FileOutcome::Cancelled;
  bar.RunStarted();
  bar.RunEnded({ok, cancelled});
  EXPECT_EQ(bar.Mark(), TaskbarMark::None);
}

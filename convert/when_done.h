// What happens when a run is done: nothing, a sound, or, after a countdown
// that any key or Cancel stops, sleep or shut down. The choice is used once:
// it goes back to Nothing, so that a later run never ends the session by
// surprise. The machine's side is an interface, so that tests use a fake.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/language_text.h"
#include "app/number_text.h"
#include "app/run_settings.h"
#include "convert/batch_run.h"

class WhenDoneActions {
 public:
  virtual ~WhenDoneActions() = default;
  virtual void PlayChime() = 0;
  virtual void GoToSleep() = 0;
  virtual void ShutDown() = 0;
};

class WhenDoneCountdown {
 public:
  static constexpr uint64_t kCountdownMs = 60 * 1000;

  // At the end of a run, with the choice as kept. A run the user cancelled
  // does nothing and keeps the choice; otherwise a sound plays at once, sleep
  // and shut down start the countdown, and `choice` becomes Nothing.
  void RunEnded(WhenDone& choice, BatchEnd end, uint64_t nowMs, WhenDoneActions& actions);
  // Whether the countdown runs.
  bool Counting() const { return m_counting; }
  // Sleep or shut down, counted down.
  WhenDone Action() const { return m_action; }
  // Whole seconds left, rounded up: 60 at the start, 1 in the last second.
  int SecondsLeft(uint64_t nowMs) const;
  // The action, once the countdown is over; true when it was taken now.
  bool Tick(uint64_t nowMs, WhenDoneActions& actions);
  // A key or Cancel: the countdown ends and nothing happens.
  void Stop() { m_counting = false; }

 private:
  bool m_counting = false;
  WhenDone m_action = WhenDone::Nothing;
  uint64_t m_deadline = 0;
};

// The words of the choice box and the countdown. English is built in; a pack
// replaces them by key ("9146-1" on).
struct WhenDoneTexts {
  std::u16string nothing = u"Do nothing";
  std::u16string sound = u"Play a sound";
  std::u16string sleep = u"Sleep";
  std::u16string shutDown = u"Shut down";
  std::u16string sleepIn = u"The computer will go to sleep in %1.";
  std::u16string shutDownIn = u"The computer will shut down in %1.";
  std::u16string howToStop = u"Press any key or Cancel to stop.";
};
const std::vector<TextKey<WhenDoneTexts>>& WhenDoneTextKeys();

// The rows of the choice box, in the order of WhenDone.
std::vector<std::u16string> WhenDoneChoices(const WhenDoneTexts& texts);
// "The computer will shut down in 57 s.", the time as the pack writes it.
std::u16string CountdownText(const WhenDoneCountdown& countdown, uint64_t nowMs,
                             const WhenDoneTexts& texts, const NumberTexts& numbers);

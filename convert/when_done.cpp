#include "convert/when_done.h"

void WhenDoneCountdown::RunEnded(WhenDone& choice, BatchEnd end, uint64_t nowMs,
                                 WhenDoneActions& actions) {
  m_counting = false;
  if (end == BatchEnd::Cancelled || choice == WhenDone::Nothing) return;
  const WhenDone used = choice;
  choice = WhenDone::Nothing;
  if (used == WhenDone::Sound) {
    actions.PlayChime();
    return;
  }
  if (used != WhenDone::Sleep && used != WhenDone::ShutDown) return;
  m_action = used;
  m_deadline = nowMs + kCountdownMs;
  m_counting = true;
}

int WhenDoneCountdown::SecondsLeft(uint64_t nowMs) const {
  if (!m_counting || nowMs >= m_deadline) return 0;
  return int((m_deadline - nowMs + 999) / 1000);
}

bool WhenDoneCountdown::Tick(uint64_t nowMs, WhenDoneActions& actions) {
  if (!m_counting || nowMs < m_deadline) return false;
  m_counting = false;
  if (m_action == WhenDone::Sleep)
    actions.GoToSleep();
  else
    actions.ShutDown();
  return true;
}

const std::vector<TextKey<WhenDoneTexts>>& WhenDoneTextKeys() {
  static const std::vector<TextKey<WhenDoneTexts>> keys = {
      {&WhenDoneTexts::nothing, u"9146-1"},   {&WhenDoneTexts::sound, u"9146-2"},
      {&WhenDoneTexts::sleep, u"9146-3"},     {&WhenDoneTexts::shutDown, u"9146-4"},
      {&WhenDoneTexts::sleepIn, u"9146-5"},   {&WhenDoneTexts::shutDownIn, u"9146-6"},
      {&WhenDoneTexts::howToStop, u"9146-7"},
  };
  return keys;
}

std::vector<std::u16string> WhenDoneChoices(const WhenDoneTexts& texts) {
  return {texts.nothing, texts.sound, texts.sleep, texts.shutDown};
}

std::u16string CountdownText(const WhenDoneCountdown& countdown, uint64_t nowMs,
                             const WhenDoneTexts& texts, const NumberTexts& numbers) {
  const std::u16string& text =
      countdown.Action() == WhenDone::Sleep ? texts.sleepIn : texts.shutDownIn;
  return FillIn(text, {DurationText(countdown.SecondsLeft(nowMs), numbers)});
}

// The 60 seconds before the machine sleeps or shuts down after a run: the
// time left, and Cancel; any key stops it too. At the end it takes the action.
#pragma once
#include <cstdint>
#include <functional>

#include "convert/when_done.h"
#include "framework/win/dialog.h"

class CCountdownDialog : public CDialog {
 public:
  // `countdown` has begun; `now` gives the milliseconds it is read by (tests
  // hand in a clock of their own); `pack` may be null for English.
  CCountdownDialog(HWND parent, WhenDoneCountdown& countdown, WhenDoneActions& actions,
                   const LanguageTexts* pack, std::function<uint64_t()> now);
  ~CCountdownDialog() override;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);
  void Tick();

  WhenDoneCountdown& m_countdown;
  WhenDoneActions& m_actions;
  const LanguageTexts* m_pack;
  std::function<uint64_t()> m_now;
  WhenDoneTexts m_texts;
  NumberTexts m_numbers;
  HHOOK m_hook = nullptr;
};

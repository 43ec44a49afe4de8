// The machine's side of "when the run is done": a sound, sleep, shut down.
#pragma once
#include "convert/when_done.h"

class CSystemActions : public WhenDoneActions {
 public:
  void PlayChime() override;
  void GoToSleep() override;
  void ShutDown() override;
};

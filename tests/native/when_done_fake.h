// The machine's side of "when the run is done" for tests: it records what it
// was asked to do. Under Wine a real shutdown would end the test itself, and
// sleep is not there.
#pragma once
#include <string>
#include <vector>

#include "convert/when_done.h"

class FakeWhenDoneActions : public WhenDoneActions {
 public:
  void PlayChime() override { taken.push_back("sound"); }
  void GoToSleep() override { taken.push_back("sleep"); }
  void ShutDown() override { taken.push_back("shutdown"); }
  std::vector<std::string> taken;
};

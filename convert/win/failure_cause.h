// What the encoder's words cannot say alone, found out on this machine.
#pragma once
#include "convert/failure_wording.h"

// A denied file that another program holds open is in use rather than
// forbidden: the encoder says the same of both.
FailureCause CauseOnThisMachine(FailureCause cause);

// What leaving the task page stores, and the option reset on a task change.
#pragma once
#include "app/app_state.h"

// The selections of the five radio groups, -1 where nothing is checked.
struct TaskChoices {
  int flv = -1, g3gp = -1, avi = -1, mp4 = -1, psp = -1;
};

TaskChoices TaskChoicesFrom(const APP_STATE& state);
void StoreTaskChoices(const TaskChoices& choices, APP_STATE& state);

// The taskbar button's share of the run and its error state, where the system
// offers them; the calls do nothing otherwise.
#pragma once
#include <windows.h>

#include "convert/taskbar_state.h"

struct ITaskbarList3;

class TaskbarProgress {
 public:
  explicit TaskbarProgress(HWND window);
  ~TaskbarProgress();
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;

  void Show(TaskbarMark mark, double share);

 private:
  void Drop();
  HWND m_window;
  bool m_com = false;
  ITaskbarList3* m_list = nullptr;
};

// The application object: one static instance whose InitInstance runs the
// program. There is no message loop of its own; modal dialogs run theirs.
#pragma once

class CWinApp {
 public:
  CWinApp() = default;
  virtual ~CWinApp() = default;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Runs the program; returns false so that no message loop follows.
  virtual bool InitInstance() = 0;
};

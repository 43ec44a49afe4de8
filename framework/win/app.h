// The application object: one static instance whose InitInstance runs the
// program. There is no message loop of its own; modal dialogs run theirs.
#pragma once
#include <windows.h>

class CWnd;

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Runs the program; returns false so that no message loop follows.
  virtual bool InitInstance() = 0;

  CWnd* m_pMainWnd = nullptr;
  static CWinApp* Current() { return s_current; }

 private:
  static CWinApp* s_current;
};

// The main window's handle, or null when there is none.
HWND AppMainWindow();

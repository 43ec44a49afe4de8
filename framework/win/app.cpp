#include "framework/win/app.h"

#include "framework/win/window.h"

CWinApp* CWinApp::s_current = nullptr;

CWinApp::CWinApp() {
  s_current = this;
}

CWinApp::~CWinApp() {
  if (s_current == this) s_current = nullptr;
}

HWND AppMainWindow() {
  CWinApp* app = CWinApp::Current();
  return app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

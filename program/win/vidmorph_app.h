// The application object: start-up, the shared state and the language pack.
#pragma once
#include "app/app_state.h"
#include "app/win/language_pack.h"
#include "framework/win/app.h"

class CVidmorphApp : public CWinApp {
 public:
  bool InitInstance() override;

 private:
  APP_STATE m_state;
  CLanguagePack m_langPack;
};

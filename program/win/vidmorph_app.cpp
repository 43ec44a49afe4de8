#include "program/win/vidmorph_app.h"

#include "app/win/language_dialog.h"
#include "convert/win/convert_worker.h"
#include "framework/win/dll_search.h"
#include "program/win/continue_run.h"
#include "program/win/vidmorph_dlg.h"
#include "program/win/window_handover.h"
#include "resources/resource.h"
#include "skin/win/engine/skin_engine.h"

namespace {

void MarkDpiAware() {
  using SetDpiAware = BOOL(WINAPI*)();
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (!user32) return;
  auto fn = reinterpret_cast<SetDpiAware>(
      reinterpret_cast<void*>(::GetProcAddress(user32, "SetProcessDPIAware")));
  if (fn) fn();
}

void LoadSkin(const std::u16string& exePath) {
  SkinEngine& engine = SkinEngine::Get();
  engine.SetApplyOptions(engine.GetApplyOptions() | SkinEngine::kMetrics);
  engine.LoadTheme(DirectoryOf(exePath) + u"Vista.skinstyles", u"NormalBlack2.ini");
}

// Without a stored language the dialog comes, at every start until a row is chosen.
void SettleLanguage(const APP_STATE& state, CLanguagePack& pack) {
  if (pack.ReadCurrent(state.g_strLangFile) >= 0)
    pack.Load(state.g_strLangFile);
  else
    ChooseLanguage(nullptr, -1, state, pack);
}

}  // namespace

bool CVidmorphApp::InitInstance() {
  // Before anything is loaded by name.
  RestrictDllSearch();
  const std::vector<std::u16string> paths = CommandLinePaths();
  if (HandToRunningWindow(paths)) return false;
  MarkDpiAware();
  const std::u16string exePath = ModulePath();
  LoadSkin(exePath);
  SetDefaults(m_state, exePath);
  SettleLanguage(m_state, m_langPack);

  {
    CVidmorphDlg dlg(nullptr, m_state, m_langPack);
    dlg.OpenPaths(paths);
    dlg.ContinueOnStart(OfferToContinue(m_state, m_langPack));
    dlg.DoModal();
  }
  // Closing never waits for the user, but no encoder may outlive the program
  // and no worker may still use the shared state while it is torn down.
  EndConvertWorkers(5000);
  return false;
}

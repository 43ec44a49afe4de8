#include "skin/win/engine/skin_engine.h"

#include <psapi.h>

#include <atomic>

#include "skin/theme_scale.h"
#include "skin/win/system/skin_lock.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_container.h"
#include "skin/win/theme/theme_schema.h"

namespace {

// Themes are drawn with true colours and alpha; palette displays keep the
// system's look.
bool ScreenHasColours() {
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return false;
  const int bits = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
  ::ReleaseDC(nullptr, screen);
  return bits > 8;
}

// The redirections patch every loaded module's imports, which needs the list.
bool CanEnumerateModules() {
  HMODULE first = nullptr;
  DWORD needed = 0;
  return ::EnumProcessModules(::GetCurrentProcess(), &first, sizeof(first), &needed) != 0;
}

std::atomic<bool> g_exists{false};

// The scale the theme is drawn at. The program declares itself aware of the
// system's DPI, so every window it makes has the screen's.
int ScreenScale() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  return ThemeScaleForDpi(dpi);
}

}  // namespace

bool SkinEngine::Exists() {
  return g_exists;
}

SkinEngine& SkinEngine::Create() {
  static SkinEngine engine;
  // The window side serves the engine in place.
  if (!engine.m_hooks) engine.m_hooks = &CreateSkinWindowSide(engine);
  return engine;
}

SkinEngine::SkinEngine() {
  ::InitializeCriticalSection(&m_schemaLock);
  m_metrics.Refresh(nullptr, m_applyOptions);
  g_exists = true;
}

SkinEngine& SkinEngine::Get() {
  static SkinEngine& engine = Create();
  return engine;
}

SkinEngine::~SkinEngine() {
  // Windows and threads may outlive the engine (a worker's message box at
  // exit): first nothing leads into it any more, then every window gets its
  // own procedure back, and only then are the objects freed.
  g_exists = false;
  m_enabled = false;
  if (m_hooks) m_hooks->Shutdown();
  SetSchema(nullptr);
  m_container.reset();
  ::DeleteCriticalSection(&m_schemaLock);
}

std::shared_ptr<ThemeSchema> SkinEngine::Schema() const {
  ScopedLock lock(m_schemaLock);
  return m_schema;
}

void SkinEngine::SetSchema(std::shared_ptr<ThemeSchema> schema) {
  {
    ScopedLock lock(m_schemaLock);
    m_schema.swap(schema);
  }
  // The old schema (now in `schema`) goes here, outside the lock.
}

ThemeClass* SkinEngine::GetThemeClass(std::u16string_view name) const {
  if (!m_enabled) return nullptr;
  const std::shared_ptr<ThemeSchema> schema = Schema();
  return schema ? schema->GetClass(name) : nullptr;
}

void SkinEngine::SetApplyOptions(int options) {
  m_applyOptions = options;
  if (!m_enabled) return;
  if (m_hooks) {
    m_hooks->RemoveRedirections();
    m_hooks->InstallRedirections(m_applyOptions);
  }
  m_metrics.Refresh(Schema().get(), m_applyOptions);
  NotifySkinChanged(1, 1);
}

int SkinEngine::LoadTheme(const std::u16string& themePath, const std::u16string& iniName) {
  return Load([&](ThemeContainer& c) { return c.Open(themePath, iniName); });
}

int SkinEngine::LoadTheme(HMODULE module, const std::u16string& iniName) {
  return Load([&](ThemeContainer& c) { return c.Open(module, iniName); });
}

int SkinEngine::Load(const std::function<bool(ThemeContainer&)>& open) {
  SetSchema(nullptr);
  if (m_hooks) m_hooks->RemoveRedirections();
  const int wasEnabled = m_enabled ? 1 : 0;

  std::shared_ptr<ThemeSchema> schema;
  m_container.reset();
  if (ScreenHasColours() && CanEnumerateModules()) {
    auto container = std::make_shared<ThemeContainer>();
    if (open(*container)) {
      schema = std::make_shared<ThemeSchema>(container);
      schema->SetScale(ScreenScale());
      if (schema->ReadProperties() < 0) schema.reset();
    }
    if (schema) m_container = container;
  }

  m_enabled = schema != nullptr;
  SetSchema(schema);
  if (m_enabled && m_hooks) m_hooks->InstallRedirections(m_applyOptions);
  m_metrics.Refresh(schema.get(), m_applyOptions);
  NotifySkinChanged(wasEnabled, m_enabled ? 1 : 0);
  return m_enabled ? 1 : 0;
}

void SkinEngine::NotifySkinChanged(int oldEnabled, int newEnabled) {
  if (m_hooks) m_hooks->SkinChanged(oldEnabled, newEnabled);
}

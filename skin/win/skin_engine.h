// The process-wide skin engine: loads a theme file and its colour scheme,
// keeps the schema in force, the metrics drawn from it, and the maps through
// which windows are brought under the skin. A failed load leaves the engine
// disabled and the program with the system's look.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "skin/win/skin_maps.h"
#include "skin/win/theme_metrics.h"

class ThemeClass;
class ThemeContainer;
class ThemeSchema;

// What the window side of the engine (system-function redirections, creation
// hooks, skin objects) does when a theme comes or goes. Installed by that side.
class SkinEngineHooks {
 public:
  virtual ~SkinEngineHooks() = default;
  virtual void RemoveRedirections() = 0;
  virtual void InstallRedirections(int applyOptions) = 0;
  // Runs before the mapped windows are told of a change: e.g. posting the
  // colour change to top-level windows and attaching windows not yet mapped.
  virtual void SkinChanging(int oldEnabled, int newEnabled) = 0;
  // The engine goes: redirections, creation hooks and the window-event hook
  // are removed, so that nothing calls into it any more.
  virtual void Shutdown() = 0;
};

class SkinEngine {
 public:
  enum ApplyOption { kMetrics = 1, kFrame = 2, kColours = 4, kMenus = 8 };

  // The single engine, created on first use, destroyed at process exit.
  static SkinEngine& Get();
  // False before the engine is made and once it is being destroyed at exit:
  // callbacks that may still run then (a window that outlives the engine, a
  // thread's hook) must not call Get().
  static bool Exists();

  int GetApplyOptions() const { return m_applyOptions; }
  // While a theme is in force the redirections are renewed for the new set,
  // the metrics refreshed and every skinned window told.
  void SetApplyOptions(int options);
  bool IsEnabled() const { return m_enabled; }
  bool GetAutoAttach() const { return m_autoAttach; }
  void SetAutoAttach(bool autoAttach) { m_autoAttach = autoAttach; }

  // Loads the theme file and its colour scheme ("" for the file's default);
  // 1 on success, 0 otherwise (the engine is then disabled).
  int LoadTheme(const std::u16string& themePath, const std::u16string& iniName);
  // The same from a module the caller loaded and keeps loaded.
  int LoadTheme(HMODULE module, const std::u16string& iniName);

  // The schema in force, null while disabled. Holding it keeps its classes
  // and images alive across a later load.
  std::shared_ptr<ThemeSchema> Schema() const;
  // The theme class of that name (any case) in the schema in force; null
  // while disabled or for a name that is no theme class. It lives as long as
  // that schema: keep Schema() alongside to use it across a later load.
  ThemeClass* GetThemeClass(std::u16string_view name) const;

  const ThemeMetrics& Metrics() const { return m_metrics; }
  SkinWindowMap& Windows() { return m_windows; }
  SkinClassMap& ClassNames() { return m_classNames; }
  void SetHooks(SkinEngineHooks* hooks) { m_hooks = hooks; }

  // Tells every mapped window that the skin changed; objects whose window is
  // gone are dropped.
  void NotifySkinChanged(int oldEnabled, int newEnabled);

 private:
  SkinEngine();
  ~SkinEngine();
  static SkinEngine& Create();
  SkinEngine(const SkinEngine&) = delete;
  SkinEngine& operator=(const SkinEngine&) = delete;

  int Load(const std::function<bool(ThemeContainer&)>& open);
  void SetSchema(std::shared_ptr<ThemeSchema> schema);

  int m_applyOptions = kMetrics | kFrame | kColours | kMenus;
  bool m_enabled = false;
  bool m_autoAttach = true;
  std::shared_ptr<ThemeSchema> m_schema;
  std::shared_ptr<ThemeContainer> m_container;
  mutable CRITICAL_SECTION m_schemaLock;
  ThemeMetrics m_metrics;
  SkinWindowMap m_windows;
  SkinClassMap m_classNames;
  SkinEngineHooks* m_hooks = nullptr;
};

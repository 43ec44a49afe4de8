// The engine room: the small front that puts the rooms together for the
// program. The process-wide skin engine loads a theme file and its colour
// scheme, keeps the schema in force and the metrics drawn from it, and makes
// the window side (skin/win/windows/), which it reaches through its hooks
// alone. A failed load leaves the engine disabled and the program with the
// system's look.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/theme/theme_metrics.h"
#include "skin/win/windows/skin_windows.h"

class ThemeClass;
class ThemeContainer;
class ThemeSchema;

class SkinEngine : public SkinWindowHost {
 public:
  enum ApplyOption {
    kMetrics = kApplyMetrics,
    kFrame = kApplyFrame,
    kColours = kApplyColours,
    kMenus = kApplyMenus
  };

  // The single engine, created on first use, destroyed at process exit.
  static SkinEngine& Get();
  // False before the engine is made and once it is being destroyed at exit:
  // callbacks that may still run then (a window that outlives the engine, a
  // thread's hook) must not call Get().
  static bool Exists();

  int GetApplyOptions() const override { return m_applyOptions; }
  // While a theme is in force the redirections are renewed for the new set,
  // the metrics refreshed and every skinned window told.
  void SetApplyOptions(int options);
  bool IsEnabled() const override { return m_enabled; }
  bool GetAutoAttach() const override { return m_autoAttach; }
  void SetAutoAttach(bool autoAttach) { m_autoAttach = autoAttach; }

  // Loads the theme file and its colour scheme ("" for the file's default);
  // 1 on success, 0 otherwise (the engine is then disabled).
  int LoadTheme(const std::u16string& themePath, const std::u16string& iniName);
  // The same from a module the caller loaded and keeps loaded.
  int LoadTheme(HMODULE module, const std::u16string& iniName);

  // The schema in force, null while disabled. Holding it keeps its classes
  // and images alive across a later load.
  std::shared_ptr<ThemeSchema> Schema() const override;
  // The theme class of that name (any case) in the schema in force; null
  // while disabled or for a name that is no theme class. It lives as long as
  // that schema: keep Schema() alongside to use it across a later load.
  ThemeClass* GetThemeClass(std::u16string_view name) const override;

  const ThemeMetrics& Metrics() const override { return m_metrics; }

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
  // The window side, made with the engine; it outlives it.
  SkinEngineHooks* m_hooks = nullptr;
};

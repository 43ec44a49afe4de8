#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "skin/theme_default_colors.h"
#include "skin/theme_properties.h"
#include "skin/theme_text.h"
#include "skin/theme_vocabulary.h"
#include "skin/win/system/skin_redirect_table.h"
#include "skin/win/theme/theme_class.h"
#include "skin/win/theme/theme_container.h"
#include "skin/win/theme/theme_metrics.h"
#include "skin/win/theme/theme_schema.h"
#include "skin/win/windows/skin_redirect.h"
#include "skin/win/windows/skin_windows.h"

// The visual-style functions answered from the loaded theme: the handles the
// engine issues are its own theme classes, valid while the schema they came
// from is in force.
namespace {

// Every handle issued, with the schema it belongs to; a handle outlives its
// schema only as a key that no longer resolves.
std::map<HTHEME, std::weak_ptr<ThemeSchema>>* g_issued = nullptr;

CRITICAL_SECTION& IssuedLock() {
  static CRITICAL_SECTION* lock = [] {
    auto* cs = new CRITICAL_SECTION;
    ::InitializeCriticalSection(cs);
    return cs;
  }();
  return *lock;
}

class IssuedLocked {
 public:
  IssuedLocked() { ::EnterCriticalSection(&IssuedLock()); }
  ~IssuedLocked() { ::LeaveCriticalSection(&IssuedLock()); }
  IssuedLocked(const IssuedLocked&) = delete;
  IssuedLocked& operator=(const IssuedLocked&) = delete;
};

// The visual-style functions are called with no context: the theme is the
// one engine's, or none once it is gone.
bool Enabled() {
  return SkinEnabled();
}

std::shared_ptr<ThemeSchema> SchemaInForce() {
  const SkinWindowHost* host = SkinHost();
  return host ? host->Schema() : nullptr;
}

bool Issued(HTHEME theme) {
  if (!theme) return false;
  IssuedLocked lock;
  return g_issued && g_issued->count(theme) != 0;
}

// The class behind an issued handle while its schema is the one in force;
// `keep` holds that schema for the duration of the call.
ThemeClass* ClassOf(HTHEME theme, std::shared_ptr<ThemeSchema>& keep) {
  if (!theme) return nullptr;
  keep = SchemaInForce();
  if (!keep) return nullptr;
  bool current = false;
  {
    IssuedLocked lock;
    if (g_issued) {
      auto it = g_issued->find(theme);
      current = it != g_issued->end() && it->second.lock() == keep;
    }
  }
  return current ? reinterpret_cast<ThemeClass*>(theme) : nullptr;
}

HTHEME Issue(ThemeClass* cls, const std::shared_ptr<ThemeSchema>& schema) {
  auto theme = reinterpret_cast<HTHEME>(cls);
  IssuedLocked lock;
  if (!g_issued) g_issued = new std::map<HTHEME, std::weak_ptr<ThemeSchema>>();
  (*g_issued)[theme] = schema;
  return theme;
}

void CopyText(const std::u16string& text, LPWSTR out, int max) {
  if (!out || max <= 0) return;
  const size_t n = std::min(text.size(), size_t(max - 1));
  for (size_t i = 0; i < n; ++i) out[i] = wchar_t(text[i]);
  out[n] = 0;
}

// The handles belong to the engine while enabled; a foreign handle then gets
// E_FAIL, and while disabled everything not issued by the engine goes to the system.
template <class Ours, class Theirs>
HRESULT Answer(HTHEME theme, Ours ours, Theirs theirs) {
  try {
    std::shared_ptr<ThemeSchema> keep;
    if (ThemeClass* cls = ClassOf(theme, keep)) return ours(*cls);
    if (Enabled() || Issued(theme)) return E_FAIL;
  } catch (...) {
    return E_FAIL;
  }
  return theirs();
}

}  // namespace

HTHEME WINAPI redirected::OpenThemeData(HWND hwnd, LPCWSTR classList) {
  try {
    if (Enabled()) {
      std::shared_ptr<ThemeSchema> schema = SchemaInForce();
      if (!schema || !classList) return nullptr;
      // A list such as "Explorer::TreeView;TreeView": the first class the theme knows.
      std::u16string list(classList, classList + wcslen(classList));
      size_t start = 0;
      while (start <= list.size()) {
        size_t end = list.find(u';', start);
        if (end == std::u16string::npos) end = list.size();
        std::u16string name = list.substr(start, end - start);
        const size_t scope = name.rfind(u"::");
        if (scope != std::u16string::npos) name = name.substr(scope + 2);
        if (ThemeClass* cls = schema->GetClass(name)) return Issue(cls, schema);
        start = end + 1;
      }
      return nullptr;
    }
  } catch (...) {
    return nullptr;
  }
  return SystemFunctions().OpenThemeData ? SystemFunctions().OpenThemeData(hwnd, classList)
                                         : nullptr;
}

HRESULT WINAPI redirected::DrawThemeBackground(HTHEME theme, HDC hdc, int part, int state,
                                               const RECT* rect, const RECT* clip) {
  return Answer(
      theme,
      [&](ThemeClass& c) -> HRESULT {
        if (!hdc || !rect) return E_INVALIDARG;
        return c.DrawBackground(hdc, part, state, *rect, clip) ? S_OK : E_FAIL;
      },
      [&] {
        return SystemFunctions().DrawThemeBackground
                   ? SystemFunctions().DrawThemeBackground(theme, hdc, part, state, rect, clip)
                   : E_FAIL;
      });
}

HRESULT WINAPI redirected::CloseThemeData(HTHEME theme) {
  try {
    if (Issued(theme)) return S_OK;
  } catch (...) {
    return S_OK;
  }
  return SystemFunctions().CloseThemeData ? SystemFunctions().CloseThemeData(theme) : E_HANDLE;
}

HRESULT WINAPI redirected::GetThemeColor(HTHEME theme, int part, int state, int prop,
                                         COLORREF* color) {
  return Answer(
      theme,
      [&](ThemeClass& c) -> HRESULT {
        return color ? c.GetColor(part, state, prop, *color) : E_INVALIDARG;
      },
      [&] {
        return SystemFunctions().GetThemeColor
                   ? SystemFunctions().GetThemeColor(theme, part, state, prop, color)
                   : E_FAIL;
      });
}

HRESULT WINAPI redirected::GetThemeInt(HTHEME theme, int part, int state, int prop, int* value) {
  return Answer(
      theme,
      [&](ThemeClass& c) -> HRESULT {
        return value ? c.GetInt(part, state, prop, *value) : E_INVALIDARG;
      },
      [&] {
        return SystemFunctions().GetThemeInt
                   ? SystemFunctions().GetThemeInt(theme, part, state, prop, value)
                   : E_FAIL;
      });
}

HRESULT WINAPI redirected::GetThemePartSize(HTHEME theme, HDC hdc, int part, int state, RECT* rect,
                                            THEMESIZE which, SIZE* size) {
  return Answer(
      theme,
      [&](ThemeClass& c) -> HRESULT {
        if (!size) return E_INVALIDARG;
        return c.GetPartSize(part, state, *size) ? S_OK : E_FAIL;
      },
      [&] {
        return SystemFunctions().GetThemePartSize
                   ? SystemFunctions().GetThemePartSize(theme, hdc, part, state, rect, which, size)
                   : E_FAIL;
      });
}

BOOL WINAPI redirected::IsAppThemed() {
  if (Enabled()) return TRUE;
  return SystemFunctions().IsAppThemed ? SystemFunctions().IsAppThemed() : FALSE;
}

BOOL WINAPI redirected::IsThemeActive() {
  if (Enabled()) return TRUE;
  return SystemFunctions().IsThemeActive ? SystemFunctions().IsThemeActive() : FALSE;
}

HRESULT WINAPI redirected::GetCurrentThemeName(LPWSTR file, int maxFile, LPWSTR color, int maxColor,
                                               LPWSTR size, int maxSize) {
  try {
    std::shared_ptr<ThemeSchema> schema = Enabled() ? SchemaInForce() : nullptr;
    if (schema) {
      const std::u16string ini = ThemeUpperCopy(schema->Container().IniName());
      std::u16string colorName;
      if (ini.find(u"METALLIC") != std::u16string::npos)
        colorName = u"metallic";
      else if (ini.find(u"BLUE") != std::u16string::npos)
        colorName = u"normalcolor";
      else if (ini.find(u"HOMESTEAD") != std::u16string::npos)
        colorName = u"homestead";
      CopyText(schema->Container().ThemePath(), file, maxFile);
      CopyText(colorName, color, maxColor);
      CopyText(u"NormalSize", size, maxSize);
      return S_OK;
    }
  } catch (...) {
    return E_FAIL;
  }
  return SystemFunctions().GetCurrentThemeName
             ? SystemFunctions().GetCurrentThemeName(file, maxFile, color, maxColor, size, maxSize)
             : E_FAIL;
}

BOOL WINAPI redirected::GetThemeSysBool(HTHEME theme, int boolId) {
  try {
    std::shared_ptr<ThemeSchema> keep;
    if (ClassOf(theme, keep)) {
      int32_t value = 0;
      if (keep->Properties().GetBool(kThemeClassSysMetrics, 0, 0, boolId, value) == kThemeOk)
        return value ? TRUE : FALSE;
      // The one boolean the system also keeps; the others default to off.
      BOOL system = FALSE;
      return boolId == TMT_FLATMENUS && ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &system, 0) &&
             system;
    }
    if (Enabled() || Issued(theme)) return FALSE;
  } catch (...) {
    return FALSE;
  }
  return SystemFunctions().GetThemeSysBool ? SystemFunctions().GetThemeSysBool(theme, boolId)
                                           : FALSE;
}

COLORREF WINAPI redirected::GetThemeSysColor(HTHEME theme, int colorId) {
  try {
    if (Enabled() && colorId >= 0 && colorId < kThemeSysColorCount)
      return SkinHost()->Metrics().Color(colorId);  // enabled: the host is there
    if (Issued(theme)) return ::GetSysColor(colorId);
  } catch (...) {
    return 0;
  }
  return SystemFunctions().GetThemeSysColor ? SystemFunctions().GetThemeSysColor(theme, colorId)
                                            : ::GetSysColor(colorId);
}

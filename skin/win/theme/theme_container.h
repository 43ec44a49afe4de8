// Where a theme's colour scheme and images come from: a loose INI file beside
// the theme file (images then are loose files in that folder too), or the
// theme file itself, a resource-only module with "TEXTFILE" and "PNG" resources.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "skin/ini_line_reader.h"

class ThemeContainer {
 public:
  ThemeContainer() = default;
  ~ThemeContainer();
  ThemeContainer(const ThemeContainer&) = delete;
  ThemeContainer& operator=(const ThemeContainer&) = delete;

  // Opens the theme file `themePath` with the scheme `iniName` (an empty name
  // takes the module's default scheme); false when neither a loose INI file
  // nor the module with that INI resource can be found.
  bool Open(const std::u16string& themePath, const std::u16string& iniName);
  // The same over a module the caller loaded and keeps loaded.
  bool Open(HMODULE module, const std::u16string& iniName);

  bool IsLooseFile() const { return m_loose; }
  HMODULE Module() const { return m_module; }
  const std::u16string& ThemePath() const { return m_themePath; }
  const std::u16string& IniName() const { return m_iniName; }
  // The theme file's folder with a trailing backslash (empty for a module).
  const std::u16string& Folder() const { return m_folder; }

  // The scheme's lines. A loose file's last line counts even without a line
  // end; in a module's text it does not.
  IniLineReader Lines() const { return IniLineReader(m_text); }

  // The bytes of a named image, loose file or "PNG"-type resource; the view
  // stays valid while the container lives. `resourceName` is already mapped.
  bool ResourceBytes(const std::u16string& resourceName, const wchar_t* type, const void*& data,
                     size_t& size) const;
  // A loose image file's full path.
  std::u16string LoosePath(const std::u16string& fileName) const { return m_folder + fileName; }

 private:
  void Close();
  bool OpenLoose(const std::u16string& iniPath);
  bool OpenModuleText(const std::u16string& iniName);

  std::u16string m_themePath;
  std::u16string m_iniName;
  std::u16string m_folder;
  HMODULE m_module = nullptr;
  bool m_ownsModule = false;
  bool m_loose = false;
  std::u16string m_looseText;  // a loose file's text, lines ending in CR LF
  std::u16string_view m_text;  // the scheme's text: m_looseText or the resource's
};

// A loaded theme: the colour scheme's properties, one ThemeClass per class
// name asked for, and the images decoded so far. Shared by reference count
// between the engine and whoever draws with it, so a new load never pulls a
// schema from under a drawing in progress.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "skin/theme_properties.h"
#include "skin/win/theme/theme_container.h"
#include "skin/win/theme/theme_image.h"

class ThemeClass;

class ThemeSchema {
 public:
  explicit ThemeSchema(std::shared_ptr<ThemeContainer> container);
  ~ThemeSchema();
  ThemeSchema(const ThemeSchema&) = delete;
  ThemeSchema& operator=(const ThemeSchema&) = delete;

  // Reads the container's scheme; the number of values stored, or -1 when the
  // container has no scheme to read.
  int ReadProperties();

  const ThemeProperties& Properties() const { return m_props; }
  const ThemeContainer& Container() const { return *m_container; }
  // 1: images with alpha are premultiplied on loading (the scheme's
  // "Documentation" ALPHALEVEL 255 says they are already).
  int Premultiply() const { return m_premultiply; }
  int GlobalsCode() const { return m_globalsCode; }
  int WindowCode() const { return m_windowCode; }

  // The class for a name (any case); null for a name that is no theme class.
  ThemeClass* GetClass(std::u16string_view name);
  // The display scale, in percent, the theme is drawn at (100 until set).
  int Scale() const { return m_scale; }
  void SetScale(int scale) { m_scale = scale > 0 ? scale : 100; }

  // The image of a file name as the scheme writes it, loaded on first use;
  // null when it is missing or cannot be decoded (also remembered).
  ThemeImage* GetImage(const std::u16string& fileName);
  // The same image in the size made for the scale nearest the schema's that
  // the theme carries; `imageScale` tells which.
  ThemeImage* GetScaledImage(const std::u16string& fileName, int& imageScale);

  // Serialises caption drawing, which shares one off-screen bitmap per frame.
  void LockCaption() { ::EnterCriticalSection(&m_captionLock); }
  void UnlockCaption() { ::LeaveCriticalSection(&m_captionLock); }

 private:
  std::unique_ptr<ThemeImage> LoadImageFile(const std::u16string& fileName) const;
  std::unique_ptr<ThemeImage> LoadLooseImage(const std::u16string& fileName) const;
  std::unique_ptr<ThemeImage> LoadModuleImage(const std::u16string& fileName) const;

  std::shared_ptr<ThemeContainer> m_container;
  ThemeProperties m_props;
  int m_premultiply = 1;
  int m_scale = 100;
  int m_globalsCode;
  int m_windowCode;
  // Classes and images are created on demand from any drawing thread.
  CRITICAL_SECTION m_lock;
  CRITICAL_SECTION m_captionLock;
  std::map<std::u16string, std::unique_ptr<ThemeClass>> m_classes;  // upper-case names
  std::map<std::u16string, std::unique_ptr<ThemeImage>> m_images;   // names as written
};

// Holds the caption lock for a scope.
class CaptionLock {
 public:
  explicit CaptionLock(ThemeSchema& schema) : m_schema(schema) { m_schema.LockCaption(); }
  ~CaptionLock() { m_schema.UnlockCaption(); }
  CaptionLock(const CaptionLock&) = delete;
  CaptionLock& operator=(const CaptionLock&) = delete;

 private:
  ThemeSchema& m_schema;
};

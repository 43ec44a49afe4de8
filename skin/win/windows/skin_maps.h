// The engine's two maps: skinned windows to their skin objects, and window
// class names to the kind of skin object their windows get.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CSkinObject;
struct SkinObjectClass;

// Window handle to skin object, owning. One lock guards it: windows are
// attached and detached on the threads that own them.
class SkinWindowMap {
 public:
  SkinWindowMap();
  ~SkinWindowMap();
  SkinWindowMap(const SkinWindowMap&) = delete;
  SkinWindowMap& operator=(const SkinWindowMap&) = delete;

  // False (and the object is destroyed) when the window is mapped already.
  bool Insert(HWND hwnd, std::unique_ptr<CSkinObject> object);
  // Takes the window's object out of the map; null when it has none.
  std::unique_ptr<CSkinObject> Remove(HWND hwnd);
  CSkinObject* Find(HWND hwnd) const;
  std::vector<HWND> Handles() const;
  size_t Size() const;
  void Clear();

 private:
  // Handles are multiples of small numbers; dividing spreads them better.
  struct HandleHash {
    size_t operator()(HWND h) const { return size_t(reinterpret_cast<uintptr_t>(h) / 16); }
  };

  mutable CRITICAL_SECTION m_lock;
  std::unordered_map<HWND, std::unique_ptr<CSkinObject>, HandleHash> m_objects;
};

// Window class name (any case) to skin-object kind. Filled once when the
// engine starts, read afterwards.
class SkinClassMap {
 public:
  void Add(std::u16string_view windowClass, const SkinObjectClass* kind);
  // True when the class is listed; `kind` is then its entry (which may say
  // "not skinned"). False for classes that get the default frame object.
  bool Find(std::u16string_view windowClass, const SkinObjectClass*& kind) const;
  size_t Size() const { return m_kinds.size(); }
  void Clear() { m_kinds.clear(); }

 private:
  std::unordered_map<std::u16string, const SkinObjectClass*> m_kinds;  // upper-case keys
};

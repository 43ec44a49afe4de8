#include "skin/win/windows/skin_maps.h"

#include "skin/theme_text.h"
#include "skin/win/objects/skin_object.h"
#include "skin/win/system/skin_lock.h"

namespace {

// The table's size when the engine was designed; most processes stay below it.
constexpr size_t kWindowBuckets = 199;

}  // namespace

SkinWindowMap::SkinWindowMap() {
  ::InitializeCriticalSection(&m_lock);
  m_objects.rehash(kWindowBuckets);
}

SkinWindowMap::~SkinWindowMap() {
  Clear();
  ::DeleteCriticalSection(&m_lock);
}

bool SkinWindowMap::Insert(HWND hwnd, std::unique_ptr<CSkinObject> object) {
  if (hwnd == nullptr || object == nullptr) return false;
  ScopedLock lock(m_lock);
  return m_objects.emplace(hwnd, std::move(object)).second;
}

std::unique_ptr<CSkinObject> SkinWindowMap::Remove(HWND hwnd) {
  ScopedLock lock(m_lock);
  auto it = m_objects.find(hwnd);
  if (it == m_objects.end()) return nullptr;
  std::unique_ptr<CSkinObject> object = std::move(it->second);
  m_objects.erase(it);
  return object;
}

CSkinObject* SkinWindowMap::Find(HWND hwnd) const {
  ScopedLock lock(m_lock);
  auto it = m_objects.find(hwnd);
  return it == m_objects.end() ? nullptr : it->second.get();
}

std::vector<HWND> SkinWindowMap::Handles() const {
  ScopedLock lock(m_lock);
  std::vector<HWND> handles;
  handles.reserve(m_objects.size());
  for (const auto& entry : m_objects) handles.push_back(entry.first);
  return handles;
}

size_t SkinWindowMap::Size() const {
  ScopedLock lock(m_lock);
  return m_objects.size();
}

void SkinWindowMap::Clear() {
  // Objects are destroyed outside the lock: their destructors may detach.
  std::unordered_map<HWND, std::unique_ptr<CSkinObject>, HandleHash> doomed;
  {
    ScopedLock lock(m_lock);
    doomed.swap(m_objects);
  }
}

void SkinClassMap::Add(std::u16string_view windowClass, const SkinObjectClass* kind) {
  m_kinds[ThemeUpperCopy(windowClass)] = kind;
}

bool SkinClassMap::Find(std::u16string_view windowClass, const SkinObjectClass*& kind) const {
  auto it = m_kinds.find(ThemeUpperCopy(windowClass));
  if (it == m_kinds.end()) return false;
  kind = it->second;
  return true;
}

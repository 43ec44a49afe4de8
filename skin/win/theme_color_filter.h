// Colour filters: objects that rewrite a theme colour in place. Every colour
// read from the theme passes through the engine's filters in list order. The
// program installs none; the list is there for tinting a theme at run time.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

class ThemeColorFilter {
 public:
  virtual ~ThemeColorFilter() = default;
  virtual void Filter(COLORREF& color) = 0;
};

// Not owning; filters are added and removed on the user-interface thread.
class ThemeColorFilters {
 public:
  void Add(ThemeColorFilter* filter) {
    if (filter) m_filters.push_back(filter);
  }
  void Remove(ThemeColorFilter* filter) {
    m_filters.erase(std::remove(m_filters.begin(), m_filters.end(), filter), m_filters.end());
  }
  size_t Size() const { return m_filters.size(); }
  COLORREF Apply(COLORREF color) const {
    for (ThemeColorFilter* f : m_filters) f->Filter(color);
    return color;
  }

 private:
  std::vector<ThemeColorFilter*> m_filters;
};

#include "skin/theme_resource_name.h"

std::u16string ThemeResourceName(std::u16string_view fileName) {
  std::u16string name(fileName);
  for (char16_t& c : name) {
    if (c == u'.' || c == u'\\') c = u'_';
  }
  return name;
}

std::u16string DefaultThemeIniName(std::u16string_view themesIniText) {
  constexpr std::u16string_view kMarker = u"[File.";
  const size_t start = themesIniText.find(kMarker);
  if (start == std::u16string_view::npos) return {};
  const size_t from = start + kMarker.size();
  const size_t close = themesIniText.find(u']', from);
  if (close == std::u16string_view::npos || close == from) return {};
  return std::u16string(themesIniText.substr(from, close - from)) + u"_ini";
}

#include "app/language_text.h"

#include <cstdint>

namespace {

// Calls take(entry) for every "^"-terminated entry of value.
template <typename F>
void ForEachEntry(const std::u16string& value, F take) {
  size_t pos = 0;
  for (;;) {
    const size_t caret = value.find(u'^', pos);
    if (caret == std::u16string::npos) return;
    take(value.substr(pos, caret - pos));
    pos = caret + 1;
  }
}

void AppendDecimal(std::u16string& out, int value) {
  // Widen first: negating INT_MIN in int would overflow.
  int64_t v = value;
  if (v < 0) {
    out += u'-';
    v = -v;
  }
  char16_t digits[24];
  int n = 0;
  do {
    digits[n++] = char16_t(u'0' + v % 10);
    v /= 10;
  } while (v != 0);
  while (n > 0) out += digits[--n];
}

}  // namespace

std::vector<std::u16string> SplitLanguageList(const std::u16string& value) {
  std::vector<std::u16string> names;
  ForEachEntry(value, [&](std::u16string name) { names.push_back(std::move(name)); });
  return names;
}

LanguageTexts SplitLanguageTexts(const std::u16string& value) {
  LanguageTexts texts;
  ForEachEntry(value, [&](const std::u16string& entry) {
    const size_t bar = entry.find(u'|');
    if (bar == std::u16string::npos) {
      texts[std::u16string()] = entry;
    } else {
      texts[entry.substr(0, bar)] = entry.substr(bar + 1);
    }
  });
  return texts;
}

std::u16string LanguageCaptionKey(int templateId) {
  return LanguageControlKey(templateId, 0);
}

std::u16string LanguageControlKey(int templateId, int controlId) {
  std::u16string key;
  AppendDecimal(key, templateId);
  key += u'-';
  AppendDecimal(key, controlId);
  return key;
}

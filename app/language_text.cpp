#include "app/language_text.h"

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

void AppendDecimal(std::u16string& out, int64_t value) {
  // Count downwards in the negative range: negating the lowest value overflows.
  if (value < 0) out += u'-';
  uint64_t v = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
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

std::u16string DecimalText(int64_t value) {
  std::u16string text;
  AppendDecimal(text, value);
  return text;
}

std::u16string AsciiText(const char* text) {
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::u16string FillIn(const std::u16string& text, const std::vector<std::u16string>& values) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t next = i + 1 < text.size() ? text[i + 1] : u'\0';
    if (text[i] != u'%' || !(next == u'%' || (next >= u'1' && next <= u'9'))) {
      out += text[i];
      continue;
    }
    ++i;
    if (next == u'%') {
      out += u'%';
    } else if (size_t(next - u'1') < values.size()) {
      out += values[size_t(next - u'1')];
    }
  }
  return out;
}

// Splitting of the language file's values and the keys its texts are found by.
// The file itself is read by the platform's INI functions; this is the part
// that does not need them.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using LanguageTexts = std::map<std::u16string, std::u16string>;

// The "list" value: every name ends with "^"; whatever follows the last "^"
// is not a name. Empty names are kept so indexes match the file.
std::vector<std::u16string> SplitLanguageList(const std::u16string& value);

// The "text" value: entries end with "^"; in each, the key runs to the first
// "|" and the text is the rest (further "|" included). An entry without "|"
// has the empty key. A later entry replaces an earlier one with the same key.
LanguageTexts SplitLanguageTexts(const std::u16string& value);

// "%d-0": the key of a dialog's caption.
std::u16string LanguageCaptionKey(int templateId);
// "%d-%d": the key of a control; unnamed statics (-1) give "102--1".
std::u16string LanguageControlKey(int templateId, int controlId);

// A number in decimal digits, with "-" before a negative one.
std::u16string DecimalText(int64_t value);

// Plain ASCII text, as the C library formats numbers.
std::u16string AsciiText(const char* text);

// A language text with its placeholders filled: "%1" to "%9" take the values
// in order ("" past their end), "%%" gives "%", any other "%" stays. A pack
// may be edited by hand, so no text can make this read beyond its values.
std::u16string FillIn(const std::u16string& text, const std::vector<std::u16string>& values);

// A text the program puts together that a language pack may replace, by its key.
template <class Texts>
struct TextKey {
  std::u16string Texts::*text;
  const char16_t* key;
};
// The texts with whatever the pack has for their keys.
template <class Texts>
Texts TranslatedTexts(const std::vector<TextKey<Texts>>& keys, const LanguageTexts& pack) {
  Texts texts;
  for (const TextKey<Texts>& k : keys) {
    const auto found = pack.find(k.key);
    if (found != pack.end() && !found->second.empty()) texts.*k.text = found->second;
  }
  return texts;
}

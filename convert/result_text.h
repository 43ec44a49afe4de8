// What the result page shows after a run.
#pragma once
#include <string>
#include <vector>

#include "app/language_text.h"

// The successes shown; with task mode 1 the page shows the number of files.
int ShownSuccesses(int taskMode, int files, int succeeded);

// The output folder: the first input's folder when writing beside the
// sources (without its last backslash), else the stored output folder.
std::u16string ResultFolderText(bool sameAsSource, const std::u16string& firstInput,
                                const std::u16string& outputFolder);

std::u16string AsciiText(const char* text);

// A text of the run's pages that a language pack may replace, by its key.
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

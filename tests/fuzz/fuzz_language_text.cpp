// Splits arbitrary UTF-16 text as a language list and as a text value, and
// checks that nothing is lost or invented; fills it in as a text with
// placeholders.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/language_text.h"

namespace {

void Check(bool ok) {
  if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string value;
  for (size_t i = 0; i + 1 < size; i += 2) value += char16_t(data[i] | (data[i + 1] << 8));

  const size_t last = value.rfind(u'^');
  const size_t carets = size_t(std::count(value.begin(), value.end(), u'^'));

  // The names joined again give back everything up to the last "^".
  const auto names = SplitLanguageList(value);
  Check(names.size() == carets);
  std::u16string joined;
  for (const auto& n : names) {
    Check(n.find(u'^') == std::u16string::npos);
    joined += n;
    joined += u'^';
  }
  Check(last == std::u16string::npos ? joined.empty() : joined == value.substr(0, last + 1));

  // Every pair came from an entry: no "^" anywhere, no "|" in a key, and the
  // entry "key|text" (or the bare text for the empty key) occurs in the input.
  const auto texts = SplitLanguageTexts(value);
  Check(texts.size() <= carets);
  for (const auto& [key, text] : texts) {
    Check(key.find(u'|') == std::u16string::npos && key.find(u'^') == std::u16string::npos);
    Check(text.find(u'^') == std::u16string::npos);
    const std::u16string entry = key.empty() && text.find(u'|') == std::u16string::npos
                                     ? text + u'^'
                                     : key + u'|' + text + u'^';
    Check(joined.find(entry) != std::u16string::npos);
  }

  // A hand-edited text with placeholders: without values it can only shrink,
  // and text without "%" comes back as it was.
  const std::u16string bare = FillIn(value, {});
  Check(bare.size() <= value.size());
  if (value.find(u'%') == std::u16string::npos) Check(bare == value);
  const std::u16string filled = FillIn(value, {u"<1>", u"<2>"});
  Check(filled.size() <= value.size() * 2);
  return 0;
}

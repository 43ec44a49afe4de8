#include "framework/long_path.h"

namespace {

const std::u16string kExtended = u"\\\\?\\";
const std::u16string kExtendedUnc = u"\\\\?\\UNC\\";

bool StartsWith(const std::u16string& text, const std::u16string& head) {
  return text.compare(0, head.size(), head) == 0;
}

bool IsDriveLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace

std::u16string ExtendedLengthPath(const std::u16string& path) {
  if (path.size() <= kLongestPlainFolder || StartsWith(path, kExtended)) return path;
  std::u16string p = path;
  for (char16_t& c : p)
    if (c == u'/') c = u'\\';
  if (p.size() >= 3 && IsDriveLetter(p[0]) && p[1] == u':' && p[2] == u'\\') return kExtended + p;
  if (StartsWith(p, u"\\\\") && p.size() > 2 && p[2] != u'\\' && p[2] != u'?' && p[2] != u'.')
    return kExtendedUnc + p.substr(2);
  return path;
}

std::u16string PlainPath(const std::u16string& path) {
  if (StartsWith(path, kExtendedUnc)) return u"\\\\" + path.substr(kExtendedUnc.size());
  if (StartsWith(path, kExtended)) return path.substr(kExtended.size());
  return path;
}

#include "app/input_files.h"

std::u16string InputFilterFor(int task) {
  switch (task) {
    case 0:
    case 1:
      return u"All supported files(*.avi)|*.avi;|All Files (*.*)|*.*|";
    case 2:
      return u"All supported files|"
             u"*.avi;*.mkv;*.3gp;*.m4a;*.mov;*.mp4;*.mpeg;*.mpg;*.wmv;*.divx;*.xvid;*.asf;*.swf|"
             u"Audio Video Interleave files (*.avi)|*.avi|"
             u"Matroska (*.mkv)|*.mkv|"
             u"Quicktime (*.3gp; *.m4a; *.mov; *.mp4)|*.3gp;*.m4a;*.mov;*.mp4|"
             u"Raw MPEG (*.mpeg; *.mpg)|*.mpg;*.mpeg|"
             u"Windows Media (*.wmv)|*.wmv|"
             u"Xvid (*.divx;*.xvid)|*.divx;*.xvid|"
             u"All Files (*.*)|*.*|";
    default:
      return std::u16string();
  }
}

std::u16string DisplayNameOf(const std::u16string& path) {
  const size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

INPUT_FILE InputFileOf(const std::u16string& path) {
  return {path, DisplayNameOf(path), std::u16string()};
}

INPUT_FILE InputFileUnder(const std::u16string& path, const std::u16string& root) {
  return {path, DisplayNameOf(path), root};
}

std::vector<std::u16string> OfferedPatterns(const std::u16string& filter) {
  std::vector<std::u16string> patterns;
  const size_t labelEnd = filter.find(u'|');
  if (labelEnd == std::u16string::npos) return patterns;
  const size_t end = filter.find(u'|', labelEnd + 1);
  const std::u16string list = filter.substr(labelEnd + 1, end - labelEnd - 1);
  size_t start = 0;
  while (start <= list.size()) {
    size_t semi = list.find(u';', start);
    if (semi == std::u16string::npos) semi = list.size();
    std::u16string pattern = list.substr(start, semi - start);
    while (!pattern.empty() && pattern.front() == u' ') pattern.erase(0, 1);
    while (!pattern.empty() && pattern.back() == u' ') pattern.pop_back();
    if (!pattern.empty()) patterns.push_back(pattern);
    start = semi + 1;
  }
  return patterns;
}

char16_t FoldedLetter(char16_t c) {
  return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

namespace {

// Wildcard match with a remembered star: linear in practice, no recursion.
bool Matches(const std::u16string& name, const std::u16string& pattern) {
  if (pattern == u"*.*") return true;
  size_t n = 0, p = 0, starP = std::u16string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == u'?' || FoldedLetter(pattern[p]) == FoldedLetter(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::u16string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace

bool IsOffered(const std::u16string& name, const std::vector<std::u16string>& patterns) {
  if (patterns.empty()) return true;
  for (const std::u16string& pattern : patterns)
    if (Matches(name, pattern)) return true;
  return false;
}

std::vector<std::u16string> SplitFileSelection(const char16_t* buffer, size_t length) {
  std::vector<std::u16string> parts;
  size_t pos = 0;
  while (pos < length && buffer[pos] != u'\0') {
    size_t end = pos;
    while (end < length && buffer[end] != u'\0') ++end;
    parts.emplace_back(buffer + pos, end - pos);
    pos = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::u16string folder = parts[0];
  if (folder.back() != u'\\') folder += u'\\';
  std::vector<std::u16string> paths;
  for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}

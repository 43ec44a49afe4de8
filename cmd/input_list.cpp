#include "cmd/input_list.h"

#include <algorithm>

#include "framework/utf8_text.h"

namespace {

bool HasWildcard(const std::u16string& name) {
  return name.find_first_of(u"*?") != std::u16string::npos;
}

std::u16string Trimmed(const std::u16string& line) {
  const size_t first = line.find_first_not_of(u" \t\r");
  if (first == std::u16string::npos) return std::u16string();
  return line.substr(first, line.find_last_not_of(u" \t\r") - first + 1);
}

class Expansion {
 public:
  Expansion(InputSource& source, int task, INPUT_EXPANSION& out, std::u16string& error)
      : m_source(source),
        m_patterns(OfferedPatterns(InputFilterFor(task))),
        m_out(out),
        m_error(error) {}

  bool Add(const std::u16string& typed) {
    std::u16string path = m_source.FullPath(typed);
    for (char16_t& c : path)
      if (c == u'/') c = u'\\';
    const size_t slash = path.find_last_of(u'\\');
    const std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    if (HasWildcard(name)) return AddMatches(path.substr(0, slash + 1), name, typed);
    switch (m_source.KindOf(path)) {
      case ItemKind::Missing:
        m_error = u"the input " + typed + u" does not exist";
        return false;
      case ItemKind::File:
        m_out.files.push_back(InputFileOf(path));
        return true;
      case ItemKind::Folder:
        break;
    }
    SEARCH_RESULT found;
    SearchItems(m_source, {path}, m_patterns, nullptr, found);
    if (found.files.empty()) m_out.empty.push_back(typed);
    m_out.otherTypes += found.nOtherTypes;
    m_out.unreadable.insert(m_out.unreadable.end(), found.unreadable.begin(),
                            found.unreadable.end());
    m_out.files.insert(m_out.files.end(), found.files.begin(), found.files.end());
    return true;
  }

  bool AddList(const std::u16string& typed) {
    std::string bytes;
    if (!m_source.ReadFile(m_source.FullPath(typed), bytes)) {
      m_error = u"the list file " + typed + u" cannot be read";
      return false;
    }
    for (const std::u16string& line : ListFileLines(bytes))
      if (!Add(line)) return false;
    return true;
  }

 private:
  bool AddMatches(const std::u16string& folder, const std::u16string& pattern,
                  const std::u16string& typed) {
    std::vector<FOLDER_ITEM> items;
    if (!m_source.ListFolder(folder, items)) {
      m_error = u"the folder of " + typed + u" cannot be read";
      return false;
    }
    std::vector<std::u16string> names;
    for (const FOLDER_ITEM& item : items)
      if (!item.bFolder && IsOffered(item.strName, {pattern})) names.push_back(item.strName);
    std::sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
      return std::lexicographical_compare(
          a.begin(), a.end(), b.begin(), b.end(),
          [](char16_t x, char16_t y) { return FoldedLetter(x) < FoldedLetter(y); });
    });
    for (const std::u16string& name : names)
      m_out.files.push_back(InputFileOf(JoinPath(folder, name)));
    if (names.empty()) m_out.empty.push_back(typed);
    return true;
  }

  InputSource& m_source;
  const std::vector<std::u16string> m_patterns;
  INPUT_EXPANSION& m_out;
  std::u16string& m_error;
};

}  // namespace

std::vector<std::u16string> ListFileLines(const std::string& bytes) {
  std::u16string text;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
      text += char16_t(static_cast<unsigned char>(bytes[i]) |
                       (static_cast<unsigned char>(bytes[i + 1]) << 8));
  } else {
    const bool bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    text = Utf8ToText(bom ? bytes.substr(3) : bytes);
  }
  std::vector<std::u16string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    const std::u16string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line[0] != u'#') lines.push_back(line);
  }
  return lines;
}

bool ExpandInputs(InputSource& source, const std::vector<std::u16string>& inputs, int task,
                  INPUT_EXPANSION& out, std::u16string& error) {
  out = INPUT_EXPANSION();
  Expansion expansion(source, task, out, error);
  for (const std::u16string& input : inputs) {
    const bool list = input.size() > 1 && input[0] == u'@';
    if (!(list ? expansion.AddList(input.substr(1)) : expansion.Add(input))) return false;
  }
  return true;
}

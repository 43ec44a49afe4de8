#include "app/folder_search.h"

#include <algorithm>

#include "app/language_text.h"

namespace {

bool EndsWithNoCase(const std::u16string& text, const std::u16string& tail) {
  if (text.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i)
    if (FoldedLetter(text[text.size() - tail.size() + i]) != FoldedLetter(tail[i])) return false;
  return true;
}

// Name order as a person reads a folder: letters of either case alike, then
// the exact text, so that the order never depends on how the system listed it.
bool NameBefore(const FOLDER_ITEM& a, const FOLDER_ITEM& b) {
  const std::u16string& x = a.strName;
  const std::u16string& y = b.strName;
  for (size_t i = 0; i < x.size() && i < y.size(); ++i)
    if (FoldedLetter(x[i]) != FoldedLetter(y[i])) return FoldedLetter(x[i]) < FoldedLetter(y[i]);
  if (x.size() != y.size()) return x.size() < y.size();
  return x < y;
}

// A path's last part, for naming it on one line; a drive root stays whole.
std::u16string ShortName(const std::u16string& path) {
  std::u16string p = path;
  while (p.size() > 3 && p.back() == u'\\') p.pop_back();
  const size_t slash = p.find_last_of(u'\\');
  return slash == std::u16string::npos || slash + 1 == p.size() ? p : p.substr(slash + 1);
}

class Search {
 public:
  Search(FolderSource& source, const std::vector<std::u16string>& patterns,
         const SearchProgress& progress, SEARCH_RESULT& result)
      : m_source(source), m_patterns(patterns), m_progress(progress), m_result(result) {}

  // False once the search is cancelled.
  bool AddItem(const std::u16string& path, bool mayBeShortcut) {
    switch (m_source.KindOf(path)) {
      case ItemKind::Missing:
        m_result.unreadable.push_back(path);
        return true;
      case ItemKind::Folder:
        return AddTree(path);
      case ItemKind::File:
        break;
    }
    if (mayBeShortcut && EndsWithNoCase(path, u".lnk")) {
      const std::u16string target = m_source.ShortcutTarget(path);
      if (target.empty() || m_source.KindOf(target) == ItemKind::Missing) {
        m_result.brokenShortcuts.push_back(path);
        return true;
      }
      return AddItem(target, false);
    }
    AddFile(path, DisplayNameOf(path), std::u16string());
    return true;
  }

 private:
  void AddFile(const std::u16string& path, const std::u16string& name, const std::u16string& root) {
    if (IsOffered(name, m_patterns))
      m_result.files.push_back(InputFileUnder(path, root));
    else
      ++m_result.nOtherTypes;
  }

  // Depth first with a stack of its own: a tree may be deeper than a thread's
  // stack would allow for recursion.
  bool AddTree(const std::u16string& root) {
    std::vector<std::u16string> pending{root};
    std::vector<FOLDER_ITEM> items;
    while (!pending.empty()) {
      const std::u16string folder = pending.back();
      pending.pop_back();
      items.clear();
      if (!m_source.ListFolder(folder, items)) {
        m_result.unreadable.push_back(folder);
      } else {
        std::sort(items.begin(), items.end(), NameBefore);
        for (const FOLDER_ITEM& item : items)
          if (!item.bFolder) AddFile(JoinPath(folder, item.strName), item.strName, root);
        // Pushed last to first, so that the first subfolder comes next.
        for (auto it = items.rbegin(); it != items.rend(); ++it)
          if (it->bFolder && !it->bLink) pending.push_back(JoinPath(folder, it->strName));
      }
      if (m_progress && !m_progress(m_result.files.size())) return false;
    }
    return true;
  }

  FolderSource& m_source;
  const std::vector<std::u16string>& m_patterns;
  const SearchProgress& m_progress;
  SEARCH_RESULT& m_result;
};

}  // namespace

std::u16string JoinPath(const std::u16string& folder, const std::u16string& name) {
  if (folder.empty() || folder.back() == u'\\') return folder + name;
  return folder + u'\\' + name;
}

void SearchItems(FolderSource& source, const std::vector<std::u16string>& items,
                 const std::vector<std::u16string>& patterns, const SearchProgress& progress,
                 SEARCH_RESULT& result) {
  Search search(source, patterns, progress, result);
  for (const std::u16string& item : items) {
    if (!search.AddItem(item, true)) {
      result.bCancelled = true;
      return;
    }
  }
}

std::u16string SearchSummary(const SEARCH_RESULT& result, const SEARCH_TEXTS& texts) {
  if (result.bCancelled) return texts.cancelled;
  std::u16string line = FillIn(texts.added, {DecimalText(int64_t(result.files.size()))});
  auto add = [&](const std::u16string& text, const std::vector<std::u16string>& values) {
    line += u' ';
    line += FillIn(text, values);
  };
  if (result.nOtherTypes > 0) add(texts.otherTypes, {DecimalText(result.nOtherTypes)});
  if (!result.unreadable.empty())
    add(texts.unreadable,
        {DecimalText(int64_t(result.unreadable.size())), ShortName(result.unreadable.front())});
  if (!result.brokenShortcuts.empty())
    add(texts.brokenLinks, {DecimalText(int64_t(result.brokenShortcuts.size())),
                            ShortName(result.brokenShortcuts.front())});
  return line;
}

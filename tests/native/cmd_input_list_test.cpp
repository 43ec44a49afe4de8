// The console program's inputs over a file system made of tables: files,
// folder trees kept below their root, wildcards, list files, and the faults.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "cmd/input_list.h"
#include "framework/utf8_text.h"

namespace {

class FakeInputs : public InputSource {
 public:
  std::map<std::u16string, std::vector<FOLDER_ITEM>> folders;
  std::set<std::u16string> files;
  std::map<std::u16string, std::string> lists;

  // A name ending in "\" is a subfolder.
  void Folder(const std::u16string& path, const std::vector<std::u16string>& names) {
    auto& items = folders[path];
    for (const auto& n : names) {
      const bool folder = n.back() == u'\\';
      items.push_back({folder ? n.substr(0, n.size() - 1) : n, folder, false});
      if (!folder) files.insert(JoinPath(path, n));
    }
  }
  ItemKind KindOf(const std::u16string& path) override {
    if (folders.count(path)) return ItemKind::Folder;
    return files.count(path) || lists.count(path) ? ItemKind::File : ItemKind::Missing;
  }
  bool ListFolder(const std::u16string& folder, std::vector<FOLDER_ITEM>& items) override {
    std::u16string key = folder;
    if (key.size() > 3 && key.back() == u'\\') key.pop_back();
    if (!folders.count(key)) return false;
    items = folders[key];
    return true;
  }
  std::u16string ShortcutTarget(const std::u16string&) override { return std::u16string(); }
  // The current folder is C:\Work.
  std::u16string FullPath(const std::u16string& path) override {
    return path.size() > 1 && path[1] == u':' ? path : u"C:\\Work\\" + path;
  }
  bool ReadFile(const std::u16string& path, std::string& bytes) override {
    auto it = lists.find(path);
    if (it == lists.end()) return false;
    bytes = it->second;
    return true;
  }
};

std::vector<std::u16string> Rows(const INPUT_EXPANSION& found) {
  std::vector<std::u16string> rows;
  for (const INPUT_FILE& f : found.files) rows.push_back(f.strPath + u" | " + f.strRoot);
  return rows;
}

TEST(CmdInputList, FilesFoldersWildcardsAndListsKeepTheirOrderAndRoots) {
  FakeInputs fs;
  fs.Folder(u"C:\\Work", {u"b.AVI", u"a.avi", u"notes.txt", u"Trip\\"});
  fs.Folder(u"C:\\Work\\Trip", {u"z.avi", u"x.mkv", u"Day 1\\"});
  fs.Folder(u"C:\\Work\\Trip\\Day 1", {u"\u51fa\u53d1.avi"});
  fs.lists[u"C:\\Work\\list.txt"] =
      "\xEF\xBB\xBF# clips for tonight\r\nTrip\\x.mkv\r\n\r\n  C:\\Work\\notes.txt  \r\n";

  INPUT_EXPANSION found;
  std::u16string error;
  ASSERT_TRUE(ExpandInputs(fs, {u"notes.txt", u"Trip", u"*.avi", u"@list.txt"}, 0, found, error))
      << std::string(error.begin(), error.end());
  EXPECT_EQ(Rows(found), (std::vector<std::u16string>{
                             // A file named is taken whatever its type.
                             u"C:\\Work\\notes.txt | ",
                             // A folder: the task's files of its tree, kept below it.
                             u"C:\\Work\\Trip\\z.avi | C:\\Work\\Trip",
                             u"C:\\Work\\Trip\\Day 1\\\u51fa\u53d1.avi | C:\\Work\\Trip",
                             // A wildcard: its matches in name order, letters of either case.
                             u"C:\\Work\\a.avi | ",
                             u"C:\\Work\\b.AVI | ",
                             // A list: its lines, comments and blanks passed over.
                             u"C:\\Work\\Trip\\x.mkv | ",
                             u"C:\\Work\\notes.txt | ",
                         }));
  EXPECT_EQ(found.otherTypes, 1);  // x.mkv, which the video task's folder search leaves out
  EXPECT_TRUE(found.empty.empty());

  // The create task takes Matroska files from a folder too.
  ASSERT_TRUE(ExpandInputs(fs, {u"Trip"}, 2, found, error));
  EXPECT_EQ(found.files.size(), 3u);
}

TEST(CmdInputList, NamesWhatIsMissingOrGivesNothing) {
  FakeInputs fs;
  fs.Folder(u"C:\\Work", {u"readme.txt", u"Empty\\"});
  fs.Folder(u"C:\\Work\\Empty", {});
  INPUT_EXPANSION found;
  std::u16string error;
  EXPECT_FALSE(ExpandInputs(fs, {u"gone.avi"}, 0, found, error));
  EXPECT_EQ(error, u"the input gone.avi does not exist");
  EXPECT_FALSE(ExpandInputs(fs, {u"@missing.txt"}, 0, found, error));
  EXPECT_EQ(error, u"the list file missing.txt cannot be read");
  EXPECT_FALSE(ExpandInputs(fs, {u"Nowhere\\*.avi"}, 0, found, error));
  EXPECT_EQ(error, u"the folder of Nowhere\\*.avi cannot be read");

  ASSERT_TRUE(ExpandInputs(fs, {u"Empty", u"*.avi", u"C:\\Work"}, 0, found, error));
  EXPECT_TRUE(found.files.empty());
  EXPECT_EQ(found.empty, (std::vector<std::u16string>{u"Empty", u"*.avi", u"C:\\Work"}));
  EXPECT_EQ(found.otherTypes, 1);
}

TEST(CmdInputList, ListFilesComeInEitherUnicodeForm) {
  const std::u16string name = u"C:\\V\u00eddeos\\\u51fa\u53d1 \U0001F3AC.avi";
  std::string utf16 = "\xFF\xFE";
  for (char16_t c : name + u"\r\n") {
    utf16 += char(c & 0xFF);
    utf16 += char(c >> 8);
  }
  EXPECT_EQ(ListFileLines(utf16), std::vector<std::u16string>{name});
  EXPECT_EQ(ListFileLines(TextToUtf8(name) + "\n# done\n"), std::vector<std::u16string>{name});
  // A byte that is no UTF-8 stands for itself as U+FFFD, and the rest is read.
  EXPECT_EQ(ListFileLines("caf\xE9.avi\nb.avi"),
            (std::vector<std::u16string>{u"caf\uFFFD.avi", u"b.avi"}));
}

}  // namespace

// The add of dropped or chosen items over a file system made of tables: what
// is found, in which order, what is left out and why, and the line that says so.
#include <gtest/gtest.h>

#include <pthread.h>

#include <map>
#include <unordered_map>
#include <unordered_set>

#include "app/folder_search.h"

namespace {

class FakeSource : public FolderSource {
 public:
  std::unordered_map<std::u16string, std::vector<FOLDER_ITEM>> folders;
  std::unordered_set<std::u16string> files;
  std::unordered_set<std::u16string> unreadable;     // folders that exist but cannot be listed
  std::map<std::u16string, std::u16string> targets;  // shortcut, target
  std::vector<std::u16string> listed;

  // A folder with its files and subfolders; a name ending in "\" is a subfolder.
  void Folder(const std::u16string& path, const std::vector<std::u16string>& names) {
    auto& items = folders[path];
    for (const auto& n : names) {
      const bool folder = !n.empty() && n.back() == u'\\';
      const std::u16string name = folder ? n.substr(0, n.size() - 1) : n;
      items.push_back({name, folder, false});
      if (!folder) files.insert(JoinPath(path, name));
    }
  }
  ItemKind KindOf(const std::u16string& path) override {
    if (folders.count(path) || unreadable.count(path)) return ItemKind::Folder;
    return files.count(path) ? ItemKind::File : ItemKind::Missing;
  }
  bool ListFolder(const std::u16string& folder, std::vector<FOLDER_ITEM>& items) override {
    listed.push_back(folder);
    if (unreadable.count(folder)) return false;
    items = folders[folder];
    return true;
  }
  std::u16string ShortcutTarget(const std::u16string& path) override {
    auto it = targets.find(path);
    return it == targets.end() ? std::u16string() : it->second;
  }
};

const std::vector<std::u16string> kAvi = {u"*.avi"};

std::vector<std::u16string> Paths(const SEARCH_RESULT& r) {
  std::vector<std::u16string> paths;
  for (const auto& f : r.files) paths.push_back(f.strPath);
  return paths;
}

SEARCH_RESULT Search(FakeSource& fs, const std::vector<std::u16string>& items,
                     const std::vector<std::u16string>& patterns = kAvi) {
  SEARCH_RESULT r;
  SearchItems(fs, items, patterns, nullptr, r);
  return r;
}

TEST(FolderSearch, ATreeComesInNameOrderFilesBeforeSubfoldersEachWithItsRoot) {
  FakeSource fs;
  fs.Folder(u"D:\\Holiday", {u"Day 2\\", u"b.AVI", u"day 1\\", u"A.avi", u"notes.txt"});
  fs.Folder(u"D:\\Holiday\\day 1", {u"clip.avi", u"Deep\\"});
  fs.Folder(u"D:\\Holiday\\day 1\\Deep", {u"x.avi"});
  fs.Folder(u"D:\\Holiday\\Day 2", {u"clip.avi", u"clip.mkv"});
  const SEARCH_RESULT r = Search(fs, {u"D:\\Holiday"});
  EXPECT_EQ(Paths(r),
            (std::vector<std::u16string>{
                u"D:\\Holiday\\A.avi", u"D:\\Holiday\\b.AVI", u"D:\\Holiday\\day 1\\clip.avi",
                u"D:\\Holiday\\day 1\\Deep\\x.avi", u"D:\\Holiday\\Day 2\\clip.avi"}));
  for (const auto& f : r.files) EXPECT_EQ(f.strRoot, u"D:\\Holiday");
  EXPECT_EQ(r.files[2].strName, u"clip.avi");
  EXPECT_EQ(r.nOtherTypes, 2);  // notes.txt and clip.mkv
  EXPECT_TRUE(r.unreadable.empty());
  EXPECT_FALSE(r.bCancelled);
}

TEST(FolderSearch, DroppedFilesAreFilteredAndKeepNoRoot) {
  FakeSource fs;
  fs.Folder(u"C:\\v", {u"a.avi", u"b.wmv", u"c.avi"});
  const SEARCH_RESULT r = Search(fs, {u"C:\\v\\c.avi", u"C:\\v\\b.wmv", u"C:\\v\\a.avi"});
  EXPECT_EQ(Paths(r), (std::vector<std::u16string>{u"C:\\v\\c.avi", u"C:\\v\\a.avi"}));
  EXPECT_TRUE(r.files[0].strRoot.empty());
  EXPECT_EQ(r.nOtherTypes, 1);
  // With no filter (an unknown task) everything is taken.
  EXPECT_EQ(Search(fs, {u"C:\\v"}, {}).files.size(), 3u);
  // "*.*" offers every name, even one without a dot.
  fs.Folder(u"C:\\w", {u"noext"});
  EXPECT_EQ(Search(fs, {u"C:\\w"}, {u"*.*"}).files.size(), 1u);
}

TEST(FolderSearch, UnreadableFoldersAndMissingItemsAreNamedTheRestGoesOn) {
  FakeSource fs;
  fs.Folder(u"D:\\Holiday", {u"a.avi", u"Private\\", u"z.avi"});
  fs.unreadable.insert(u"D:\\Holiday\\Private");
  fs.Folder(u"D:\\Other", {u"o.avi"});
  const SEARCH_RESULT r = Search(fs, {u"D:\\Holiday", u"D:\\Gone", u"D:\\Other"});
  EXPECT_EQ(Paths(r), (std::vector<std::u16string>{u"D:\\Holiday\\a.avi", u"D:\\Holiday\\z.avi",
                                                   u"D:\\Other\\o.avi"}));
  EXPECT_EQ(r.unreadable, (std::vector<std::u16string>{u"D:\\Holiday\\Private", u"D:\\Gone"}));
}

TEST(FolderSearch, ShortcutsStandForTheirTargetsOnlyWhenDropped) {
  FakeSource fs;
  fs.Folder(u"D:\\Links", {u"to clip.lnk", u"to folder.LNK", u"broken.lnk", u"empty.lnk"});
  fs.Folder(u"E:\\Clips", {u"c.avi"});
  fs.files.insert(u"E:\\one.avi");
  fs.targets = {{u"D:\\Links\\to clip.lnk", u"E:\\one.avi"},
                {u"D:\\Links\\to folder.LNK", u"E:\\Clips"},
                {u"D:\\Links\\broken.lnk", u"E:\\gone.avi"}};
  const SEARCH_RESULT r = Search(fs, {u"D:\\Links\\to clip.lnk", u"D:\\Links\\to folder.LNK",
                                      u"D:\\Links\\broken.lnk", u"D:\\Links\\empty.lnk"});
  EXPECT_EQ(Paths(r), (std::vector<std::u16string>{u"E:\\one.avi", u"E:\\Clips\\c.avi"}));
  EXPECT_TRUE(r.files[0].strRoot.empty());
  EXPECT_EQ(r.files[1].strRoot, u"E:\\Clips");
  EXPECT_EQ(r.brokenShortcuts,
            (std::vector<std::u16string>{u"D:\\Links\\broken.lnk", u"D:\\Links\\empty.lnk"}));
  // Inside a searched folder a shortcut is only a file of another type.
  const SEARCH_RESULT inside = Search(fs, {u"D:\\Links"});
  EXPECT_TRUE(inside.files.empty());
  EXPECT_EQ(inside.nOtherTypes, 4);
  EXPECT_TRUE(inside.brokenShortcuts.empty());
}

TEST(FolderSearch, LinkedFoldersAreNotEnteredSoALoopEnds) {
  FakeSource fs;
  fs.Folder(u"D:\\Loop", {u"a.avi"});
  fs.folders[u"D:\\Loop"].push_back({u"again", true, true});
  fs.folders[u"D:\\Loop\\again"] = fs.folders[u"D:\\Loop"];
  const SEARCH_RESULT r = Search(fs, {u"D:\\Loop"});
  EXPECT_EQ(Paths(r), std::vector<std::u16string>{u"D:\\Loop\\a.avi"});
  EXPECT_EQ(fs.listed, std::vector<std::u16string>{u"D:\\Loop"});
}

TEST(FolderSearch, ProgressCountsFilesAndFalseCancels) {
  FakeSource fs;
  std::vector<std::u16string> top;
  for (int i = 0; i < 5; ++i) {
    const std::u16string sub = std::u16string(u"s") + char16_t(u'0' + i);
    top.push_back(sub + u"\\");
    fs.Folder(u"D:\\T\\" + sub, {u"a.avi", u"b.avi"});
  }
  fs.Folder(u"D:\\T", top);
  std::vector<size_t> seen;
  SEARCH_RESULT r;
  SearchItems(
      fs, {u"D:\\T", u"D:\\T"}, kAvi,
      [&](size_t found) {
        seen.push_back(found);
        return found < 4;
      },
      r);
  EXPECT_TRUE(r.bCancelled);
  EXPECT_EQ(seen, (std::vector<size_t>{0, 2, 4}));
  EXPECT_EQ(fs.listed.size(), 3u);  // nothing is read after the answer false
}

// A search thread's stack is small; a walk that recursed per level would
// overflow this one long before the bottom.
TEST(FolderSearch, DeepTreesAreWalkedOnASmallStack) {
  struct Deep {
    FakeSource fs;
    SEARCH_RESULT result;
  } deep;
  std::u16string folder = u"D:\\d";
  for (int i = 0; i < 3000; ++i) {
    deep.fs.Folder(folder, {u"n\\"});
    folder += u"\\n";
  }
  deep.fs.Folder(folder, {u"bottom.avi"});
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 128 * 1024);
  pthread_t thread;
  auto run = [](void* p) -> void* {
    auto* d = static_cast<Deep*>(p);
    SearchItems(d->fs, {u"D:\\d"}, kAvi, nullptr, d->result);
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attr, run, &deep), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
  ASSERT_EQ(deep.result.files.size(), 1u);
  EXPECT_EQ(deep.result.files[0].strName, u"bottom.avi");
}

TEST(FolderSearch, JoiningKeepsOneBackslash) {
  EXPECT_EQ(JoinPath(u"D:\\", u"a.avi"), u"D:\\a.avi");
  EXPECT_EQ(JoinPath(u"D:\\v", u"a.avi"), u"D:\\v\\a.avi");
  EXPECT_EQ(JoinPath(u"\\\\nas\\media", u"a.avi"), u"\\\\nas\\media\\a.avi");
}

const SEARCH_TEXTS kTexts = {u"Files added: %1.", u"Other types: %1.", u"Unreadable: %1 (%2).",
                             u"No target: %1 (%2).", u"Cancelled."};

TEST(FolderSearch, TheSummarySaysWhatCameInAndWhatWasLeftOutWhy) {
  SEARCH_RESULT r;
  r.files.resize(10000);
  EXPECT_EQ(SearchSummary(r, kTexts), u"Files added: 10000.");
  r.nOtherTypes = 37;
  r.unreadable = {u"D:\\Holiday\\Private\\", u"D:\\x"};
  r.brokenShortcuts = {u"D:\\Links\\old clips.lnk"};
  EXPECT_EQ(SearchSummary(r, kTexts),
            u"Files added: 10000. Other types: 37. Unreadable: 2 (Private). "
            u"No target: 1 (old clips.lnk).");
  r.unreadable = {u"E:\\"};
  r.nOtherTypes = 0;
  r.brokenShortcuts.clear();
  EXPECT_EQ(SearchSummary(r, kTexts), u"Files added: 10000. Unreadable: 1 (E:\\).");
  r.bCancelled = true;
  EXPECT_EQ(SearchSummary(r, kTexts), u"Cancelled.");
}

}  // namespace

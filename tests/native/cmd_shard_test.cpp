// Splitting a batch over machines: every machine agrees on each file's share
// whatever the order of its list, its drive letters and the letter case it
// sees, the shares together hold every file once, a file added later moves
// no other, and a K/N that names no share is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/language_text.h"
#include "cmd/arguments.h"
#include "cmd/shard.h"

namespace {

std::vector<INPUT_FILE> Tree(const std::u16string& root, bool upper) {
  std::vector<INPUT_FILE> files;
  for (int i = 0; i < 300; ++i) {
    std::u16string below = u"Day " + DecimalText(i % 7) + u"/clip" + DecimalText(i) + u".avi";
    if (upper) {
      for (char16_t& c : below)
        if (c >= u'a' && c <= u'z') c = char16_t(c - u'a' + u'A');
      std::replace(below.begin(), below.end(), u'/', u'\\');
    }
    files.push_back(InputFileUnder(root + u"\\" + below, root));
  }
  return files;
}

// A share's files by their folded names below the root.
std::set<std::u16string> Names(const std::vector<INPUT_FILE>& files, const SHARD& shard) {
  std::set<std::u16string> names;
  for (const INPUT_FILE& f : FilesOfShard(files, shard)) {
    std::u16string name = f.strPath.substr(f.strRoot.size() + 1);
    for (char16_t& c : name) c = c == u'/' ? u'\\' : FoldedLetter(c);
    names.insert(name);
  }
  return names;
}

TEST(CmdShard, MachinesSplitABatchAlikeAndAnAddedFileMovesNoOther) {
  const std::vector<INPUT_FILE> here = Tree(u"D:\\Videos\\Trip", false);
  std::vector<INPUT_FILE> there = Tree(u"\\\\srv\\media\\Trip", true);
  std::reverse(there.begin(), there.end());
  std::vector<INPUT_FILE> grown = here;
  grown.insert(grown.begin() + 17,
               InputFileUnder(u"D:\\Videos\\Trip\\new.avi", u"D:\\Videos\\Trip"));

  std::set<std::u16string> all;
  size_t total = 0;
  for (int k = 1; k <= 3; ++k) {
    const SHARD shard{k, 3};
    const std::set<std::u16string> mine = Names(here, shard);
    EXPECT_EQ(Names(there, shard), mine) << k;
    // Every share gets a fair part of a large batch.
    EXPECT_GT(mine.size(), 60u) << k;
    std::set<std::u16string> after = Names(grown, shard);
    after.erase(u"new.avi");
    EXPECT_EQ(after, mine) << k;
    total += mine.size();
    all.insert(mine.begin(), mine.end());
  }
  EXPECT_EQ(total, 300u);
  EXPECT_EQ(all.size(), 300u);
  // One share is the whole batch; a lone file goes by its name.
  EXPECT_EQ(FilesOfShard(here, SHARD{1, 1}).size(), 300u);
  EXPECT_EQ(ShareOf(InputFileOf(u"C:\\x\\clip3.avi"), 5),
            ShareOf(InputFileOf(u"E:\\y\\CLIP3.AVI"), 5));
}

TEST(CmdShard, SharesThatAreNoneAreRefusedAndFilesAreNamedApart) {
  for (const char16_t* bad :
       {u"0/3", u"4/3", u"1/0", u"a/b", u"1/", u"/3", u"3", u"-1/3", u"1/3/4"}) {
    CMD_ARGUMENTS args;
    std::u16string error;
    EXPECT_FALSE(ParseArguments({u"--profile", u"MP3", u"--shard", bad, u"a.avi"}, args, error))
        << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
    EXPECT_NE(error.find(bad), std::u16string::npos);
  }
  CMD_ARGUMENTS args;
  std::u16string error;
  ASSERT_TRUE(ParseArguments({u"--profile", u"MP3", u"--shard", u"3/3", u"a.avi"}, args, error));
  EXPECT_EQ(args.shard.index, 3);
  EXPECT_EQ(args.shard.count, 3);

  EXPECT_EQ(ShardFileName(u"D:\\runs\\run.json", {2, 3}), u"D:\\runs\\run.2of3.json");
  EXPECT_EQ(ShardFileName(u"D:\\runs.old\\run", {2, 3}), u"D:\\runs.old\\run.2of3");
  EXPECT_EQ(ShardFileName(u"D:\\runs\\run.json", {1, 1}), u"D:\\runs\\run.json");
}

}  // namespace

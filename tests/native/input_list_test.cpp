// The input list's entries and the input page's rules that need no window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/input_files.h"

namespace {

using Paths = std::vector<std::u16string>;

// The dialog's buffer: parts each ended by a NUL, then an empty part.
std::u16string Buffer(const Paths& parts) {
  std::u16string b;
  for (const auto& p : parts) b += p + u'\0';
  return b + u'\0';
}

TEST(InputList, AnEntryIsNamedByThePartAfterTheLastBackslash) {
  const INPUT_FILE f = InputFileOf(u"C:\\v\\clip.flv");
  EXPECT_EQ(f.strPath, u"C:\\v\\clip.flv");
  EXPECT_EQ(f.strName, u"clip.flv");
  EXPECT_EQ(InputFileOf(u"C:\\a.b\\noext").strName, u"noext");
  EXPECT_EQ(InputFileOf(u"bare.avi").strName, u"bare.avi");
  EXPECT_EQ(InputFileOf(u"C:\\v\\").strName, u"");
}

TEST(InputList, OneSelectedFileComesBackAsItsFullPath) {
  const std::u16string b = Buffer({u"C:\\v\\a.avi"});
  EXPECT_EQ(SplitFileSelection(b.data(), b.size()), Paths{u"C:\\v\\a.avi"});
}

TEST(InputList, SeveralFilesJoinTheFolderInTheDialogsOrder) {
  const std::u16string b = Buffer({u"C:\\v", u"b.avi", u"a.avi", u"b.avi"});
  EXPECT_EQ(SplitFileSelection(b.data(), b.size()),
            (Paths{u"C:\\v\\b.avi", u"C:\\v\\a.avi", u"C:\\v\\b.avi"}));
  // A drive root already ends in a backslash.
  const std::u16string root = Buffer({u"C:\\", u"a.avi", u"b.avi"});
  EXPECT_EQ(SplitFileSelection(root.data(), root.size()), (Paths{u"C:\\a.avi", u"C:\\b.avi"}));
}

TEST(InputList, TheSelectionIsNotReadPastItsLength) {
  const std::u16string b = u"C:\\v\\a.avi";  // no terminator within the length
  EXPECT_EQ(SplitFileSelection(b.data(), b.size()), Paths{u"C:\\v\\a.avi"});
  EXPECT_TRUE(SplitFileSelection(b.data(), 0).empty());
  const std::u16string empty = Buffer({});
  EXPECT_TRUE(SplitFileSelection(empty.data(), empty.size()).empty());
}

// The filter's entries as label and pattern pairs.
std::vector<std::pair<std::u16string, std::u16string>> Entries(const std::u16string& filter) {
  std::vector<std::u16string> parts;
  size_t start = 0;
  for (size_t bar; (bar = filter.find(u'|', start)) != std::u16string::npos; start = bar + 1)
    parts.push_back(filter.substr(start, bar - start));
  EXPECT_EQ(start, filter.size()) << "a filter ends with its last bar";
  EXPECT_EQ(parts.size() % 2, 0u);
  std::vector<std::pair<std::u16string, std::u16string>> entries;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) entries.emplace_back(parts[i], parts[i + 1]);
  return entries;
}

TEST(InputList, TheTaskChoosesTheFilter) {
  EXPECT_EQ(InputFilterFor(0), InputFilterFor(1));
  const auto a = Entries(InputFilterFor(0));
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].second, u"*.avi;");
  EXPECT_EQ(a[1].second, u"*.*");

  const auto b = Entries(InputFilterFor(2));
  ASSERT_EQ(b.size(), 8u);
  EXPECT_EQ(b[0].first, u"All supported files");
  EXPECT_NE(b[0].second.find(u"*.swf"), std::u16string::npos);
  EXPECT_EQ(b[4].second, u"*.mpg;*.mpeg");
  EXPECT_EQ(b[7].first, u"All Files (*.*)");

  EXPECT_TRUE(InputFilterFor(-1).empty());
  EXPECT_TRUE(InputFilterFor(3).empty());
}

TEST(InputList, DropsAndFoldersOfferWhatTheDialogOpensWith) {
  using Patterns = std::vector<std::u16string>;
  EXPECT_EQ(OfferedPatterns(InputFilterFor(0)), Patterns{u"*.avi"});
  EXPECT_EQ(OfferedPatterns(InputFilterFor(1)), Patterns{u"*.avi"});
  const Patterns b = OfferedPatterns(InputFilterFor(2));
  ASSERT_EQ(b.size(), 13u);
  EXPECT_EQ(b.front(), u"*.avi");
  EXPECT_EQ(b.back(), u"*.swf");
  EXPECT_TRUE(OfferedPatterns(InputFilterFor(-1)).empty());
  EXPECT_EQ(OfferedPatterns(u"Mixed| *.a ;;*.b|All|*.*|"), (Patterns{u"*.a", u"*.b"}));

  EXPECT_TRUE(IsOffered(u"clip.avi", b));
  EXPECT_TRUE(IsOffered(u"CLIP.MPEG", b));
  EXPECT_TRUE(IsOffered(u"a.b.swf", b));
  EXPECT_FALSE(IsOffered(u"clip.avi.bak", b));
  EXPECT_FALSE(IsOffered(u"avi", b));
  EXPECT_FALSE(IsOffered(u"clip.mp3", b));
  EXPECT_TRUE(IsOffered(u"anything", {}));
  EXPECT_TRUE(IsOffered(u"noext", {u"*.*"}));
  EXPECT_TRUE(IsOffered(u"clip1.avi", {u"clip?.avi"}));
  EXPECT_FALSE(IsOffered(u"clip12.avi", {u"clip?.avi"}));
  EXPECT_TRUE(IsOffered(u"a-b-c.avi", {u"a*b*.avi"}));
}

}  // namespace

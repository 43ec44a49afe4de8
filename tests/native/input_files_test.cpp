// The input page's rules without a window: the file filters per task, the
// names shown, and the file dialog's selection buffer.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/input_files.h"

namespace {

using Entries = std::vector<std::pair<std::u16string, std::u16string>>;

// A filter text "label|pattern|label|pattern|" as (label, pattern) pairs; a
// dangling label or text after the last bar fails the test.
Entries EntriesOf(const std::u16string& filter) {
  std::vector<std::u16string> parts;
  size_t start = 0;
  for (size_t bar; (bar = filter.find(u'|', start)) != std::u16string::npos; start = bar + 1)
    parts.push_back(filter.substr(start, bar - start));
  EXPECT_EQ(start, filter.size()) << "text after the last bar";
  EXPECT_EQ(parts.size() % 2, 0u) << "a label without a pattern";
  Entries entries;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) entries.emplace_back(parts[i], parts[i + 1]);
  return entries;
}

std::u16string Lower(std::u16string s) {
  for (char16_t& c : s)
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
  return s;
}

// Whether a file name matches a pattern list such as "*.avi;*.mkv" the way the
// file dialog matches it: "*.*" all, "*.ext" by extension, ignoring case.
bool Matches(const std::u16string& patterns, const std::u16string& name) {
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(u';', start);
    if (end == std::u16string::npos) end = patterns.size();
    const std::u16string p = Lower(patterns.substr(start, end - start));
    if (p == u"*.*") return true;
    if (p.size() > 1 && p[0] == u'*' && name.size() >= p.size() - 1 &&
        Lower(name).compare(name.size() - (p.size() - 1), p.size() - 1, p, 1) == 0)
      return true;
    start = end + 1;
  }
  return false;
}

TEST(InputFilters, FilterAForTheVideoAndAudioTasks) {
  for (int task : {0, 1}) {
    EXPECT_EQ(InputFilterFor(task), u"All supported files(*.avi)|*.avi;|All Files (*.*)|*.*|")
        << task;
  }
  const Entries a = EntriesOf(InputFilterFor(0));
  ASSERT_EQ(a.size(), 2u);
  EXPECT_TRUE(Matches(a[0].second, u"C:\\v\\Clip.AVI"));
  EXPECT_FALSE(Matches(a[0].second, u"C:\\v\\clip.swf"));
  EXPECT_FALSE(Matches(a[0].second, u"C:\\v\\clip.avi.txt"));
  EXPECT_TRUE(Matches(a[1].second, u"C:\\v\\notes"));
}

TEST(InputFilters, FilterBForTheCreateTaskHasItsEightEntriesInOrder) {
  const Entries b = EntriesOf(InputFilterFor(2));
  const std::vector<std::u16string> labels = {
      u"All supported files",      u"Audio Video Interleave files (*.avi)",
      u"Matroska (*.mkv)",         u"Quicktime (*.3gp; *.m4a; *.mov; *.mp4)",
      u"Raw MPEG (*.mpeg; *.mpg)", u"Windows Media (*.wmv)",
      u"Xvid (*.divx;*.xvid)",     u"All Files (*.*)"};
  ASSERT_EQ(b.size(), labels.size());
  for (size_t i = 0; i < labels.size(); ++i) EXPECT_EQ(b[i].first, labels[i]) << i;

  // Which entries offer which file: every supported extension under the first.
  const std::vector<std::pair<std::u16string, std::vector<int>>> offered = {
      {u"a.avi", {0, 1, 7}}, {u"a.mkv", {0, 2, 7}},  {u"a.3gp", {0, 3, 7}},  {u"a.m4a", {0, 3, 7}},
      {u"a.mov", {0, 3, 7}}, {u"a.mp4", {0, 3, 7}},  {u"a.mpeg", {0, 4, 7}}, {u"a.mpg", {0, 4, 7}},
      {u"a.wmv", {0, 5, 7}}, {u"a.divx", {0, 6, 7}}, {u"a.xvid", {0, 6, 7}}, {u"a.asf", {0, 7}},
      {u"a.swf", {0, 7}},    {u"Movie.SWF", {0, 7}}, {u"a.mp3", {7}},
  };
  for (const auto& [name, entries] : offered) {
    std::vector<int> got;
    for (size_t i = 0; i < b.size(); ++i)
      if (Matches(b[i].second, name)) got.push_back(int(i));
    EXPECT_EQ(got, entries) << std::string(name.begin(), name.end());
  }
}

TEST(InputFilters, AnyOtherTaskHasNoFilter) {
  for (int task : {-1, 3, 27}) EXPECT_EQ(InputFilterFor(task), u"") << task;
}

TEST(InputFiles, DisplayNameIsThePartAfterTheLastBackslash) {
  EXPECT_EQ(DisplayNameOf(u"C:\\v\\a.avi"), u"a.avi");
  EXPECT_EQ(DisplayNameOf(u"\\\\server\\share\\my clip.avi.avi"), u"my clip.avi.avi");
  EXPECT_EQ(DisplayNameOf(u"a.avi"), u"a.avi");
  EXPECT_EQ(DisplayNameOf(u"C:\\v\\"), u"");
}

// A buffer literal with its embedded NULs, without the literal's own terminator.
template <size_t N>
std::u16string Buf(const char16_t (&text)[N]) {
  return std::u16string(text, N - 1);
}

std::vector<std::u16string> Split(const std::u16string& buffer) {
  // A heap copy of exactly the given length, so that a read past it is caught.
  std::vector<char16_t> exact(buffer.begin(), buffer.end());
  return SplitFileSelection(exact.data(), exact.size());
}

TEST(FileSelection, OnePathIsTakenAsItIs) {
  EXPECT_EQ(Split(Buf(u"C:\\v\\a.avi\0\0")), std::vector<std::u16string>{u"C:\\v\\a.avi"});
}

TEST(FileSelection, AFolderAndNamesGiveFullPathsInTheDialogsOrder) {
  EXPECT_EQ(Split(Buf(u"C:\\v\0b.avi\0a.avi\0b.avi\0\0")),
            (std::vector<std::u16string>{u"C:\\v\\b.avi", u"C:\\v\\a.avi", u"C:\\v\\b.avi"}));
  // A drive root comes with its backslash; it is not doubled.
  EXPECT_EQ(Split(Buf(u"C:\\\0a.avi\0b.avi\0\0")),
            (std::vector<std::u16string>{u"C:\\a.avi", u"C:\\b.avi"}));
}

TEST(FileSelection, ReadsNoFurtherThanItsLength) {
  EXPECT_TRUE(Split(u"").empty());
  EXPECT_TRUE(Split(Buf(u"\0\0")).empty());
  // No terminators at all: the text up to the end is the one path.
  EXPECT_EQ(Split(u"C:\\v\\a.avi"), std::vector<std::u16string>{u"C:\\v\\a.avi"});
  EXPECT_EQ(Split(Buf(u"C:\\v\0a.avi")), std::vector<std::u16string>{u"C:\\v\\a.avi"});
  // Whatever follows the double NUL is not a name.
  EXPECT_EQ(Split(Buf(u"C:\\v\0a.avi\0\0b.avi\0\0")), std::vector<std::u16string>{u"C:\\v\\a.avi"});
}

}  // namespace

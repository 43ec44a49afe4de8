// Where a run writes each file: the kept folders below a root, and the
// problems that stop a file before its encoder starts.
#include <gtest/gtest.h>

#include "convert/output_path.h"
#include "framework/long_path.h"

namespace {

constexpr int kAvi = 0;  // profile 0 writes .avi

std::u16string Kept(const std::u16string& path, const std::u16string& root) {
  return KeptFolders(InputFileUnder(path, root));
}

TEST(FileOutput, TheAddedFoldersNameIsKeptWithWhatLiesBelowIt) {
  EXPECT_EQ(Kept(u"D:\\Videos\\Holiday\\Day 1\\clip.avi", u"D:\\Videos\\Holiday"),
            u"Holiday\\Day 1\\");
  EXPECT_EQ(Kept(u"D:\\Videos\\Holiday\\clip.avi", u"D:\\Videos\\Holiday"), u"Holiday\\");
  // Trailing separators on the root, one or several, change nothing.
  EXPECT_EQ(Kept(u"D:\\Videos\\Holiday\\Day 1\\clip.avi", u"D:\\Videos\\Holiday\\"),
            u"Holiday\\Day 1\\");
  EXPECT_EQ(Kept(u"D:\\Videos\\Holiday\\Day 1\\clip.avi", u"D:\\Videos\\Holiday\\\\"),
            u"Holiday\\Day 1\\");
  // Windows names letters of either case alike; the root names the kept folder.
  EXPECT_EQ(Kept(u"D:\\VIDEOS\\Holiday\\Day 1\\clip.avi", u"d:\\videos\\holiday"),
            u"holiday\\Day 1\\");
  EXPECT_EQ(Kept(u"D:\\Videos\\Holiday\\Day 1\\clip.avi", u"D:/Videos/Holiday"),
            u"Holiday\\Day 1\\");
}

TEST(FileOutput, DrivesAndSharesHaveNoNameSoOnlyThePathBelowIsKept) {
  EXPECT_EQ(Kept(u"D:\\Day 1\\clip.avi", u"D:\\"), u"Day 1\\");
  EXPECT_EQ(Kept(u"D:\\clip.avi", u"D:\\"), u"");
  EXPECT_EQ(Kept(u"D:\\Day 1\\clip.avi", u"D:"), u"Day 1\\");
  EXPECT_EQ(Kept(u"\\\\nas\\media\\Day 1\\clip.avi", u"\\\\nas\\media"), u"Day 1\\");
  EXPECT_EQ(Kept(u"\\\\nas\\media\\Day 1\\clip.avi", u"\\\\nas\\media\\"), u"Day 1\\");
  // A folder on a share has a name like any other.
  EXPECT_EQ(Kept(u"\\\\nas\\media\\Holiday\\Day 1\\clip.avi", u"\\\\nas\\media\\Holiday"),
            u"Holiday\\Day 1\\");
  // The extended forms of a long root are read as their plain forms.
  EXPECT_EQ(Kept(u"\\\\?\\D:\\Holiday\\Day 1\\clip.avi", u"\\\\?\\D:\\Holiday"),
            u"Holiday\\Day 1\\");
  EXPECT_EQ(Kept(u"\\\\nas\\media\\Day 1\\clip.avi", u"\\\\?\\UNC\\nas\\media"), u"Day 1\\");
}

TEST(FileOutput, FilesWithoutARootOrOutsideItKeepNoFolders) {
  EXPECT_EQ(KeptFolders(InputFileOf(u"D:\\Videos\\Holiday\\clip.avi")), u"");
  EXPECT_EQ(Kept(u"D:\\Videos\\Other\\clip.avi", u"D:\\Videos\\Holiday"), u"");
  // A sibling whose name starts with the root's is not below it.
  EXPECT_EQ(Kept(u"D:\\Videos\\Holiday 2\\clip.avi", u"D:\\Videos\\Holiday"), u"");
  EXPECT_EQ(Kept(u"D:\\Videos\\Holiday", u"D:\\Videos\\Holiday"), u"");
}

TEST(FileOutput, TheSameNameInTwoSubfoldersGivesTwoOutputs) {
  const std::u16string root = u"D:\\Videos\\Holiday";
  const std::u16string a =
      FileOutputPath(false, u"E:\\out\\", InputFileUnder(root + u"\\Day 1\\clip.avi", root), kAvi);
  const std::u16string b =
      FileOutputPath(false, u"E:\\out\\", InputFileUnder(root + u"\\Day 2\\clip.avi", root), kAvi);
  EXPECT_EQ(a, u"E:\\out\\Holiday\\Day 1\\clip.avi.avi");
  EXPECT_EQ(b, u"E:\\out\\Holiday\\Day 2\\clip.avi.avi");
  EXPECT_EQ(FolderToCreate(false, InputFileUnder(root + u"\\Day 1\\clip.avi", root), a),
            u"E:\\out\\Holiday\\Day 1\\");
}

TEST(FileOutput, FilesAddedAloneAndSameAsSourceAreAsBefore) {
  const INPUT_FILE alone = InputFileOf(u"D:\\Videos\\clip.avi");
  EXPECT_EQ(FileOutputPath(false, u"E:\\out\\", alone, kAvi), u"E:\\out\\clip.avi.avi");
  EXPECT_EQ(FolderToCreate(false, alone, u"E:\\out\\clip.avi.avi"), u"");

  const INPUT_FILE found = InputFileUnder(u"D:\\Videos\\Holiday\\Day 1\\clip.avi", u"D:\\Videos");
  EXPECT_EQ(FileOutputPath(true, u"E:\\out\\", found, kAvi),
            u"D:\\Videos\\Holiday\\Day 1\\clip.avi.avi");
  EXPECT_EQ(FolderToCreate(true, found, u"D:\\Videos\\Holiday\\Day 1\\clip.avi.avi"), u"");
  // An output folder stored without its separator still gets one before kept folders.
  EXPECT_EQ(FileOutputPath(false, u"E:\\out", found, kAvi),
            u"E:\\out\\Videos\\Holiday\\Day 1\\clip.avi.avi");
  // A drive root as the output folder keeps its single backslash.
  EXPECT_EQ(FileOutputPath(false, u"E:\\", found, kAvi),
            u"E:\\Videos\\Holiday\\Day 1\\clip.avi.avi");
}

TEST(FileOutput, NamesLongerThanAFolderEntryAndOverlongCommandLinesAreProblems) {
  const std::u16string name255(255, u'n'), name256(256, u'n');
  EXPECT_EQ(OutputPathProblem(u"E:\\out\\" + name255, u"cmd"), PathProblem::None);
  EXPECT_EQ(OutputPathProblem(u"E:\\out\\" + name256, u"cmd"), PathProblem::NameTooLong);
  EXPECT_EQ(OutputPathProblem(u"E:\\" + name256 + u"\\a.avi", u"cmd"), PathProblem::NameTooLong);
  // Many folders of allowed names make a long path, which is fine by itself.
  std::u16string deep = u"E:";
  for (int i = 0; i < 40; ++i) deep += u"\\" + name255;
  EXPECT_EQ(OutputPathProblem(deep + u"\\a.avi", u"cmd"), PathProblem::None);
  EXPECT_EQ(OutputPathProblem(u"E:\\a.avi", std::u16string(32766, u'c')), PathProblem::None);
  EXPECT_EQ(OutputPathProblem(u"E:\\a.avi", std::u16string(32767, u'c')), PathProblem::TooLong);
}

TEST(LongPath, OnlyPathsTooLongForThePlainFormGetTheExtendedForm) {
  const std::u16string folder = u"C:\\" + std::u16string(kLongestPlainFolder - 3, u'f');
  ASSERT_EQ(folder.size(), kLongestPlainFolder);
  EXPECT_EQ(ExtendedLengthPath(folder), folder);
  EXPECT_EQ(ExtendedLengthPath(folder + u"g"), u"\\\\?\\" + folder + u"g");
  EXPECT_EQ(ExtendedLengthPath(u"C:/" + folder.substr(3) + u"/g"),
            u"\\\\?\\C:\\" + folder.substr(3) + u"\\g");
  const std::u16string share = u"\\\\nas\\media\\" + std::u16string(260, u'f');
  EXPECT_EQ(ExtendedLengthPath(share), u"\\\\?\\UNC\\nas\\media\\" + std::u16string(260, u'f'));
  // Already extended, relative or device paths are not touched.
  const std::u16string extended = u"\\\\?\\" + folder + u"g";
  EXPECT_EQ(ExtendedLengthPath(extended), extended);
  const std::u16string relative = std::u16string(300, u'r');
  EXPECT_EQ(ExtendedLengthPath(relative), relative);
  const std::u16string device = u"\\\\.\\" + std::u16string(300, u'd');
  EXPECT_EQ(ExtendedLengthPath(device), device);

  EXPECT_EQ(PlainPath(ExtendedLengthPath(share)), share);
  EXPECT_EQ(PlainPath(extended), folder + u"g");
  EXPECT_EQ(PlainPath(u"C:\\a"), u"C:\\a");
}

}  // namespace

// Whole folders through the real program: added with Add Folder and the real
// chooser, converted by the stand-in encoder into the same tree below the
// output folder, with names of any letters and paths longer than the plain
// form allows; and a folder that cannot be made fails its file alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win/convert_driver.h"

namespace {

const char kWrites[] = "out x\nfile 5 $OUT\n";

// The extended form, for the files and folders the test itself makes beyond
// the plain length.
std::wstring Long(const std::wstring& path) {
  return L"\\\\?\\" + path;
}

class ConvertFolders : public testing::Test, public ConvertDriver {
 protected:
  // The inputs live on drive C directly, where the chooser's tree shows them.
  ConvertFolders() : tree(L"C:\\") {}
  void TearDown() override { prog.reset(); }
  // Makes the folders of `file` below the tree and writes it as a script.
  void Script(const std::wstring& file, const std::string& script = kWrites) {
    for (size_t at = file.find(L'\\'); at != std::wstring::npos; at = file.find(L'\\', at + 1))
      ::CreateDirectoryW(Long(tree.Path() + file.substr(0, at)).c_str(), nullptr);
    ASSERT_TRUE(
        WriteBytes(Long(tree.Path() + file), std::vector<uint8_t>(script.begin(), script.end())));
  }
  // Runs the folders of the tree to the result page; its succeeded count.
  std::wstring Run(const std::vector<std::wstring>& folders, size_t files) {
    std::vector<std::wstring> paths;
    for (const std::wstring& f : folders) paths.push_back(tree.Path() + f);
    if (!FoldersToOutputPage(paths, files) || !StartRun()) return L"no run";
    HWND result = WaitForPage(IDC_RES_TOTAL, 60000);
    return result ? WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)) : L"no result";
  }
  // The size of an output below out\, -1 when it is missing.
  long long Output(const std::wstring& below) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(Long(out + below).c_str(), GetFileExInfoStandard, &data)) return -1;
    return (long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
  }

  ScratchDir tree;
};

TEST_F(ConvertFolders, AThreeLevelTreeKeepsItsShapeAndTheSameNamesApart) {
  for (const wchar_t* file : {L"Holiday\\a.avi", L"Holiday\\Day 1\\clip.avi",
                              L"Holiday\\Day 2\\clip.avi", L"Holiday\\Day 2\\Evening\\clip.avi"})
    Script(file);
  ASSERT_TRUE(Start());
  EXPECT_EQ(Run({L"Holiday"}, 4), L"4");
  for (const wchar_t* output :
       {L"Holiday\\a.avi.mp3", L"Holiday\\Day 1\\clip.avi.mp3", L"Holiday\\Day 2\\clip.avi.mp3",
        L"Holiday\\Day 2\\Evening\\clip.avi.mp3"})
    EXPECT_EQ(Output(output), 5) << output;
}

TEST_F(ConvertFolders, NamesOfAnyLettersBlanksApostrophesAndPercentSigns) {
  const std::wstring folder = L"\u89c6\u9891 \u6d4b\u8bd5";  // 视频 测试
  Script(folder + L"\\" + folder + L".avi");
  Script(folder + L"\\l'\u00e9t\u00e9 100%.avi");
  ASSERT_TRUE(Start());
  EXPECT_EQ(Run({folder}, 2), L"2");
  EXPECT_EQ(Output(folder + L"\\" + folder + L".avi.mp3"), 5);
  EXPECT_EQ(Output(folder + L"\\l'\u00e9t\u00e9 100%.avi.mp3"), 5);
}

TEST_F(ConvertFolders, PathsLongerThanThePlainFormAreConvertedEndToEnd) {
  const std::wstring deep = L"L\\" + std::wstring(120, L'a') + L"\\" + std::wstring(120, L'b');
  Script(deep + L"\\clip.avi");
  ASSERT_GT((out + deep + L"\\clip.avi.mp3").size(), size_t(MAX_PATH));
  ASSERT_TRUE(Start());
  EXPECT_EQ(Run({L"L"}, 1), L"1");
  EXPECT_EQ(Output(deep + L"\\clip.avi.mp3"), 5);
  // Left behind in the extended form, which the scratch folder's removal cannot reach.
  ::DeleteFileW(Long(out + deep + L"\\clip.avi.mp3").c_str());
  ::DeleteFileW(Long(tree.Path() + deep + L"\\clip.avi").c_str());
  for (const std::wstring& root : {out, tree.Path()}) {
    ::RemoveDirectoryW(Long(root + deep).c_str());
    ::RemoveDirectoryW(Long(root + deep.substr(0, deep.find_last_of(L'\\'))).c_str());
  }
}

TEST_F(ConvertFolders, AFolderThatCannotBeMadeFailsItsFilesAndTheRestGoOn) {
  Script(L"Holiday\\Day 1\\a.avi");
  Script(L"Other\\b.avi");
  // A file where the output's folder would go.
  ASSERT_TRUE(WriteBytes(out + L"Holiday", {0}));
  ASSERT_TRUE(Start());
  EXPECT_EQ(Run({L"Holiday", L"Other"}, 2), L"1");
  EXPECT_EQ(Output(L"Other\\b.avi.mp3"), 5);
  EXPECT_EQ(Output(L"Holiday\\Day 1\\a.avi.mp3"), -1);
  bool named = false;
  for (const std::wstring& line : Log())
    named |= line.find(L"Not converted: the folder " + out +
                       L"Holiday\\Day 1\\ cannot be created: ") != std::wstring::npos;
  EXPECT_TRUE(named);
}

TEST_F(ConvertFolders, ALaterFileWithTheSameOutputTakesItOnlyOnceConverted) {
  // Two folders of one name keep the same folder below out\: one output for both.
  Script(L"1\\v\\x.avi");
  Script(L"2\\v\\x.avi", "out y\nfile 3 $OUT\nexit 1\n");
  ASSERT_TRUE(Start([](APP_STATE& s) { s.g_bOverwrite = 1; }));
  EXPECT_EQ(Run({L"1\\v", L"2\\v"}, 2), L"1");
  EXPECT_EQ(Output(L"v\\x.avi.mp3"), 5);
  EXPECT_EQ(Output(L"v\\x.avi.partial.mp3"), -1);

  Script(L"2\\v\\x.avi", "out y\nfile 7 $OUT\n");
  ASSERT_NE(RunAgain(), nullptr);
  HWND result = WaitForPage(IDC_RES_TOTAL, 60000);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(result, IDC_RES_SUCCEEDED)), L"2");
  EXPECT_EQ(Output(L"v\\x.avi.mp3"), 7);
  EXPECT_EQ(Output(L"v\\x.avi.partial.mp3"), -1);
}

}  // namespace

// What the installer relies on: the settings file is rewritten in place when
// no file may be created beside it, and the downloads carry the version the
// program shows. The installer itself is run by tests/e2e/distribution.sh.
#include <gtest/gtest.h>

#include "framework/win/file_io.h"
#include "framework/win/wide.h"
#include "resources/resource.h"
#include "tests/win/program_harness.h"

namespace {

std::u16string U16(const std::wstring& s) {
  return U(s.c_str(), s.size());
}

// A folder named like the temporary file keeps it from being created, as a
// folder where users may change the settings file but create nothing does.
TEST(SettingsWrite, RewritesInPlaceWhenNothingMayBeCreatedBeside) {
  ScratchDir dir;
  const std::wstring file = dir.Path() + L"Option.dat";
  ASSERT_TRUE(::CreateDirectoryW((file + L".tmp").c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(file, std::vector<uint8_t>(124, 0xAB)));

  const std::vector<uint8_t> shorter = {1, 2, 3, 4, 0xFF, 0xFE, 0xFF, 0};
  EXPECT_TRUE(ReplaceFileAtomically(U16(file), shorter));
  EXPECT_EQ(ReadBytes(file), shorter);

  // No settings file to rewrite: nothing is made, and the caller hears so.
  const std::wstring missing = dir.Path() + L"Other.dat";
  ASSERT_TRUE(::CreateDirectoryW((missing + L".tmp").c_str(), nullptr));
  EXPECT_FALSE(ReplaceFileAtomically(U16(missing), shorter));
  EXPECT_FALSE(FileExists(missing));
}

TEST(SettingsWrite, ReplacesThroughTemporaryFileWhenAllowed) {
  ScratchDir dir;
  const std::wstring file = dir.Path() + L"Option.dat";
  ASSERT_TRUE(WriteBytes(file, std::vector<uint8_t>(200, 7)));
  const std::vector<uint8_t> bytes(124, 9);
  EXPECT_TRUE(ReplaceFileAtomically(U16(file), bytes));
  EXPECT_EQ(ReadBytes(file), bytes);
  EXPECT_FALSE(FileExists(file + L".tmp"));
}

// A settings file made read-only is the user's choice: nothing is stored,
// whether or not a file may be created beside it.
TEST(SettingsWrite, LeavesAReadOnlyFileAsItIs) {
  for (bool tempBlocked : {false, true}) {
    ScratchDir dir;
    const std::wstring file = dir.Path() + L"Option.dat";
    if (tempBlocked) {
      ASSERT_TRUE(::CreateDirectoryW((file + L".tmp").c_str(), nullptr));
    }
    const std::vector<uint8_t> kept(124, 0xAB);
    ASSERT_TRUE(WriteBytes(file, kept));
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_FALSE(ReplaceFileAtomically(U16(file), {1, 2, 3})) << tempBlocked;
    EXPECT_EQ(ReadBytes(file), kept) << tempBlocked;
    EXPECT_EQ(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY,
              DWORD(FILE_ATTRIBUTE_READONLY))
        << tempBlocked;
    if (!tempBlocked) {
      EXPECT_FALSE(FileExists(file + L".tmp"));
    }
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

// The build names the installer and the zip after the version the About
// dialog shows; both come from one file, so they must agree.
TEST(Distribution, DownloadsCarryTheProgramsVersion) {
  wchar_t version[32] = {0};
  ASSERT_GT(::LoadStringW(::GetModuleHandleW(nullptr), IDS_VERSION, version, 32), 0);
  const std::wstring dist = TestExeDir() + L"dist\\Vidmorph-" + version;
  EXPECT_TRUE(FileExists(dist + L"-setup.exe")) << dist << "-setup.exe is missing";
  EXPECT_TRUE(FileExists(dist + L"-portable.zip")) << dist << "-portable.zip is missing";
}

}  // namespace

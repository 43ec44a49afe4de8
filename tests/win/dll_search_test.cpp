// Where the program's DLLs are found from. Under Wine a DLL with a system's
// name loads from Wine itself whatever the search order, so the control is a
// DLL whose name no system DLL has, found in the current folder only.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/program_harness.h"

namespace {

TEST(DllSearch, TheCurrentFolderIsSearchedBeforeTheRestrictionAndNotAfter) {
  ScratchDir program, current;
  ASSERT_TRUE(CopyInto(HelpersDir() + L"framework_dll_search_probe.exe", program.Path()));
  ASSERT_TRUE(CopyInto(HelpersDir() + L"dll_cwd_marker.dll", current.Path()));
  // Without its last separator, which would escape the closing quote.
  const std::wstring folder = current.Path().substr(0, current.Path().size() - 1);
  const long code =
      RunHidden(L"\"" + program.Path() + L"framework_dll_search_probe.exe\" \"" + folder + L"\"");
  ASSERT_LT(code, 8) << "the probe did not run: " << code;
  EXPECT_TRUE(code & 1) << "loaded from the current folder before the restriction";
  EXPECT_TRUE(code & 4) << "the restriction was taken";
  EXPECT_FALSE(code & 2) << "loaded from the current folder after it";
}

}  // namespace

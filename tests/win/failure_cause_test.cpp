// A denied file that another program holds is told apart on this machine.
#include <gtest/gtest.h>

#include "convert/win/failure_cause.h"
#include "tests/win/program_harness.h"

TEST(FailureCause, ADeniedFileHeldByAnotherIsInUseOnlyWhileItIsHeld) {
  ScratchDir dir;
  const std::wstring path = dir.Path() + L"held.mp3";
  ASSERT_TRUE(WriteBytes(path, {1, 2, 3}));
  FailureCause denied;
  denied.kind = FailureKind::Denied;
  denied.path = reinterpret_cast<const char16_t*>(path.c_str());

  // Opened as a player would that shares nothing.
  HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CauseOnThisMachine(denied).kind, FailureKind::InUse);
  ::CloseHandle(held);
  EXPECT_EQ(CauseOnThisMachine(denied).kind, FailureKind::Denied);

  // A holder that lets others read does not stop the encoder reading.
  held = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CauseOnThisMachine(denied).kind, FailureKind::Denied);
  ::CloseHandle(held);

  // Other causes, and a file that is not there, stay as they are.
  FailureCause full;
  full.kind = FailureKind::DiskFull;
  full.path = denied.path;
  EXPECT_EQ(CauseOnThisMachine(full).kind, FailureKind::DiskFull);
  denied.path += u".gone";
  EXPECT_EQ(CauseOnThisMachine(denied).kind, FailureKind::Denied);
}

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/system_version.h"

namespace koru {
namespace {

TEST(SystemVersion, ComesFromTheRunningSystem) {
  SystemVersion version = QuerySystemVersion();
  OSVERSIONINFOW reported{};
  reported.dwOSVersionInfoSize = sizeof(reported);
  ASSERT_TRUE(::GetVersionExW(&reported));
  EXPECT_EQ(version.platform, static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
  EXPECT_GT(version.build, 0u);
  // GetVersionEx stops at 6.2 for programs without a manifest; below that it
  // tells the truth, and the true version is never older than what it says.
  if (reported.dwMajorVersion < 6 || (reported.dwMajorVersion == 6 && reported.dwMinorVersion < 2)) {
    EXPECT_EQ(version.major, reported.dwMajorVersion);
    EXPECT_EQ(version.minor, reported.dwMinorVersion);
  } else {
    EXPECT_TRUE(version.major > 6 || (version.major == 6 && version.minor >= 2));
  }
  EXPECT_TRUE(version.IsNewer());
}

}  // namespace
}  // namespace koru

// KORU.exe's version block, which Explorer, the version dialog and the shell
// helper library read: the project's version 2.32.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "windows/support/test_environment.h"

namespace koru {
namespace {

TEST(ProgramVersion, TheVersionBlockSaysTwoPointThirtyTwo) {
  const std::wstring exe = testing::KoruExePath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 2);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 32);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);

  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041103A4\\FileVersion", reinterpret_cast<void**>(&text),
                             &length));
  EXPECT_EQ(std::wstring(text), L"2.32");
}

}  // namespace
}  // namespace koru

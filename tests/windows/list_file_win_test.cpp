#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "medialist/list_file.h"
#include "platform/cp932.h"
#include "platform/file_system_win32.h"

namespace koru {
namespace {

using cp932::FromUtf8;

std::wstring WideOf(const std::string& cp932Text) {
  std::u16string wide = cp932::ToUtf16(cp932Text).value();
  return std::wstring(wide.begin(), wide.end());
}

// A program folder and a list folder with a Japanese name under the
// temporary folder, removed afterwards.
class ListFileOnWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(::GetTempPathW(MAX_PATH, temp), 0u);
    root_ = cp932::FromUtf16(std::u16string(temp, temp + std::wcslen(temp))).value() + "koru-lists-" +
            std::to_string(::GetCurrentProcessId()) + "\\";
    programFolder_ = root_ + "program\\";
    listFolder_ = root_ + FromUtf8(u8"曲の表\\");
    for (const std::string& folder : {root_, programFolder_, listFolder_}) {
      ASSERT_TRUE(::CreateDirectoryW(WideOf(folder).c_str(), nullptr));
    }
  }
  void TearDown() override {
    for (const std::string& folder : {programFolder_, listFolder_}) {
      WIN32_FIND_DATAW found{};
      HANDLE search = ::FindFirstFileW((WideOf(folder) + L"*").c_str(), &found);
      if (search == INVALID_HANDLE_VALUE) continue;
      do {
        std::wstring path = WideOf(folder) + found.cFileName;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
      } while (::FindNextFileW(search, &found));
      ::FindClose(search);
      ::RemoveDirectoryW(WideOf(folder).c_str());
    }
    ::RemoveDirectoryW(WideOf(root_).c_str());
  }

  std::string root_, programFolder_, listFolder_;
  Win32FileSystem files_;
};

TEST_F(ListFileOnWindowsTest, AListUnderAJapaneseNameIsSavedBackedUpAndLoaded) {
  MediaList list(programFolder_);
  list.SetListPath(listFolder_ + FromUtf8(u8"お気に入り.mpl"));
  ASSERT_TRUE(list.AppendRaw(MediaEntry{.path = FromUtf8(u8"D:\\音楽\\表.mid"), .title = FromUtf8(u8"ソ連")}));
  ASSERT_TRUE(SaveList(list, files_, {.backupToProgramFolder = true}));
  EXPECT_EQ(files_.ReadWholeFile(programFolder_ + FromUtf8(u8"お気に入り.bak")),
            files_.ReadWholeFile(list.ListPath()));

  MediaList loaded(programFolder_);
  ASSERT_EQ(LoadList(loaded, files_, list.ListPath()), ListRead::kRead);
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_EQ(loaded.Entry(0).path, FromUtf8(u8"D:\\音楽\\表.mid"));
  EXPECT_EQ(loaded.Entry(0).title, FromUtf8(u8"ソ連"));
  EXPECT_EQ(files_.ListFolder(listFolder_).size(), 1u) << "no temporary file is left beside the list";
}

}  // namespace
}  // namespace koru

// Emptying the temporary folder through the Win32 binding, on real file
// attributes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/delete_matching.h"
#include "platform/playback_files_win32.h"
#include "platform/wide_text_win32.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

using testing::ScratchFolder;

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(PlaybackFilesOnWindows, EmptyingTheFolderRemovesHiddenSystemAndReadOnlyEntries) {
  ScratchFolder temp;
  const std::wstring sub = temp / L"sub";
  ASSERT_TRUE(::CreateDirectoryW(sub.c_str(), nullptr));
  struct Item {
    const wchar_t* name;
    DWORD attributes;
  };
  const Item items[] = {{L"plain.mid", FILE_ATTRIBUTE_NORMAL},
                        {L"hidden.mid", FILE_ATTRIBUTE_HIDDEN},
                        {L"system.mid", FILE_ATTRIBUTE_SYSTEM},
                        {L"all.mid", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY},
                        {L"sub\\hidden.txt", FILE_ATTRIBUTE_HIDDEN}};
  for (const Item& item : items) {
    temp.WriteFile(item.name, "x");
    ASSERT_TRUE(::SetFileAttributesW((temp / item.name).c_str(), item.attributes));
    const DWORD kept = item.attributes & ~DWORD{FILE_ATTRIBUTE_NORMAL};
    ASSERT_EQ(::GetFileAttributesW((temp / item.name).c_str()) & kept, kept) << "the file system keeps no such attribute";
  }
  ASSERT_TRUE(::SetFileAttributesW(sub.c_str(), FILE_ATTRIBUTE_HIDDEN));

  Win32PlaybackFiles files;
  DeleteMatching(files, Narrow(temp.Path()).value() + "*.*", true);
  for (const Item& item : items) EXPECT_FALSE(Exists(temp / item.name)) << Narrow(item.name).value_or("?");
  EXPECT_FALSE(Exists(sub));
}

}  // namespace
}  // namespace koru

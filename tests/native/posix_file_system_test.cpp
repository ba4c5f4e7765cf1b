#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix_file_system.h"

namespace koru {
namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "koru-fs-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> NamesInFolder() const {
    std::vector<std::string> names;
    for (auto& item : fs::directory_iterator(folder_)) names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
  std::unique_ptr<FileSystem> files_ = MakePosixFileSystem();
};

TEST_F(PosixFileSystemTest, AtomicWriteCreatesThenReplacesKeepingThePermissions) {
  const std::string path = PathOf("list.mpl");
  ASSERT_TRUE(files_->WriteFileAtomically(path, std::string("first\0bytes", 11)));
  EXPECT_EQ(files_->ReadWholeFile(path), std::string("first\0bytes", 11));

  ::chmod(path.c_str(), 0600);
  ASSERT_TRUE(files_->WriteFileAtomically(path, "second"));
  EXPECT_EQ(files_->ReadWholeFile(path), "second");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(NamesInFolder(), std::vector<std::string>{"list.mpl"}) << "no temporary file may remain";
}

TEST_F(PosixFileSystemTest, FailedSavesLeaveTheOldFileAndNoTemporaryFile) {
  const std::string readOnly = PathOf("locked.mpl");
  Put(readOnly, "old bytes");
  ::chmod(readOnly.c_str(), 0444);
  EXPECT_FALSE(files_->WriteFileAtomically(readOnly, "new bytes"));
  EXPECT_EQ(files_->ReadWholeFile(readOnly), "old bytes") << "a read-only file can still be read";

  EXPECT_FALSE(files_->WriteFileAtomically(PathOf("no such folder/list.mpl"), "x"));
  fs::create_directory(PathOf("folder"));
  EXPECT_FALSE(files_->WriteFileAtomically(PathOf("folder"), "x"));
  EXPECT_EQ(NamesInFolder(), (std::vector<std::string>{"folder", "locked.mpl"}));
}

TEST_F(PosixFileSystemTest, ReadsAtOffsetsWithoutPassingTheEnd) {
  Put(PathOf("a.mid"), "0123456789");
  auto file = files_->OpenForReading(PathOf("a.mid"));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Size(), 10u);
  char buffer[8] = {};
  EXPECT_EQ(file->ReadAt(6, buffer, sizeof buffer), 4u);
  EXPECT_EQ(std::string(buffer, 4), "6789");
  EXPECT_EQ(file->ReadAt(10, buffer, sizeof buffer), 0u);
  EXPECT_EQ(file->ReadAt(~0ull, buffer, sizeof buffer), 0u);

  EXPECT_EQ(files_->OpenForReading(PathOf("missing")), nullptr);
  EXPECT_EQ(files_->ReadWholeFile(PathOf("missing")), std::nullopt);
  EXPECT_EQ(files_->ReadWholeFile(folder_.string()), std::nullopt) << "a folder is not a file";
  Put(PathOf("empty"), "");
  EXPECT_EQ(files_->ReadWholeFile(PathOf("empty")), "");
}

TEST_F(PosixFileSystemTest, CopyReplacesAndKindTellsFilesFromFolders) {
  Put(PathOf("from"), "new");
  Put(PathOf("to"), "older and longer");
  ASSERT_TRUE(files_->CopyFileReplacing(PathOf("from"), PathOf("to")));
  EXPECT_EQ(files_->ReadWholeFile(PathOf("to")), "new");
  EXPECT_FALSE(files_->CopyFileReplacing(PathOf("missing"), PathOf("to")));

  EXPECT_EQ(files_->KindOf(PathOf("to")), PathKind::File);
  EXPECT_EQ(files_->KindOf(folder_.string()), PathKind::Folder);
  EXPECT_EQ(files_->KindOf(PathOf("missing")), PathKind::Missing);
}

TEST_F(PosixFileSystemTest, ListingFlagsHiddenEntriesFoldersAndLinks) {
  Put(PathOf("song.mid"), "");
  Put(PathOf(".hidden"), "");
  fs::create_directory(PathOf("sub"));
  fs::create_directory_symlink(PathOf("sub"), PathOf("link"));

  std::map<std::string, FolderItem> byName;
  for (auto& item : files_->ListFolder(folder_.string())) byName[item.name] = item;
  ASSERT_EQ(byName.size(), 4u);
  EXPECT_FALSE(byName["song.mid"].isFolder || byName["song.mid"].isHidden || byName["song.mid"].isLink);
  EXPECT_TRUE(byName[".hidden"].isHidden);
  EXPECT_TRUE(byName["sub"].isFolder);
  EXPECT_FALSE(byName["sub"].isLink);
  EXPECT_TRUE(byName["link"].isLink);
  EXPECT_TRUE(files_->ListFolder(PathOf("missing")).empty());
}

}  // namespace
}  // namespace koru

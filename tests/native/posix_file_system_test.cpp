#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
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
    folder_ = pattern + "/";
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::size_t FilesInFolder() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {})); }

  std::string folder_;
  std::unique_ptr<FileSystem> files_ = MakePosixFileSystem();
};

TEST_F(PosixFileSystemTest, AtomicSaveReplacesKeepingPermissionsAndRefusesReadOnlyFiles) {
  const std::string path = folder_ + "list.mpl";
  ASSERT_TRUE(files_->WriteFileAtomically(path, std::string("first\0", 6)));
  ::chmod(path.c_str(), 0600);
  ASSERT_TRUE(files_->WriteFileAtomically(path, "second"));
  EXPECT_EQ(files_->ReadWholeFile(path), "second");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // Refused even where rename alone would succeed (root, a writable folder).
  ::chmod(path.c_str(), 0444);
  EXPECT_FALSE(files_->WriteFileAtomically(path, "third"));
  EXPECT_EQ(files_->ReadWholeFile(path), "second");
  EXPECT_FALSE(files_->WriteFileAtomically(folder_ + "missing/list.mpl", "x"));
  EXPECT_EQ(FilesInFolder(), 1u) << "no temporary file may remain";
}

TEST_F(PosixFileSystemTest, TheWriteProbeLeavesNothingAndFindsNoMissingFolder) {
  EXPECT_TRUE(files_->CanCreateFilesIn(folder_));
  EXPECT_EQ(FilesInFolder(), 0u);
  EXPECT_FALSE(files_->CanCreateFilesIn(folder_ + "missing"));
}

TEST_F(PosixFileSystemTest, ReadsStopAtTheEndAndListingFlagsHiddenFoldersAndLinks) {
  std::ofstream(folder_ + "a.mid") << "0123456789";
  auto file = files_->OpenForReading(folder_ + "a.mid");
  ASSERT_NE(file, nullptr);
  char buffer[8] = {};
  EXPECT_EQ(file->ReadAt(6, buffer, sizeof buffer), 4u);
  EXPECT_EQ(file->ReadAt(~0ull, buffer, sizeof buffer), 0u);
  EXPECT_EQ(files_->ReadWholeFile(folder_), std::nullopt) << "a folder is not a file";

  std::ofstream(folder_ + ".hidden") << "";
  fs::create_directory(folder_ + "sub");
  fs::create_directory_symlink(folder_ + "sub", folder_ + "link");
  std::map<std::string, FolderItem> byName;
  for (auto& item : files_->ListFolder(folder_)) byName[item.name] = item;
  ASSERT_EQ(byName.size(), 4u);
  EXPECT_TRUE(byName[".hidden"].isHidden && !byName["a.mid"].isHidden);
  EXPECT_TRUE(byName["sub"].isFolder && !byName["sub"].isLink);
  EXPECT_TRUE(byName["link"].isLink);
}

}  // namespace
}  // namespace koru

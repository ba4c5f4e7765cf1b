#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/posix_file_system.h"

namespace koru {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  ~FileDescriptor() { Close(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closing can report a failed write-back, so the writer checks it.
  bool Close() {
    if (fd_ < 0) return true;
    return ::close(std::exchange(fd_, -1)) == 0;
  }

 private:
  int fd_;
};

class DirectoryStream {
 public:
  explicit DirectoryStream(const std::string& path) : dir_(::opendir(path.c_str())) {}
  DirectoryStream(const DirectoryStream&) = delete;
  DirectoryStream& operator=(const DirectoryStream&) = delete;
  ~DirectoryStream() {
    if (dir_) ::closedir(dir_);
  }
  DIR* get() const { return dir_; }

 private:
  DIR* dir_;
};

// Removes the temporary file unless the save went through.
class TemporaryFileGuard {
 public:
  explicit TemporaryFileGuard(std::string path) : path_(std::move(path)) {}
  TemporaryFileGuard(const TemporaryFileGuard&) = delete;
  TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;
  ~TemporaryFileGuard() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

class PosixInputFile : public InputFile {
 public:
  PosixInputFile(FileDescriptor fd, std::uint64_t size) : fd_(std::move(fd)), size_(size) {}
  std::uint64_t Size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
      if (offset + done > static_cast<std::uint64_t>(LLONG_MAX)) break;
      ssize_t n = ::pread(fd_.get(), out + done, count - done, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }

 private:
  FileDescriptor fd_;
  std::uint64_t size_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The rename is only durable once the folder entry itself is on disk.
void SyncFolder(const std::string& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
}

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return nullptr;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
    return std::make_unique<PosixInputFile>(std::move(fd), static_cast<std::uint64_t>(info.st_size));
  }

  std::optional<std::string> ReadWholeFile(const std::string& path) override {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    // The size is a hint only: the file may change while it is read.
    std::string bytes;
    std::size_t filled = 0;
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    for (;;) {
      if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
      ssize_t n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return std::nullopt;
      if (n == 0) break;
      filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return bytes;
  }

  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override {
    struct stat old {};
    bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return false;
    // A read-only file is not ours to replace, even though rename would allow it.
    if (exists && (old.st_mode & S_IWUSR) == 0) return false;

    const std::string folder = FolderOf(path);
    std::string temporary = path + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (!fd.valid()) return false;
    TemporaryFileGuard guard(temporary);
    mode_t mode = exists ? (old.st_mode & 07777) : 0644;
    if (::fchmod(fd.get(), mode) != 0) return false;
    if (!WriteAll(fd.get(), bytes)) return false;
    if (::fsync(fd.get()) != 0) return false;
    if (!fd.Close()) return false;
    if (::rename(temporary.c_str(), path.c_str()) != 0) return false;
    guard.Keep();
    SyncFolder(folder);
    return true;
  }

  bool CopyFileReplacing(const std::string& from, const std::string& to) override {
    std::optional<std::string> bytes = ReadWholeFile(from);
    if (!bytes) return false;
    FileDescriptor fd(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd.valid()) return false;
    return WriteAll(fd.get(), *bytes) && fd.Close();
  }

  PathKind KindOf(const std::string& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return PathKind::Missing;
    return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
  }

  std::optional<FolderIdentity> IdentityOf(const std::string& folder) override {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
  }

  bool CanCreateFilesIn(const std::string& folder) override {
    std::string probe = (folder.empty() || folder.back() == '/' ? folder : folder + "/") + ".koru-probe-XXXXXX";
    FileDescriptor fd(::mkstemp(probe.data()));
    if (!fd.valid()) return false;
    ::unlink(probe.c_str());
    return true;
  }

  std::vector<FolderItem> ListFolder(const std::string& folder) override {
    std::vector<FolderItem> items;
    DirectoryStream dir(folder);
    if (!dir.get()) return items;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (dirent* found = ::readdir(dir.get())) {
      std::string name = found->d_name;
      if (name == "." || name == "..") continue;
      FolderItem item;
      item.name = name;
      item.isHidden = name[0] == '.';
      struct stat info {};
      if (::lstat((prefix + name).c_str(), &info) != 0) continue;
      item.isLink = S_ISLNK(info.st_mode);
      if (item.isLink) {
        struct stat target {};
        item.isFolder = ::stat((prefix + name).c_str(), &target) == 0 && S_ISDIR(target.st_mode);
      } else {
        item.isFolder = S_ISDIR(info.st_mode);
      }
      items.push_back(std::move(item));
    }
    return items;
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakePosixFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace koru

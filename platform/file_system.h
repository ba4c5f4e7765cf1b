// The file system as the portable core sees it. Paths are code page 932
// texts in Windows form ("C:\folder\file.mid"). The Win32 binding converts them
// at the call; tests use an in-memory fake.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace koru {

// An open file, read at explicit offsets. Reads never extend past the end.
class InputFile {
 public:
  virtual ~InputFile() = default;
  virtual std::uint64_t Size() const = 0;
  // Reads up to `count` bytes at `offset`; returns the number of bytes read.
  virtual std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) = 0;
};

enum class PathKind { Missing, File, Folder };

// Which folder a path leads to, whatever way it leads there: the volume and
// the folder's number on it. Two paths with one identity are one folder.
struct FolderIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  auto operator<=>(const FolderIdentity&) const = default;
};

struct FolderItem {
  std::string name;      // file name only, code page 932 (or the 8.3 name)
  bool isFolder = false;
  bool isHidden = false;  // hidden or system
  bool isLink = false;    // junction or symbolic link
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens for reading, sharing read and write, so read-only files and files
  // other programs hold open can still be read. Null when it cannot be opened.
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;

  // Reads the whole file; nothing when it cannot be read.
  virtual std::optional<std::string> ReadWholeFile(const std::string& path) = 0;

  // Writes a temporary file beside `path`, flushes it and replaces `path`
  // atomically, keeping the old file's attributes. On failure the old file is
  // untouched and no temporary file is left behind.
  virtual bool WriteFileAtomically(const std::string& path, std::string_view bytes) = 0;

  // Copies `from` to `to`, replacing `to`.
  virtual bool CopyFileReplacing(const std::string& from, const std::string& to) = 0;

  virtual PathKind KindOf(const std::string& path) = 0;

  // The entries of a folder in the order the file system returns them,
  // without "." and "..".
  virtual std::vector<FolderItem> ListFolder(const std::string& folder) = 0;

  // The identity of the folder a path leads to, links followed; nothing when
  // the file system cannot tell.
  virtual std::optional<FolderIdentity> IdentityOf(const std::string&) { return std::nullopt; }

  // Whether this user can create files in `folder`: a probe file is created
  // there and removed at once. False for a folder the user may only read (a
  // program folder under Program Files, without administrator rights).
  virtual bool CanCreateFilesIn(const std::string& folder) = 0;
};

}  // namespace koru

// The few file operations playback needs beyond FileSystem: emptying the
// temporary folder, short names for the device, the read-only mark on cached
// conversions. The Win32 layer implements them with the Find*/DeleteFile/
// attribute functions; tests use an in-memory fake.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace koru {

struct MatchedItem {
  std::string name;  // file name only
  bool isFolder = false;
  bool isLink = false;  // junction or symbolic link: never entered
};

class PlaybackFiles {
 public:
  virtual ~PlaybackFiles() = default;
  // The entries matching `mask` (a folder path plus a pattern), files and
  // folders, hidden and system ones included, without "." and "..".
  // Read-only files are listed only with includeReadOnly.
  virtual std::vector<MatchedItem> FindMatching(const std::string& mask, bool includeReadOnly) = 0;
  virtual void ClearReadOnly(const std::string& path) = 0;
  virtual void SetReadOnly(const std::string& path) = 0;
  virtual void RemoveFile(const std::string& path) = 0;
  virtual void RemoveFolder(const std::string& path) = 0;
  // The short (8.3) name of the last component of an existing path, or its
  // own name when it has no separate short name; nothing when not found.
  virtual std::optional<std::string> ShortNameOf(const std::string& path) = 0;
  // True for an existing folder that is neither a junction nor a symbolic
  // link (a trailing backslash is allowed).
  virtual bool IsPlainFolder(const std::string& path) = 0;
};

}  // namespace koru

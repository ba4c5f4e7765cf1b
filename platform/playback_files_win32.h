#pragma once

#include "platform/playback_files.h"

namespace koru {

// The temporary folder's file operations on the Windows file system.
class Win32PlaybackFiles : public PlaybackFiles {
 public:
  std::vector<MatchedItem> FindMatching(const std::string& mask, bool includeReadOnly) override;
  void ClearReadOnly(const std::string& path) override;
  void SetReadOnly(const std::string& path) override;
  void RemoveFile(const std::string& path) override;
  void RemoveFolder(const std::string& path) override;
  std::optional<std::string> ShortNameOf(const std::string& path) override;
  bool IsPlainFolder(const std::string& path) override;
};

}  // namespace koru

// The file system binding on Windows: code page 932 paths are converted to
// UTF-16 at each call and only the W functions are called.
#pragma once

#include "platform/file_system.h"

namespace koru {

class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  std::optional<std::string> ReadWholeFile(const std::string& path) override;
  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override;
  bool CopyFileReplacing(const std::string& from, const std::string& to) override;
  PathKind KindOf(const std::string& path) override;
  std::vector<FolderItem> ListFolder(const std::string& folder) override;
  std::optional<FolderIdentity> IdentityOf(const std::string& folder) override;
  bool CanCreateFilesIn(const std::string& folder) override;
};

}  // namespace koru

// The archiver libraries' system side on Windows: DLLs loaded by file name
// from the folders the system would search, never from the current folder
// (where an archive or a list was opened from, and a library may have been
// planted), and full paths.
#pragma once

#include "archive/archive_manager.h"

namespace koru {

class Win32ArchiverPlatform : public ArchiverN::ArchiverPlatform {
 public:
  std::unique_ptr<LoadedModule> LoadModule(const std::string& fileName) override;
  std::optional<std::string> FullPath(const std::string& path) override;
};

}  // namespace koru

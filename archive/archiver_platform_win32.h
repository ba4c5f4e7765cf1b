// The archiver libraries' system side on Windows: DLLs loaded by file name
// through the system's search (the current folder is out of it once the
// program has called SetDllDirectoryW(L"")), and full paths.
#pragma once

#include "archive/archive_manager.h"

namespace koru {

class Win32ArchiverPlatform : public ArchiverN::ArchiverPlatform {
 public:
  std::unique_ptr<LoadedModule> LoadModule(const std::string& fileName) override;
  std::optional<std::string> FullPath(const std::string& path) override;
};

}  // namespace koru

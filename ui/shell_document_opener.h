// The list commands' documents (the read-me file, the maker's home page, an
// entry's folder) opened by the shell.
#pragma once

#include "desktop/shell_folders_win32.h"
#include "playback/shell_opener.h"

namespace koru {

class ShellDocumentOpener : public ShellOpener {
 public:
  bool OpenDocument(const std::string& fileOrAddress) override { return koru::OpenDocument(fileOrAddress, {}); }
};

}  // namespace koru

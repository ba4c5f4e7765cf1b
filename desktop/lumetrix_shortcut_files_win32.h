// The shortcut files on Windows: LUMETRIX.DLL makes them. The library is
// loaded by its full path from KORU's own folder, never from the current
// folder or the search path, at the first shortcut and kept from then on.
#pragma once

#include <string>

#include "desktop/shortcut_toggle.h"
#include "lumetrix/lumetrix.h"
#include "platform/unique_handle_win32.h"

namespace koru {

class LumetrixShortcutFiles : public ShortcutFiles {
 public:
  // `libraryFolder` ends in a backslash (code page 932).
  explicit LumetrixShortcutFiles(std::string libraryFolder) : libraryFolder_(std::move(libraryFolder)) {}

  bool Exists(const std::string& link) override;
  void Remove(const std::string& link) override;
  // LibraryMissing when LUMETRIX.DLL cannot be loaded (absent, broken, of
  // the other bitness) or lacks CreateShortcut; a later call tries again.
  ShortcutOutcome Create(const std::string& link, const std::string& target, const std::string& arguments) override;

 private:
  bool Load();

  std::string libraryFolder_;
  UniqueModule library_;
  lumetrix::CreateShortcutFunction createShortcut_ = nullptr;
};

}  // namespace koru

// Shell links (".lnk" files) read through the shell's own link object.
#pragma once

#include <string>

#include "desktop/shortcut_resolver.h"
#include "platform/com_pointer_win32.h"

namespace koru {

// The target path stored in the shell link at `path` when the link's stored
// target data report a file size above 0; otherwise `path` unchanged. The
// link is read, not resolved: a target that has moved is not searched for.
// A target code page 932 cannot hold is given by its short name; without
// one, or when it is longer than a path may be, the link is not followed.
std::string ResolveShortcut(const std::string& path);

// Made and destroyed on the thread that resolves (the GUI thread): it keeps
// that thread in a COM apartment, so a folder walk does not set COM up and
// tear it down again for every file it passes.
class ShellLinkResolver : public ShortcutResolver {
 public:
  std::string ResolveShortcut(const std::string& path) override { return koru::ResolveShortcut(path); }

 private:
  ComApartment apartment_;
};

}  // namespace koru

// Shell links (".lnk" files) read through the shell's own link object.
#pragma once

#include <string>

#include "playback/shortcut_resolver.h"

namespace koru {

// The target path stored in the shell link at `path` when the link's stored
// target data report a file size above 0; otherwise `path` unchanged. Only
// what the link stores counts: the target is not looked at, nor searched for
// when it has moved. A target code page 932 cannot hold is given by its short
// name; without one, or when it is longer than a path may be, the link is
// not followed.
std::string ResolveShortcut(const std::string& path);

class ShellLinkResolver : public ShortcutResolver {
 public:
  std::string ResolveShortcut(const std::string& path) override { return koru::ResolveShortcut(path); }
};

}  // namespace koru

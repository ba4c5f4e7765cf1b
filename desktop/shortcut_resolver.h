// Following shell links (".lnk" files) to the file they point at.
#pragma once

#include <string>

namespace koru {

class ShortcutResolver {
 public:
  virtual ~ShortcutResolver() = default;
  // The link's target when `path` is a shell link whose stored target data
  // report a file size above 0; otherwise `path` unchanged, so links to
  // folders, to empty files and files that are no links are taken as they are.
  virtual std::string ResolveShortcut(const std::string& path) = 0;
};

}  // namespace koru

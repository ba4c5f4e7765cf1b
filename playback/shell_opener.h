// Handing a file, a folder or a web address to the shell's "open" action:
// the read-me file, the maker's home page, the folder of a list entry.
#pragma once

#include <string>

namespace koru {

class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  // True when the shell started the action. Code page 932.
  virtual bool OpenDocument(const std::string& fileOrAddress) = 0;
};

}  // namespace koru

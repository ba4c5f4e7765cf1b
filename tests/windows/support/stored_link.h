// What a shell link file holds, read back through the shell's link object.
#pragma once

#include <string>

namespace koru::testing {

struct StoredLink {
  std::wstring target;  // as stored, not resolved
  std::wstring folder;
  std::wstring arguments;
};

// Empty fields when the link cannot be read.
StoredLink ReadStoredLink(const std::wstring& path);

}  // namespace koru::testing

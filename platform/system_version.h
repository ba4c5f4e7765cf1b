// The version of the running Windows, which decides the default font and
// which built-in file types exist.
#pragma once

#include <cstdint>

namespace koru {

struct SystemVersion {
  // What an unanswered query is taken for: a Windows 95-family system.
  std::uint32_t major = 4;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform = 1;

  // Windows XP (5.1) and later: the media formats of the newer player exist.
  bool IsNewer() const { return major > 5 || (major == 5 && minor > 0); }
  // Windows 95 and NT 4.0, which have no "MS UI Gothic".
  bool IsAtMost4_0() const { return major < 4 || (major == 4 && minor == 0); }
};

// Asks the operating system; the default SystemVersion when that fails.
// Windows only (the portable core gets the version from its caller).
SystemVersion QuerySystemVersion();

}  // namespace koru

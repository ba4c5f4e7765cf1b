// Registers the player for a file type. The desktop-integration code binds it
// to the registry; tests record the calls.
#pragma once

#include <string>

namespace koru {

class FileAssociator {
 public:
  virtual ~FileAssociator() = default;
  // dotExtension ".WAV", className "WAVfile", verb "Play"; all code page 932.
  virtual void Associate(const std::string& programPath, const std::string& dotExtension,
                         const std::string& className, const std::string& verb,
                         const std::string& description) = 0;
  // Once at the end of each association command, however many types it
  // registered: the shell learns that the associations changed.
  virtual void AssociationsChanged() = 0;
};

}  // namespace koru

// File associations, written per user under HKCU\Software\Classes so that
// KORU never needs administrator rights.
#pragma once

#include <string>

#include "desktop/file_associator.h"

namespace koru {

// Makes `programPath` the "Play" action (`verb`) of the file type of
// `dotExtension` (".WAV"). An extension that already names a file type keeps
// it, and that type gets the verb; otherwise the type is `typeName`
// ("WAVfile") with the `description`. Existing descriptions and "EditFlags"
// stay; the command and the default verb are always written. The current
// state is read per user first, then system-wide (HKLM\Software\Classes).
// All texts code page 932. Nothing is written for an extension or type name
// that could not be a single key name.
void RegisterFileType(const std::string& programPath, const std::string& dotExtension, const std::string& typeName,
                      const std::string& verb, const std::string& description);

class RegistryFileAssociator : public FileAssociator {
 public:
  void Associate(const std::string& programPath, const std::string& dotExtension, const std::string& className,
                 const std::string& verb, const std::string& description) override {
    RegisterFileType(programPath, dotExtension, className, verb, description);
  }
  // Tells the shell, so that Explorer shows the new associations at once.
  void AssociationsChanged() override;
};

}  // namespace koru

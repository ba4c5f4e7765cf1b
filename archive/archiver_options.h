// The generic option record every archive adapter turns into its own
// switches. The manager creates it with these defaults and never changes it.
#pragma once

#include <string>
#include <vector>

namespace koru::ArchiverN {

struct ArchiverOptions {
  bool AllAttributes = true;
  bool ShowDialog = false;
  bool NoPaths = false;
  bool UpdateOnly = true;
  bool Overwrite = true;
  bool Recurse = true;
  std::string WorkFolder;
  std::string Method;
  std::string Password;
  std::string NewerThan;
  std::string OlderThan;
  std::vector<std::string> Excludes;
  std::string ExtraSwitches;
};

}  // namespace koru::ArchiverN

// A FileAssociator that keeps each call as one line:
// "program|.EXT|class|verb|description" for an association, "changed" for the
// shell's notice.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "desktop/file_associator.h"

namespace koru::testing {

class RecordingAssociator : public FileAssociator {
 public:
  std::vector<std::string> calls;

  void Associate(const std::string& programPath, const std::string& dotExtension, const std::string& className,
                 const std::string& verb, const std::string& description) override {
    calls.push_back(programPath + "|" + dotExtension + "|" + className + "|" + verb + "|" + description);
  }
  void AssociationsChanged() override { calls.push_back("changed"); }

  int Changes() const { return static_cast<int>(std::count(calls.begin(), calls.end(), "changed")); }
  bool AssociatedAny() const { return calls.size() > static_cast<std::size_t>(Changes()); }
};

}  // namespace koru::testing

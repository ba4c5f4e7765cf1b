// The routine every path the user hands over goes through: a file becomes a
// list entry, a folder is walked, an archive listed, a list file loaded.
#pragma once

#include <string>

namespace koru {

struct AddResult {
  bool added = false;
  int index = -1;  // list index of the first added entry
};

class PathAdder {
 public:
  virtual ~PathAdder() = default;
  // Adds under the hourglass cursor, questions allowed.
  virtual AddResult AddPathWithHourglass(const std::string& path) = 0;
};

}  // namespace koru

// Builds an adapter's option string: switches appended in order, each under
// its condition, the whole trimmed at the end.
#pragma once

#include <string>
#include <vector>

#include "archive/custom_archiver.h"

namespace koru::ArchiverN {

class SwitchList {
 public:
  // `text` when `condition` holds.
  SwitchList& Flag(bool condition, const char* text) {
    if (condition) line_ += text;
    return *this;
  }
  // `text` directly followed by the value, when there is one.
  SwitchList& Value(const char* text, const std::string& value) {
    if (!value.empty()) line_ += text + value;
    return *this;
  }
  // ` "` + text + value + `"`, when there is a value.
  SwitchList& Quoted(const char* text, const std::string& value) {
    if (!value.empty()) line_ += std::string(" \"") + text + value + "\"";
    return *this;
  }
  SwitchList& Each(const char* text, const std::vector<std::string>& values) {
    for (const std::string& value : values) line_ += text + value;
    return *this;
  }
  SwitchList& Extra(const std::string& value) {
    if (!value.empty()) line_ += " " + value;
    return *this;
  }
  std::string Trimmed() const { return TrimLine(line_); }

 private:
  std::string line_;
};

}  // namespace koru::ArchiverN

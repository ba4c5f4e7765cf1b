// Lines of a list file as the list readers see them. A line ends at LF; its
// text ends at the first control byte (0 to 31), so CR LF and bare LF both
// work and a TAB cuts a value. A last line without LF is still a line.
#pragma once

#include <cstddef>
#include <string_view>

namespace koru {

// Position of the first byte below 32 at or after `from`; `text.size()` when
// there is none.
std::size_t FindControlByte(std::string_view text, std::size_t from);

class ListLineReader {
 public:
  explicit ListLineReader(std::string_view bytes) : bytes_(bytes) {}

  // The text of the next line; false at the end of the data.
  bool Next(std::string_view& text);

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// The value of a "x:value" line: from its third byte on; empty when the line
// is shorter than two bytes.
inline std::string_view ValueAfterTag(std::string_view line) {
  return line.size() > 2 ? line.substr(2) : std::string_view();
}

}  // namespace koru

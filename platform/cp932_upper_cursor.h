// Reads a code page 932 text as the bytes of its upper-cased form, one byte
// at a time, so comparisons need no upper-cased copy of either side.
#pragma once

#include <cstddef>
#include <string_view>

namespace koru::cp932 {

// The upper-case form of one double-byte character (lead << 8 | trail), or the
// character itself when it has no upper-case form.
unsigned UpperDoubleByte(unsigned code);

// The upper-case form of one single-byte character.
constexpr unsigned char UpperSingleByte(unsigned char byte) {
  return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

class UpperCursor {
 public:
  static constexpr int kEnd = -1;

  explicit UpperCursor(std::string_view text) : text_(text) {}

  // The next byte (0-255) of the upper-cased text, kEnd after the last.
  int Next();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int pendingTrail_ = kEnd;
};

}  // namespace koru::cp932

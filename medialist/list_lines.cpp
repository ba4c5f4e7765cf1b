#include "medialist/list_lines.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace koru {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// A list file is mostly long printable runs; testing eight bytes at a time
// keeps the reader close to the speed of merely finding the line ends.
// The mask marks every byte below 32 (no false marks before the first).
std::uint64_t ControlBytesIn(std::uint64_t word) { return (word - kOnes * 32) & ~word & kHighBits; }

}  // namespace

std::size_t FindControlByte(std::string_view text, std::size_t from) {
  const char* data = text.data();
  std::size_t pos = from;
  if constexpr (std::endian::native == std::endian::little) {
    while (pos + 8 <= text.size()) {
      std::uint64_t word;
      std::memcpy(&word, data + pos, sizeof word);
      if (std::uint64_t mask = ControlBytesIn(word)) return pos + static_cast<std::size_t>(std::countr_zero(mask) / 8);
      pos += 8;
    }
  }
  while (pos < text.size() && static_cast<unsigned char>(data[pos]) >= 32) ++pos;
  return pos;
}

bool ListLineReader::Next(std::string_view& text) {
  if (pos_ >= bytes_.size()) return false;
  const std::size_t begin = pos_;
  const std::size_t textEnd = FindControlByte(bytes_, begin);
  text = bytes_.substr(begin, textEnd - begin);
  if (textEnd < bytes_.size() && bytes_[textEnd] == '\n') {
    pos_ = textEnd + 1;
  } else {
    const void* lf = textEnd < bytes_.size() ? std::memchr(bytes_.data() + textEnd, '\n', bytes_.size() - textEnd)
                                             : nullptr;
    pos_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes_.data()) + 1 : bytes_.size();
  }
  return true;
}

}  // namespace koru

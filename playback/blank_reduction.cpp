#include "playback/blank_reduction.h"

#include "platform/cp932.h"

namespace koru {
namespace {

enum class Blank { None, Half, Full };

// `pos` is the start of a character: the trail byte 0x81 of "メ" (0x83 0x81)
// before an "@" is no full-width space.
Blank BlankAt(std::string_view text, std::size_t pos) {
  if (text[pos] == ' ') return Blank::Half;
  if (static_cast<unsigned char>(text[pos]) == 0x81 && pos + 1 < text.size() && text[pos + 1] == 0x40) return Blank::Full;
  return Blank::None;
}

}  // namespace

std::string ReduceBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const Blank kind = BlankAt(text, pos);
    if (kind == Blank::None) {
      const std::size_t length = cp932::CharLength(text, pos);
      out.append(text.substr(pos, length));
      pos += length;
      continue;
    }
    const std::size_t width = (kind == Blank::Full) ? 2 : 1;
    const std::size_t runStart = pos;
    std::size_t runLength = 0;
    while (pos < text.size() && BlankAt(text, pos) == kind) {
      pos += width;
      ++runLength;
    }
    const bool endedByCharacter = pos < text.size() && BlankAt(text, pos) == Blank::None;
    if (runLength >= 2 && endedByCharacter) {
      out.append(text.substr(runStart, width));
    } else {
      out.append(text.substr(runStart, pos - runStart));
    }
  }
  return out;
}

}  // namespace koru

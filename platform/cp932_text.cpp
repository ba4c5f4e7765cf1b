// Character boundaries and case-insensitive comparison of code page 932 text.
#include "platform/cp932.h"

#include "platform/cp932_upper_cursor.h"

namespace koru::cp932 {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  // Like CharNextA, a lead byte takes whatever byte follows it as its trail,
  // so a broken pair can never expose a "\" or a letter of its own.
  if (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) return 2;
  return 1;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  UpperCursor left(a);
  UpperCursor right(b);
  for (;;) {
    const int x = left.Next();
    const int y = right.Next();
    if (x != y) return x < y ? -1 : 1;
    if (x == UpperCursor::kEnd) return 0;
  }
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  // Upper-casing keeps every character's byte length, so texts of different
  // lengths can never match.
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

std::uint64_t HashNoCase(std::string_view text) {
  // FNV-1a over the bytes of the upper-cased text.
  std::uint64_t hash = 14695981039346656037ull;
  UpperCursor cursor(text);
  for (int byte = cursor.Next(); byte != UpperCursor::kEnd; byte = cursor.Next()) {
    hash = (hash ^ static_cast<std::uint64_t>(byte)) * 1099511628211ull;
  }
  return hash;
}

}  // namespace koru::cp932

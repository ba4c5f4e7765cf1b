// The conversions built on the strict ToUtf16 and FromUtf16 of each platform:
// the lossy forms and the program's own UTF-8 texts.
#include <cstdint>

#include "platform/cp932.h"

namespace koru::cp932 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf16(std::u16string& out, char32_t codePoint) {
  if (codePoint >= 0x10000) {
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(codePoint));
  }
}

// Decodes one UTF-8 sequence at `pos` and advances past it. A malformed,
// overlong or surrogate sequence yields U+FFFD and consumes one byte.
char32_t DecodeUtf8(std::u8string_view text, std::size_t& pos) {
  const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t first = byteAt(pos);
  if (first < 0x80) {
    ++pos;
    return first;
  }
  std::size_t extra = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;
  if ((first & 0xE0) == 0xC0) {
    extra = 1;
    codePoint = first & 0x1F;
    smallest = 0x80;
  } else if ((first & 0xF0) == 0xE0) {
    extra = 2;
    codePoint = first & 0x0F;
    smallest = 0x800;
  } else if ((first & 0xF8) == 0xF0) {
    extra = 3;
    codePoint = first & 0x07;
    smallest = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (text.size() - pos <= extra) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i <= extra; ++i) {
    const std::uint8_t next = byteAt(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    codePoint = codePoint << 6 | (next & 0x3F);
  }
  if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += extra + 1;
  return codePoint;
}

}  // namespace

std::u16string ToUtf16Lossy(std::string_view text) {
  if (auto whole = ToUtf16(text)) return *std::move(whole);
  // Only a text with a bad character pays for converting one character at a
  // time.
  std::u16string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLength(text, pos);
    if (auto one = ToUtf16(text.substr(pos, length))) {
      out += *one;
    } else {
      out.push_back(u'?');
    }
    pos += length;
  }
  return out;
}

std::string FromUtf16Lossy(std::u16string_view text) {
  if (auto whole = FromUtf16(text)) return *std::move(whole);
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length =
        (IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1])) ? 2 : 1;
    if (auto one = FromUtf16(text.substr(pos, length))) {
      out += *one;
    } else {
      out.push_back('?');
    }
    pos += length;
  }
  return out;
}

std::string FromUtf8(std::u8string_view utf8) {
  std::u16string utf16;
  utf16.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) AppendUtf16(utf16, DecodeUtf8(utf8, pos));
  return FromUtf16Lossy(utf16);
}

}  // namespace koru::cp932

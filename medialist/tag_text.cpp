#include "medialist/tag_text.h"

#include <algorithm>

#include "platform/cp932.h"

namespace koru {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsUtf16(std::uint8_t encoding) {
  return encoding == static_cast<std::uint8_t>(Id3Encoding::Utf16WithBom) ||
         encoding == static_cast<std::uint8_t>(Id3Encoding::Utf16BigEndian);
}

// Length of the text before its terminator, counted in bytes; in UTF-16 the
// terminator is a whole zero code unit, so a zero byte inside a character
// does not end the text. A missing terminator means the text runs to the end
// (an odd last byte of UTF-16 text is dropped).
std::size_t TerminatedLength(std::uint8_t encoding, ByteSpan bytes) {
  if (!IsUtf16(encoding)) {
    return static_cast<std::size_t>(std::find(bytes.begin(), bytes.end(), 0) - bytes.begin());
  }
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    if (bytes[i] == 0 && bytes[i + 1] == 0) return i;
  }
  return i;
}

std::u16string Utf16ToString(ByteSpan bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned first = bytes[i], second = bytes[i + 1];
    units.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  return units;
}

// Lossy UTF-8 decoding: each malformed sequence (a stray byte, a sequence cut
// short, an overlong form, a surrogate or a code beyond U+10FFFF) gives one
// replacement character.
std::u16string Utf8ToUtf16(ByteSpan bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::uint8_t lead = bytes[i];
    if (lead < 0x80) {
      units.push_back(lead);
      ++i;
      continue;
    }
    std::size_t trailCount = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 0;
    if (trailCount == 0) {
      units.push_back(kReplacement);
      ++i;
      continue;
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    char32_t code = lead & (0x3F >> trailCount);
    std::size_t length = 1;
    while (length <= trailCount && i + length < bytes.size() && (bytes[i + length] & 0xC0) == 0x80) {
      code = (code << 6) | (bytes[i + length] & 0x3F);
      ++length;
    }
    i += length;
    if (length <= trailCount || code < kSmallest[trailCount] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      units.push_back(kReplacement);
    } else if (code >= 0x10000) {
      code -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(code));
    }
  }
  return units;
}

}  // namespace

std::string TextUpToZero(ByteSpan bytes) {
  auto end = std::find(bytes.begin(), bytes.end(), 0);
  return std::string(bytes.begin(), end);
}

std::string UsableTagText(std::string_view text) {
  if (text.empty() || static_cast<unsigned char>(text.front()) < 32) return {};
  std::size_t length = text.size();
  while (length > 0 && static_cast<unsigned char>(text[length - 1]) <= 32) --length;
  return std::string(text.substr(0, length));
}

std::string DecodeId3Text(std::uint8_t encoding, ByteSpan bytes) {
  ByteSpan text = bytes.first(TerminatedLength(encoding, bytes));
  switch (static_cast<Id3Encoding>(encoding)) {
    case Id3Encoding::Utf16WithBom: {
      // Without a byte-order mark the text is taken as little-endian, the
      // order of the Windows taggers that leave the mark out.
      bool bigEndian = text.size() >= 2 && text[0] == 0xFE && text[1] == 0xFF;
      bool hasBom = bigEndian || (text.size() >= 2 && text[0] == 0xFF && text[1] == 0xFE);
      return cp932::FromUtf16Lossy(Utf16ToString(hasBom ? text.subspan(2) : text, bigEndian));
    }
    case Id3Encoding::Utf16BigEndian:
      return cp932::FromUtf16Lossy(Utf16ToString(text, true));
    case Id3Encoding::Utf8: {
      // Some taggers put a byte-order mark before UTF-8 text too.
      bool hasBom = text.size() >= 3 && text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF;
      return cp932::FromUtf16Lossy(Utf8ToUtf16(hasBom ? text.subspan(3) : text));
    }
    case Id3Encoding::Latin1:
    default:
      return std::string(text.begin(), text.end());
  }
}

ByteSpan SkipId3Text(std::uint8_t encoding, ByteSpan bytes) {
  std::size_t length = TerminatedLength(encoding, bytes);
  std::size_t terminatorSize = IsUtf16(encoding) ? 2 : 1;
  if (length + terminatorSize > bytes.size()) return {};
  return bytes.subspan(length + terminatorSize);
}

}  // namespace koru

// Texts taken from tags: the checks every tag field passes before it reaches a
// media entry, and the decoding of ID3v2 texts by their encoding byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace koru {

using ByteSpan = std::span<const std::uint8_t>;

// The bytes up to the first zero byte (or all of them), as a text.
std::string TextUpToZero(ByteSpan bytes);

// A tag field is used only when its first byte is a printable character
// (32 or more) and something is left after removing trailing bytes of value
// 32 and below. Returns the trimmed text, or an empty text for an unusable one.
std::string UsableTagText(std::string_view text);

// ID3v2 text encodings, as the frame's first byte gives them.
enum class Id3Encoding : std::uint8_t { Latin1 = 0, Utf16WithBom = 1, Utf16BigEndian = 2, Utf8 = 3 };

// Decodes the text at the start of `bytes` (up to its terminator, which is
// two zero bytes in the UTF-16 encodings) into code page 932. Latin-1 text
// and unknown encodings are taken as bytes: Japanese taggers store code page
// 932 there. Characters code page 932 cannot hold become "?".
std::string DecodeId3Text(std::uint8_t encoding, ByteSpan bytes);

// What follows the first terminated text in `bytes` (a COMM frame's content
// description); empty when the text has no terminator.
ByteSpan SkipId3Text(std::uint8_t encoding, ByteSpan bytes);

// The fields an ID3 tag gives a media entry. A text is empty when the tag has
// no usable one.
struct TagTexts {
  bool titleFrameSeen = false;  // a version-2 title frame was looked at
  std::string title;
  std::string artist;
  std::string album;
  std::string comment;
};

}  // namespace koru

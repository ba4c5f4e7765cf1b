// Texts of an ID3 version 2 tag (versions 2.2, 2.3 and 2.4) at the front of a
// file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "medialist/tag_text.h"

namespace koru {

constexpr std::size_t kId3v2HeaderSize = 10;

struct Id3v2Header {
  std::uint8_t majorVersion = 0;  // 2, 3 or 4
  std::uint8_t flags = 0;
  std::uint32_t bodySize = 0;     // as declared; the file may hold less
};

// The header of a tag the reader understands (version 2.2.x to 2.4.0), from
// the first kId3v2HeaderSize bytes of a file.
std::optional<Id3v2Header> ParseId3v2Header(std::span<const std::uint8_t> head);

// Reads the title (only when `takeTitle`), artist, album and comment frames
// from a tag body, the bytes after the header as far as the file holds them.
// The body is changed in place where it was unsynchronised; `frameScratch` is
// a work buffer for frames that must be restored one at a time.
TagTexts ReadId3v2Frames(const Id3v2Header& header, std::span<std::uint8_t> body,
                         std::vector<std::uint8_t>& frameScratch, bool takeTitle);

// Removes every zero byte that directly follows a byte 255, moving the rest
// to the front; returns the number of bytes kept.
std::size_t RemoveUnsynchronisation(std::span<std::uint8_t> bytes);

}  // namespace koru

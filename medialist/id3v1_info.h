// Texts of an ID3 version 1 tag, the last 128 bytes of a file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "medialist/tag_text.h"

namespace koru {

constexpr std::size_t kId3v1Size = 128;

// The usable title, artist, album and comment of the tag, or nothing when
// `tail` (the last kId3v1Size bytes) is not a tag.
std::optional<TagTexts> ParseId3v1(std::span<const std::uint8_t> tail);

}  // namespace koru

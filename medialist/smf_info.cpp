#include "medialist/smf_info.h"

#include <algorithm>
#include <string_view>

#include "medialist/tag_text.h"

namespace koru {
namespace {

constexpr std::uint8_t kMetaMarker = 0xFF;
enum MetaType : std::uint8_t { kText = 1, kCopyright = 2, kTrackName = 3, kInstrument = 4 };
constexpr std::string_view kProgrammerPrefix = "PROGRAMMER:";

bool HasChunkId(std::span<const std::uint8_t> bytes, std::size_t offset, std::string_view id) {
  return std::equal(id.begin(), id.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

}  // namespace

std::optional<std::uint32_t> SmfFirstTrackLength(std::span<const std::uint8_t> head) {
  if (head.size() < kSmfHeadSize || !HasChunkId(head, 0, "MThd") || !HasChunkId(head, 14, "MTrk")) {
    return std::nullopt;
  }
  return (std::uint32_t{head[18]} << 24) | (std::uint32_t{head[19]} << 16) | (std::uint32_t{head[20]} << 8) |
         std::uint32_t{head[21]};
}

SmfTexts ScanSmfTrack(std::span<const std::uint8_t> track) {
  SmfTexts texts;
  bool copyrightSeen = false, instrumentSeen = false;
  for (std::size_t i = 0; i + 2 < track.size(); ++i) {
    if (track[i] != kMetaMarker) continue;
    std::uint8_t type = track[i + 1];
    std::size_t length = track[i + 2];
    if (type < kText || type > kInstrument || i + 3 + length > track.size()) continue;
    std::string text = TextUpToZero(track.subspan(i + 3, length));
    switch (type) {
      case kText:
        if (text.starts_with(kProgrammerPrefix)) texts.producer = text.substr(kProgrammerPrefix.size());
        break;
      case kCopyright:
        if (!copyrightSeen) texts.copyright = std::move(text), copyrightSeen = true;
        break;
      case kTrackName:
        if (!texts.title) texts.title = std::move(text);
        break;
      case kInstrument:
        if (!instrumentSeen) texts.instrument = std::move(text), instrumentSeen = true;
        break;
    }
  }
  return texts;
}

}  // namespace koru

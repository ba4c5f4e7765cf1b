// Texts of a Standard MIDI File, found in the meta events of its first track.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace koru {

// The header chunk (14 bytes) and the first track's chunk header (8 bytes).
constexpr std::size_t kSmfHeadSize = 22;
// At most this much of the first track is read for its texts, whatever length
// the file declares: the credits stand near its start, and a forged length of
// 4 GB must not pull the whole file into memory.
constexpr std::size_t kSmfTrackReadLimit = std::size_t{4} << 20;

// The declared length of the first track when `head` (kSmfHeadSize bytes)
// starts a Standard MIDI File whose header chunk has the usual length 6.
std::optional<std::uint32_t> SmfFirstTrackLength(std::span<const std::uint8_t> head);

struct SmfTexts {
  std::optional<std::string> title;  // the first sequence or track name
  std::string producer;              // the last "PROGRAMMER:" text, without it
  std::string copyright;             // the first copyright notice
  std::string instrument;            // the first instrument name
};

// Looks at every byte 255 of the track as a meta-event marker, without
// parsing the events: old sequencers hid their credits anywhere in the track,
// and the player has always found them this way.
SmfTexts ScanSmfTrack(std::span<const std::uint8_t> track);

}  // namespace koru

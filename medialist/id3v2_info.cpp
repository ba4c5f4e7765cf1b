#include "medialist/id3v2_info.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace koru {
namespace {

constexpr std::uint8_t kUnsynchronisedTag = 0x80;
constexpr std::uint8_t kExtendedHeader = 0x40;

// Frame format flags (the second flag byte).
constexpr std::uint8_t kV23Compressed = 0x80, kV23Encrypted = 0x40, kV23Grouped = 0x20;
constexpr std::uint8_t kV24Grouped = 0x40, kV24Compressed = 0x08, kV24Encrypted = 0x04,
                       kV24Unsynchronised = 0x02, kV24DataLength = 0x01;

using FrameId = std::array<char, 4>;

std::uint32_t BigEndian(ByteSpan bytes) {
  std::uint32_t value = 0;
  for (std::uint8_t b : bytes) value = (value << 8) | b;
  return value;
}

std::uint32_t SyncSafe(ByteSpan bytes) {
  std::uint32_t value = 0;
  for (std::uint8_t b : bytes) value = (value << 7) | (b & 0x7F);
  return value;
}

bool IsFrameIdChar(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Version 2.2 frames carry three-letter identifiers; those the player knows
// are read as their later names. Any other one ends the walk.
std::optional<FrameId> V22FrameId(ByteSpan id) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kNames{{
      {"TT2", "TIT2"}, {"TRK", "TRCK"}, {"TP1", "TPE1"}, {"TAL", "TALB"}, {"TYE", "TYER"},
      {"TCO", "TCON"}, {"COM", "COMM"}, {"TCM", "TCOM"}, {"TOA", "TOPE"}, {"TCR", "TCOP"},
      {"WXX", "WXXX"}, {"TSS", "TSSE"}, {"TEN", "TENC"},
  }};
  std::string_view given(reinterpret_cast<const char*>(id.data()), 3);
  for (auto& [old, current] : kNames) {
    if (old == given) return FrameId{current[0], current[1], current[2], current[3]};
  }
  return std::nullopt;
}

// Where a frame that ends at `end` leaves the walk: at the body's end, at
// padding, or at something that looks like the next frame's identifier.
bool EndsPlausibly(ByteSpan body, std::uint64_t end) {
  if (end == body.size()) return true;
  if (end > body.size()) return false;
  if (body[static_cast<std::size_t>(end)] == 0) return true;
  if (end + 4 > body.size()) return false;
  return std::all_of(body.begin() + static_cast<std::ptrdiff_t>(end),
                     body.begin() + static_cast<std::ptrdiff_t>(end + 4), IsFrameIdChar);
}

// Version 2.4 sizes are sync-safe, but many writers stored plain integers
// there. The plain reading is taken only when it, and not the sync-safe one,
// lands on a frame boundary.
std::uint32_t V24FrameSize(ByteSpan body, std::size_t headerPos) {
  ByteSpan sizeBytes = body.subspan(headerPos + 4, 4);
  std::uint32_t syncSafe = SyncSafe(sizeBytes), plain = BigEndian(sizeBytes);
  if (syncSafe == plain) return syncSafe;
  std::uint64_t contentPos = headerPos + 10;
  if (!EndsPlausibly(body, contentPos + syncSafe) && EndsPlausibly(body, contentPos + plain)) return plain;
  return syncSafe;
}

class FrameWalker {
 public:
  FrameWalker(const Id3v2Header& header, ByteSpan body, std::vector<std::uint8_t>& scratch, bool takeTitle)
      : header_(header), body_(body), scratch_(scratch), takeTitle_(takeTitle) {}

  TagTexts Walk() {
    std::size_t pos = FirstFramePos();
    while (pos < body_.size()) {
      std::optional<std::size_t> next = header_.majorVersion == 2 ? V22Frame(pos) : V23Or24Frame(pos);
      if (!next) break;
      pos = *next;
    }
    return std::move(texts_);
  }

 private:
  std::size_t FirstFramePos() const {
    if (header_.majorVersion == 2 || !(header_.flags & kExtendedHeader)) return 0;
    if (body_.size() < 4) return body_.size();
    ByteSpan sizeBytes = body_.first(4);
    // Version 2.3 gives the size without its own four bytes, 2.4 with them.
    std::uint64_t skip = header_.majorVersion == 3 ? std::uint64_t{4} + BigEndian(sizeBytes) : SyncSafe(sizeBytes);
    return static_cast<std::size_t>(std::min<std::uint64_t>(skip, body_.size()));
  }

  std::optional<std::size_t> V22Frame(std::size_t pos) {
    constexpr std::size_t kHeader = 6;
    if (body_.size() - pos < kHeader) return std::nullopt;
    std::uint32_t size = BigEndian(body_.subspan(pos + 3, 3));
    if (size > body_.size() - pos - kHeader) return std::nullopt;
    std::optional<FrameId> id = V22FrameId(body_.subspan(pos, 3));
    if (!id) return std::nullopt;
    Take(*id, body_.subspan(pos + kHeader, size));
    return pos + kHeader + size;
  }

  std::optional<std::size_t> V23Or24Frame(std::size_t pos) {
    constexpr std::size_t kHeader = 10;
    if (body_.size() - pos < kHeader) return std::nullopt;
    ByteSpan idBytes = body_.subspan(pos, 4);
    if (std::all_of(idBytes.begin(), idBytes.end(), [](std::uint8_t b) { return b == 0; })) return std::nullopt;
    std::uint32_t size =
        header_.majorVersion == 4 ? V24FrameSize(body_, pos) : BigEndian(body_.subspan(pos + 4, 4));
    if (size > body_.size() - pos - kHeader) return std::nullopt;
    FrameId id{static_cast<char>(idBytes[0]), static_cast<char>(idBytes[1]), static_cast<char>(idBytes[2]),
               static_cast<char>(idBytes[3])};
    std::optional<ByteSpan> content = FrameContent(body_[pos + 9], body_.subspan(pos + kHeader, size));
    if (content) Take(id, *content);
    return pos + kHeader + size;
  }

  // The frame's data without what its flags put in front of it, restored
  // from per-frame unsynchronisation. Nothing for a compressed or encrypted
  // frame, whose text cannot be read as it stands.
  std::optional<ByteSpan> FrameContent(std::uint8_t format, ByteSpan data) {
    std::size_t prefix = 0;
    bool unsynchronised = false;
    if (header_.majorVersion == 3) {
      if (format & (kV23Compressed | kV23Encrypted)) return std::nullopt;
      if (format & kV23Grouped) prefix += 1;
    } else {
      if (format & (kV24Compressed | kV24Encrypted)) return std::nullopt;
      if (format & kV24Grouped) prefix += 1;
      if (format & kV24DataLength) prefix += 4;
      unsynchronised = (format & kV24Unsynchronised) || (header_.flags & kUnsynchronisedTag);
    }
    if (prefix > data.size()) return std::nullopt;
    data = data.subspan(prefix);
    if (!unsynchronised) return data;
    scratch_.assign(data.begin(), data.end());
    scratch_.resize(RemoveUnsynchronisation(scratch_));
    return ByteSpan(scratch_);
  }

  void Take(const FrameId& id, ByteSpan content) {
    std::string_view name(id.data(), id.size());
    if (name == "TIT2") {
      if (!takeTitle_) return;
      texts_.titleFrameSeen = true;
      Keep(texts_.title, Text(content));
    } else if (name == "TPE1") {
      Keep(texts_.artist, Text(content));
    } else if (name == "TALB") {
      Keep(texts_.album, Text(content));
    } else if (name == "COMM") {
      Keep(texts_.comment, CommentText(content));
    }
  }

  // A later frame replaces an earlier one, but only with a usable text.
  static void Keep(std::string& field, std::string_view text) {
    std::string usable = UsableTagText(text);
    if (!usable.empty()) field = std::move(usable);
  }

  static std::string Text(ByteSpan content) {
    if (content.empty()) return {};
    return DecodeId3Text(content[0], content.subspan(1));
  }

  // Encoding byte, three-letter language, terminated description, text.
  static std::string CommentText(ByteSpan content) {
    if (content.size() < 4) return {};
    std::uint8_t encoding = content[0];
    return DecodeId3Text(encoding, SkipId3Text(encoding, content.subspan(4)));
  }

  const Id3v2Header& header_;
  ByteSpan body_;
  std::vector<std::uint8_t>& scratch_;
  bool takeTitle_;
  TagTexts texts_;
};

}  // namespace

std::optional<Id3v2Header> ParseId3v2Header(std::span<const std::uint8_t> head) {
  if (head.size() < kId3v2HeaderSize || head[0] != 'I' || head[1] != 'D' || head[2] != '3') return std::nullopt;
  std::uint8_t major = head[3], revision = head[4];
  // 2.2.x to 2.4.0; a later version may be laid out differently.
  if (major < 2 || major > 4 || (major == 4 && revision > 0)) return std::nullopt;
  return Id3v2Header{major, head[5], SyncSafe(head.subspan(6, 4))};
}

std::size_t RemoveUnsynchronisation(std::span<std::uint8_t> bytes) {
  std::size_t kept = 0;
  std::uint8_t previous = 0;
  for (std::uint8_t b : bytes) {
    bool stuffed = b == 0 && previous == 0xFF;
    previous = b;
    if (!stuffed) bytes[kept++] = b;
  }
  return kept;
}

TagTexts ReadId3v2Frames(const Id3v2Header& header, std::span<std::uint8_t> body,
                         std::vector<std::uint8_t>& frameScratch, bool takeTitle) {
  // Before version 2.4 unsynchronisation covers the whole tag and the frame
  // sizes count the restored bytes; in 2.4 it is undone frame by frame.
  if ((header.flags & kUnsynchronisedTag) && header.majorVersion != 4) {
    body = body.first(RemoveUnsynchronisation(body));
  }
  return FrameWalker(header, body, frameScratch, takeTitle).Walk();
}

}  // namespace koru

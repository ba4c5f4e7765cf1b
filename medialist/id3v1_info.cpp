#include "medialist/id3v1_info.h"

namespace koru {
namespace {

constexpr std::size_t kFieldSize = 30;
constexpr std::size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kCommentAt = 97;

std::string Field(std::span<const std::uint8_t> tail, std::size_t offset) {
  return UsableTagText(TextUpToZero(tail.subspan(offset, kFieldSize)));
}

}  // namespace

std::optional<TagTexts> ParseId3v1(std::span<const std::uint8_t> tail) {
  if (tail.size() < kId3v1Size || tail[0] != 'T' || tail[1] != 'A' || tail[2] != 'G') return std::nullopt;
  TagTexts texts;
  texts.title = Field(tail, kTitleAt);
  texts.artist = Field(tail, kArtistAt);
  texts.album = Field(tail, kAlbumAt);
  texts.comment = Field(tail, kCommentAt);
  return texts;
}

}  // namespace koru

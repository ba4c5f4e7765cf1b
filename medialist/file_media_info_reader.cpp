#include "medialist/file_media_info_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "medialist/id3v1_info.h"
#include "medialist/id3v2_info.h"
#include "medialist/smf_info.h"
#include "platform/cp932.h"

namespace koru {
namespace {

// Enough for a MIDI file's header and the tags of most MP3 files.
constexpr std::uint64_t kFirstRead = 4096;

bool TitleIsUsers(const MediaEntry& entry) { return !entry.savedTitle.empty(); }

void SetIfPresent(std::string& field, std::string& text) {
  if (!text.empty()) field = std::move(text);
}

}  // namespace

bool FileMediaInfoReader::ReadMediaInfo(const MediaList& list, const std::string& path, MediaEntry& entry) {
  if (!TitleIsUsers(entry)) entry.title = list.TitleFromFileName(std::string(cp932::FileNameOf(path)));
  entry.kind.clear();
  entry.producer.clear();
  entry.copyright.clear();
  entry.source.clear();

  std::unique_ptr<InputFile> file = fileSystem_.OpenForReading(path);
  if (!file) return false;
  loaded_ = 0;
  LoadPrefix(*file, kFirstRead);
  if (ReadSmf(*file, entry)) return true;
  bool titleFrameSeen = false;
  if (ReadId3v2(*file, entry, titleFrameSeen)) return true;
  return ReadId3v1(*file, entry, titleFrameSeen);
}

bool FileMediaInfoReader::ReadSmf(InputFile& file, MediaEntry& entry) {
  if (LoadPrefix(file, kSmfHeadSize) < kSmfHeadSize) return false;
  std::optional<std::uint32_t> trackLength = SmfFirstTrackLength(std::span(buffer_.data(), kSmfHeadSize));
  if (!trackLength) return false;

  const std::uint64_t trackBytes = std::min<std::uint64_t>(*trackLength, kSmfTrackReadLimit);
  std::size_t end = LoadPrefix(file, kSmfHeadSize + trackBytes);
  SmfTexts texts = ScanSmfTrack(std::span(buffer_.data() + kSmfHeadSize, end - kSmfHeadSize));
  if (texts.title && !TitleIsUsers(entry)) entry.title = std::move(*texts.title);
  entry.producer = std::move(texts.producer);
  entry.copyright = std::move(texts.copyright);
  entry.source = std::move(texts.instrument);
  entry.kind = "SMF";
  return true;
}

bool FileMediaInfoReader::ReadId3v2(InputFile& file, MediaEntry& entry, bool& titleFrameSeen) {
  if (LoadPrefix(file, kId3v2HeaderSize) < kId3v2HeaderSize) return false;
  std::optional<Id3v2Header> header = ParseId3v2Header(std::span(buffer_.data(), kId3v2HeaderSize));
  if (!header) return false;

  std::size_t end = LoadPrefix(file, kId3v2HeaderSize + std::uint64_t{header->bodySize});
  std::span<std::uint8_t> body(buffer_.data() + kId3v2HeaderSize, end - kId3v2HeaderSize);
  TagTexts texts = ReadId3v2Frames(*header, body, frameScratch_, !TitleIsUsers(entry));
  // Restoring an unsynchronised body changed the buffer.
  loaded_ = 0;
  SetIfPresent(entry.title, texts.title);
  SetIfPresent(entry.producer, texts.artist);
  SetIfPresent(entry.copyright, texts.comment);
  SetIfPresent(entry.source, texts.album);
  titleFrameSeen = texts.titleFrameSeen;
  if (!titleFrameSeen) return false;
  entry.kind = "MP3";
  return !entry.producer.empty() && !entry.copyright.empty() && !entry.source.empty();
}

bool FileMediaInfoReader::ReadId3v1(InputFile& file, MediaEntry& entry, bool titleFrameSeen) {
  std::uint64_t size = file.Size();
  if (size < kId3v1Size) return false;
  std::array<std::uint8_t, kId3v1Size> tail;
  if (file.ReadAt(size - kId3v1Size, tail.data(), tail.size()) != tail.size()) return false;
  std::optional<TagTexts> texts = ParseId3v1(tail);
  if (!texts) return false;

  if (!TitleIsUsers(entry)) SetIfPresent(entry.title, texts->title);
  // A version-2 tag's credits stand; version 1 only fills the gaps.
  auto fill = [titleFrameSeen](std::string& field, std::string& text) {
    if (!titleFrameSeen || field.empty()) SetIfPresent(field, text);
  };
  fill(entry.producer, texts->artist);
  fill(entry.source, texts->album);
  fill(entry.copyright, texts->comment);
  entry.kind = "MP3";
  return true;
}

std::size_t FileMediaInfoReader::LoadPrefix(InputFile& file, std::uint64_t count) {
  // The count comes from the file and may be forged: never take more than
  // the file holds.
  auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>({count, file.Size(), SIZE_MAX}));
  if (wanted > loaded_) {
    if (buffer_.size() < wanted) buffer_.resize(wanted);
    loaded_ += file.ReadAt(loaded_, buffer_.data() + loaded_, wanted - loaded_);
    // A file that shrank since it was opened gives no more; the prefix
    // stays what was really read.
  }
  return std::min(wanted, loaded_);
}

}  // namespace koru

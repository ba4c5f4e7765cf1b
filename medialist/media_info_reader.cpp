#include "medialist/media_info_reader.h"

#include <algorithm>
#include <array>

#include "medialist/id3v1_info.h"
#include "medialist/id3v2_info.h"
#include "medialist/smf_info.h"
#include "platform/cp932.h"

namespace koru {
namespace {

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
  if (ReadSmf(*file, entry)) return true;
  bool titleFrameSeen = false;
  if (ReadId3v2(*file, entry, titleFrameSeen)) return true;
  return ReadId3v1(*file, entry, titleFrameSeen);
}

bool FileMediaInfoReader::ReadSmf(InputFile& file, MediaEntry& entry) {
  std::array<std::uint8_t, kSmfHeadSize> head;
  if (file.ReadAt(0, head.data(), head.size()) != head.size()) return false;
  std::optional<std::uint32_t> trackLength = SmfFirstTrackLength(head);
  if (!trackLength) return false;

  std::size_t read = ReadIntoBuffer(file, kSmfHeadSize, *trackLength);
  SmfTexts texts = ScanSmfTrack(std::span(buffer_.data(), read));
  if (texts.title && !TitleIsUsers(entry)) entry.title = std::move(*texts.title);
  entry.producer = std::move(texts.producer);
  entry.copyright = std::move(texts.copyright);
  entry.source = std::move(texts.instrument);
  entry.kind = "SMF";
  return true;
}

bool FileMediaInfoReader::ReadId3v2(InputFile& file, MediaEntry& entry, bool& titleFrameSeen) {
  std::array<std::uint8_t, kId3v2HeaderSize> head;
  if (file.ReadAt(0, head.data(), head.size()) != head.size()) return false;
  std::optional<Id3v2Header> header = ParseId3v2Header(head);
  if (!header) return false;

  buffer_.resize(ReadIntoBuffer(file, kId3v2HeaderSize, header->bodySize));
  TagTexts texts = ReadId3v2Frames(*header, buffer_, frameScratch_, !TitleIsUsers(entry));
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

std::size_t FileMediaInfoReader::ReadIntoBuffer(InputFile& file, std::uint64_t offset, std::uint64_t count) {
  std::uint64_t size = file.Size();
  std::uint64_t available = offset < size ? size - offset : 0;
  // The count comes from the file and may be forged: never take more than
  // the file holds.
  auto wanted = static_cast<std::size_t>(std::min(count, available));
  if (buffer_.size() < wanted) buffer_.resize(wanted);
  return file.ReadAt(offset, buffer_.data(), wanted);
}

}  // namespace koru

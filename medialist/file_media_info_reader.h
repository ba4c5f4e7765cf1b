// Reads the title and credits of a media file into its list entry: the meta
// events of a Standard MIDI File, or the ID3 tags of an MP3 file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "medialist/media_info_reader.h"
#include "medialist/media_list.h"
#include "platform/file_system.h"

namespace koru {

class FileMediaInfoReader final : public MediaInfoReader {
 public:
  explicit FileMediaInfoReader(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

  bool Read(const MediaList& list, const std::string& path, MediaEntry& entry) override {
    return ReadMediaInfo(list, path, entry);
  }

  // Sets the title from the file name (unless the user's title is kept),
  // clears kind, producer, copyright and source, then fills them from the
  // file. True when the file was recognised completely: a MIDI file, an MP3
  // file with a version-1 tag, or one whose version-2 tag gave a title,
  // artist, comment and album.
  bool ReadMediaInfo(const MediaList& list, const std::string& path, MediaEntry& entry);

 private:
  bool ReadSmf(InputFile& file, MediaEntry& entry);
  // Returns true when the tag completed the entry; `titleFrameSeen` tells the
  // version-1 step whether the fields came from a version-2 tag.
  bool ReadId3v2(InputFile& file, MediaEntry& entry, bool& titleFrameSeen);
  bool ReadId3v1(InputFile& file, MediaEntry& entry, bool titleFrameSeen);

  // Makes the first `count` bytes of the file available at the start of the
  // work buffer, as far as the file holds them; returns how many are.
  std::size_t LoadPrefix(InputFile& file, std::uint64_t count);

  FileSystem& fileSystem_;
  // Work buffers of our own, reused from call to call: the list's buffers
  // may be in use by a list-file reader that adds entries while it parses.
  // The buffer holds the file's first `loaded_` bytes; one read of a few
  // kilobytes usually brings the MIDI header and the whole ID3v2 tag.
  std::vector<std::uint8_t> buffer_;
  std::size_t loaded_ = 0;
  std::vector<std::uint8_t> frameScratch_;
};

}  // namespace koru

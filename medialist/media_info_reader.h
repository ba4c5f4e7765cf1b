// Fills the descriptive fields of an entry from its file. The real readers
// (MIDI meta events, ID3 tags: FileMediaInfoReader) implement it; tests pass a
// fake.
#pragma once

#include <string>

#include "medialist/media_entry.h"

namespace koru {

class MediaList;

class MediaInfoReader {
 public:
  virtual ~MediaInfoReader() = default;
  // Returns true when the file was recognised completely.
  virtual bool Read(const MediaList& list, const std::string& path, MediaEntry& entry) = 0;
};

}  // namespace koru

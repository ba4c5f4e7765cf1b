// The outside helpers that turn an entry into a file the device can play:
// the archive extraction manager, the RCP converter and the OGG decoder.
#pragma once

#include <optional>
#include <string>

namespace koru {

class MemberExtractor {
 public:
  virtual ~MemberExtractor() = default;
  // SetArchive, SetOutputFolder, then Extract with `pattern`; 0 is success.
  virtual int ExtractMembers(const std::string& archive, const std::string& outputFolder,
                             const std::string& pattern) = 0;
};

class RcpConverter {
 public:
  virtual ~RcpConverter() = default;
  // The standard MIDI file made from an RCP file; nothing when the converter
  // gives no conversion object. Throws when the library or a function is
  // missing or the conversion raises.
  virtual std::optional<std::string> ConvertToSmf(const std::string& source) = 0;
};

class OggDecoder {
 public:
  virtual ~OggDecoder() = default;
  // Results as the library gives them; playback does not look at them. Any
  // of the three may throw.
  virtual int LoadOgg() = 0;
  virtual int DecodeOgg(const std::string& source, const std::string& destination) = 0;
  virtual int UnloadOgg() = 0;
};

struct EntryConverters {
  MemberExtractor& extractor;
  RcpConverter& rcp;
  OggDecoder& ogg;
};

}  // namespace koru

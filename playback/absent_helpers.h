// The outside helpers as they behave when their libraries are not installed:
// what the player runs with until (or unless) the real bindings are there.
#pragma once

#include <optional>
#include <string>

#include "playback/entry_converters.h"

namespace koru {

// No RCPCV.DLL: no conversion object.
class AbsentRcpConverter : public RcpConverter {
 public:
  std::optional<std::string> ConvertToSmf(const std::string&) override { return std::nullopt; }
};

// No ogog.dll: loading and decoding give -1 and nothing is written.
class AbsentOggDecoder : public OggDecoder {
 public:
  int LoadOgg() override { return -1; }
  int DecodeOgg(const std::string&, const std::string&) override { return -1; }
  int UnloadOgg() override { return 0; }
};

}  // namespace koru

// The outside helpers as they behave when their libraries are not installed:
// what the player runs with until (or unless) the real bindings are there.
#pragma once

#include <optional>
#include <string>

#include "playback/entry_converters.h"
#include "playback/sstp_sender.h"

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

// No mascot listening.
class AbsentSstp : public SstpSender {
 public:
  bool SstpSend(std::string_view, std::string_view, std::string_view) override { return false; }
};

}  // namespace koru

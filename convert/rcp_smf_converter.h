// The RCP branch's converter: one RCP file into the bytes of a standard MIDI
// file through RCPCV.DLL, trusting none of the library's answers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "convert/rcpcv_library.h"
#include "playback/entry_converters.h"

namespace koru {

class RcpSmfConverter : public RcpConverter {
 public:
  // No real song comes near this; a larger answer is a broken library.
  static constexpr int kMaxSmfBytes = 64 * 1024 * 1024;

  explicit RcpSmfConverter(RcpcvLibrary& library) : library_(library) {}

  // Nothing when the library gives no object, a length that is not above 0
  // or above kMaxSmfBytes, or no data. The object is deleted on every path.
  // LibraryMissing passes through.
  std::optional<std::string> ConvertToSmf(const std::string& source) override;

 private:
  std::optional<std::string> CopySmf(RcpcvLibrary::Object object);

  RcpcvLibrary& library_;
};

}  // namespace koru

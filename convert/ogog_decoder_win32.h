// ogog.dll, the OGG Vorbis decoder, loaded by name for one conversion at a
// time: LoadOgg, DecodeOgg, UnloadOgg around each.
#pragma once

#include <string>

#include "platform/unique_handle_win32.h"
#include "playback/entry_converters.h"

namespace koru {

class OgogDecoder : public OggDecoder {
 public:
  // 0 when loaded (or already loaded); -1 when the library or one of its two
  // functions is missing, which leaves nothing loaded.
  int LoadOgg() override;
  // -1 when not loaded, else the library's own result.
  int DecodeOgg(const std::string& source, const std::string& destination) override;
  // 0; nothing of the library is left to call.
  int UnloadOgg() override;

 private:
  using GetVersionFunction = int(WINAPI*)(char* version);
  using DecodeFileFunction = int(WINAPI*)(const char* source, const char* destination);

  UniqueModule module_;
  GetVersionFunction getVersion_ = nullptr;
  DecodeFileFunction decodeFile_ = nullptr;
};

}  // namespace koru

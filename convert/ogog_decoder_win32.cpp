#include "convert/ogog_decoder_win32.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/outside_library_win32.h"

namespace koru {
namespace {

// "OGG_GetVersion" is given no size: far more room than any version text
// needs, and never read.
constexpr std::size_t kVersionBufferBytes = 4096;

template <typename Function>
Function Lookup(const UniqueModule& module, const char* exportName) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module.Get(), exportName)));
}

}  // namespace

int OgogDecoder::LoadOgg() {
  if (module_) return 0;
  module_ = LoadOutsideLibrary(L"ogog.dll");
  if (!module_) return -1;
  getVersion_ = Lookup<GetVersionFunction>(module_, "OGG_GetVersion");
  decodeFile_ = Lookup<DecodeFileFunction>(module_, "OGG_DecodeFile");
  if (getVersion_ == nullptr || decodeFile_ == nullptr) {
    UnloadOgg();
    return -1;
  }
  std::vector<char> version(kVersionBufferBytes, '\0');
  getVersion_(version.data());
  return 0;
}

int OgogDecoder::DecodeOgg(const std::string& source, const std::string& destination) {
  if (decodeFile_ == nullptr) return -1;
  const std::optional<std::string> from = AbsolutePath(source);
  const std::optional<std::string> to = AbsolutePath(destination);
  if (!from || !to) return -1;
  return decodeFile_(from->c_str(), to->c_str());
}

int OgogDecoder::UnloadOgg() {
  getVersion_ = nullptr;
  decodeFile_ = nullptr;
  module_.Reset();
  return 0;
}

}  // namespace koru

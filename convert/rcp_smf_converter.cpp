#include "convert/rcp_smf_converter.h"

namespace koru {

std::optional<std::string> RcpSmfConverter::ConvertToSmf(const std::string& source) {
  const RcpcvLibrary::Object object = library_.ConvertFile(source);
  if (object == 0) return std::nullopt;
  std::optional<std::string> smf;
  try {
    smf = CopySmf(object);
  } catch (...) {
    try {
      library_.DeleteObject(object);
    } catch (...) {
      // The first failure is the one worth reporting.
    }
    throw;
  }
  library_.DeleteObject(object);
  return smf;
}

std::optional<std::string> RcpSmfConverter::CopySmf(RcpcvLibrary::Object object) {
  // Asked once: a second answer could be larger than what was sized.
  const int length = library_.GetSmfLength(object);
  if (length <= 0 || length > kMaxSmfBytes) return std::nullopt;
  const char* data = static_cast<const char*>(library_.GetSmf(object));
  if (data == nullptr) return std::nullopt;
  return std::string(data, static_cast<std::size_t>(length));
}

}  // namespace koru

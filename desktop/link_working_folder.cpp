#include "desktop/link_working_folder.h"

#include "platform/cp932.h"

namespace koru {

std::string LinkWorkingFolder(std::string_view target) {
  std::size_t separator = std::string_view::npos;
  for (std::size_t pos = 0; pos < target.size(); pos += cp932::CharLength(target, pos)) {
    if (target[pos] == '\\' || target[pos] == '/') separator = pos;
  }
  if (separator == std::string_view::npos) return std::string();
  const bool driveRoot = separator > 0 && target[separator - 1] == ':';
  return std::string(target.substr(0, driveRoot ? separator + 1 : separator));
}

}  // namespace koru

// One SSTP request to the desktop mascot. Failures are silent.
#pragma once

#include <string_view>

namespace koru {

class SstpSender {
 public:
  virtual ~SstpSender() = default;
  virtual bool SstpSend(std::string_view sender, std::string_view script, std::string_view option) = 0;
};

}  // namespace koru

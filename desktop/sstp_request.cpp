#include "desktop/sstp_request.h"

#include "platform/cp932.h"

namespace koru {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool HoldsLineBreakOrNul(std::string_view field) { return field.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

bool IsControlByte(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

}  // namespace

std::optional<std::string> BuildSstpRequest(std::string_view sender, std::string_view script,
                                            std::string_view option) {
  if (HoldsLineBreakOrNul(sender) || HoldsLineBreakOrNul(script) || HoldsLineBreakOrNul(option)) return std::nullopt;
  std::string request = "SEND SSTP/1.0";
  request += kLineEnd;
  request.append("Sender: ").append(sender).append(kLineEnd);
  request.append("Script: ").append(script).append("\\e").append(kLineEnd);
  if (!option.empty()) request.append("Option: ").append(option).append(kLineEnd);
  request += kLineEnd;
  return request;
}

std::string EscapeSstpText(std::string_view title) {
  std::string escaped;
  escaped.reserve(title.size());
  for (std::size_t pos = 0; pos < title.size(); ++pos) {
    const auto byte = static_cast<unsigned char>(title[pos]);
    if (cp932::IsLeadByte(byte)) {
      // A lead byte keeps only a real trail byte; a broken pair loses its
      // lead byte and the next byte is looked at on its own.
      if (pos + 1 < title.size() && IsTrailByte(static_cast<unsigned char>(title[pos + 1]))) {
        escaped.append(title.substr(pos, 2));
        ++pos;
      }
      continue;
    }
    if (IsControlByte(byte)) continue;
    if (byte == '\\' || byte == '%') escaped += '\\';
    escaped += static_cast<char>(byte);
  }
  return escaped;
}

}  // namespace koru

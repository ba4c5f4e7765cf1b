// The bytes of one SSTP 1.0 SEND request, and the escaping of untrusted text
// (a song's title) before it goes into a SakuraScript.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace koru {

// "SEND SSTP/1.0", "Sender: ", "Script: " + script + "\e", "Option: " only
// when the option is not empty, then the empty line; every line ends in CR LF
// and the code page 932 bytes go out as they are. Nothing when a field holds
// CR, LF or NUL: such a field would end the request early or forge a header.
std::optional<std::string> BuildSstpRequest(std::string_view sender, std::string_view script,
                                            std::string_view option);

// Makes a title safe inside a script: "\" becomes "\\" and "%" becomes "\%",
// so the mascot speaks them instead of taking them for tags or variables;
// control bytes (0x00-0x1F, 0x7F) and a lead byte without a trail byte are
// dropped. The title is walked as code page 932, so the trail byte 0x5C of
// a character such as "ソ" is kept as it is.
std::string EscapeSstpText(std::string_view title);

}  // namespace koru

// Archive member names are chosen by whoever made the archive. A name goes
// into the media list, into a path under the temporary folder and into an
// archiver command line between double quotes, so only a plain file name is
// let through.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace koru {

// True for a name that can stand as one file name in a Windows folder and
// inside a quoted command-line argument: not empty, not "." or "..", and no
// control byte, no separator ("\", "/", ":"), no wildcard ("*", "?", "<",
// ">"), no "|" and no double quote; and valid code page 932 throughout. The
// scan goes character by character, so the trail byte of a double-byte
// character is never mistaken for one of them.
bool IsUsableMemberName(std::string_view name);

// The file-name part of a stored member name (after its last "\" or "/"),
// when that part is usable; nothing otherwise.
std::optional<std::string> UsableMemberFileName(std::string_view storedName);

}  // namespace koru

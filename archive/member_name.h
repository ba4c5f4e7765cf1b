// Archive member names are chosen by whoever made the archive, and a list
// file may carry any text as an entry's member. A name goes into the media
// list, into a path under the temporary folder and into an archiver command
// line between double quotes, so only plain file names are let through.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace koru {

// True for a name that can stand as one file name in a Windows folder and
// inside a quoted command-line argument:
// - not empty, not "." or "..", not ending in "." or a blank (Windows would
//   drop them and name another file);
// - no control byte, no separator ("\", "/", ":"), no wildcard ("*", "?",
//   "<", ">"), no "|" and no double quote; valid code page 932 throughout;
// - not beginning with "-" or "@", which a library may take for a switch or
//   a response file even inside quotes;
// - not a device (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$,
//   with any extension).
// The scan goes character by character, so the trail byte of a double-byte
// character is never mistaken for one of them.
bool IsUsableMemberName(std::string_view name);

// The file-name part of a stored member name (after its last "\" or "/"),
// when that part is usable and the stored name neither is absolute ("\",
// "/", a drive, a UNC path) nor climbs with a part made of dots alone
// (".."); nothing otherwise.
std::optional<std::string> UsableMemberFileName(std::string_view storedName);

// True for an entry's member that may be extracted and opened below the
// temporary folder: relative, and every part (split at "\" or "/") usable.
bool IsUsableMemberPath(std::string_view member);

}  // namespace koru

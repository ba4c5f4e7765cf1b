// The working folder LUMETRIX gives a new shortcut: the target's folder.
#pragma once

#include <string>
#include <string_view>

namespace koru {

// `target` cut at its last "\" or "/": "C:\tools\KORU.exe" gives "C:\tools"
// without the separator, while a target in a drive root keeps it
// ("C:\KORU.exe" gives "C:\"). Empty when there is no separator. The scan
// walks code page 932, so the trail byte 0x5C of "ソ" is no separator.
std::string LinkWorkingFolder(std::string_view target);

}  // namespace koru

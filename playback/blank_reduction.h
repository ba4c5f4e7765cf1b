// Runs of blanks in titles, shown reduced when [OPT] blank is 1.
#pragma once

#include <string>
#include <string_view>

namespace koru {

// Scans character by character: 0x81 0x40 is one full-width space, 0x20 a
// half-width space, any other character an ordinary one. A run of two or
// more spaces of one kind becomes one space of that kind when an ordinary
// character follows it directly; a run at the end, or one followed by a space
// of the other kind, stays as it is.
std::string ReduceBlanks(std::string_view text);

}  // namespace koru

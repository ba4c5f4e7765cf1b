// A cheap look at ini text that spares a full parse: whether it can hold a
// section at all. It follows the line rules of IniDocument (lines end at CR or
// LF, blanks trimmed).
#pragma once

#include <string_view>

namespace koru {

// False only when no line can be a section header.
bool MayHoldSections(std::string_view bytes);

}  // namespace koru

// Cheap looks at ini text that spare a full parse: whether it can hold a
// section at all, and how many keys one section holds at most. They follow
// the line rules of IniDocument (lines end at CR or LF, blanks trimmed).
#pragma once

#include <cstddef>
#include <string_view>

namespace koru {

// False only when no line can be a section header.
bool MayHoldSections(std::string_view bytes);

// The number of "name=value" lines in the first section called `section`
// (compared case-insensitively): no more keys than that can be read from it.
std::size_t KeyLinesInSection(std::string_view bytes, std::string_view section);

}  // namespace koru

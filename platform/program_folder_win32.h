#pragma once
#include <string>

namespace koru {
// The folder of the running program with a trailing backslash, code page 932
// (its 8.3 form when code page 932 cannot hold it).
std::string ProgramFolder();
}  // namespace koru

// Turns the program's own command line into hand-over arguments.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "startup/hand_over_writer.h"

namespace koru {

// The arguments after the program name, read as UTF-16.
std::vector<std::wstring> CommandLineArguments();

// From the last component towards the root, each component that exists is
// replaced by the name under which the file system lists it; the walk stops at
// the first component that cannot be found.
std::wstring ToLongPath(const std::wstring& path);

// The form in which a path argument goes into the record: made absolute
// against this process's current folder, put through ToLongPath, converted
// to code page 932 (the short name where 932 cannot hold the name, or where
// the long form does not fit the record). Nothing when no form fits.
std::optional<std::string> HandOverFormOf(const std::wstring& argument);

std::vector<HandOverArgument> PrepareArguments(const std::vector<std::wstring>& arguments);

}  // namespace koru

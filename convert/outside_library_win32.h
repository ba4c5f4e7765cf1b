// What the bindings of the converter libraries share: loading a library by
// file name without a system error box, and the absolute paths they are
// handed, so that no library resolves a path against a folder of its own.
#pragma once

#include <optional>
#include <string>

#include "platform/unique_handle_win32.h"

namespace koru {

// Through the system's search order (without the current folder once the
// program has called SetDllDirectoryW(L"")); empty when missing or not for
// this architecture.
UniqueModule LoadOutsideLibrary(const wchar_t* fileName);

// The absolute form of a code page 932 path; nothing when it has none.
std::optional<std::string> AbsolutePath(const std::string& path);

}  // namespace koru

// Outside libraries (the archivers, the converters) loaded by file name, and
// the paths they are handed: absolute, so that no library resolves a path
// against a folder of its own.
#pragma once

#include <optional>
#include <string>

#include "platform/unique_handle_win32.h"

namespace koru {

// From the folders the system would search, in its order, but never from the
// current folder (where an archive or a list was opened from, and a library
// may have been planted); without a system error box. Empty when missing or
// not for this architecture.
UniqueModule LoadOutsideLibrary(const std::wstring& fileName);

// The absolute form of a code page 932 path; nothing when it has none.
std::optional<std::string> AbsolutePath(const std::string& path);

}  // namespace koru

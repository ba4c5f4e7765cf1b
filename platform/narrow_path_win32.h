// A path from Windows as a code page 932 text.
#pragma once

#include <optional>
#include <string>

namespace koru {

// The path itself when code page 932 holds it, else its short (8.3) form
// when the file exists and has one; nothing otherwise.
std::optional<std::string> NarrowPath(const std::wstring& path);

}  // namespace koru

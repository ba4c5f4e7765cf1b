// The paths of a shell drop (WM_DROPFILES), and the code page 932 form of a
// path the system hands over in UTF-16.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace koru {

// Every path of the drop in its order, each read at its full length.
std::vector<std::wstring> DroppedPaths(HDROP drop);

// The path itself when code page 932 holds it; otherwise its short (8.3)
// form when the file system has one that code page 932 holds; otherwise
// nothing.
std::optional<std::string> PathInCodePage932(const std::wstring& path);

// PathInCodePage932 of each path; a path it cannot give is left out.
std::vector<std::string> PathsInCodePage932(const std::vector<std::wstring>& paths);

}  // namespace koru

// Where an archiver library put the member it was asked for. Most libraries
// keep the folders stored in the archive, so "album/tune.wav" lands in
// KORUTEMP\album\tune.wav rather than KORUTEMP\tune.wav.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace koru {

// Folders below the temporary folder that are looked into at most.
inline constexpr int kMaxExtractedDepth = 16;

// The temporary folder (ending in a backslash) + `member` when that file
// exists; else the file of the member's file name found below the temporary
// folder: the shallowest, and among those the first by name (compared
// without case). Links and hidden entries are never entered or taken, and
// nothing outside the temporary folder is ever named.
std::optional<std::string> FindExtractedFile(FileSystem& files, const std::string& tempFolder,
                                             std::string_view member);

}  // namespace koru

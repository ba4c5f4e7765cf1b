// The short (8.3) form of a path, for the media device: companion documents
// are looked up next to the device's file, and the short form names it
// whatever characters the long name holds.
#pragma once

#include <string>

#include "platform/playback_files.h"

namespace koru {

// From the last component towards the root ("X:\" or "\\server\share\",
// never itself asked for), each component that exists is replaced by its short
// name (or kept when it has none of its own); the walk stops at the first
// component that cannot be found, which stays unchanged together with
// everything before it.
std::string ToShortPath(PlaybackFiles& files, const std::string& path);

}  // namespace koru

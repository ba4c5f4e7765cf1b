// Empties a folder by pattern: how the temporary folder is cleaned before
// every play and at the end of the program.
#pragma once

#include <string>

#include "platform/playback_files.h"

namespace koru {

// Deletes the files and folders matching `mask` (a folder path plus a
// pattern). A matching subfolder is emptied with the same pattern and flag
// and then removed; a link is removed without being entered. With
// includeReadOnly, read-only files are found too and lose the attribute
// before they are deleted; without it they are not found and stay. Failures
// are ignored. Nothing happens when the mask's own folder is not a plain
// folder (a junction, a link, a file or nothing).
void DeleteMatching(PlaybackFiles& files, const std::string& mask, bool includeReadOnly);

}  // namespace koru

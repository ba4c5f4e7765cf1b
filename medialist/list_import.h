// The foreign play lists KORU reads into its media list: KbMIDI lists, plain
// lists of file names (M3U) and MIDIPLAY lists. A file that is not of the
// importer's kind, or whose entries do not fit, leaves the list, its path and
// its current index exactly as they were. Paths are taken by value: a caller
// may pass the list's own path, which an import replaces.
#pragma once

#include <string>
#include <string_view>

#include "medialist/list_read.h"
#include "medialist/media_list.h"
#include "platform/file_system.h"

namespace koru {

// A KbMIDI list becomes a list saved beside it under the same name with
// ".mpl" (or name_2.mpl, name_3.mpl ... when that is taken).
ListRead ImportKbMidiList(MediaList& list, FileSystem& files, std::string path);

// One file per line, "#" lines and empty lines skipped; a name that does not
// start at a drive or a backslash lies below the list's folder. Named like the
// KbMIDI import.
ListRead ImportPlainList(MediaList& list, FileSystem& files, std::string path);

// An ini file with [MIDIPLAY] numtracks and the keys 0, 1, ... (gaps
// allowed); the list is then saved in the program's folder under the file's
// name, or name_2.mpl ... when that is taken.
ListRead ImportMidiplayList(MediaList& list, FileSystem& files, std::string path);
// The same on bytes already read from `path`.
ListRead ImportMidiplayBytes(MediaList& list, FileSystem& files, std::string path, std::string_view bytes);

}  // namespace koru

// The foreign play lists KORU reads into its media list: KbMIDI lists, plain
// lists of file names (M3U) and MIDIPLAY lists. Each returns false and leaves
// the list alone when the file is not of its kind. Paths are taken by value:
// a caller may pass the list's own path, which an import replaces.
#pragma once

#include <string>
#include <string_view>

#include "medialist/media_list.h"
#include "platform/file_system.h"

namespace koru {

// A KbMIDI list becomes a list saved beside it under the same name with
// ".mpl" (or name_2.mpl, name_3.mpl ... when that is taken). Entries beyond
// the capacity are dropped and the import still succeeds.
bool ImportKbMidiList(MediaList& list, FileSystem& files, std::string path);

// One file per line, "#" lines and empty lines skipped; names without a folder
// are taken from the list's folder. Named like the KbMIDI import. A full list
// ends the import: the list is emptied and false returned.
bool ImportPlainList(MediaList& list, FileSystem& files, std::string path);

// An ini file with [MIDIPLAY] numtracks and the keys 0, 1, ...; the list is
// then saved in the program's folder under the file's name. A full list
// empties the list and returns false.
bool ImportMidiplayList(MediaList& list, FileSystem& files, std::string path);
// The same on bytes already read from `path`.
bool ImportMidiplayBytes(MediaList& list, std::string path, std::string_view bytes);

}  // namespace koru

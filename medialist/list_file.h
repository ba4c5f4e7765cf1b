// The program's own list file (".mpl"): reading it into the media list and
// writing the list back. A MIDIPLAY list, an ini file that also uses ".mpl",
// is recognised first and imported instead.
#pragma once

#include <string>

#include "medialist/list_read.h"
#include "medialist/media_list.h"
#include "platform/file_system.h"

namespace koru {

struct ListFileOptions {
  // [OPT] backf: every saved list is also copied into the program's folder
  // as <list name>.bak.
  bool backupToProgramFolder = false;
};

// Reads the list file at `path` (own format or MIDIPLAY). Once read, the list
// holds its entries and its path is the file's (a MIDIPLAY list's is the name
// it is saved under). A file that is not read, or whose entries do not fit,
// leaves the list, its path and its current index as they were.
ListRead LoadList(MediaList& list, FileSystem& files, std::string path);

// Writes the list to the list's path through an atomic save, so a failed save
// leaves the old file as it was. True when written.
bool SaveList(const MediaList& list, FileSystem& files, const ListFileOptions& options);

// The bytes SaveList writes.
std::string FormatOwnList(const MediaList& list);

}  // namespace koru

// The program's own list file (".mpl"): reading it into the media list and
// writing the list back. A MIDIPLAY list, an ini file that also uses ".mpl",
// is recognised first and imported instead.
#pragma once

#include "medialist/media_list.h"
#include "platform/file_system.h"

namespace koru {

struct ListFileOptions {
  // [OPT] backf: every saved list is also copied into the program's folder
  // as <list name>.bak.
  bool backupToProgramFolder = false;
};

// Reads the list at the list's path. True when a list was read (own format
// or MIDIPLAY); false leaves the entries as they were. Entries beyond the
// list's capacity are dropped and the read still succeeds.
bool LoadList(MediaList& list, FileSystem& files);

// Writes the list to the list's path through an atomic save, so a failed save
// leaves the old file as it was. True when written.
bool SaveList(const MediaList& list, FileSystem& files, const ListFileOptions& options);

// The bytes SaveList writes.
std::string FormatOwnList(const MediaList& list);

}  // namespace koru

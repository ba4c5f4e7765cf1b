// The player's data across runs: the settings and the list file read at
// start-up and brought to the list, and written back at exit.
#pragma once

#include <string>

#include "medialist/media_list.h"
#include "platform/file_system.h"
#include "platform/user_dialogs.h"
#include "playback/play_order.h"
#include "settings/settings.h"

namespace koru {

// Loads KORU.ini and the list it names, puts the list on the recent files
// when it loads, and restores the current index, the played flags, repeat
// and the order mode. A relative [MPL] file is taken from the program's
// folder. A KORU.ini that is there but cannot be read, a program folder this
// user cannot write to, and a list too long for the list, are reported
// through `dialogs`. Returns the path of a list
// file that is there but did not load (locked, not a list, too long), which
// the exit must not empty; else "".
std::string LoadPlayerData(Settings& settings, MediaList& list, FileSystem& files, PlayOrder& order,
                           UserDialogs& dialogs);

// Stores the list state into the settings, saves the list file and KORU.ini.
// Nothing is saved over `unreadableListPath`: a list filled in this run goes
// to a free name beside it (name_2.mpl, ...) and becomes [MPL] file.
void StorePlayerData(Settings& settings, MediaList& list, FileSystem& files, const PlayOrder& order,
                     const std::string& unreadableListPath = {});

// What the user is told at start-up when the program's folder cannot be
// written to.
std::string ReadOnlyProgramFolderText(const std::string& programFolder);

// The list path of a [MPL] file value: a relative value lies in the program's folder.
std::string ResolveListPath(const std::string& value, const std::string& programFolder);

}  // namespace koru

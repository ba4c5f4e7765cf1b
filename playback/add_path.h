// AddPathToList: the one routine every path the user hands to the player goes
// through (command line, drop, open dialog, recent paths, the search for
// unregistered files). The file-type category decides what a path is: a
// playable file becomes an entry, a folder is walked, an archive's playable
// members become entries, a list file replaces or imports the list, and a
// file of an unknown type is test-opened and the user decides what it is.
#pragma once

#include <set>
#include <string>

#include "archive/archiver.h"
#include "desktop/shortcut_resolver.h"
#include "medialist/list_read.h"
#include "medialist/media_list.h"
#include "platform/cursor_control.h"
#include "platform/file_system.h"
#include "platform/user_dialogs.h"
#include "playback/main_window_front.h"
#include "playback/path_adder.h"
#include "playback/playback_commands.h"
#include "settings/settings.h"

namespace koru {

// What adding paths works with; every part outlives the adder.
struct AddPathParts {
  MediaList& list;
  Settings& settings;
  FileSystem& files;
  Archiver& archiver;
  ShortcutResolver& shortcuts;
  PlaybackCommands& playback;
  UserDialogs& dialogs;
  MainWindowFront& mainWindow;
  CursorControl& cursor;
};

class ListPathAdder : public PathAdder {
 public:
  // Folders nested deeper than this below the path handed over are not
  // walked, so no tree (however it was built) can run the walk away.
  static constexpr int kMaxFolderDepth = 64;
  // An archive listing is cut off after this many members: the archiver
  // library answers for an untrusted file and might never say "no more".
  static constexpr int kMaxArchiveMembers = 65536;

  explicit ListPathAdder(AddPathParts parts) : parts_(parts) {}

  // `archiveContext` is empty for a path on disk and the archive's path for
  // a member name; `ask` allows the questions about unknown file types. The
  // index is the list's current index after the first entry added, -1 when
  // nothing was added.
  AddResult AddPathToList(const std::string& path, const std::string& archiveContext, bool ask);

  // AddPathToList with questions allowed, under the hourglass cursor.
  AddResult AddPathWithHourglass(const std::string& path, const std::string& archiveContext);
  AddResult AddPathWithHourglass(const std::string& path) override { return AddPathWithHourglass(path, {}); }

  // True while the list has room. On a full list, when `report` is set, the
  // main window comes to the front and the list-full message is shown.
  bool ListHasRoom(bool report);

 private:
  AddResult AddOnDisk(const std::string& path, bool ask, int depth);
  AddResult AddMember(const std::string& name, const std::string& archive);
  AddResult AddFolder(const std::string& folder, bool ask, int depth);
  AddResult AddArchiveMembers(const std::string& archive);
  AddResult LoadListFile(const std::string& path);
  AddResult ImportList(const std::string& path, char category);
  AddResult ListFileResult(ListRead read);
  void ShowListFull();
  AddResult CheckPlayability(const std::string& path);
  AddResult AddEntry(const std::string& path, const std::string& member);

  AddPathParts parts_;
  // The folders the walk of the path handed over has entered: a folder that
  // turns up again through a link the system does not report as one is
  // walked once only.
  std::set<FolderIdentity> walkedFolders_;
};

}  // namespace koru

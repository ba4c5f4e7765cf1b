// The main window's commands on the media list and its files: the File menu,
// the list's pop-up menu, the help menu's documents, and files dropped on
// the window. Each handler confirms with the user where it must, works on
// the list through the add routine, the list files and the player, tells the
// mascot of its long runs, and rebuilds the list view.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "medialist/media_list.h"
#include "platform/file_system.h"
#include "platform/user_dialogs.h"
#include "playback/add_gate.h"
#include "playback/add_path.h"
#include "platform/cursor_control.h"
#include "playback/file_dialogs.h"
#include "playback/list_selection_view.h"
#include "playback/player.h"
#include "playback/player_view.h"
#include "playback/shell_opener.h"
#include "playback/sstp_sender.h"
#include "settings/settings.h"

namespace koru {

// Stands in for the maker's home page.
inline constexpr char kMakerHomePage[] = "https://www.example.com/velta/";

// What the list commands work with; every part outlives them.
struct ListCommandParts {
  MediaList& list;
  Settings& settings;
  FileSystem& files;
  Player& player;
  PlayerView& view;
  ListPathAdder& adder;
  AddGate& gate;
  ListSelectionView& rows;
  FileDialogs& fileDialogs;
  UserDialogs& dialogs;
  SstpSender& sstp;
  CursorControl& cursor;
  ShellOpener& shell;
  MediaInfoReader* infoReader;  // null: media information is not read
};

class ListCommands {
 public:
  explicit ListCommands(ListCommandParts parts) : p_(parts) {}

  // mnuFile
  void FileOpenClick();
  void mnuFileLastClick(int tag);
  void mnuFileNewClick();
  void mnuFileUpdateClick();
  void mnuFileSaveClick();
  void mnuFileMediaClick();
  void mnuFileSearchClick();
  void mnuFileDeleteClick();

  // The selected rows (mnuFileSelect and pumList): only while the list is
  // shown, only rows within the list.
  void mnuDeleteClick();
  void mnuPrevClick();
  void mnuNextClick();
  void mnuSelectRateClick(int rate);
  void mnuFileSelectRateUpDlClick(int step);
  void mnuFolderClick();

  // The whole list.
  void mnuSortClick(int key);
  void mnuClearClick();

  // mnuHelp
  void mnuReadmeClick();
  void mnuWWWClick();

  // The paths of a drop on the main window, in the drop's order.
  void DropFiles(std::vector<std::string> paths);

 private:
  bool Ask(const char8_t* question);
  void Notify(const std::string& script);
  void AddAndPlay(const std::string& path);
  void PlayAddedEntry(int index);
  bool SaveListOrSay();
  std::vector<int> SelectedRowsInList();
  void MoveSelectedRows(int direction);
  void SetRateOfSelectedRows(MediaList::RateMode mode, int value);
  void SearchFolder(const std::string& folder, const std::set<std::string>& listedRelative);

  ListCommandParts p_;
};

}  // namespace koru

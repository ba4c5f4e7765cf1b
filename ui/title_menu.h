// pumMain, the title menu: one item per list entry, then the switches of the
// time slider and the volume bar. Built anew each time it opens and tracked
// with TPM_RETURNCMD, so its entry items never meet a command id. A long list
// is split into submenus of kTitleMenuGroupSize entries, each filled when it
// first opens (WM_INITMENUPOPUP).
#pragma once

#include <windows.h>

#include <vector>

#include "medialist/media_list.h"
#include "platform/unique_handle_win32.h"

namespace koru {

class TitleMenu {
 public:
  struct Choice {
    enum class Kind { None, Entry, Position, Volume };
    Kind kind = Kind::None;
    int index = -1;  // the entry's list position, for Kind::Entry
  };
  struct Checks {
    bool position = false;  // like mnuWindowPosition
    bool volume = false;    // like mnuWindowVolume
  };

  // Builds the menu and opens it at the screen point `at`; returns what the
  // user chose once it has closed. The owner forwards WM_INITMENUPOPUP to
  // FillGroup meanwhile.
  Choice Open(HWND owner, POINT at, const MediaList& list, bool reduceBlanks, Checks checks);
  // Fills a group's submenu the first time it opens; false for any other menu.
  bool FillGroup(HMENU submenu);

  // Builds the menu without opening it (Open's first step).
  HMENU Build(const MediaList& list, bool reduceBlanks, Checks checks);

  static constexpr UINT kFirstEntryId = 1;
  static constexpr UINT kPositionId = 20001;
  static constexpr UINT kVolumeId = 20002;

 private:
  struct Group {
    HMENU submenu = nullptr;  // owned by menu_
    int first = 0;
    int last = 0;
    bool filled = false;
  };
  void AppendEntries(HMENU menu, int first, int last);

  UniqueMenu menu_;
  std::vector<Group> groups_;
  const MediaList* list_ = nullptr;
  bool reduceBlanks_ = false;
};

}  // namespace koru

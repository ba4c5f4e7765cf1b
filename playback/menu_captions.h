// Captions of the menus built from the list and the recent paths. A title or
// a path is text, never a menu accelerator: its "&" is doubled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "medialist/media_entry.h"

namespace koru {

std::string MenuText(std::string_view text);

// mnuFileLast<slot>: "&" + slot + " " + path.
std::string RecentMenuCaption(int slot, std::string_view path);

// The title menu (pumMain): one item per entry. Up to this many entries the
// items stand in the menu itself; above, in submenus of this many entries
// each, filled when they open: a menu of thousands of items takes seconds to
// build and to open.
inline constexpr int kTitleMenuGroupSize = 1000;

// An entry item's caption: the title, blank-reduced with [OPT] blank = 1.
std::string TitleMenuCaption(const MediaEntry& entry, bool reduceBlanks);

struct TitleMenuGroup {
  int first = 0;  // list positions first .. last
  int last = 0;
  std::string caption;  // "1-1000", counting from 1
  bool checked = false;  // holds the current entry
};

// The submenus for `count` entries; none when the entries stand in the menu
// itself.
std::vector<TitleMenuGroup> TitleMenuGroups(int count, int currentIndex);

}  // namespace koru

// Where the items of the main window's control bar go: four groups (the
// counter; the open button; play, pause, stop, previous, next; the three view
// buttons) in the order of [BUTTON] order, each item shown by its character
// of [BUTTON] check.
#pragma once

#include <array>
#include <string_view>

namespace koru {

inline constexpr int kControlBarItemCount = 10;  // 0 counter, 1 open, 2..6 transport, 7..9 views

struct ControlBarItemPlace {
  bool visible = true;
  int left = 0;
};

struct ControlBarLayout {
  std::array<ControlBarItemPlace, kControlBarItemCount> items;
  int minClientWidth = 0;  // the x after the group at position 0
};

// Widths of the items at design size: the counter panel 140, play 47, the others 23.
ControlBarLayout LayoutControlBar(std::string_view order, std::string_view check);

// The left of an item's caption label pair: centred under the button.
int CaptionLeft(int buttonLeft, int buttonWidth, int labelWidth);

}  // namespace koru

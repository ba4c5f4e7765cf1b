#include "ui/layout/control_bar_layout.h"

namespace koru {
namespace {

constexpr int kFirstLeft = 4;  // X0
constexpr int kGroupGap = 5;   // G
constexpr std::array<int, kControlBarItemCount> kWidths = {140, 23, 47, 23, 23, 23, 23, 23, 23, 23};
constexpr std::array<std::array<int, 5>, 4> kGroups = {{
    {0, -1, -1, -1, -1},
    {1, -1, -1, -1, -1},
    {2, 3, 4, 5, 6},
    {7, 8, 9, -1, -1},
}};

// A missing or non-numeric character reads as `fallback`.
int DigitAt(std::string_view text, std::size_t i, int fallback) {
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return fallback;
  return text[i] - '0';
}

}  // namespace

ControlBarLayout LayoutControlBar(std::string_view order, std::string_view check) {
  ControlBarLayout layout;
  for (int item = 0; item < kControlBarItemCount; ++item) {
    layout.items[item].visible = DigitAt(check, static_cast<std::size_t>(item), 1) == 1;
  }
  int x = kFirstLeft;
  for (int position = 0; position < 4; ++position) {
    const int group = DigitAt(order, static_cast<std::size_t>(position), position);
    if (group >= 0 && group <= 3) {
      bool anyVisible = false;
      for (int item : kGroups[static_cast<std::size_t>(group)]) {
        if (item < 0) continue;
        ControlBarItemPlace& place = layout.items[static_cast<std::size_t>(item)];
        place.left = x;
        if (place.visible) {
          x += kWidths[static_cast<std::size_t>(item)];
          anyVisible = true;
        }
      }
      if (anyVisible) x += kGroupGap;
    }
    if (position == 0) layout.minClientWidth = x;
  }
  return layout;
}

int CaptionLeft(int buttonLeft, int buttonWidth, int labelWidth) { return buttonLeft + (buttonWidth - labelWidth) / 2; }

}  // namespace koru

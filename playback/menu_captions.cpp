#include "playback/menu_captions.h"

#include <algorithm>

#include "playback/blank_reduction.h"

namespace koru {

std::string MenuText(std::string_view text) {
  // "&" (0x26) is never the trail byte of a double-byte character.
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    escaped += c;
    if (c == '&') escaped += '&';
  }
  return escaped;
}

std::string RecentMenuCaption(int slot, std::string_view path) {
  return "&" + std::to_string(slot) + " " + MenuText(path);
}

std::string TitleMenuCaption(const MediaEntry& entry, bool reduceBlanks) {
  return MenuText(reduceBlanks ? ReduceBlanks(entry.title) : entry.title);
}

std::vector<TitleMenuGroup> TitleMenuGroups(int count, int currentIndex) {
  std::vector<TitleMenuGroup> groups;
  if (count <= kTitleMenuGroupSize) return groups;
  for (int first = 0; first < count; first += kTitleMenuGroupSize) {
    const int last = std::min(first + kTitleMenuGroupSize, count) - 1;
    groups.push_back({first, last, std::to_string(first + 1) + "-" + std::to_string(last + 1),
                      currentIndex >= first && currentIndex <= last});
  }
  return groups;
}

}  // namespace koru

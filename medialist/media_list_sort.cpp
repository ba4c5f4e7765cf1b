// The list's sort commands: a Shell sort, so equal keys may change places.
#include "medialist/media_list.h"
#include "platform/cp932.h"

namespace koru {
namespace {

enum class SortField { Title, FileName, Rate };

struct SortKey {
  SortField field;
  // True when the larger text goes first: entries c before d are exchanged
  // when text(d) > text(c).
  bool largerFirst;
};

// Keys in menu order. The rate keys run against their captions: "ascending"
// puts the highest rate first, "descending" the unrated entries.
constexpr SortKey kSortKeys[] = {
    {SortField::Title, false},    {SortField::Title, true},   {SortField::FileName, false},
    {SortField::FileName, true},  {SortField::Rate, true},    {SortField::Rate, false},
};

// The compared text of an entry. The file-name keys take the whole path
// directly followed by the member; `buffer` holds that joined text.
std::string_view SortText(const MediaEntry& entry, SortField field, std::string& buffer) {
  switch (field) {
    case SortField::Title:
      return entry.title;
    case SortField::Rate:
      return entry.rate;
    case SortField::FileName:
      break;
  }
  buffer.assign(entry.path);
  buffer.append(entry.member);
  return buffer;
}

}  // namespace

void MediaList::SortList(int key) {
  if (key < 0 || key >= static_cast<int>(std::size(kSortKeys))) return;
  const SortKey sortKey = kSortKeys[key];
  std::string leftBuffer;
  std::string rightBuffer;
  const auto outOfOrder = [&](int c, int d) {
    const std::string_view textC = SortText(Entry(c), sortKey.field, leftBuffer);
    const std::string_view textD = SortText(Entry(d), sortKey.field, rightBuffer);
    const int order = cp932::CompareNoCase(textC, textD);
    return sortKey.largerFirst ? order < 0 : order > 0;
  };

  int gap = 1;
  while (gap < count_ / 3) gap = 3 * gap + 1;
  for (; gap > 0; gap /= 3) {
    for (int i = gap; i < count_; ++i) {
      for (int c = i - gap; c >= 0 && outOfOrder(c, c + gap); c -= gap) Exchange(c, c + gap);
    }
  }
}

}  // namespace koru

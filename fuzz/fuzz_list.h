// The list the list-reading fuzz targets fill: building a list allocates all
// its slots, so one list per process, emptied for each input, keeps the
// fuzzers fast.
#pragma once

#include "medialist/media_list.h"

namespace koru::fuzzing {

inline MediaList& EmptyList(int which = 0) {
  static MediaList lists[2] = {MediaList("C:\\KORU\\"), MediaList("C:\\KORU\\")};
  MediaList& list = lists[which];
  list.SetCapacity(32);
  list.ResetList();
  list.readInfoOnAdd = false;
  list.SetListPath("C:\\KORU\\_default.mpl");
  return list;
}

}  // namespace koru::fuzzing

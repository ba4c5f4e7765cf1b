// The plainest way a path can enter the list: as one entry, as it is. It
// stands in until folders, archives and list files are handled.
#pragma once

#include "medialist/media_list.h"
#include "playback/path_adder.h"

namespace koru {

class EntryPathAdder : public PathAdder {
 public:
  explicit EntryPathAdder(MediaList& list) : list_(list) {}
  AddResult AddPathWithHourglass(const std::string& path) override {
    if (!list_.AddEntry(path, std::string())) return {};
    return {true, list_.CurrentIndex()};
  }

 private:
  MediaList& list_;
};

}  // namespace koru

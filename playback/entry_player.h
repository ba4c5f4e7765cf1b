// Plays the media list's current entry; what choosing a track ends with.
#pragma once

namespace koru {

class EntryPlayer {
 public:
  virtual ~EntryPlayer() = default;
  // userInitiated: the row is selected and revealed even while the player is
  // the active application.
  virtual void PlayCurrentEntry(bool userInitiated) = 0;
};

}  // namespace koru

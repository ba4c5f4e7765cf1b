// Takes handed-over paths on the player's timer tick, one per tick, and
// starts playback at the first path of a batch once the batch is complete.
#pragma once

#include "medialist/media_list.h"
#include "platform/user_dialogs.h"
#include "playback/path_adder.h"
#include "startup/command_hand_over.h"

namespace koru {

// What the consumer asks of the main window once a batch is complete.
class HandOverHost {
 public:
  virtual ~HandOverHost() = default;
  // [OPT] focus: bring the main window to the front when a file is opened.
  virtual bool FocusOnOpen() const = 0;
  virtual void BringMainWindowToFront() = 0;
  // Copies the row check boxes into the played flags and refills the list view.
  virtual void SyncAndRefreshList() = 0;
  // Selects, focuses and reveals the row of the current entry.
  virtual void RevealCurrentRow() = 0;
  virtual void PlayCurrentEntry(bool userInitiated) = 0;
};

class HandOverConsumer {
 public:
  HandOverConsumer(MediaList& list, PathAdder& adder, UserDialogs& dialogs, HandOverHost& host)
      : list_(list), adder_(adder), dialogs_(dialogs), host_(host) {}

  // Takes at most one waiting path from the record (none when null).
  void TakeHandedOverPath(CommandHandOver* record);

  int batchFirstIndex() const { return batchFirstIndex_; }

 private:
  MediaList& list_;
  PathAdder& adder_;
  UserDialogs& dialogs_;
  HandOverHost& host_;
  int batchFirstIndex_ = -1;
};

}  // namespace koru

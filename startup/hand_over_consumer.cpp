#include "startup/hand_over_consumer.h"

#include "medialist/list_read.h"

namespace koru {

void HandOverConsumer::TakeHandedOverPath(CommandHandOver* record) {
  if (!record) return;
  CommandHandOver copy;
  if (!TakeRecord(*record, copy)) return;
  const bool lastOfBatch = copy.moreFollows == 0;

  if (list_.IsFull()) {
    // Earlier records of the batch are dropped silently; one message is enough.
    if (lastOfBatch) {
      dialogs_.ShowMessageDialog(ListFullText(), mb::kOkExclamation);
    }
    return;
  }

  const AddResult added = adder_.AddPathWithHourglass(PathOf(copy));
  if (!added.added) return;
  if (batchFirstIndex_ == -1) batchFirstIndex_ = added.index;
  if (!lastOfBatch) return;

  if (host_.FocusOnOpen()) host_.BringMainWindowToFront();
  host_.SyncAndRefreshList();
  list_.SetCurrentIndex(batchFirstIndex_);
  if (batchFirstIndex_ >= 0 && batchFirstIndex_ < list_.Count()) host_.RevealCurrentRow();
  host_.PlayCurrentEntry(false);
  batchFirstIndex_ = -1;
}

}  // namespace koru

// Title edit mode: the title of an entry edited in place on the information
// panel, with the title read from the media kept in `savedTitle` until the
// user types it again or empties the box.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "medialist/media_entry.h"
#include "settings/settings.h"

namespace koru {

// The title box's text as a title: control characters become spaces (a
// list file would end the title there). The text is code page 932 already;
// characters it could not hold came in as "?".
std::string TitleFromBox(std::string_view boxText);

// Stores the box's text (TitleFromBox'd) as the entry's title. An empty
// box brings back the title read from the media, and does nothing to an
// entry never edited. `savedTitle` " " stands for a read title that was
// empty and comes back as "".
void CommitTitle(MediaEntry& entry, std::string_view boxText);

// Whether the mode is on, and [IMAGE] list as it was before it came on: the
// mode shows the list with the information panel in its lower half, which
// is [IMAGE] list 1.
class TitleEditMode {
 public:
  bool On() const { return on_; }

  // mnuTitleClick's switch: off when on ([IMAGE] list back as it was);
  // on when off, unless [IMAGE] data hides the information. Returns true
  // when the mode came on (the caller then shows the list).
  bool Toggle(ImageSettings& image);
  // Off, with [IMAGE] list back as it was; nothing when already off.
  void SwitchOff(ImageSettings& image);
  // ApplySettings ends the mode whenever [IMAGE] list is no longer 1 (the
  // settings dialog changed it): [IMAGE] list stays as the user set it.
  void EndUnlessListUnderInformation(const ImageSettings& image);
  // [IMAGE] list to save at exit: as before the mode while it is on.
  int ListToStore(const ImageSettings& image) const { return on_ && savedList_ ? *savedList_ : image.list; }

 private:
  bool on_ = false;
  std::optional<int> savedList_;
};

}  // namespace koru

#include "playback/title_edit.h"

#include "platform/cp932.h"

namespace koru {
namespace {

// What `savedTitle` holds for an entry whose read title was empty.
constexpr std::string_view kEmptyReadTitle = " ";

std::string Restored(const std::string& savedTitle) {
  return savedTitle == kEmptyReadTitle ? std::string() : savedTitle;
}

}  // namespace

std::string TitleFromBox(std::string_view boxText) {
  std::string title(boxText);
  for (std::size_t pos = 0; pos < title.size();) {
    const std::size_t length = cp932::CharLength(title, pos);
    if (length == 1 && (static_cast<unsigned char>(title[pos]) < 0x20 || title[pos] == 0x7F)) title[pos] = ' ';
    pos += length;
  }
  return title;
}

void CommitTitle(MediaEntry& entry, std::string_view boxText) {
  const std::string text = TitleFromBox(boxText);
  if (text.empty()) {
    // A never-edited entry keeps its title: emptying the box only undoes an edit.
    if (entry.savedTitle.empty()) return;
    entry.title = Restored(entry.savedTitle);
    entry.savedTitle.clear();
    return;
  }
  if (entry.savedTitle.empty()) entry.savedTitle = entry.title.empty() ? std::string(kEmptyReadTitle) : entry.title;
  if (text == entry.savedTitle) {
    entry.title = Restored(entry.savedTitle);
    entry.savedTitle.clear();
  } else {
    entry.title = text;
  }
}

bool TitleEditMode::Toggle(ImageSettings& image) {
  if (on_) {
    SwitchOff(image);
    return false;
  }
  if (image.data == 1) return false;
  on_ = true;
  savedList_ = image.list;
  image.list = 1;
  return true;
}

void TitleEditMode::SwitchOff(ImageSettings& image) {
  if (!on_) return;
  on_ = false;
  if (savedList_) image.list = *savedList_;
  savedList_.reset();
}

void TitleEditMode::EndUnlessListUnderInformation(const ImageSettings& image) {
  if (!on_ || image.list == 1) return;
  on_ = false;
  savedList_.reset();
}

}  // namespace koru

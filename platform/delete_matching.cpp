#include "platform/delete_matching.h"

#include "platform/cp932.h"

namespace koru {
namespace {

void DeleteMatchingIn(PlaybackFiles& files, const std::string& mask, bool includeReadOnly) {
  const std::string folder(cp932::FolderWithSeparatorOf(mask));
  const std::string pattern(cp932::FileNameOf(mask));
  for (const MatchedItem& item : files.FindMatching(mask, includeReadOnly)) {
    if (item.name == "." || item.name == "..") continue;
    const std::string path = folder + item.name;
    if (item.isFolder) {
      if (!item.isLink) DeleteMatchingIn(files, path + "\\" + pattern, includeReadOnly);
      files.RemoveFolder(path);
    } else {
      if (includeReadOnly) files.ClearReadOnly(path);
      files.RemoveFile(path);
    }
  }
}

}  // namespace

void DeleteMatching(PlaybackFiles& files, const std::string& mask, bool includeReadOnly) {
  // A folder that is a junction or a link is not ours to empty.
  if (!files.IsPlainFolder(std::string(cp932::FolderWithSeparatorOf(mask)))) return;
  DeleteMatchingIn(files, mask, includeReadOnly);
}

}  // namespace koru

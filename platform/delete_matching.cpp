#include "platform/delete_matching.h"

#include "platform/cp932.h"

namespace koru {

void DeleteMatching(PlaybackFiles& files, const std::string& mask, bool includeReadOnly) {
  const std::string folder(cp932::FolderWithSeparatorOf(mask));
  const std::string pattern(cp932::FileNameOf(mask));
  for (const MatchedItem& item : files.FindMatching(mask, includeReadOnly)) {
    if (item.name == "." || item.name == "..") continue;
    const std::string path = folder + item.name;
    if (item.isFolder) {
      if (!item.isLink) DeleteMatching(files, path + "\\" + pattern, includeReadOnly);
      files.RemoveFolder(path);
    } else {
      if (includeReadOnly) files.ClearReadOnly(path);
      files.RemoveFile(path);
    }
  }
}

}  // namespace koru

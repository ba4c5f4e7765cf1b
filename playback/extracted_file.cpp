#include "playback/extracted_file.h"

#include <algorithm>
#include <vector>

#include "platform/cp932.h"

namespace koru {

std::optional<std::string> FindExtractedFile(FileSystem& files, const std::string& tempFolder,
                                             std::string_view member) {
  const std::string direct = tempFolder + std::string(member);
  if (files.KindOf(direct) == PathKind::File) return direct;

  const std::string_view fileName = member.substr(cp932::MemberNameStart(member));
  // Breadth first, one depth at a time, so the shallowest match wins.
  std::vector<std::string> level{tempFolder};
  for (int depth = 0; depth <= kMaxExtractedDepth && !level.empty(); ++depth) {
    std::vector<std::string> matches;
    std::vector<std::string> below;
    for (const std::string& folder : level) {
      for (const FolderItem& item : files.ListFolder(folder)) {
        if (item.isHidden || item.isLink) continue;
        if (item.isFolder) {
          below.push_back(folder + item.name + "\\");
        } else if (cp932::EqualsNoCase(item.name, fileName)) {
          matches.push_back(folder + item.name);
        }
      }
    }
    if (!matches.empty()) {
      return *std::min_element(matches.begin(), matches.end(), [](const std::string& a, const std::string& b) {
        return cp932::CompareNoCase(a, b) < 0;
      });
    }
    level = std::move(below);
  }
  return std::nullopt;
}

}  // namespace koru

#include "platform/short_path.h"

#include <vector>

#include "platform/cp932.h"

namespace koru {

std::string ToShortPath(PlaybackFiles& files, const std::string& path) {
  // Start positions of the components: the part after each backslash that is
  // not the trail byte of a double-byte character. The root is no component:
  // "C:" alone names the current folder of drive C, and a share has no short
  // name of its own.
  const std::size_t root = cp932::RootLength(path);
  std::vector<std::size_t> starts{root};
  for (std::size_t pos = root; pos < path.size();) {
    const std::size_t length = cp932::CharLength(path, pos);
    if (length == 1 && path[pos] == '\\') starts.push_back(pos + 1);
    pos += length;
  }
  std::string result = path;
  for (std::size_t i = starts.size(); i-- > 0;) {
    const std::size_t start = starts[i];
    const std::size_t end = (i + 1 < starts.size()) ? starts[i + 1] - 1 : result.size();
    if (start >= end) break;  // an empty component (a trailing or doubled backslash) cannot be found
    // Everything after this component is already short; only the prefix up to
    // it is asked for, and the prefix is still in its original form.
    const std::optional<std::string> shortName = files.ShortNameOf(result.substr(0, end));
    if (!shortName || shortName->empty()) break;
    result.replace(start, end - start, *shortName);
  }
  return result;
}

}  // namespace koru

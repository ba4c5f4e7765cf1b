#include "medialist/import_list_name.h"

#include "platform/cp932.h"

namespace koru {

std::optional<std::string> FreeListNameFor(FileSystem& files, std::string_view importedPath) {
  const std::string stem(cp932::WithoutExtension(importedPath));
  std::string candidate = stem + ".mpl";
  // Bounded so that a folder full of lists cannot keep the import looking.
  constexpr int kLastNumber = 9999;
  for (int number = 2; files.KindOf(candidate) != PathKind::Missing; ++number) {
    if (number > kLastNumber) return std::nullopt;
    candidate = stem + "_" + std::to_string(number) + ".mpl";
  }
  return candidate;
}

}  // namespace koru

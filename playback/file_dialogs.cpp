#include "playback/file_dialogs.h"

#include <string_view>

#include "platform/cp932.h"

namespace koru {

FileDialogRequest OpenListOrMediaRequest(const FileTypeTable& fileTypes) {
  std::string filter = cp932::FromUtf8(u8"ﾘｽﾄﾌｧｲﾙまたはﾒﾃﾞｨｱﾌｧｲﾙ|");
  // Each category's extensions in table order, as NthExtension counts them.
  for (const char category : std::string_view("FUK1RVLZAG")) {
    for (const FileTypeRow& row : fileTypes.Rows()) {
      // An extension from KORU.ini holding the separator would shift every
      // description and pattern after it.
      if (row.category != category || row.extension.find('|') != std::string::npos) continue;
      filter += "*." + row.extension + ";";
    }
  }
  filter += cp932::FromUtf8(u8"|すべてのﾌｧｲﾙ (*.*)|*.*");
  return {.title = cp932::FromUtf8(u8"ﾘｽﾄﾌｧｲﾙを開くまたはﾒﾃﾞｨｱﾌｧｲﾙを追加する"), .filter = std::move(filter)};
}

FileDialogRequest SaveListRequest(const std::string& listPath) {
  return {.title = cp932::FromUtf8(u8"ﾘｽﾄﾌｧｲﾙに名前を付けて保存する"),
          .filter = cp932::FromUtf8(u8"ﾘｽﾄﾌｧｲﾙ (*.MPL)|*.mpl"),
          .defaultExtension = "mpl",
          .fileName = listPath};
}

}  // namespace koru

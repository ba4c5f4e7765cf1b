#include "settings/file_type_grid.h"

#include "platform/cp932.h"
#include "platform/user_dialogs.h"

namespace koru {
namespace {

bool UserChosenCategory(char category) {
  return category == file_category::kMedia || category == file_category::kNonMedia ||
         category == file_category::kDocument;
}

bool ListFileCategory(char category) {
  return category == file_category::kOwnList || category == file_category::kKbMidiPlayList ||
         category == file_category::kPlainPlayList;
}

void Associate(const FileTypeGrid::Row& row, const std::string& description, const std::string& programPath,
               FileAssociator& associator) {
  associator.Associate(programPath, "." + row.extension, row.extension + "file", "Play", description);
}

}  // namespace

std::string FileTypeDescription(char category) {
  switch (category) {
    case file_category::kMedia:
      return cp932::FromUtf8(u8"ﾒﾃﾞｨｱﾌｧｲﾙ");
    case file_category::kNonMedia:
      return cp932::FromUtf8(u8"非ﾒﾃﾞｨｱﾌｧｲﾙ");
    case file_category::kDocument:
      return cp932::FromUtf8(u8"ﾄﾞｷｭﾒﾝﾄﾌｧｲﾙ");
    case 0:
      return std::string();
    default:
      return "-";
  }
}

std::string NewExtensionOf(std::string_view typed) {
  if (!typed.empty() && typed.front() == '.') typed.remove_prefix(1);
  if (typed.empty()) return std::string();
  const std::string fullWidthBlank = cp932::FromUtf8(u8"　");
  for (std::size_t pos = 0; pos < typed.size();) {
    const std::size_t length = cp932::CharLength(typed, pos);
    if (length == 1) {
      const unsigned char byte = static_cast<unsigned char>(typed[pos]);
      if (byte <= 0x20 || byte == 0x7F || byte == '.' || byte == '\\' || byte == '/' || byte == ':') {
        return std::string();
      }
    } else if (typed.substr(pos, length) == fullWidthBlank) {
      return std::string();
    }
    pos += length;
  }
  return cp932::ToUpper(typed);
}

void FileTypeGrid::Fill(const FileTypeTable& table) {
  rows_.clear();
  for (const FileTypeRow& entry : table.Rows()) rows_.push_back(Row{entry.extension, entry.category});
  rows_.push_back(Row{});
  Select(selected_);
}

void FileTypeGrid::Select(std::size_t row) { selected_ = row < rows_.size() ? row : rows_.size() - 1; }

FileTypeRowControls FileTypeGrid::Controls() const {
  const Row& row = rows_[selected_];
  FileTypeRowControls controls;
  controls.extension = row.extension;
  controls.addEnabled = DataRowCount() < FileTypeTable::kRunTimeRowLimit;
  if (UserChosenCategory(row.category)) {
    controls.typesEnabled = true;
    controls.typeChecked = row.category;
    controls.setEnabled = true;
    controls.deleteEnabled = true;
    controls.registerEnabled = row.category == file_category::kMedia;
  } else {
    controls.registerEnabled = ListFileCategory(row.category);
  }
  return controls;
}

void FileTypeGrid::SetSelectedType(char category) {
  Row& row = rows_[selected_];
  if (row.extension.empty() || !UserChosenCategory(category)) return;
  row.category = category;
}

bool FileTypeGrid::Add(std::string& typed, char category, ShortcutDialog& dialog) {
  const std::string extension = NewExtensionOf(typed);
  if (extension.empty()) {
    dialog.Ask(cp932::FromUtf8(u8"ﾌｧｲﾙﾀｲﾌﾟが入力されていません。"), mb::kOkExclamation);
    return false;
  }
  typed = extension;
  for (const Row& row : rows_) {
    if (row.extension == extension) {
      dialog.Ask(cp932::FromUtf8(u8"ﾌｧｲﾙﾀｲﾌﾟ ") + extension + cp932::FromUtf8(u8" は登録済みです。"),
                 mb::kOkExclamation);
      return false;
    }
  }
  if (DataRowCount() >= FileTypeTable::kRunTimeRowLimit) return false;
  rows_.back() = Row{extension, UserChosenCategory(category) ? category : file_category::kNonMedia};
  selected_ = rows_.size() - 1;
  rows_.push_back(Row{});
  return true;
}

void FileTypeGrid::DeleteSelected() {
  if (rows_[selected_].extension.empty()) return;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(selected_));
}

void FileTypeGrid::RegisterSelected(const std::string& programPath, FileAssociator& associator,
                                    ShortcutDialog& dialog) const {
  const Row& row = rows_[selected_];
  if (row.extension.empty()) return;
  const std::string question = cp932::FromUtf8(u8"ﾌｧｲﾙﾀｲﾌﾟ ") + row.extension +
                               cp932::FromUtf8(u8" とKORUの関連付けを行います。\nよろしいですか？");
  if (dialog.Ask(question, mb::kYesNoInformation) != answer::kYes) return;
  const std::string description =
      cp932::FromUtf8(ListFileCategory(row.category) ? u8"ﾒﾃﾞｨｱﾘｽﾄﾌｧｲﾙ" : u8"ﾒﾃﾞｨｱﾌｧｲﾙ");
  Associate(row, description, programPath, associator);
  associator.AssociationsChanged();
}

void FileTypeGrid::RegisterAllMedia(const std::string& programPath, FileAssociator& associator,
                                    ShortcutDialog& dialog) const {
  const std::string question = cp932::FromUtf8(u8"全てのﾒﾃﾞｨｱﾌｧｲﾙとKORUの関連付けを行います。\nよろしいですか？");
  if (dialog.Ask(question, mb::kYesNoInformation) != answer::kYes) return;
  const std::string description = cp932::FromUtf8(u8"ﾒﾃﾞｨｱﾌｧｲﾙ");
  for (std::size_t row = 0; row < DataRowCount(); ++row) {
    if (rows_[row].category == file_category::kMedia) Associate(rows_[row], description, programPath, associator);
  }
  associator.AssociationsChanged();
}

void FileTypeGrid::ResetTable(Settings& settings, ShortcutDialog& dialog) {
  const std::string question =
      cp932::FromUtf8(u8"ﾌｧｲﾙﾀｲﾌﾟを初期化します。 よろしいですか？\n※更新内容は即時反映されます。");
  if (dialog.Ask(question, mb::kYesNoExclamation) != answer::kYes) return;
  settings.ResetFileTypes();
  Fill(settings.FileTypes());
}

void FileTypeGrid::StoreInto(Settings& settings) const {
  settings.ClearFileTypes();
  for (std::size_t row = 0; row < DataRowCount(); ++row) {
    if (rows_[row].extension.empty()) continue;
    settings.AppendFileType(FileTypeRow{rows_[row].category, rows_[row].extension});
  }
  settings.SortFileTypes();
}

}  // namespace koru

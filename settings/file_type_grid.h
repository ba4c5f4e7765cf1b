// The settings dialog's file-type grid (sgrFileExt) as rows of text: the
// user edits a copy of the file-type table here, and only the dialog's OK or
// 適用 takes the rows over into the Settings. Association and the reset of the
// table act at once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/file_associator.h"
#include "desktop/shortcut_toggle.h"
#include "settings/settings.h"

namespace koru {

// The grid's second column for a category: "ﾒﾃﾞｨｱﾌｧｲﾙ", "非ﾒﾃﾞｨｱﾌｧｲﾙ",
// "ﾄﾞｷｭﾒﾝﾄﾌｧｲﾙ" for the three the user may choose, "-" for the built-in ones,
// empty for the empty last row.
std::string FileTypeDescription(char category);

// The extension typed into edtFileExt as a new row takes it: one leading dot
// dropped, upper case (as code page 932 upper-cases); empty when nothing
// usable was typed: no text, or a dot, "\", "/", ":", a blank or a control
// byte left in it (such a text would name another extension, or none).
std::string NewExtensionOf(std::string_view typed);

// What the controls beside the grid show for the selected row.
struct FileTypeRowControls {
  bool typesEnabled = false;     // the three type radio buttons
  char typeChecked = 0;          // '1', '0', 'T' or 0: which one to check
  bool setEnabled = false;       // 変更
  bool deleteEnabled = false;    // 削除
  bool registerEnabled = false;  // 関連付け
  bool addEnabled = false;       // 追加: while the table has room
  std::string extension;         // for edtFileExt
};

class FileTypeGrid {
 public:
  struct Row {
    std::string extension;  // empty in the last row
    char category = 0;      // 0 in the last row
  };

  // Rows 0..n-1 from the table in its order, then the empty last row. The
  // selected row stays where it was while it exists.
  void Fill(const FileTypeTable& table);

  // Data rows and the empty last row (the header is not a row here).
  std::size_t RowCount() const { return rows_.size(); }
  const Row& RowAt(std::size_t row) const { return rows_[row]; }
  std::size_t Selected() const { return selected_; }

  // sgrFileExtSelectCell; a row beyond the grid selects the last row.
  void Select(std::size_t row);
  FileTypeRowControls Controls() const;

  // btnFileExtSetClick: the selected row takes `category` ('1', '0', 'T'; 0
  // when no type is checked leaves it as it is).
  void SetSelectedType(char category);
  // btnFileExtAddClick. `typed` is edtFileExt's text; on success it holds
  // the extension as added, the new row is selected and a new empty row
  // follows. `category` as for SetSelectedType, 0 giving '0'.
  bool Add(std::string& typed, char category, ShortcutDialog& dialog);
  // btnFileExtDelClick: the selected row goes, unless it is the empty one.
  void DeleteSelected();
  // btnFileExtRegClick and btnFileExtAllClick: ask, then associate.
  void RegisterSelected(const std::string& programPath, FileAssociator& associator, ShortcutDialog& dialog) const;
  void RegisterAllMedia(const std::string& programPath, FileAssociator& associator, ShortcutDialog& dialog) const;
  // btnFileExtInitClick: ask, then reset the Settings' table at once and
  // refill the grid from it.
  void ResetTable(Settings& settings, ShortcutDialog& dialog);

  // The table becomes the grid's rows (sorted); rows beyond what the table
  // holds are dropped.
  void StoreInto(Settings& settings) const;

 private:
  std::size_t DataRowCount() const { return rows_.empty() ? 0 : rows_.size() - 1; }

  std::vector<Row> rows_{Row{}};
  std::size_t selected_ = 0;
};

}  // namespace koru

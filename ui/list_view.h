// lsvList: the media list as a virtual report list view. It holds no rows of
// its own: every cell text and check box is asked of the media list when the
// list view draws it, so a full refresh of 9,999 entries is a new row count
// and a repaint. The list view never sorts itself; sorting is the media
// list's, shown by a full refresh.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "medialist/media_list.h"
#include "settings/settings.h"
#include "ui/layout/list_columns.h"
#include "ui/window.h"

namespace koru {

class ListView : public Control {
 public:
  struct Events {
    std::function<void()> selectItem;   // lsvListSelectItem: the selection changed
    std::function<void()> doubleClick;  // lsvListDblClick
    // A hidden column was dragged or double-clicked open: the owner puts
    // hidden columns back to 0 once the header has finished.
    std::function<void()> hiddenColumnTouched;
  };

  ListView(MediaList& list, const Settings& settings);
  ~ListView() override;

  bool Create(HWND parent, int id, int dpi, Events events);
  // The list's font, kept alive by the owner; measured texts are forgotten.
  void SetListFont(HFONT font);

  // --- columns --------------------------------------------------------------
  // Removes all columns and adds the nine.
  void RebuildColumns();
  // Captions by [FONT] name.
  void SetCaptions();
  int ColumnWidth(int column) const;
  // -1 fits the column to its widest text (measured, never by asking the
  // list view for every row).
  void SetColumnWidth(int column, int width);
  // AutoSizeColumns: by the client width, or by the widest texts.
  void AutoSizeColumns(bool byText);
  // Hidden columns (width 0 by [LIST] check) back to 0.
  void ZeroHiddenColumns();

  // --- rows -----------------------------------------------------------------
  // The full RefreshList: as many rows as entries, all drawn again; the
  // scroll position stays where it can.
  void RefreshAllRows();
  // The partial one: one row drawn again.
  void RefreshRow(int row);
  std::vector<int> SelectedRows() const;
  int FirstSelectedRow() const;
  // Clears the selection, selects `rows`, focuses the first; scrolls it into
  // view when asked.
  void SelectRows(const std::vector<int>& rows, bool scroll);
  void ScrollIntoView(int row);

  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  class Header;

  void GetDisplayInfo(LVITEMW& item);
  void TogglePlayed(int row);
  void ColumnsTouched(const NMHEADERW& header, LRESULT& result, bool begins);
  ColumnSizing Sizing() const;
  ColumnFlags ShownColumns() const;
  // The widest cell text of each of `columns`, measured in the list's font.
  ColumnWidths MeasureTexts(const ColumnFlags& columns);
  int Px(int designPixels) const;

  MediaList& list_;
  const Settings& settings_;
  Events events_;
  int dpi_ = 96;
  HFONT font_ = nullptr;
  std::unique_ptr<Header> header_;
  std::unique_ptr<TextWidths> textWidths_;  // for font_
  // Widest texts of the flexible columns, until rows, font or columns change.
  std::optional<ColumnWidths> widestTexts_;
  std::wstring cellBuffer_;
};

}  // namespace koru

// What the list commands ask of the list view about its rows: whether it is
// shown, which rows are selected, selecting rows, sizing its columns and
// storing the title being edited. The main window's list view answers;
// without one the list is "not shown" with no rows, so the selected-row
// commands do nothing, as for a hidden list.
#pragma once

#include <vector>

namespace koru {

class ListSelectionView {
 public:
  virtual ~ListSelectionView() = default;

  virtual bool ListShown() = 0;
  // Ascending row numbers.
  virtual std::vector<int> SelectedRows() = 0;
  // Clears the selection, selects the rows, focuses the first and scrolls
  // it into view.
  virtual void SelectRows(const std::vector<int>& rows) = 0;
  // By the list view's width (false) or by the widest texts (true).
  virtual void AutoSizeColumns(bool byText) = 0;
  // The title box's text becomes the edited entry's title (title edit mode).
  virtual void CommitTitleEdit() = 0;
};

}  // namespace koru

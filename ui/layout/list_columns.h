// Widths of the list view's nine columns: AutoSizeColumns by the window's
// width, and by the widest text of each column, measured by arithmetic
// over the characters' advance widths rather than by asking the list view
// for every row.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace koru {

inline constexpr int kListColumnCount = 9;
using ColumnWidths = std::array<int, kListColumnCount>;
using ColumnFlags = std::array<bool, kListColumnCount>;

struct ColumnSizing {
  ColumnFlags shown{};
  int clientWidth = 0;  // the list view's client width
  int entryCount = 0;
  bool fullWidthCaptions = false;  // [FONT] name is "MS UI Gothic"
  int dpi = 96;
};

// Columns 1 to 6 share what the fixed columns leave.
inline constexpr bool IsFlexibleColumn(int column) { return column >= 1 && column <= 6; }

// Hidden columns 0; fixed columns their widths; the flexible ones the rest
// by their weights, the last visible one what remains. No width is negative.
ColumnWidths ColumnWidthsByWindow(const ColumnSizing& sizing);

// As by window, but each visible flexible column as wide as its widest
// text (`textWidths`) plus the list view's cell padding.
ColumnWidths ColumnWidthsByText(const ColumnSizing& sizing, const ColumnWidths& textWidths);

// The width that fits a column to its widest text: the text, the list
// view's cell margins and, in column 0, the check box.
int FitWidth(int column, int textWidth, int dpi);

// A stored [LIST] width as it is used: -1 ("fit to the contents") for
// anything below.
inline int UsableStoredWidth(int stored) { return stored < -1 ? -1 : stored; }

// Advance widths of code page 932 characters, asked of the font a block of
// 256 codes at a time when a text first needs one: block 0 holds the
// single-byte codes, block L the double-byte codes with lead byte L.
class TextWidths {
 public:
  using MeasureBlock = std::function<void(int block, std::array<int, 256>& widths)>;

  explicit TextWidths(MeasureBlock measure);
  ~TextWidths();
  TextWidths(const TextWidths&) = delete;
  TextWidths& operator=(const TextWidths&) = delete;

  int Width(std::string_view text);

 private:
  MeasureBlock measure_;
  std::array<std::unique_ptr<std::array<int, 256>>, 256> blocks_;
};

// The widest text of each of `columns` over `rowCount` rows; the other
// columns 0.
ColumnWidths WidestTexts(int rowCount, const ColumnFlags& columns,
                         const std::function<std::string(int row, int column)>& cellText, TextWidths& widths);

}  // namespace koru

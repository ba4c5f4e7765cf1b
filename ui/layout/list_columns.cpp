#include "ui/layout/list_columns.h"

#include <algorithm>

#include "platform/cp932.h"
#include "ui/layout/design_scale.h"

namespace koru {
namespace {

// Design pixels.
constexpr int kTrackWidthFourDigits = 46;  // 1000 entries or more
constexpr int kTrackWidthFullWidth = 43;
constexpr int kTrackWidth = 40;
constexpr int kRateWidth = 48;
constexpr int kTimeWidthFullWidth = 38;
constexpr int kTimeWidth = 42;
constexpr int kNarrowListUpTo = 640;  // client width up to which the narrow weights apply
// What a list view adds to a cell's text: a margin on each side, and in
// column 0 the check box with its gap.
constexpr int kCellPadding = 12;
constexpr int kCheckBoxWidth = 18;

constexpr std::array<int, kListColumnCount> kNarrowWeights = {0, 3, 3, 6, 4, 3, 3, 0, 0};
constexpr std::array<int, kListColumnCount> kWideWeights = {0, 2, 2, 8, 4, 3, 3, 0, 0};

int FixedWidth(int column, const ColumnSizing& sizing) {
  switch (column) {
    case 0:
      if (sizing.entryCount >= 1000) return kTrackWidthFourDigits;
      return sizing.fullWidthCaptions ? kTrackWidthFullWidth : kTrackWidth;
    case 7: return kRateWidth;
    case 8: return sizing.fullWidthCaptions ? kTimeWidthFullWidth : kTimeWidth;
    default: return 0;
  }
}

// Fixed and hidden columns; `remaining` is what they leave of the client width.
ColumnWidths FixedColumns(const ColumnSizing& sizing, int& remaining) {
  ColumnWidths widths{};
  remaining = sizing.clientWidth;
  for (int column = 0; column < kListColumnCount; ++column) {
    if (!sizing.shown[column] || IsFlexibleColumn(column)) continue;
    widths[column] = Scaled(FixedWidth(column, sizing), sizing.dpi);
    remaining -= widths[column];
  }
  return widths;
}

}  // namespace

ColumnWidths ColumnWidthsByWindow(const ColumnSizing& sizing) {
  int remaining = 0;
  ColumnWidths widths = FixedColumns(sizing, remaining);
  const auto& weights = sizing.clientWidth > Scaled(kNarrowListUpTo, sizing.dpi) ? kWideWeights : kNarrowWeights;
  int weightSum = 0;
  int last = -1;
  for (int column = 0; column < kListColumnCount; ++column) {
    if (sizing.shown[column] && IsFlexibleColumn(column)) {
      weightSum += weights[column];
      last = column;
    }
  }
  if (last < 0) return widths;
  const int unit = remaining / weightSum;
  for (int column = 0; column < kListColumnCount; ++column) {
    if (!sizing.shown[column] || !IsFlexibleColumn(column)) continue;
    // A window too narrow for the fixed columns leaves the flexible ones nothing.
    widths[column] = std::max(0, column == last ? remaining : unit * weights[column]);
    remaining -= widths[column];
  }
  return widths;
}

ColumnWidths ColumnWidthsByText(const ColumnSizing& sizing, const ColumnWidths& textWidths) {
  int remaining = 0;
  ColumnWidths widths = FixedColumns(sizing, remaining);
  for (int column = 0; column < kListColumnCount; ++column) {
    if (sizing.shown[column] && IsFlexibleColumn(column)) {
      widths[column] = FitWidth(column, textWidths[column], sizing.dpi);
    }
  }
  return widths;
}

int FitWidth(int column, int textWidth, int dpi) {
  return std::max(0, textWidth) + Scaled(kCellPadding + (column == 0 ? kCheckBoxWidth : 0), dpi);
}

TextWidths::TextWidths(MeasureBlock measure) : measure_(std::move(measure)) {}

TextWidths::~TextWidths() = default;

int TextWidths::Width(std::string_view text) {
  int width = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = cp932::CharLength(text, pos);
    const auto first = static_cast<unsigned char>(text[pos]);
    const int block = length == 2 ? first : 0;
    const int index = length == 2 ? static_cast<unsigned char>(text[pos + 1]) : first;
    std::unique_ptr<std::array<int, 256>>& widths = blocks_[static_cast<std::size_t>(block)];
    if (!widths) {
      widths = std::make_unique<std::array<int, 256>>();
      widths->fill(0);
      measure_(block, *widths);
    }
    width += (*widths)[static_cast<std::size_t>(index)];
    pos += length;
  }
  return width;
}

ColumnWidths WidestTexts(int rowCount, const ColumnFlags& columns,
                         const std::function<std::string(int row, int column)>& cellText, TextWidths& widths) {
  ColumnWidths widest{};
  for (int column = 0; column < kListColumnCount; ++column) {
    if (!columns[column]) continue;
    for (int row = 0; row < rowCount; ++row) widest[column] = std::max(widest[column], widths.Width(cellText(row, column)));
  }
  return widest;
}

}  // namespace koru

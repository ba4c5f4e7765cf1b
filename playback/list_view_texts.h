// The texts the list view, its column headers and the media information
// panel show for the entries of the media list. All texts are code page 932.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "medialist/media_entry.h"

namespace koru {

// [FONT] name that takes the captions in full-width katakana.
inline constexpr std::string_view kFullWidthCaptionFont = "MS UI Gothic";

// A time text as milliseconds: a plain decimal number (a sign allowed) that
// fits 64 bits, else nothing.
std::optional<std::int64_t> MillisecondsOf(std::string_view time);

// The name of the folder that holds the file: the last component of its
// folder, an extension in it kept; empty for a file in a drive's root or
// without a folder.
std::string ParentFolderName(std::string_view path);

// The caption of list column 0..8 (list_column) under [FONT] name.
std::string ColumnCaption(int column, std::string_view fontName);

// What one cell of the list view shows. Column 0 is the row's number,
// 1-based; titles, artists and comments are blank-compacted when
// `compactBlanks` ([OPT] blank is 1).
std::string CellText(const MediaEntry& entry, int row, int column, bool compactBlanks);

// The play time as the information panel shows it: "%d 分 %d 秒", "%d 秒", or
// empty below one second and for a time that is not a number.
std::string PanelPlayTime(std::string_view time);

// Everything ShowMediaInfo puts on the information panel.
struct InfoPanelTexts {
  std::array<std::string, 7> items;  // lblItem0 .. lblItem6
  std::array<std::string, 7> stats;  // lblStat1 .. lblStat6 at 1 .. 6; [0] unused
  std::string editText;              // edtStat2
  bool headShown = false;            // lblItem0..3 and lblStat1..3
  bool editShown = false;            // edtStat2
  bool detailsShown = false;         // lblItem4..6 and lblStat4..6
};

struct InfoPanelOptions {
  std::string_view fontName;
  bool hideInformation = false;  // [IMAGE] data is 1
  bool titleEditMode = false;
  bool compactBlanks = false;  // [OPT] blank is 1
};

// The panel for `entry`, or for no entry (null).
InfoPanelTexts MakeInfoPanelTexts(const MediaEntry* entry, const InfoPanelOptions& options);

}  // namespace koru

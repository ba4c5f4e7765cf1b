#include "playback/list_view_texts.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/cp932.h"
#include "playback/blank_reduction.h"
#include "settings/settings.h"

namespace koru {
namespace {

// Captions under kFullWidthCaptionFont, then under any other font.
constexpr std::array<std::array<std::u8string_view, 2>, list_column::kCount> kColumnCaptions = {{
    {u8"トラック", u8"ﾄﾗｯｸ"},
    {u8"親フォルダ名", u8"親ﾌｫﾙﾀﾞ名"},
    {u8"ファイル名", u8"ﾌｧｲﾙ名"},
    {u8"タイトル", u8"ﾀｲﾄﾙ"},
    {u8"アーティスト", u8"ｱｰﾃｨｽﾄ"},
    {u8"コメント", u8"ｺﾒﾝﾄ"},
    {u8"アルバム", u8"ｱﾙﾊﾞﾑ"},
    {u8"レート", u8"ﾚｰﾄ"},
    {u8"時間", u8"時間"},
}};

// lblItem0 .. lblItem6 by set: [MP3][full-width font].
using ItemSet = std::array<std::u8string_view, 7>;
constexpr ItemSet kOtherItems = {u8"ﾒﾃﾞｨｱ情報", u8"ﾌｧｲﾙ名 :",   u8"ﾀｲﾄﾙ :",   u8"演奏時間 :",
                                 u8"著作権 :",  u8"音源名 :", u8"ﾃﾞｰﾀ制作 :"};
constexpr ItemSet kOtherItemsFullWidth = {u8"メディア情報", u8"ファイル名 :", u8"タイトル :",   u8"演奏時間 :",
                                          u8"著作権 :",     u8"音源名 :",   u8"データ制作 :"};
constexpr ItemSet kMp3Items = {u8"ﾒﾃﾞｨｱ情報", u8"ﾌｧｲﾙ名 :", u8"ﾀｲﾄﾙ :", u8"演奏時間 :",
                               u8"ｱｰﾃｨｽﾄ :",  u8"ｱﾙﾊﾞﾑ :", u8"ｺﾒﾝﾄ :"};
constexpr ItemSet kMp3ItemsFullWidth = {u8"メディア情報", u8"ファイル名 :",   u8"タイトル :", u8"演奏時間 :",
                                        u8"アーティスト :", u8"アルバム :", u8"コメント :"};

// The rate mark "○"; a hand-edited rate above three still shows three.
constexpr int kMostRateMarks = 3;

bool FullWidthCaptions(std::string_view fontName) { return fontName == kFullWidthCaptionFont; }

std::string Compacted(const std::string& text, bool compactBlanks) {
  return compactBlanks ? ReduceBlanks(text) : text;
}

// `format` is code page 932, whose trail bytes are never "%".
std::string Printed(const std::string& format, long long a, long long b = 0) {
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, format.c_str(), a, b);
  return std::string(buffer, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof buffer) - 1)));
}

std::string TimeCell(std::string_view time) {
  const std::optional<std::int64_t> milliseconds = MillisecondsOf(time);
  if (!milliseconds || *milliseconds <= 0) return {};
  const std::int64_t seconds = *milliseconds / 1000;
  return Printed("%02lld:%02lld", (seconds / 60) % 100, seconds % 60);
}

std::string RateCell(const MediaEntry& entry) {
  static const std::string mark = cp932::FromUtf8(u8"○");
  std::string marks;
  for (int i = 0; i < std::min(entry.RateValue(), kMostRateMarks); ++i) marks += mark;
  return marks;
}

}  // namespace

std::optional<std::int64_t> MillisecondsOf(std::string_view time) {
  std::int64_t value = 0;
  const char* begin = time.data();
  const char* end = begin + time.size();
  if (begin != end && *begin == '+') ++begin;  // from_chars takes "-" only
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (begin == end || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string ParentFolderName(std::string_view path) {
  std::string_view folder = cp932::FolderWithSeparatorOf(path);
  if (folder.empty() || folder.size() <= cp932::RootLength(path)) return {};
  folder.remove_suffix(1);  // its separator
  return std::string(cp932::FileNameOf(folder));
}

std::string ColumnCaption(int column, std::string_view fontName) {
  if (column < 0 || column >= list_column::kCount) return {};
  return cp932::FromUtf8(kColumnCaptions[static_cast<std::size_t>(column)][FullWidthCaptions(fontName) ? 0 : 1]);
}

std::string CellText(const MediaEntry& entry, int row, int column, bool compactBlanks) {
  switch (column) {
    case list_column::kTrack: return std::to_string(row + 1);
    case list_column::kParentFolder: return ParentFolderName(entry.path);
    case list_column::kFileName: return std::string(cp932::FileNameOf(entry.path));
    case list_column::kTitle: return Compacted(entry.title, compactBlanks);
    case list_column::kArtist: return Compacted(entry.producer, compactBlanks);
    case list_column::kComment: return Compacted(entry.copyright, compactBlanks);
    case list_column::kAlbum: return entry.source;
    case list_column::kRate: return RateCell(entry);
    case list_column::kTime: return TimeCell(entry.time);
    default: return {};
  }
}

std::string PanelPlayTime(std::string_view time) {
  const std::optional<std::int64_t> milliseconds = MillisecondsOf(time);
  const std::int64_t seconds = milliseconds ? *milliseconds / 1000 : 0;
  if (seconds >= 60) return Printed(cp932::FromUtf8(u8"%lld 分 %lld 秒"), seconds / 60, seconds % 60);
  if (seconds >= 1) return Printed(cp932::FromUtf8(u8"%lld 秒"), seconds);
  return {};
}

InfoPanelTexts MakeInfoPanelTexts(const MediaEntry* entry, const InfoPanelOptions& options) {
  InfoPanelTexts panel;
  const bool shown = !options.hideInformation;
  panel.headShown = shown;
  const bool mp3 = entry && entry->kind == "MP3";
  const bool fullWidth = FullWidthCaptions(options.fontName);
  const ItemSet& items = mp3 ? (fullWidth ? kMp3ItemsFullWidth : kMp3Items)
                             : (fullWidth ? kOtherItemsFullWidth : kOtherItems);
  for (std::size_t i = 0; i < items.size(); ++i) panel.items[i] = cp932::FromUtf8(items[i]);
  if (!entry) return panel;

  panel.editShown = shown && options.titleEditMode;
  panel.stats[1] = entry->member.empty() ? entry->path : entry->path + ">" + entry->member;
  panel.stats[2] = Compacted(entry->title, options.compactBlanks);
  panel.editText = panel.stats[2];
  panel.stats[3] = PanelPlayTime(entry->time);
  if (entry->kind == "SMF") {
    panel.stats[4] = entry->copyright;
    panel.stats[5] = entry->source;
    panel.stats[6] = entry->producer;
    panel.detailsShown = shown;
  } else if (mp3) {
    panel.stats[4] = entry->producer;
    panel.stats[5] = entry->source;
    panel.stats[6] = entry->copyright;
    panel.detailsShown = shown;
  }
  return panel;
}

}  // namespace koru

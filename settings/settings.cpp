#include "settings/settings.h"

#include <utility>

#include "platform/cp932.h"

namespace koru {
namespace {

// A row of the key table: the field is named once, as the record names it.
#define KORU_INT(section, key, field, fallback) \
  SettingKey{section, key, IntKey{[](Settings& s) -> int& { return s.field; }, fallback}}
#define KORU_TEXT(section, key, field, fallback) \
  SettingKey{section, key, TextKey{[](Settings& s) -> std::string& { return s.field; }, fallback}}

constexpr SettingKey kSettingKeys[] = {
    KORU_INT("FORM", "left", form.left, -1),
    KORU_INT("FORM", "top", form.top, -1),
    KORU_INT("FORM", "width", form.width, -1),
    KORU_INT("FORM", "height", form.height, -1),
    KORU_INT("FORM", "title", form.title, 0),
    KORU_INT("FORM", "extend", form.extend, 0),
    KORU_INT("LIST", "track", list.width[list_column::kTrack], -1),
    KORU_INT("LIST", "level", list.width[list_column::kRate], -1),
    KORU_INT("LIST", "ppath", list.width[list_column::kParentFolder], -1),
    KORU_INT("LIST", "fname", list.width[list_column::kFileName], -1),
    KORU_INT("LIST", "title", list.width[list_column::kTitle], -1),
    KORU_INT("LIST", "progr", list.width[list_column::kArtist], -1),
    KORU_INT("LIST", "copyr", list.width[list_column::kComment], -1),
    KORU_INT("LIST", "insmt", list.width[list_column::kAlbum], -1),
    KORU_INT("LIST", "timer", list.width[list_column::kTime], -1),
    KORU_INT("LIST", "auto", list.autoSize, 1),
    KORU_INT("LIST", "count", list.count, 9999),
    KORU_TEXT("MPL", "file", mpl.file, "_default.mpl"),
    KORU_TEXT("MPL", "play", mpl.play, ""),
    KORU_INT("MPL", "track", mpl.track, 0),
    KORU_INT("MPL", "repeat", mpl.repeat, 1),
    KORU_INT("MPL", "random", mpl.random, 0),
    KORU_TEXT("BUTTON", "order", button.order, "0123"),
    KORU_TEXT("BUTTON", "check", button.check, "1111111111"),
    KORU_TEXT("LIST", "check", list.check, "100100001"),
    KORU_INT("IMAGE", "image", image.image, 0),
    KORU_INT("IMAGE", "data", image.data, 0),
    KORU_INT("IMAGE", "list", image.list, 0),
    KORU_TEXT("IMAGE", "file", image.file, ""),
    KORU_INT("IMAGE", "center", image.center, 0),
    KORU_INT("IMAGE", "size", image.size, 0),
    KORU_INT("IMAGE", "panel", image.panel, 0),
    SettingKey{"FONT", "name", TextKey{[](Settings& s) -> std::string& { return s.font.name; }, "", DefaultFontName}},
    KORU_INT("PANEL", "color", panel.color, 0),
    KORU_INT("OPT", "tray", opt.tray, 0),
    KORU_INT("OPT", "blank", opt.blank, 0),
    KORU_INT("OPT", "sstp", opt.sstp, 0),
    KORU_INT("OPT", "media", opt.media, 1),
    KORU_INT("OPT", "title", opt.title, 0),
    KORU_INT("OPT", "backf", opt.backf, 0),
    KORU_INT("OPT", "movnr", opt.movnr, 0),
    KORU_INT("OPT", "movew", opt.movew, 0),
    KORU_INT("OPT", "focus", opt.focus, 1),
    KORU_INT("MOUSE", "trackl", mouse.trackl, 2),
    KORU_INT("MOUSE", "trackr", mouse.trackr, 2),
    KORU_INT("MOUSE", "titlel", mouse.titlel, 1),
    KORU_INT("MOUSE", "titler", mouse.titler, 1),
    KORU_INT("TIMER", "play", timer.play, 100),
    KORU_INT("TIMER", "gap", timer.gap, 0),
    KORU_INT("SLIDER", "small", slider.smallStep, 40),
    KORU_INT("SLIDER", "large", slider.largeStep, 4),
};

#undef KORU_INT
#undef KORU_TEXT

bool IsColumn(int column) { return column >= 0 && column < list_column::kCount; }

std::string RowKey(std::size_t row) { return std::to_string(row); }

// EXT key n is read and deleted up to this row number.
constexpr std::size_t kLastExtensionKey = 255;

}  // namespace

std::string DefaultFontName(const SystemVersion& version) {
  if (version.IsAtMost4_0()) return cp932::FromUtf8(u8"ＭＳ Ｐゴシック");
  return "MS UI Gothic";
}

Settings::Settings(FileSystem& fileSystem, const std::string& programFolder, SystemVersion version)
    : fileSystem_(fileSystem), iniPath_(programFolder + "KORU.ini"), version_(version) {
  LoadSettings();
}

std::span<const SettingKey> SettingKeys() { return kSettingKeys; }

int TimerInterval(int play) {
  constexpr int kShortest = 100;
  constexpr int kLongest = 900;
  return play < kShortest || play > kLongest ? kShortest : play;
}

void Settings::LoadSettings() {
  std::optional<std::string> bytes = fileSystem_.ReadWholeFile(iniPath_);
  // A KORU.ini that is there but cannot be read (another program holds it
  // without sharing) is still the user's: this run takes the defaults and
  // never writes over it.
  iniUnreadable_ = !bytes && fileSystem_.KindOf(iniPath_) != PathKind::Missing;
  ini_ = IniDocument::Parse(bytes.value_or(std::string()));
  ResetToDefaults();
  LoadKeys();
  MigrateObsoleteKeys();
  LoadFileTypes();
  LoadRecentFiles();
}

void Settings::ResetToDefaults() {
  for (const SettingKey& key : kSettingKeys) {
    if (const auto* number = std::get_if<IntKey>(&key.value)) {
      number->field(*this) = number->fallback;
    } else {
      const auto& text = std::get<TextKey>(key.value);
      text.field(*this) = text.fallbackOn ? text.fallbackOn(version_) : std::string(text.fallback);
    }
  }
}

// Every field holds its default: a missing key leaves it so.
void Settings::LoadKeys() {
  for (const SettingKey& key : kSettingKeys) {
    if (const auto* number = std::get_if<IntKey>(&key.value)) {
      int& field = number->field(*this);
      field = ini_.GetInt(key.section, key.key, field);
    } else {
      std::string& field = std::get<TextKey>(key.value).field(*this);
      field = ini_.GetString(key.section, key.key, field);
    }
  }
}

void Settings::MigrateObsoleteKeys() {
  // [OPT] dirnm and [OPT] copyr switch the parent-folder and the artist
  // column on, which [LIST] check says today: a 1 becomes that column's mark
  // and the key is removed. One key per load, so a file with both needs two
  // starts.
  std::string_view obsoleteKey;
  int column = 0;
  if (ini_.GetInt("OPT", "dirnm", 0) == 1) {
    obsoleteKey = "dirnm";
    column = list_column::kParentFolder;
  } else if (ini_.GetInt("OPT", "copyr", 0) == 1) {
    obsoleteKey = "copyr";
    column = list_column::kArtist;
  } else {
    return;
  }
  ini_.Remove("OPT", obsoleteKey);
  SetColumnShown(column, true);
  ini_.Set("LIST", "check", list.check);
  WriteIniFile();
}

void Settings::LoadFileTypes() {
  std::string categories = ini_.GetString("EXT", "type", "");
  if (categories.empty()) {
    fileTypes_.Reset(version_.IsNewer());
  } else {
    // One row per letter of [EXT] type; a forged longer text cannot make
    // more rows than the table holds.
    fileTypes_.Clear();
    for (std::size_t row = 0; row < categories.size() && row < FileTypeTable::kMaxRows; ++row) {
      fileTypes_.Append({categories[row], ini_.GetString("EXT", RowKey(row), "")});
    }
    fileTypes_.MergeBuiltIns(version_.IsNewer());
  }
  fileTypes_.Sort();
}

void Settings::LoadRecentFiles() {
  for (std::size_t i = 0; i < kRecentFileCount; ++i) recentFiles_[i] = ini_.GetString("LAST", RowKey(i), "");
}

void Settings::SaveSettings() {
  StoreKeys();
  StoreFileTypes();
  StoreRecentFiles();
  WriteIniFile();
}

void Settings::StoreKeys() {
  for (const SettingKey& key : kSettingKeys) {
    if (const auto* number = std::get_if<IntKey>(&key.value)) {
      ini_.SetInt(key.section, key.key, number->field(*this));
    } else {
      ini_.Set(key.section, key.key, std::get<TextKey>(key.value).field(*this));
    }
  }
}

void Settings::StoreFileTypes() {
  std::string categories;
  for (std::size_t row = 0; row < fileTypes_.Size(); ++row) {
    ini_.Set("EXT", RowKey(row), fileTypes_.Row(row).extension);
    categories += fileTypes_.Row(row).category;
  }
  // Rows of a longer table saved earlier would otherwise come back as
  // extensions without a category.
  for (std::size_t row = fileTypes_.Size(); row <= kLastExtensionKey; ++row) {
    if (ini_.GetString("EXT", RowKey(row), "").empty()) break;
    ini_.Remove("EXT", RowKey(row));
  }
  ini_.Set("EXT", "type", categories);
}

void Settings::StoreRecentFiles() {
  for (std::size_t i = 0; i < kRecentFileCount; ++i) ini_.Set("LAST", RowKey(i), recentFiles_[i]);
}

void Settings::WriteIniFile() {
  if (iniUnreadable_) return;
  // Not reported: the settings of this run are lost, the old file stays.
  (void)fileSystem_.WriteFileAtomically(iniPath_, ini_.Serialize());
}

bool Settings::ColumnShown(int column) const {
  if (!IsColumn(column)) return false;
  auto position = static_cast<std::size_t>(column);
  return position < list.check.size() && list.check[position] == '1';
}

void Settings::SetColumnShown(int column, bool shown) {
  if (!IsColumn(column)) return;
  auto position = static_cast<std::size_t>(column);
  // A short [LIST] check from a hand-edited file leaves the missing columns hidden.
  if (list.check.size() <= position) list.check.resize(position + 1, '0');
  list.check[position] = shown ? '1' : '0';
}

int Settings::ColumnWidth(int column) const {
  return ColumnShown(column) ? list.width[static_cast<std::size_t>(column)] : 0;
}

void Settings::SetColumnWidth(int column, int width) {
  if (ColumnShown(column)) list.width[static_cast<std::size_t>(column)] = width;
}

void Settings::AddRecentFile(std::string_view path) {
  // The last place is taken over when the path is not among the others.
  std::size_t found = kRecentFileCount - 1;
  for (std::size_t i = 0; i + 1 < kRecentFileCount; ++i) {
    if (cp932::EqualsNoCase(recentFiles_[i], path)) {
      found = i;
      break;
    }
  }
  for (std::size_t i = found; i > 0; --i) recentFiles_[i] = std::move(recentFiles_[i - 1]);
  recentFiles_[0] = std::string(path);
  if (rebuildRecentMenu_) rebuildRecentMenu_();
}

void Settings::AssociateMainTypes(FileAssociator& associator, const std::string& programPath) const {
  const std::string description = cp932::FromUtf8(u8"ﾒﾃﾞｨｱﾌｧｲﾙ");
  for (const BuiltInFileType& type : BuiltInFileTypes()) {
    if (!type.associatedByDefault || type.category != file_category::kMedia) continue;
    if (type.newerSystemOnly && !version_.IsNewer()) continue;
    std::string extension(type.extension);
    associator.Associate(programPath, "." + extension, extension + "file", "Play", description);
  }
  associator.AssociationsChanged();
}

}  // namespace koru

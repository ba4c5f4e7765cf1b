#include "settings/settings.h"

#include <utility>

#include "platform/cp932.h"

namespace koru {
namespace {

// KORU.ini's [LIST] width key of each column, by list_column number.
constexpr std::array<std::string_view, list_column::kCount> kColumnWidthKeys = {
    "track", "ppath", "fname", "title", "progr", "copyr", "insmt", "level", "timer"};
// The order in which the width keys are read and written.
constexpr std::array<int, list_column::kCount> kColumnWidthKeyOrder = {
    list_column::kTrack,  list_column::kRate,    list_column::kParentFolder,
    list_column::kFileName, list_column::kTitle, list_column::kArtist,
    list_column::kComment, list_column::kAlbum,  list_column::kTime};

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

void Settings::Read(std::string_view section, std::string_view key, int& field) const {
  field = ini_.GetInt(section, key, field);
}

void Settings::Read(std::string_view section, std::string_view key, std::string& field) const {
  field = ini_.GetString(section, key, field);
}

void Settings::LoadSettings() {
  std::optional<std::string> bytes = fileSystem_.ReadWholeFile(iniPath_);
  // A KORU.ini that is there but cannot be read (another program holds it
  // without sharing) is still the user's: this run takes the defaults and
  // never writes over it.
  iniUnreadable_ = !bytes && fileSystem_.KindOf(iniPath_) != PathKind::Missing;
  ini_ = IniDocument::Parse(bytes.value_or(std::string()));
  // Every field starts from its default, so Read can pass the field itself
  // as the value for a missing key.
  ResetToDefaults();
  LoadGeneralKeys();
  MigrateObsoleteKeys();
  LoadOptionKeys();
  LoadFileTypes();
  LoadRecentFiles();
}

void Settings::ResetToDefaults() {
  form = {};
  list = {};
  mpl = {};
  image = {};
  font = {DefaultFontName(version_)};
  panel = {};
  button = {};
  opt = {};
  mouse = {};
  timer = {};
  slider = {};
}

void Settings::LoadGeneralKeys() {
  Read("FORM", "left", form.left);
  Read("FORM", "top", form.top);
  Read("FORM", "width", form.width);
  Read("FORM", "height", form.height);
  Read("FORM", "title", form.title);
  Read("FORM", "extend", form.extend);
  for (int column : kColumnWidthKeyOrder) Read("LIST", kColumnWidthKeys[column], list.width[column]);
  Read("LIST", "auto", list.autoSize);
  Read("LIST", "count", list.count);
  Read("MPL", "file", mpl.file);
  Read("MPL", "play", mpl.play);
  Read("MPL", "track", mpl.track);
  Read("MPL", "repeat", mpl.repeat);
  Read("MPL", "random", mpl.random);
  Read("IMAGE", "image", image.image);
  Read("IMAGE", "data", image.data);
  Read("IMAGE", "list", image.list);
  Read("IMAGE", "file", image.file);
  Read("IMAGE", "center", image.center);
  Read("IMAGE", "size", image.size);
  Read("IMAGE", "panel", image.panel);
  Read("FONT", "name", font.name);
  Read("PANEL", "color", panel.color);
  Read("BUTTON", "order", button.order);
  Read("BUTTON", "check", button.check);
  Read("LIST", "check", list.check);
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

void Settings::LoadOptionKeys() {
  Read("OPT", "tray", opt.tray);
  Read("OPT", "blank", opt.blank);
  Read("OPT", "sstp", opt.sstp);
  Read("OPT", "media", opt.media);
  Read("OPT", "title", opt.title);
  Read("OPT", "backf", opt.backf);
  Read("OPT", "movnr", opt.movnr);
  Read("OPT", "movew", opt.movew);
  Read("OPT", "focus", opt.focus);
  Read("MOUSE", "trackl", mouse.trackl);
  Read("MOUSE", "trackr", mouse.trackr);
  Read("MOUSE", "titlel", mouse.titlel);
  Read("MOUSE", "titler", mouse.titler);
  Read("TIMER", "play", timer.play);
  Read("TIMER", "gap", timer.gap);
  Read("SLIDER", "small", slider.smallStep);
  Read("SLIDER", "large", slider.largeStep);
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
  StoreGeneralKeys();
  StoreFileTypes();
  StoreRecentFiles();
  WriteIniFile();
}

void Settings::StoreGeneralKeys() {
  ini_.SetInt("FORM", "left", form.left);
  ini_.SetInt("FORM", "top", form.top);
  ini_.SetInt("FORM", "width", form.width);
  ini_.SetInt("FORM", "height", form.height);
  ini_.SetInt("FORM", "title", form.title);
  ini_.SetInt("FORM", "extend", form.extend);
  for (int column : kColumnWidthKeyOrder) ini_.SetInt("LIST", kColumnWidthKeys[column], list.width[column]);
  ini_.SetInt("LIST", "auto", list.autoSize);
  ini_.SetInt("LIST", "count", list.count);
  ini_.Set("MPL", "file", mpl.file);
  ini_.Set("MPL", "play", mpl.play);
  ini_.SetInt("MPL", "track", mpl.track);
  ini_.SetInt("MPL", "repeat", mpl.repeat);
  ini_.SetInt("MPL", "random", mpl.random);
  ini_.Set("BUTTON", "order", button.order);
  ini_.Set("BUTTON", "check", button.check);
  ini_.Set("LIST", "check", list.check);
  ini_.SetInt("IMAGE", "image", image.image);
  ini_.SetInt("IMAGE", "data", image.data);
  ini_.SetInt("IMAGE", "list", image.list);
  ini_.Set("IMAGE", "file", image.file);
  ini_.SetInt("IMAGE", "center", image.center);
  ini_.SetInt("IMAGE", "size", image.size);
  ini_.SetInt("IMAGE", "panel", image.panel);
  ini_.Set("FONT", "name", font.name);
  ini_.SetInt("PANEL", "color", panel.color);
  ini_.SetInt("OPT", "tray", opt.tray);
  ini_.SetInt("OPT", "blank", opt.blank);
  ini_.SetInt("OPT", "sstp", opt.sstp);
  ini_.SetInt("OPT", "media", opt.media);
  ini_.SetInt("OPT", "title", opt.title);
  ini_.SetInt("OPT", "backf", opt.backf);
  ini_.SetInt("OPT", "movnr", opt.movnr);
  ini_.SetInt("OPT", "movew", opt.movew);
  ini_.SetInt("OPT", "focus", opt.focus);
  ini_.SetInt("MOUSE", "trackl", mouse.trackl);
  ini_.SetInt("MOUSE", "trackr", mouse.trackr);
  ini_.SetInt("MOUSE", "titlel", mouse.titlel);
  ini_.SetInt("MOUSE", "titler", mouse.titler);
  ini_.SetInt("TIMER", "play", timer.play);
  ini_.SetInt("TIMER", "gap", timer.gap);
  ini_.SetInt("SLIDER", "small", slider.smallStep);
  ini_.SetInt("SLIDER", "large", slider.largeStep);
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

int Settings::CorrectTimerPlay() {
  constexpr int kShortest = 100;
  constexpr int kLongest = 900;
  if (timer.play < kShortest || timer.play > kLongest) timer.play = TimerSettings{}.play;
  return timer.play;
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
}

}  // namespace koru

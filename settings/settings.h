// The one process-wide record of user settings, kept in KORU.ini in the
// program's folder. Created before the main window; the main window and the
// settings dialog read and change the values in place, and the main window
// saves them when it closes.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "desktop/file_associator.h"
#include "platform/file_system.h"
#include "platform/system_version.h"
#include "settings/file_type_table.h"
#include "settings/ini_document.h"

namespace koru {

// The list columns by the number KORU.ini's [LIST] check and the column
// widths use.
namespace list_column {
inline constexpr int kTrack = 0;
inline constexpr int kParentFolder = 1;
inline constexpr int kFileName = 2;
inline constexpr int kTitle = 3;
inline constexpr int kArtist = 4;
inline constexpr int kComment = 5;
inline constexpr int kAlbum = 6;
inline constexpr int kRate = 7;
inline constexpr int kTime = 8;
inline constexpr int kCount = 9;
}  // namespace list_column

// One struct per section of KORU.ini, a member per key. The keys' names and
// defaults are the table's (SettingKeys).
struct FormSettings {
  int left = 0;  // -1: no position stored yet (the first start)
  int top = 0;
  int width = 0;
  int height = 0;
  int title = 0;   // 0 nothing, 1 position slider, 2 volume
  int extend = 0;  // 0 no view, 1 list, 2 document, 3 media information
};

struct ListSettings {
  // Indexed by list_column; -1 is the default width.
  std::array<int, list_column::kCount> width = {};
  int autoSize = 0;  // [LIST] auto: 0 none, 1 window width, 2 text size
  int count = 0;     // list capacity
  std::string check;  // one "1"/"0" per list_column
};

struct MplSettings {
  std::string file;
  std::string play;  // one "1"/"0" per entry
  int track = 0;
  int repeat = 0;
  int random = 0;  // 0 off, 1 unplayed only, 2 by rate
};

struct ImageSettings {
  int image = 0;
  int data = 0;
  int list = 0;
  std::string file;
  int center = 0;
  int size = 0;
  int panel = 0;
};

struct FontSettings {
  std::string name;
};

struct PanelSettings {
  int color = 0;  // 0 lime, 1 orange, 2 light blue
};

struct ButtonSettings {
  std::string order;
  std::string check;
};

struct OptSettings {
  int tray = 0;
  int blank = 0;
  int sstp = 0;
  int media = 0;
  int title = 0;
  int backf = 0;
  int movnr = 0;
  int movew = 0;
  int focus = 0;
};

struct MouseSettings {
  int trackl = 0;
  int trackr = 0;
  int titlel = 0;
  int titler = 0;
};

struct TimerSettings {
  int play = 0;  // milliseconds
  int gap = 0;   // seconds
};

struct SliderSettings {
  int smallStep = 0;  // [SLIDER] small, 1/n of the length
  int largeStep = 0;  // [SLIDER] large
};

class Settings;

// One key of KORU.ini: its place, the field of the record that holds it, and
// its value while the file has none.
struct IntKey {
  int& (*field)(Settings&);
  int fallback;
};
struct TextKey {
  std::string& (*field)(Settings&);
  std::string_view fallback;
  // Set when the default depends on the system instead.
  std::string (*fallbackOn)(const SystemVersion&) = nullptr;
};
struct SettingKey {
  std::string_view section;
  std::string_view key;
  std::variant<IntKey, TextKey> value;
};

// Every key of the record, in the order KORU.ini is written (a new file
// groups them under their sections in the order the sections first come).
// The file-type table ([EXT]) and the recent files ([LAST]) are lists and
// have their own rows.
std::span<const SettingKey> SettingKeys();

// The play-watch interval for a [TIMER] play value: the value itself within
// 100 to 900 ms, else 100.
int TimerInterval(int play);

class Settings {
 public:
  static constexpr std::size_t kRecentFileCount = 10;

  // `programFolder` ends in a backslash. Reads KORU.ini (LoadSettings).
  Settings(FileSystem& fileSystem, const std::string& programFolder, SystemVersion version);
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  // Reads KORU.ini again and every key with its default; may migrate one
  // obsolete key, which writes the file at once.
  void LoadSettings();
  // Writes every key and saves the file. A failed save is not reported.
  // Nothing is written over a KORU.ini the last load could not read.
  void SaveSettings();
  // True when KORU.ini was there at the last load but could not be read.
  bool IniUnreadable() const { return iniUnreadable_; }

  FormSettings form;
  ListSettings list;
  MplSettings mpl;
  ImageSettings image;
  FontSettings font;
  PanelSettings panel;
  ButtonSettings button;
  OptSettings opt;
  MouseSettings mouse;
  TimerSettings timer;
  SliderSettings slider;

  // The play-watch interval the main window runs its timer at: a [TIMER]
  // play outside 100 to 900 ms is set back to 100 in the record.
  int CorrectTimerPlay() { return timer.play = TimerInterval(timer.play); }

  const SystemVersion& Version() const { return version_; }
  const std::string& IniPath() const { return iniPath_; }

  // File types.
  const FileTypeTable& FileTypes() const { return fileTypes_; }
  char CategoryOf(std::string_view fileName) const { return fileTypes_.CategoryOf(fileName); }
  bool SetCategory(std::string_view fileName, char category) { return fileTypes_.SetCategory(fileName, category); }
  std::string NthExtension(char category, std::size_t n) const { return fileTypes_.NthExtension(category, n); }
  void ResetFileTypes() { fileTypes_.Reset(version_.IsNewer()); }
  void SortFileTypes() { fileTypes_.Sort(); }
  // Empties the table (the settings dialog refills it row by row).
  void ClearFileTypes() { fileTypes_.Clear(); }
  // Appends a row while the table has room (it may hold 255); false when full.
  bool AppendFileType(FileTypeRow row) { return fileTypes_.Append(std::move(row)); }

  // List columns, by list_column number; numbers outside 0..8 are ignored.
  bool ColumnShown(int column) const;
  void SetColumnShown(int column, bool shown);
  // The stored width of a shown column, 0 for a hidden one.
  int ColumnWidth(int column) const;
  // Stores the width only while the column is shown.
  void SetColumnWidth(int column, int width);

  // Recent list files, index 0 the newest; an empty text is a free place.
  const std::string& RecentFile(std::size_t index) const { return recentFiles_[index]; }
  // Puts the path at the top (moving it up when it is already there,
  // dropping the oldest otherwise) and rebuilds the recent-files menu.
  void AddRecentFile(std::string_view path);
  // The main window's RebuildRecentMenu.
  void SetRecentMenuRebuilder(std::function<void()> rebuild) { rebuildRecentMenu_ = std::move(rebuild); }

  // Registers the player for the main media types of the built-in table
  // (not the user's table) that exist on this system.
  void AssociateMainTypes(FileAssociator& associator, const std::string& programPath) const;

 private:
  void ResetToDefaults();
  void LoadKeys();
  void MigrateObsoleteKeys();
  void LoadFileTypes();
  void LoadRecentFiles();
  void StoreKeys();
  void StoreFileTypes();
  void StoreRecentFiles();
  void WriteIniFile();

  FileSystem& fileSystem_;
  std::string iniPath_;
  IniDocument ini_;
  bool iniUnreadable_ = false;
  SystemVersion version_;
  FileTypeTable fileTypes_;
  std::array<std::string, kRecentFileCount> recentFiles_;
  std::function<void()> rebuildRecentMenu_;
};

// "ＭＳ Ｐゴシック" up to version 4.0, which lacks "MS UI Gothic".
std::string DefaultFontName(const SystemVersion& version);

}  // namespace koru

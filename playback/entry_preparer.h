// Turns a list entry into a file the media device can play: plain files as
// they are, archive members extracted, RCP and OGG files converted, all into
// the temporary folder.
#pragma once

#include <map>
#include <string>

#include "medialist/media_entry.h"
#include "platform/file_system.h"
#include "platform/playback_files.h"
#include "playback/entry_converters.h"
#include "playback/playback_displays.h"
#include "playback/player_view.h"
#include "settings/settings.h"

namespace koru {

class EntryPreparer {
 public:
  struct Context {
    Settings& settings;
    FileSystem& files;
    PlaybackFiles& playbackFiles;
    EntryConverters converters;
    PlaybackDisplays& displays;
    PlayerView& view;
    const std::string& tempFolder;  // ends in a backslash
  };

  explicit EntryPreparer(Context context) : c_(context) {}

  // `path` comes in as the entry's resolved path and goes out as the file to
  // open. With report, failures (and the OGG conversion) show in the title
  // line.
  bool PrepareEntryFile(const MediaEntry& entry, bool report, std::string& path);

 private:
  bool TempFolderUsable(bool report, const char8_t* failure);
  bool ExtractMember(const std::string& source, const std::string& member, bool report, std::string& path);
  bool ConvertRcp(const std::string& source, bool report, std::string& path);
  bool ConvertOgg(const std::string& source, bool report, std::string& path);
  bool IsCachedConversion(const std::string& source, const std::string& wave);
  bool ClearWavePlace(const std::string& wave);
  bool DecodeOgg(const std::string& source, const std::string& wave);
  void Report(bool report, const char8_t* text);

  Context c_;
  // The source each cached WAV was decoded from in this run, by the WAV's
  // upper-cased path: two songs of one name share a WAV name.
  std::map<std::string, std::string> decodedFrom_;
};

}  // namespace koru

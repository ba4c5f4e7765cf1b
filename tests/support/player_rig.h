// The whole playback core over fakes, as the main window wires it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "medialist/media_list.h"
#include "platform/cp932.h"
#include "playback/player.h"
#include "settings/settings.h"
#include "support/fake_file_system.h"
#include "support/playback_fakes.h"

namespace koru::testing {

class RecordingInfoReader : public MediaInfoReader {
 public:
  std::vector<std::string> paths;
  bool Read(const MediaList&, const std::string& path, MediaEntry&) override {
    paths.push_back(path);
    return true;
  }
};

inline constexpr char kTempFolder[] = "C:\\TEMP\\KORUTEMP\\";

struct PlayerRig {
  PlayerRig() {
    list.readInfoOnAdd = false;
    extractor.files = &files;
    tempFiles.mirror = &files;
    ogg.files = &files;
  }

  // Adds files C:\Music\song1.mid ... as entries; entry i is song(i+1).
  void AddSongs(int n, const std::string& extension = ".mid") {
    for (int i = 0; i < n; ++i) {
      const std::string path = "C:\\Music\\song" + std::to_string(list.Count() + 1) + extension;
      files.AddFile(path, "data");
      list.AddEntry(path, "");
    }
    list.SetCurrentIndex(0);
  }
  PlaybackController& controller() { return player.Controller(); }
  TrackSelection& selection() { return player.Selection(); }
  PlaybackDisplays& displays() { return player.Displays(); }
  static std::string Text(const char8_t* utf8) { return cp932::FromUtf8(utf8); }

  FakeFileSystem files;
  Settings settings{files, "C:\\KORU\\", SystemVersion{10, 0, 19045, 2}};
  MediaList list{"C:\\KORU\\"};
  FakePlaybackFiles tempFiles;
  FakeDialogs dialogs;
  FakePlayerView view;
  FakeMediaDevice device;
  FakeMixer mixer;
  FakeClock clock;
  FakeExtractor extractor;
  FakeRcp rcp;
  FakeOgg ogg;
  FakeSstp sstp;
  RecordingInfoReader infoReader;
  PlayOrder order;
  std::atomic<std::uint8_t> noRepeat{0};
  Player player{PlayerContext{list, settings, files, tempFiles, dialogs, view, device, mixer, clock,
                              EntryConverters{extractor, rcp, ogg}, sstp, &infoReader, order, noRepeat, kTempFolder}};
};

}  // namespace koru::testing

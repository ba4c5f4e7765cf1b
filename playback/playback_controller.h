// The playback controller: plays the list's current entry on the one media
// device through a small state machine (Closed, Opened, Playing), and watches
// the device on every timer tick for the end of a track.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "medialist/media_list.h"
#include "platform/file_system.h"
#include "platform/playback_files.h"
#include "playback/entry_player.h"
#include "playback/entry_preparer.h"
#include "playback/media_device.h"
#include "playback/play_order.h"
#include "playback/play_state.h"
#include "playback/playback_commands.h"
#include "playback/playback_displays.h"
#include "playback/player_view.h"
#include "playback/sstp_sender.h"
#include "playback/track_selection.h"
#include "playback/volume_mixer.h"
#include "settings/settings.h"

namespace koru {

class PlaybackController : public EntryPlayer, public PlaybackCommands {
 public:
  struct Context {
    MediaList& list;
    Settings& settings;
    FileSystem& files;
    PlaybackFiles& playbackFiles;
    MediaDevice& device;
    VolumeMixer& mixer;
    MediaInfoReader* infoReader;  // null: the entry's information is not re-read
    SstpSender& sstp;
    PlayerView& view;
    PlaybackDisplays& displays;
    EntryPreparer& preparer;
    TrackSelection& selection;
    const PlayOrder& order;
    std::atomic<std::uint8_t>& noRepeat;
    PlayState& state;
    const std::string& tempFolder;  // ends in a backslash
  };

  explicit PlaybackController(Context context) : c_(context) {}

  void PlayCurrentEntry(bool userInitiated) override;
  bool PrepareEntryFile(const MediaEntry& entry, bool report, std::string& path) {
    return c_.preparer.PrepareEntryFile(entry, report, path);
  }

  void FuncPlayClick() { PlayCurrentEntry(true); }
  void FuncSpotClick();
  void FuncStopClick() override;
  bool OpenForPlayabilityCheck(const std::string& path) override;

  // The timer's work after the hand-over consumer has had its turn: end of
  // track, pause mark, time slider, volume bar, counter.
  void timPlayTimer();

  PlayState State() const { return c_.state; }
  // The picture of the last opened medium, as the device reported it.
  const DisplayRect& MovieRect() const { return movieRect_; }
  int GapTicks() const { return gapTicks_; }
  // The long path of the file the device was given last: the device itself
  // holds its short name once it plays.
  const std::string& PreparedPath() const { return preparedPath_; }

 private:
  void CloseDevice();
  void OpenAndPlaceMovie();
  void HandleEndOfTrack();
  int TimerInterval() const;

  Context c_;
  DisplayRect movieRect_;
  int gapTicks_ = -1;
  std::string preparedPath_;
};

// The entry's file: a path that does not start at a drive or a backslash
// lies below the list file's folder.
std::string ResolveEntryPath(const std::string& entryPath, const std::string& listPath);

// A medium with video whose picture is 1 to 2048 pixels wide and 1 to 1536
// high; anything else is played as sound only.
bool IsMovie(bool hasVideo, const DisplayRect& picture);

}  // namespace koru

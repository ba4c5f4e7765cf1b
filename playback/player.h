// The playback core in one piece, wired together: what the main window
// constructs once (after the media list and the settings) and calls.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "medialist/media_list.h"
#include "platform/file_system.h"
#include "platform/playback_files.h"
#include "platform/user_dialogs.h"
#include "playback/clock.h"
#include "playback/entry_converters.h"
#include "playback/entry_preparer.h"
#include "playback/media_device.h"
#include "playback/play_order.h"
#include "playback/play_state.h"
#include "playback/playback_controller.h"
#include "playback/playback_displays.h"
#include "playback/player_view.h"
#include "playback/sstp_sender.h"
#include "playback/track_selection.h"
#include "playback/volume_mixer.h"
#include "settings/settings.h"

namespace koru {

struct PlayerContext {
  MediaList& list;
  Settings& settings;
  FileSystem& files;
  PlaybackFiles& playbackFiles;
  UserDialogs& dialogs;
  PlayerView& view;
  MediaDevice& device;
  VolumeMixer& mixer;
  Clock& clock;
  EntryConverters converters;
  SstpSender& sstp;
  MediaInfoReader* infoReader;
  PlayOrder& order;  // loaded from and stored to [MPL] repeat and random
  std::atomic<std::uint8_t>& noRepeat;
  std::string tempFolder;  // ends in a backslash
};

class Player {
 public:
  explicit Player(PlayerContext context)
      : tempFolder_(std::move(context.tempFolder)),
        displays_({context.list, context.settings, context.device, context.mixer, context.view, state_,
                   context.noRepeat}),
        preparer_({context.settings, context.files, context.playbackFiles, context.converters, displays_, context.view,
                   tempFolder_}),
        selection_({context.list, context.settings, context.order, context.noRepeat, context.clock, context.dialogs,
                    context.view, displays_, controller_}),
        controller_({context.list, context.settings, context.files, context.playbackFiles, context.device,
                     context.mixer, context.infoReader, context.sstp, context.view, displays_, preparer_, selection_,
                     context.order, context.noRepeat, state_, tempFolder_}) {}
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  PlaybackController& Controller() { return controller_; }
  TrackSelection& Selection() { return selection_; }
  PlaybackDisplays& Displays() { return displays_; }
  PlayState State() const { return state_; }
  const std::string& TempFolder() const { return tempFolder_; }

 private:
  PlayState state_ = PlayState::Closed;
  std::string tempFolder_;
  PlaybackDisplays displays_;
  EntryPreparer preparer_;
  TrackSelection selection_;  // plays through controller_, bound before it is built
  PlaybackController controller_;
};

}  // namespace koru

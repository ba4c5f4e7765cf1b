// Which entry plays next: previous and next in list order or at random
// (among the unplayed entries, or weighted by rate), the repeat switch and
// the order mode switches of the "ﾗﾝﾀﾞﾑ演奏(&D)" menu.
#pragma once

#include <atomic>
#include <cstdint>

#include "medialist/media_list.h"
#include "platform/user_dialogs.h"
#include "playback/clock.h"
#include "playback/entry_player.h"
#include "playback/play_order.h"
#include "playback/playback_displays.h"
#include "playback/player_view.h"
#include "settings/settings.h"

namespace koru {

class TrackSelection {
 public:
  struct Context {
    MediaList& list;
    Settings& settings;
    PlayOrder& order;
    std::atomic<std::uint8_t>& noRepeat;
    Clock& clock;
    UserDialogs& dialogs;
    PlayerView& view;
    PlaybackDisplays& displays;
    EntryPlayer& player;
  };

  explicit TrackSelection(Context context) : c_(context) {}

  void FuncNextClick();
  void FuncPrevClick();
  // An entry of the title line's pop-up menu, by its position.
  void TitleMenuChoice(int position);

  void mnuFuncRepeatClick();
  void mnuFuncRandNoneClick();
  void mnuFuncRandOnceClick();
  void mnuFuncRandRateClick();

  // The played flags live in the entries and the check boxes mirror them, so
  // there is nothing to copy.
  void SyncPlayedFlags() {}
  void PickUnplayedTrack();
  void PickWeightedTrack();

 private:
  void Step(int direction);
  void ClearPlayedWhenAllPlayed();
  void SwitchToRandomMode(OrderMode mode, int column, const char8_t* question);

  Context c_;
};

// An entry's weight in the choice by rate: rate + 1, at least 1, so that a
// hand-edited negative rate can neither hide an entry nor bring the total
// weight below 1.
long long RateWeight(const MediaEntry& entry);

}  // namespace koru

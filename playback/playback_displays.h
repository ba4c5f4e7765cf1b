// The controls that show what playback does: the position counter, the title
// line (which also makes the window caption, the application title and the
// tray tip), the transport controls, the time slider with its seek, the
// volume bar, and the title panel's choice between them.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "medialist/media_list.h"
#include "playback/media_device.h"
#include "playback/play_state.h"
#include "playback/player_view.h"
#include "playback/volume_mixer.h"
#include "settings/settings.h"

namespace koru {

// Scroll code of the end of a drag or click (SB_ENDSCROLL, TB_ENDTRACK).
inline constexpr int kEndScroll = 8;
// The tray tip holds at most this many bytes before its NUL.
inline constexpr std::size_t kTrayTipBytes = 127;

// The caption cut to kTrayTipBytes without splitting a double-byte character.
std::string TrayTipOf(std::string_view caption);
// frmMovWn's caption: the base caption, + " - 一時停止" while paused.
std::string MovieWindowCaption(std::string_view base, bool paused);

class PlaybackDisplays {
 public:
  struct Context {
    MediaList& list;
    Settings& settings;
    MediaDevice& device;
    VolumeMixer& mixer;
    PlayerView& view;
    const PlayState& state;
    std::atomic<std::uint8_t>& noRepeat;
  };

  explicit PlaybackDisplays(Context context) : c_(context) {}

  // "[nn]<mm:ss>": rewritten when forced, or while playing when the shown
  // second changes.
  void UpdateCounter(bool force);
  // Empty text: the current entry's title. Also sets the caption and tray tip.
  void ShowStatus(std::string_view text);
  const std::string& TitleLineText() const { return titleLine_; }

  void UpdateTransportButtons(bool play, bool pause, bool next, bool prev, bool stop);
  // The pause items are checked (the device was paused at the last update).
  bool PauseChecked() const { return pauseChecked_; }

  // Range and steps of both time sliders from the device's length; only
  // while a device is open.
  void UpdateSliderRange(bool enable);
  // The time slider's scroll event with the slider's position at the time.
  void scbTitleScroll(int scrollCode, int position);

  // The title panel: title line, time slider or volume bar.
  void mnuPositionClick();
  void mnuVolumeClick();
  // Counter double-click: title -> slider -> volume -> title.
  void StepTitlePanel();
  TitlePanel CurrentTitlePanel() const { return titlePanel_; }
  // Restores a saved choice (first activation of the main window).
  void SetTitlePanel(TitlePanel panel);

  // The volume bar shows `percent`, with its hint.
  void ShowVolume(int percent);
  // The user moved the volume bar.
  void trbTitleChange(int position);

  // RefreshList: the list rows, then the counter, the document view, the
  // information panel and the title line.
  void RefreshList(bool full);

 private:
  Context c_;
  std::string titleLine_;
  long long lastShownSecond_ = -1;
  bool pauseChecked_ = false;
  TitlePanel titlePanel_ = TitlePanel::Title;
};

}  // namespace koru

#include "playback/playback_displays.h"

#include <cstdint>
#include <cstdio>

#include "platform/cp932.h"
#include "platform/program_title.h"
#include "playback/blank_reduction.h"

namespace koru {
namespace {

constexpr int kDefaultSmallDivisor = 40;
constexpr int kDefaultLargeDivisor = 4;

}  // namespace

std::string TrayTipOf(std::string_view caption) {
  std::size_t end = 0;
  while (end < caption.size()) {
    const std::size_t length = cp932::CharLength(caption, end);
    if (end + length > kTrayTipBytes) break;
    end += length;
  }
  return std::string(caption.substr(0, end));
}

std::string MovieWindowCaption(std::string_view base, bool paused) {
  std::string caption(base);
  if (paused) caption += cp932::FromUtf8(u8" - 一時停止");
  return caption;
}

void PlaybackDisplays::UpdateCounter(bool force) {
  const bool playing = c_.state == PlayState::Playing;
  long long second = 0;
  if (playing) {
    second = c_.device.Position() / 1000;
    if (!force && second == lastShownSecond_) return;
    lastShownSecond_ = second;
  }
  const int number = c_.list.CurrentIndex() + 1;
  char text[64];
  if (playing) {
    // The colon blinks: shown on even seconds.
    std::snprintf(text, sizeof text, "[%02d]<%02lld%c%02lld>", number, (second / 60) % 100, second % 2 == 0 ? ':' : ' ',
                  second % 60);
  } else {
    std::snprintf(text, sizeof text, "[%02d]<00:00>", number);
  }
  // Four digits need the smaller font to fit the counter panel.
  c_.view.SetCounter(text, number >= 1000 ? 16 : 18);
}

void PlaybackDisplays::ShowStatus(std::string_view text) {
  if (text.empty()) {
    const MediaEntry* entry = c_.list.CurrentEntry();
    if (!entry) {
      titleLine_.clear();
    } else if (c_.settings.opt.blank == 1) {
      titleLine_ = ReduceBlanks(entry->title);
    } else {
      titleLine_ = entry->title;
    }
  } else {
    titleLine_ = std::string(text);
  }
  c_.view.SetTitleLine(titleLine_);

  std::string caption = titleLine_.empty() ? std::string(kProgramTitle) : titleLine_ + " - KORU";
  if (c_.noRepeat.load() == 1) caption += cp932::FromUtf8(u8" - リピートなし");
  c_.view.SetCaption(caption, TrayTipOf(caption));
}

void PlaybackDisplays::UpdateTransportButtons(bool play, bool pause, bool next, bool prev, bool stop) {
  TransportState state;
  state.play = play;
  state.pause = pause;
  state.next = next;
  state.prev = prev;
  state.stop = stop;
  state.paused = c_.state != PlayState::Closed && c_.device.Mode() == DeviceMode::Paused;
  pauseChecked_ = state.paused;
  c_.view.SetTransport(state);
}

void PlaybackDisplays::UpdateSliderRange(bool enable) {
  if (c_.state == PlayState::Closed) return;
  const int smallDivisor = c_.settings.slider.smallStep < 1 ? kDefaultSmallDivisor : c_.settings.slider.smallStep;
  const int largeDivisor = c_.settings.slider.largeStep < 1 ? kDefaultLargeDivisor : c_.settings.slider.largeStep;
  if (enable) c_.view.EnableTimeSliders(true);
  long long maximum = c_.device.Length() / 10;
  if (maximum < 0) maximum = 0;
  if (maximum > INT32_MAX) maximum = INT32_MAX;
  SliderRange range;
  range.maximum = static_cast<int>(maximum);
  range.smallStep = range.maximum / smallDivisor;
  range.largeStep = range.maximum / largeDivisor;
  c_.view.SetTimeSliderRange(range);
}

void PlaybackDisplays::scbTitleScroll(int scrollCode, int position) {
  if (scrollCode != kEndScroll) {
    c_.list.sliderHeld = true;
    return;
  }
  // Seeking always plays from the new position, also from pause or stop.
  c_.device.Seek(static_cast<std::int64_t>(position) * 10);
  c_.device.Play();
  c_.list.sliderHeld = false;
}

void PlaybackDisplays::mnuPositionClick() {
  SetTitlePanel(titlePanel_ == TitlePanel::Slider ? TitlePanel::Title : TitlePanel::Slider);
}

void PlaybackDisplays::mnuVolumeClick() {
  SetTitlePanel(titlePanel_ == TitlePanel::Volume ? TitlePanel::Title : TitlePanel::Volume);
}

void PlaybackDisplays::StepTitlePanel() {
  if (titlePanel_ == TitlePanel::Title) {
    mnuPositionClick();
  } else {
    mnuVolumeClick();
  }
}

void PlaybackDisplays::SetTitlePanel(TitlePanel panel) {
  titlePanel_ = panel;
  c_.view.ShowTitlePanel(panel);
}

void PlaybackDisplays::ShowVolume(int percent) {
  c_.view.SetVolumeBar(percent, cp932::FromUtf8(u8"ﾎﾞﾘｭｰﾑ設定：") + std::to_string(percent) + cp932::FromUtf8(u8"％"));
}

void PlaybackDisplays::trbTitleChange(int position) {
  c_.mixer.WritePercent(position);
  ShowVolume(position);
}

void PlaybackDisplays::RefreshList(bool full) {
  c_.view.RefreshListRows(full);
  UpdateCounter(true);
  c_.view.ShowDocument(true);
  c_.view.ShowMediaInfoPanel();
  ShowStatus("");
}

}  // namespace koru

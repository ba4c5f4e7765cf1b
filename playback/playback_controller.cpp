#include "playback/playback_controller.h"

#include <cstdint>
#include <optional>

#include "desktop/sstp_scripts.h"
#include "platform/cp932.h"
#include "platform/delete_matching.h"
#include "platform/program_title.h"
#include "platform/short_path.h"

namespace koru {
namespace {

constexpr int kMaxMovieWidth = 2048;
constexpr int kMaxMovieHeight = 1536;

}  // namespace

std::string ResolveEntryPath(const std::string& entryPath, const std::string& listPath) {
  return cp932::ResolveBeside(listPath, entryPath);
}

bool IsMovie(bool hasVideo, const DisplayRect& picture) {
  const long long width = static_cast<long long>(picture.right) - picture.left;
  const long long height = static_cast<long long>(picture.bottom) - picture.top;
  return hasVideo && width >= 1 && width <= kMaxMovieWidth && height >= 1 && height <= kMaxMovieHeight;
}

void PlaybackController::CloseDevice() {
  if (c_.state == PlayState::Closed) return;
  c_.view.EnableTimeSliders(false);
  c_.device.Close();
  c_.state = PlayState::Closed;
}

void PlaybackController::PlayCurrentEntry(bool userInitiated) {
  if (c_.list.Count() == 0) return;
  if (c_.list.CurrentIndex() >= c_.list.Count() || c_.list.CurrentIndex() < 0) c_.list.SetCurrentIndex(0);
  try {
    c_.displays.UpdateCounter(true);
    c_.view.ShowDocument(false);
    c_.view.ShowMediaInfoPanel();
    c_.displays.ShowStatus("");
    CloseDevice();
    // Converted OGG files are read-only and survive as a cache.
    DeleteMatching(c_.playbackFiles, c_.tempFolder + "*.*", false);

    MediaEntry& entry = *c_.list.CurrentEntry();
    std::string path = ResolveEntryPath(entry.path, c_.list.ListPath());
    if (c_.files.KindOf(path) != PathKind::File) {
      c_.displays.ShowStatus(cp932::FromUtf8(u8"ﾒﾃﾞｨｱﾌｧｲﾙが見つかりません"));
      return;
    }
    c_.device.SetFileName(std::string());
    if (!c_.preparer.PrepareEntryFile(entry, true, path)) return;
    c_.device.SetFileName(path);
    preparedPath_ = path;
    if (c_.infoReader) c_.infoReader->Read(c_.list, path, entry);

    OpenAndPlaceMovie();

    c_.state = PlayState::Opened;
    c_.device.SetTimeFormatMilliseconds();
    entry.time = std::to_string(c_.device.Length());
    entry.played = 1;
    // Also brings back the entry's title after a conversion message.
    c_.displays.RefreshList(false);
    if (userInitiated || !c_.view.ApplicationActive()) c_.view.SelectCurrentRow();
    c_.device.SetFileName(ToShortPath(c_.playbackFiles, c_.device.FileName()));
    c_.device.Play();
    c_.state = PlayState::Playing;
    if (c_.settings.opt.sstp == 1) c_.sstp.SstpSend(kProgramTitle, sstp_script::PlayStarted(c_.displays.TitleLineText()), "");
    c_.displays.UpdateTransportButtons(false, true, true, true, true);
    c_.displays.UpdateSliderRange(true);
  } catch (...) {
    // No movie window (a black full screen least of all) stays over the
    // message on the title line.
    c_.view.HideMovieWindows();
    FuncStopClick();
    const std::string error = c_.device.LastErrorText();
    c_.displays.ShowStatus(error.empty() ? cp932::FromUtf8(u8"ﾒﾃﾞｨｱﾌｧｲﾙの演奏に失敗しました")
                                         : cp932::FromUtf8(u8"ｴﾗｰ:") + error);
  }
}

void PlaybackController::OpenAndPlaceMovie() {
  c_.device.SetDisplayWindow(0);
  c_.device.Open();
  if (c_.device.HasVideo()) movieRect_ = c_.device.DisplayRectangle();
  if (!IsMovie(c_.device.HasVideo(), movieRect_)) {
    c_.view.HideMovieWindows();
    return;
  }
  // The picture goes to a movie window only when the device opens with it.
  c_.device.Close();
  const bool ownWindow = c_.settings.opt.movew != 0;
  const MovieWindow window =
      c_.view.MovieWindowVisible(MovieWindow::FullScreen) ? MovieWindow::FullScreen : MovieWindow::Windowed;
  if (ownWindow) {
    c_.view.HideMovieWindows();
  } else {
    c_.device.SetDisplayWindow(c_.view.MoviePanel(window));
  }
  c_.device.Open();
  if (!ownWindow) c_.view.FitAndShowMovieWindow(window, movieRect_);
}

void PlaybackController::FuncSpotClick() {
  if (c_.state != PlayState::Closed) c_.device.PauseToggle();
  c_.displays.UpdateTransportButtons(false, true, true, true, true);
}

void PlaybackController::FuncStopClick() {
  if (c_.state != PlayState::Closed) {
    c_.view.EnableTimeSliders(false);
    c_.device.Stop();
    c_.state = PlayState::Opened;
  }
  c_.displays.UpdateCounter(true);
  c_.displays.UpdateTransportButtons(true, false, true, true, false);
}

bool PlaybackController::OpenForPlayabilityCheck(const std::string& path) {
  CloseDevice();
  c_.device.SetFileName(path);
  try {
    c_.device.Open();
  } catch (const MediaDeviceError&) {
    FuncStopClick();
    return false;
  }
  c_.state = PlayState::Opened;
  return true;
}

int PlaybackController::TimerInterval() const { return koru::TimerInterval(c_.settings.timer.play); }

void PlaybackController::HandleEndOfTrack() {
  const bool playsInWindow = c_.settings.opt.movnr == 1 && c_.device.GetDisplayWindow() != 0;
  if (c_.list.Count() < 2 || !c_.order.repeat || c_.noRepeat.load() == 1 || playsInWindow) {
    FuncStopClick();
    return;
  }
  ++gapTicks_;
  if (static_cast<long long>(TimerInterval()) * gapTicks_ >= static_cast<long long>(c_.settings.timer.gap) * 1000) {
    c_.selection.FuncNextClick();
    gapTicks_ = -1;
  }
}

void PlaybackController::timPlayTimer() {
  if (c_.state != PlayState::Closed) {
    const std::int64_t length = c_.device.Length();
    if (length > 0 && c_.device.Position() >= length) HandleEndOfTrack();
    if (c_.displays.PauseChecked() && c_.device.Mode() != DeviceMode::Paused) {
      c_.displays.UpdateTransportButtons(false, true, true, true, true);
    }
  }
  if (c_.state == PlayState::Playing && !c_.list.sliderHeld) {
    const std::int64_t position = c_.device.Position() / 10;
    c_.view.SetTimeSliderPosition(position > INT32_MAX ? INT32_MAX : static_cast<int>(position));
  }
  if (c_.displays.CurrentTitlePanel() == TitlePanel::Volume) {
    if (const std::optional<int> percent = c_.mixer.ReadPercent()) c_.displays.ShowVolume(*percent);
  }
  if (c_.state == PlayState::Playing) c_.displays.UpdateCounter(false);
}

}  // namespace koru

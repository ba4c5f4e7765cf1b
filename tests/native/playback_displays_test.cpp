// The counter, the title line with caption and tray tip, the transport
// marks, the time slider and the title panel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playback/blank_reduction.h"
#include "support/player_rig.h"

namespace koru {
namespace {

using testing::PlayerRig;

class PlaybackDisplaysTest : public ::testing::Test {
 protected:
  // A list of `entries` playing at `seconds` (and some milliseconds).
  void PlayingAt(int entries, int index, long long seconds) {
    rig.AddSongs(entries);
    rig.list.SetCurrentIndex(index);
    rig.controller().FuncPlayClick();
    rig.device.position = seconds * 1000 + 250;
  }
  std::string Text(const char8_t* utf8) { return PlayerRig::Text(utf8); }
  PlayerRig rig;
};

TEST_F(PlaybackDisplaysTest, CounterShowsIndexMinutesAndABlinkingColon) {
  PlayingAt(3, 1, 65);
  rig.displays().UpdateCounter(false);
  EXPECT_EQ(rig.view.counter, "[02]<01 05>");
  rig.device.position = 66000;
  rig.displays().UpdateCounter(false);
  EXPECT_EQ(rig.view.counter, "[02]<01:06>");
  // 100 minutes and more: the minutes wrap at 100.
  rig.device.position = (101 * 60 + 2) * 1000LL;
  rig.displays().UpdateCounter(false);
  EXPECT_EQ(rig.view.counter, "[02]<01:02>");
  EXPECT_EQ(rig.view.counterFont, 18);
}

TEST_F(PlaybackDisplaysTest, CounterOutsidePlayShowsNoTime) {
  PlayingAt(2, 1, 30);
  rig.controller().FuncStopClick();
  EXPECT_EQ(rig.view.counter, "[02]<00:00>");
}

TEST_F(PlaybackDisplaysTest, FourDigitIndexUsesTheSmallerFont) {
  // The counter reads only the index; no list of 1000 entries is needed.
  rig.list.SetCurrentIndex(998);
  rig.displays().UpdateCounter(true);
  EXPECT_EQ(rig.view.counter, "[999]<00:00>");
  EXPECT_EQ(rig.view.counterFont, 18);
  rig.list.SetCurrentIndex(999);
  rig.displays().UpdateCounter(true);
  EXPECT_EQ(rig.view.counter, "[1000]<00:00>");
  EXPECT_EQ(rig.view.counterFont, 16);
}

TEST_F(PlaybackDisplaysTest, BlankRunsReduceOnlyBeforeAnOrdinaryCharacter) {
  const std::string full = "\x81\x40";
  struct Case {
    std::string in, out;
  };
  const std::vector<Case> cases = {
      {"A   B", "A B"},
      {"A   ", "A   "},                                  // a run at the end stays
      {"A B", "A B"},                                    // a single blank is no run
      {"A" + full + full + full + "B", "A" + full + "B"},  // full-width runs too
      {"A  " + full + "B", "A  " + full + "B"},          // a run ended by the other kind stays
      {"A" + full + full + "  B", "A" + full + full + " B"},
      {"  A", " A"},
      {"", ""},
      // "メ" is 0x83 0x81: its trail byte and the "@" after it are no blank.
      {"\x83\x81@" + full + "B", "\x83\x81@" + full + "B"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReduceBlanks(c.in), c.out) << c.in;
}

TEST_F(PlaybackDisplaysTest, TitleLineShowsTheCurrentTitleReducedWhenAsked) {
  rig.AddSongs(1);
  rig.list.Entry(0).title = "A   B";
  rig.displays().ShowStatus("");
  EXPECT_EQ(rig.view.titleLine, "A   B");
  rig.settings.opt.blank = 1;
  rig.displays().ShowStatus("");
  EXPECT_EQ(rig.view.titleLine, "A B");
  EXPECT_EQ(rig.view.caption, "A B - KORU");
  EXPECT_EQ(rig.displays().TitleLineText(), "A B");
  // A status text is shown as it is.
  rig.displays().ShowStatus("x  y");
  EXPECT_EQ(rig.view.titleLine, "x  y");
}

TEST_F(PlaybackDisplaysTest, CaptionNamesThePlayerWhenTheTitleLineIsEmptyAndMarksNoRepeat) {
  rig.displays().ShowStatus("");  // empty list
  EXPECT_EQ(rig.view.titleLine, "");
  EXPECT_EQ(rig.view.caption, "MEDIA-PLAYER - KORU");
  rig.noRepeat = 1;
  rig.displays().ShowStatus("");
  EXPECT_EQ(rig.view.caption, Text(u8"MEDIA-PLAYER - KORU - リピートなし"));
  rig.AddSongs(1);
  rig.displays().ShowStatus("");
  EXPECT_EQ(rig.view.caption, Text(u8"[song1.mid] - KORU - リピートなし"));
  EXPECT_EQ(rig.view.trayTip, rig.view.caption);
}

TEST_F(PlaybackDisplaysTest, TrayTipIsCutAt127BytesWithoutSplittingACharacter) {
  const std::string kanji = Text(u8"曲");  // two bytes
  // The double-byte character would take bytes 126 and 127: it goes whole.
  const std::string split = std::string(126, 'a') + kanji + "tail";
  EXPECT_EQ(TrayTipOf(split), std::string(126, 'a'));
  const std::string fits = std::string(125, 'a') + kanji + "tail";
  EXPECT_EQ(TrayTipOf(fits), std::string(125, 'a') + kanji);
  EXPECT_EQ(TrayTipOf(std::string(200, 'b')), std::string(127, 'b'));
  EXPECT_EQ(TrayTipOf("short"), "short");

  rig.displays().ShowStatus(std::string(120, 'c'));
  EXPECT_EQ(rig.view.caption.size(), 127u);  // 120 + " - KORU"
  EXPECT_EQ(rig.view.trayTip, rig.view.caption);
  rig.displays().ShowStatus(std::string(121, 'c'));
  EXPECT_EQ(rig.view.trayTip, std::string(121, 'c') + " - KOR");
}

TEST_F(PlaybackDisplaysTest, PauseMarkFollowsTheDeviceOnlyWhileOpen) {
  rig.device.mode = DeviceMode::Paused;  // whatever a closed device says
  rig.displays().UpdateTransportButtons(true, false, true, true, false);
  EXPECT_FALSE(rig.view.transport.paused);
  EXPECT_FALSE(rig.displays().PauseChecked());

  PlayingAt(1, 0, 1);
  rig.device.mode = DeviceMode::Paused;
  rig.displays().UpdateTransportButtons(false, true, true, true, true);
  EXPECT_TRUE(rig.view.transport.paused);
  EXPECT_TRUE(rig.displays().PauseChecked());

  EXPECT_EQ(MovieWindowCaption("Movie", true), Text(u8"Movie - 一時停止"));
  EXPECT_EQ(MovieWindowCaption("Movie", false), "Movie");
}

TEST_F(PlaybackDisplaysTest, SliderStepsFallBackWhenTheSettingsGiveNone) {
  rig.device.media["C:\\Music\\song1.mid"].length = 123456;
  PlayingAt(1, 0, 0);
  EXPECT_EQ(rig.view.sliderRange.maximum, 12345);

  rig.settings.slider.smallStep = 0;
  rig.settings.slider.largeStep = -3;
  rig.displays().UpdateSliderRange(false);
  EXPECT_EQ(rig.view.sliderRange.smallStep, 12345 / 40);
  EXPECT_EQ(rig.view.sliderRange.largeStep, 12345 / 4);

  rig.settings.slider.smallStep = 100;
  rig.settings.slider.largeStep = 10;
  rig.view.slidersEnabled.reset();
  rig.displays().UpdateSliderRange(false);  // steps only: the enabled state is left alone
  EXPECT_EQ(rig.view.sliderRange.smallStep, 123);
  EXPECT_EQ(rig.view.sliderRange.largeStep, 1234);
  EXPECT_FALSE(rig.view.slidersEnabled.has_value());
}

TEST_F(PlaybackDisplaysTest, SliderRangeIsLeftAloneWithoutADevice) {
  rig.displays().UpdateSliderRange(true);
  EXPECT_FALSE(rig.view.slidersEnabled.has_value());
  EXPECT_EQ(rig.view.sliderRange.maximum, 0);
}

TEST_F(PlaybackDisplaysTest, SeekHappensWhenTheSliderIsLetGo) {
  PlayingAt(1, 0, 5);
  rig.controller().FuncStopClick();
  const std::size_t logged = rig.device.log.size();
  for (int code : {0, 1, 2, 3, 4, 5, 6, 7}) {
    rig.displays().scbTitleScroll(code, 777);
    EXPECT_TRUE(rig.list.sliderHeld);
  }
  EXPECT_EQ(rig.device.log.size(), logged);
  // Positions count in 10 ms units, beyond 16 bits.
  rig.displays().scbTitleScroll(kEndScroll, 2000000);
  EXPECT_FALSE(rig.list.sliderHeld);
  EXPECT_EQ(rig.device.log[logged], "seek 20000000");
  EXPECT_EQ(rig.device.log[logged + 1], "play");
  EXPECT_EQ(rig.device.mode, DeviceMode::Playing);  // a seek after stop plays
}

TEST_F(PlaybackDisplaysTest, TitlePanelSwitchesBetweenTitleSliderAndVolume) {
  auto& d = rig.displays();
  d.mnuPositionClick();
  EXPECT_EQ(rig.view.titlePanel, TitlePanel::Slider);
  d.mnuPositionClick();
  EXPECT_EQ(rig.view.titlePanel, TitlePanel::Title);
  d.mnuPositionClick();
  d.mnuVolumeClick();  // from the slider straight to the volume bar
  EXPECT_EQ(rig.view.titlePanel, TitlePanel::Volume);
  d.mnuPositionClick();
  EXPECT_EQ(rig.view.titlePanel, TitlePanel::Slider);

  // The counter's double-click steps title -> slider -> volume -> title.
  d.SetTitlePanel(TitlePanel::Title);
  std::vector<TitlePanel> seen;
  for (int i = 0; i < 3; ++i) {
    d.StepTitlePanel();
    seen.push_back(d.CurrentTitlePanel());
  }
  EXPECT_EQ(seen, (std::vector<TitlePanel>{TitlePanel::Slider, TitlePanel::Volume, TitlePanel::Title}));
}

TEST_F(PlaybackDisplaysTest, VolumeBarWritesTheMixerAndShowsItsHint) {
  rig.displays().trbTitleChange(50);
  EXPECT_EQ(rig.mixer.written, std::vector<int>{50});
  EXPECT_EQ(rig.view.volumeBar, 50);
  EXPECT_EQ(rig.view.volumeHint, Text(u8"ﾎﾞﾘｭｰﾑ設定：50％"));
}

TEST_F(PlaybackDisplaysTest, ListRefreshAlsoRedrawsCounterDocumentPanelAndTitle) {
  rig.AddSongs(2);
  rig.list.SetCurrentIndex(1);
  rig.displays().ShowStatus("busy");
  rig.displays().RefreshList(true);
  EXPECT_EQ(rig.view.rowRefreshes, std::vector<bool>{true});
  EXPECT_EQ(rig.view.counter, "[02]<00:00>");
  EXPECT_EQ(rig.view.documents, std::vector<bool>{true});
  EXPECT_EQ(rig.view.infoPanels, 1);
  EXPECT_EQ(rig.view.titleLine, "[song2.mid]");
}

}  // namespace
}  // namespace koru

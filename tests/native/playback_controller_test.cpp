// The playback controller over a fake device, view and file system: the
// state table, every failure text, the movie decision, the end of a track.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/player_rig.h"

namespace koru {
namespace {

using testing::FakeMedium;
using testing::FakePlayerView;
using testing::PlayerRig;

class PlaybackControllerTest : public ::testing::Test {
 protected:
  PlayerRig rig;
  std::string Text(const char8_t* utf8) { return PlayerRig::Text(utf8); }
  // Lets the current track reach its end.
  void ReachEnd() { rig.device.position = rig.device.Length(); }
  int CountOf(const std::string& entry) { return rig.device.Count(entry); }
};

TEST_F(PlaybackControllerTest, EmptyListPlaysNothingAndChangesNothing) {
  rig.controller().FuncPlayClick();
  EXPECT_TRUE(rig.device.log.empty());
  EXPECT_EQ(rig.controller().State(), PlayState::Closed);
  EXPECT_TRUE(rig.view.titleHistory.empty());
  EXPECT_EQ(rig.view.counterWrites, 0);
}

TEST_F(PlaybackControllerTest, PlayOpensMarksAndStartsTheCurrentEntry) {
  rig.AddSongs(3);
  rig.list.SetCurrentIndex(7);  // beyond the list: play starts at the first entry
  rig.controller().FuncPlayClick();

  EXPECT_EQ(rig.list.CurrentIndex(), 0);
  EXPECT_EQ(rig.controller().State(), PlayState::Playing);
  EXPECT_EQ(rig.device.log, (std::vector<std::string>{"open C:\\Music\\song1.mid 0", "play"}));
  const MediaEntry& entry = rig.list.Entry(0);
  EXPECT_EQ(entry.played, 1);
  EXPECT_EQ(entry.time, "60000");
  EXPECT_EQ(rig.infoReader.paths, std::vector<std::string>{"C:\\Music\\song1.mid"});
  EXPECT_EQ(rig.view.rowRefreshes, std::vector<bool>{false});
  EXPECT_EQ(rig.view.rowSelections, 1);
  EXPECT_EQ(rig.view.moviesHidden, 1);
  EXPECT_EQ(rig.view.titleLine, "[song1.mid]");
  EXPECT_EQ(rig.view.caption, "[song1.mid] - KORU");

  const TransportState& t = rig.view.transport;
  EXPECT_FALSE(t.play);
  EXPECT_TRUE(t.pause && t.next && t.prev && t.stop);
  EXPECT_FALSE(t.paused);
  EXPECT_EQ(rig.view.slidersEnabled, true);
  EXPECT_EQ(rig.view.sliderRange.maximum, 6000);
  EXPECT_EQ(rig.view.sliderRange.smallStep, 150);
  EXPECT_EQ(rig.view.sliderRange.largeStep, 1500);
}

TEST_F(PlaybackControllerTest, PlayingAgainClosesThePreviousMediumFirst) {
  rig.AddSongs(2);
  rig.controller().FuncPlayClick();
  rig.list.SetCurrentIndex(1);
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.device.log, (std::vector<std::string>{"open C:\\Music\\song1.mid 0", "play", "close",
                                                      "open C:\\Music\\song2.mid 0", "play"}));
}

TEST_F(PlaybackControllerTest, AutomaticStartSelectsTheRowOnlyWhenThePlayerIsNotActive) {
  rig.AddSongs(1);
  rig.view.active = true;
  rig.controller().PlayCurrentEntry(false);
  EXPECT_EQ(rig.view.rowSelections, 0);
  rig.view.active = false;
  rig.controller().PlayCurrentEntry(false);
  EXPECT_EQ(rig.view.rowSelections, 1);
}

TEST_F(PlaybackControllerTest, EntryWithoutFolderLiesBesideTheListFile) {
  rig.list.SetListPath("D:\\Lists\\mine.mpl");
  rig.files.AddFile("D:\\Lists\\tune.mid", "data");
  rig.list.AddEntry("tune.mid", "");
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.device.log.front(), "open D:\\Lists\\tune.mid 0");

  // Only a path with a drive or a leading backslash says where it lies.
  for (auto [entry, resolved] : {std::pair{"sub\\c.wav", "D:\\Lists\\sub\\c.wav"},
                                 std::pair{"E:\\m\\c.wav", "E:\\m\\c.wav"}, std::pair{"\\m\\c.wav", "\\m\\c.wav"},
                                 std::pair{"\\\\server\\share\\c.wav", "\\\\server\\share\\c.wav"}}) {
    EXPECT_EQ(ResolveEntryPath(entry, rig.list.ListPath()), resolved) << entry;
  }
}

TEST_F(PlaybackControllerTest, MissingFileIsReportedWithTheDeviceClosed) {
  rig.AddSongs(2);
  rig.controller().FuncPlayClick();
  rig.files.RemoveFile("C:\\Music\\song2.mid");
  rig.list.SetCurrentIndex(1);
  rig.controller().FuncPlayClick();

  EXPECT_EQ(rig.view.titleLine, Text(u8"ﾒﾃﾞｨｱﾌｧｲﾙが見つかりません"));
  EXPECT_EQ(rig.controller().State(), PlayState::Closed);
  EXPECT_FALSE(rig.device.IsOpen());
  EXPECT_EQ(rig.view.slidersEnabled, false);
  EXPECT_EQ(CountOf("open C:\\Music\\song2.mid 0"), 0);
}

TEST_F(PlaybackControllerTest, DeviceErrorStopsAndShowsTheDeviceText) {
  rig.AddSongs(2);
  rig.controller().FuncPlayClick();
  rig.device.media["C:\\Music\\song2.mid"].openError = Text(u8"ﾃﾞﾊﾞｲｽが使用中です");
  rig.list.SetCurrentIndex(1);
  rig.controller().FuncPlayClick();

  EXPECT_EQ(rig.view.titleLine, Text(u8"ｴﾗｰ:ﾃﾞﾊﾞｲｽが使用中です"));
  EXPECT_EQ(rig.view.caption, Text(u8"ｴﾗｰ:ﾃﾞﾊﾞｲｽが使用中です - KORU"));
  // The previous medium was closed before; the stop command then ran on a
  // closed device: stopped transport, counter without time.
  EXPECT_EQ(rig.controller().State(), PlayState::Closed);
  EXPECT_EQ(CountOf("stop"), 0);
  EXPECT_TRUE(rig.view.transport.play);
  EXPECT_FALSE(rig.view.transport.pause);
  EXPECT_FALSE(rig.view.transport.stop);
  EXPECT_EQ(rig.view.counter, "[02]<00:00>");
  EXPECT_EQ(rig.list.Entry(1).played, 0);
}

TEST_F(PlaybackControllerTest, DeviceWithoutErrorTextGivesTheGenericFailure) {
  rig.AddSongs(1);
  rig.device.media["C:\\Music\\song1.mid"].openError = "MCI error 263";
  rig.device.describesErrors = false;
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.view.titleLine, Text(u8"ﾒﾃﾞｨｱﾌｧｲﾙの演奏に失敗しました"));
}

TEST_F(PlaybackControllerTest, TemporaryFolderIsEmptiedButCachedConversionsStay) {
  rig.AddSongs(1);
  auto& temp = rig.tempFiles;
  temp.files["C:\\TEMP\\KORUTEMP\\old.mid"] = false;
  temp.files["C:\\TEMP\\KORUTEMP\\a.ogg.wav"] = true;
  temp.folders.insert("C:\\TEMP\\KORUTEMP\\sub");
  temp.files["C:\\TEMP\\KORUTEMP\\sub\\readme.txt"] = false;
  rig.controller().FuncPlayClick();
  EXPECT_EQ(temp.files.size(), 1u);
  EXPECT_EQ(temp.files.count("C:\\TEMP\\KORUTEMP\\a.ogg.wav"), 1u);
  EXPECT_TRUE(temp.folders.empty());
}

TEST_F(PlaybackControllerTest, DeviceGetsTheShortPathBeforePlaying) {
  rig.AddSongs(1);
  rig.tempFiles.shortNames["C:\\Music\\song1.mid"] = "SONG1~1.MID";
  rig.tempFiles.shortNames["C:\\Music"] = "MUSIC~1";
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.device.FileName(), "C:\\MUSIC~1\\SONG1~1.MID");
  EXPECT_EQ(rig.device.log.front(), "open C:\\Music\\song1.mid 0");
}

TEST_F(PlaybackControllerTest, MascotHearsOfEachSongOnlyWhenAsked) {
  rig.AddSongs(2);
  rig.controller().FuncPlayClick();
  EXPECT_TRUE(rig.sstp.scripts.empty());

  rig.settings.opt.sstp = 1;
  rig.controller().FuncPlayClick();
  ASSERT_EQ(rig.sstp.scripts.size(), 1u);
  EXPECT_EQ(rig.sstp.scripts[0],
            Text(u8"\\h\\s0MEDIA-PLAYER - KORU が、\\n\\n[song1.mid]\\n\\nという曲の演奏を始めたよ。"));
  EXPECT_EQ(rig.sstp.sender, "MEDIA-PLAYER - KORU");
  EXPECT_EQ(rig.sstp.option, "");
}

// The movie decision: the picture's size as the device reports it.
struct MovieCase {
  bool hasVideo;
  DisplayRect picture;
  bool movie;
};

TEST_F(PlaybackControllerTest, OnlyVideoWithAPictureWithinTheLimitsIsAMovie) {
  const std::vector<MovieCase> cases = {
      {true, {0, 0, 2048, 1536}, true},   {true, {10, 10, 11, 11}, true},    {true, {0, 0, 2049, 100}, false},
      {true, {0, 0, 100, 1537}, false},   {true, {0, 5, 100, 5}, false},     {true, {0, 0, 0, 100}, false},
      {true, {50, 0, 10, 100}, false},    {false, {0, 0, 640, 480}, false},
  };
  for (const MovieCase& c : cases) {
    EXPECT_EQ(IsMovie(c.hasVideo, c.picture), c.movie)
        << c.picture.left << "," << c.picture.top << "," << c.picture.right << "," << c.picture.bottom;
  }
}

TEST_F(PlaybackControllerTest, SoundOnlyMediumHidesTheMovieWindows) {
  rig.AddSongs(1);
  rig.device.media["C:\\Music\\song1.mid"] = FakeMedium{60000, true, {0, 0, 2049, 300}, ""};
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.view.moviesHidden, 1);
  EXPECT_TRUE(rig.view.moviesShown.empty());
  EXPECT_EQ(CountOf("open C:\\Music\\song1.mid 0"), 1);
}

TEST_F(PlaybackControllerTest, MovieIsReopenedIntoTheVisibleMovieWindow) {
  rig.AddSongs(1);
  const DisplayRect picture{0, 0, 640, 480};
  rig.device.media["C:\\Music\\song1.mid"] = FakeMedium{60000, true, picture, ""};
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.device.log, (std::vector<std::string>{"open C:\\Music\\song1.mid 0", "close",
                                                      "open C:\\Music\\song1.mid 256", "play"}));
  EXPECT_EQ(rig.view.moviesShown, std::vector<MovieWindow>{MovieWindow::Windowed});
  EXPECT_EQ(rig.view.fittedPicture.right, 640);
  EXPECT_EQ(rig.controller().MovieRect().bottom, 480);

  rig.view.fullScreenVisible = true;
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.device.log[rig.device.log.size() - 2], "open C:\\Music\\song1.mid 512");
  EXPECT_EQ(rig.view.moviesShown.back(), MovieWindow::FullScreen);
}

TEST_F(PlaybackControllerTest, AFailedPlayHidesTheMovieWindowsOverItsMessage) {
  rig.AddSongs(1);
  rig.device.media["C:\\Music\\song1.mid"] = FakeMedium{60000, true, {0, 0, 320, 240}, ""};
  rig.controller().FuncPlayClick();
  ASSERT_EQ(rig.view.moviesShown.size(), 1u);
  ASSERT_EQ(rig.view.moviesHidden, 0);
  rig.device.media["C:\\Music\\song1.mid"].openError = "broken";
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.view.moviesHidden, 1);
  EXPECT_EQ(rig.view.moviesShown.size(), 1u);
}

TEST_F(PlaybackControllerTest, MovieInTheDevicesOwnWindowHidesOurs) {
  rig.AddSongs(1);
  rig.settings.opt.movew = 1;
  rig.device.media["C:\\Music\\song1.mid"] = FakeMedium{60000, true, {0, 0, 320, 240}, ""};
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.device.log, (std::vector<std::string>{"open C:\\Music\\song1.mid 0", "close",
                                                      "open C:\\Music\\song1.mid 0", "play"}));
  EXPECT_EQ(rig.view.moviesHidden, 1);
  EXPECT_TRUE(rig.view.moviesShown.empty());
}

TEST_F(PlaybackControllerTest, ArchiveMemberIsExtractedWithItsCompanions) {
  rig.files.AddFile("C:\\Music\\pack.lzh", "archive");
  rig.list.AddEntry("C:\\Music\\pack.lzh", "sub\\tune.mid");
  rig.extractor.writes = {"sub\\tune.mid", "sub\\tune.txt"};
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.extractor.calls,
            std::vector<std::string>{"C:\\Music\\pack.lzh|C:\\TEMP\\KORUTEMP\\|\"sub\\tune.*\""});
  EXPECT_EQ(rig.device.log.front(), "open C:\\TEMP\\KORUTEMP\\sub\\tune.mid 0");
  EXPECT_EQ(rig.infoReader.paths.back(), "C:\\TEMP\\KORUTEMP\\sub\\tune.mid");

  rig.extractor.result = 1;
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.view.titleLine, Text(u8"ﾒﾃﾞｨｱﾌｧｲﾙが解凍できません"));
  EXPECT_EQ(rig.controller().State(), PlayState::Closed);
}

TEST_F(PlaybackControllerTest, AMemberTheLibraryPutInAStoredFolderIsFoundBelowTheTemporaryFolder) {
  rig.files.AddFile("C:\\Music\\songs.zip", "archive");
  rig.list.AddEntry("C:\\Music\\songs.zip", "tune.mid");
  // The shallowest copy wins, then the first by name; links are not entered.
  rig.extractor.writes = {"zz\\deep\\tune.mid", "b\\TUNE.MID", "a\\tune.txt", "a\\x\\tune.mid", "link\\tune.mid"};
  rig.files.AddLink("C:\\TEMP\\KORUTEMP\\link");
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.device.log.front(), "open C:\\TEMP\\KORUTEMP\\b\\TUNE.MID 0");
}

TEST_F(PlaybackControllerTest, ExtractionFailsVisiblyWithoutReachingTheLibraryOrTheDevice) {
  const std::string failure = Text(u8"ﾒﾃﾞｨｱﾌｧｲﾙが解凍できません");
  struct Case {
    const char* member;
    std::vector<std::string> writes;
    bool linkedTemp;
    bool reachesLibrary;
  };
  const Case cases[] = {
      {"tune.mid", {}, false, true},                  // "success" with nothing written
      {"tune.mid", {"tune.mid"}, true, false},        // the temporary folder is a link
      {"..\\..\\tune.mid", {"tune.mid"}, false, false},  // a list file's hostile member
      {"C:\\x\\tune.mid", {}, false, false},
      {"-x.mid", {}, false, false},
      {"a\"b.mid", {}, false, false},
  };
  for (const Case& c : cases) {
    PlayerRig fresh;
    fresh.files.AddFile("C:\\Music\\songs.zip", "archive");
    fresh.list.AddEntry("C:\\Music\\songs.zip", c.member);
    fresh.extractor.writes = c.writes;
    if (c.linkedTemp) fresh.tempFiles.links.insert("C:\\TEMP\\KORUTEMP");
    fresh.controller().FuncPlayClick();
    EXPECT_EQ(fresh.view.titleLine, failure) << c.member;
    EXPECT_EQ(fresh.extractor.calls.size(), c.reachesLibrary ? 1u : 0u) << c.member;
    EXPECT_TRUE(fresh.device.log.empty()) << c.member;
  }
}

TEST_F(PlaybackControllerTest, RcpAndOggMembersOfAnArchiveAreOnlyExtracted) {
  rig.files.AddFile("C:\\Music\\pack.zip", "archive");
  rig.rcp.throws = true;  // a conversion would fail the play
  for (const char* member : {"tune.rcp", "tune.ogg"}) {
    rig.list.AddEntry("C:\\Music\\pack.zip", member);
    rig.extractor.writes = {member};
    rig.list.SetCurrentIndex(rig.list.Count() - 1);
    rig.controller().FuncPlayClick();
    EXPECT_EQ(CountOf(std::string("open C:\\TEMP\\KORUTEMP\\") + member + " 0"), 1) << member;
  }
  EXPECT_EQ(rig.extractor.calls.size(), 2u);
  EXPECT_TRUE(rig.ogg.log.empty());
}

TEST_F(PlaybackControllerTest, RcpFileIsConvertedBesideTheOthersAndFailsVisibly) {
  rig.AddSongs(1, ".rcp");
  rig.rcp.smf = std::string("MThd\0\0\0\6", 8);
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.files.Contents("C:\\TEMP\\KORUTEMP\\song1.rcp.mid"), std::string("MThd\0\0\0\6", 8));
  EXPECT_EQ(rig.device.log.front(), "open C:\\TEMP\\KORUTEMP\\song1.rcp.mid 0");

  const std::string failure = Text(u8"RCPﾌｧｲﾙが変換できません");
  rig.rcp.smf.reset();  // no conversion object
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.view.titleLine, failure);
  EXPECT_EQ(rig.controller().State(), PlayState::Closed);

  rig.rcp.throws = true;  // the library is missing
  rig.view.titleLine.clear();
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.view.titleLine, failure);

  rig.rcp.throws = false;
  rig.rcp.smf = "MThd";
  rig.files.FailWritesTo("C:\\TEMP\\KORUTEMP\\song1.rcp.mid");
  rig.view.titleLine.clear();
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.view.titleLine, failure);
}

TEST_F(PlaybackControllerTest, OggFileIsDecodedOnceAndKeptReadOnly) {
  rig.AddSongs(1, ".ogg");
  rig.controller().FuncPlayClick();
  const std::string wav = "C:\\TEMP\\KORUTEMP\\song1.ogg.wav";
  EXPECT_EQ(rig.ogg.log, (std::vector<std::string>{"load", "decode C:\\Music\\song1.ogg " + wav, "unload"}));
  EXPECT_EQ(rig.tempFiles.files[wav], true);
  EXPECT_EQ(rig.view.hourglass, (std::vector<bool>{true, false}));
  // The conversion message gives way to the title once the entry opens.
  const auto& titles = rig.view.titleHistory;
  EXPECT_NE(std::find(titles.begin(), titles.end(), Text(u8"OGGﾌｧｲﾙを変換中です…")), titles.end());
  EXPECT_EQ(rig.view.titleLine, "[song1.ogg]");
  EXPECT_EQ(rig.device.log.front(), "open " + wav + " 0");

  // Found in the cache: nothing is decoded.
  rig.ogg.log.clear();
  rig.controller().FuncPlayClick();
  EXPECT_TRUE(rig.ogg.log.empty());
  EXPECT_EQ(rig.controller().State(), PlayState::Playing);
}

TEST_F(PlaybackControllerTest, OggDecodingFailureIsShownAndTheDeviceStaysClosed) {
  rig.AddSongs(1, ".ogg");
  rig.ogg.decodeThrows = true;
  rig.controller().FuncPlayClick();
  EXPECT_EQ(rig.ogg.log.back(), "unload");
  EXPECT_EQ(rig.view.hourglass, (std::vector<bool>{true, false}));
  EXPECT_TRUE(rig.device.log.empty());
  EXPECT_EQ(rig.view.titleLine, Text(u8"OGGﾌｧｲﾙが変換できません"));
  EXPECT_EQ(rig.controller().State(), PlayState::Closed);
}

TEST_F(PlaybackControllerTest, PreparingWithoutReportShowsNothing) {
  rig.AddSongs(1, ".rcp");
  rig.rcp.smf.reset();
  std::string path = "C:\\Music\\song1.rcp";
  EXPECT_FALSE(rig.controller().PrepareEntryFile(rig.list.Entry(0), false, path));
  rig.AddSongs(1, ".ogg");
  path = "C:\\Music\\song2.ogg";
  EXPECT_TRUE(rig.controller().PrepareEntryFile(rig.list.Entry(1), false, path));
  EXPECT_EQ(path, "C:\\TEMP\\KORUTEMP\\song2.ogg.wav");
  EXPECT_TRUE(rig.view.titleHistory.empty());
}

TEST_F(PlaybackControllerTest, FileOfAnUnplayableCategoryFailsSilently) {
  rig.AddSongs(1, ".txt");
  rig.controller().FuncPlayClick();
  EXPECT_TRUE(rig.device.log.empty());
  EXPECT_EQ(rig.view.titleLine, "[song1.txt]");
}

TEST_F(PlaybackControllerTest, StopPauseAndPlayFollowTheStateTable) {
  rig.AddSongs(1);
  // Closed: stop touches only counter and buttons.
  rig.controller().FuncStopClick();
  EXPECT_TRUE(rig.device.log.empty());
  EXPECT_EQ(rig.controller().State(), PlayState::Closed);
  EXPECT_EQ(rig.view.counter, "[01]<00:00>");
  EXPECT_TRUE(rig.view.transport.play);
  EXPECT_FALSE(rig.view.transport.stop);
  // Pause while closed does not reach the device.
  rig.controller().FuncSpotClick();
  EXPECT_EQ(CountOf("pause"), 0);

  rig.controller().FuncPlayClick();
  rig.controller().FuncSpotClick();
  EXPECT_EQ(rig.controller().State(), PlayState::Playing);
  EXPECT_TRUE(rig.view.transport.paused);
  rig.controller().FuncSpotClick();  // pause while paused resumes
  EXPECT_EQ(rig.device.mode, DeviceMode::Playing);
  EXPECT_FALSE(rig.view.transport.paused);

  rig.device.position = 12345;
  rig.controller().FuncStopClick();
  EXPECT_EQ(rig.controller().State(), PlayState::Opened);
  EXPECT_EQ(rig.view.slidersEnabled, false);
  EXPECT_EQ(rig.view.counter, "[01]<00:00>");
  rig.controller().FuncStopClick();  // Opened: the device is stopped again
  EXPECT_EQ(rig.controller().State(), PlayState::Opened);
  EXPECT_EQ(CountOf("stop"), 2);
}

TEST_F(PlaybackControllerTest, PlayabilityCheckOpensOrRunsTheStopCommand) {
  rig.AddSongs(1);
  rig.controller().FuncPlayClick();
  EXPECT_TRUE(rig.controller().OpenForPlayabilityCheck("C:\\new\\a.xyz"));
  EXPECT_EQ(rig.controller().State(), PlayState::Opened);
  EXPECT_EQ(rig.device.log.back(), "open C:\\new\\a.xyz 0");
  EXPECT_EQ(rig.view.slidersEnabled, false);

  rig.device.media["C:\\new\\b.xyz"].openError = "unknown type";
  rig.view.titleLine.clear();
  EXPECT_FALSE(rig.controller().OpenForPlayabilityCheck("C:\\new\\b.xyz"));
  EXPECT_EQ(rig.controller().State(), PlayState::Closed);
  EXPECT_TRUE(rig.view.transport.play);
  EXPECT_EQ(rig.view.titleLine, "");
}

// End of track: the timer either stops or moves on.
class PlaybackEndOfTrack : public PlaybackControllerTest {
 protected:
  void StartAt(int entries, int index) {
    rig.AddSongs(entries);
    rig.list.SetCurrentIndex(index);
    rig.controller().FuncPlayClick();
    ReachEnd();
  }
  int Opens() { return static_cast<int>(std::count_if(rig.device.log.begin(), rig.device.log.end(),
                                                      [](const std::string& s) { return s.rfind("open", 0) == 0; })); }
};

TEST_F(PlaybackEndOfTrack, RepeatMovesToTheNextTrackOnTheFirstTick) {
  StartAt(3, 2);
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.list.CurrentIndex(), 0);  // wrapped
  EXPECT_EQ(rig.controller().State(), PlayState::Playing);
  EXPECT_EQ(rig.controller().GapTicks(), -1);
  EXPECT_EQ(rig.view.rowSelections, 2);  // the new row is always revealed
}

TEST_F(PlaybackEndOfTrack, StopsWithoutRepeatAndAgainOnEveryTick) {
  struct Case {
    int entries;
    bool repeat;
    std::uint8_t noRepeat;
  };
  for (const Case c : {Case{1, true, 0}, Case{3, false, 0}, Case{3, true, 1}}) {
    PlayerRig fresh;
    fresh.AddSongs(c.entries);
    fresh.order.repeat = c.repeat;
    fresh.noRepeat = c.noRepeat;
    fresh.controller().FuncPlayClick();
    fresh.device.position = fresh.device.Length();
    fresh.controller().timPlayTimer();
    fresh.controller().timPlayTimer();
    EXPECT_EQ(fresh.controller().State(), PlayState::Opened) << c.entries << c.repeat << int{c.noRepeat};
    EXPECT_EQ(fresh.device.Count("stop"), 2);
    EXPECT_EQ(fresh.list.CurrentIndex(), 0);
    EXPECT_TRUE(fresh.view.transport.play);
  }
}

TEST_F(PlaybackEndOfTrack, MovieInAWindowStopsWhenAskedTo) {
  rig.settings.opt.movnr = 1;
  rig.device.media["C:\\Music\\song1.mid"] = FakeMedium{60000, true, {0, 0, 320, 240}, ""};
  StartAt(2, 0);
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.controller().State(), PlayState::Opened);
  EXPECT_EQ(rig.list.CurrentIndex(), 0);

  // Sound needs no window: it moves on.
  rig.list.SetCurrentIndex(1);
  rig.controller().FuncPlayClick();
  ReachEnd();
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.list.CurrentIndex(), 0);
  EXPECT_EQ(rig.controller().State(), PlayState::Playing);
}

TEST_F(PlaybackEndOfTrack, GapIsCountedInTicks) {
  rig.settings.timer.gap = 3;  // at the default 100 ms
  StartAt(2, 0);
  const int opensBefore = Opens();
  for (int tick = 1; tick <= 30; ++tick) rig.controller().timPlayTimer();
  EXPECT_EQ(Opens(), opensBefore);
  EXPECT_EQ(rig.controller().GapTicks(), 29);
  rig.controller().timPlayTimer();  // the 31st tick at the end
  EXPECT_EQ(Opens(), opensBefore + 1);
  EXPECT_EQ(rig.list.CurrentIndex(), 1);
  EXPECT_EQ(rig.controller().GapTicks(), -1);
}

TEST_F(PlaybackEndOfTrack, GapFollowsTheTimerInterval) {
  rig.settings.timer.gap = 1;
  rig.settings.timer.play = 250;
  StartAt(2, 0);
  for (int tick = 1; tick <= 4; ++tick) rig.controller().timPlayTimer();
  EXPECT_EQ(rig.list.CurrentIndex(), 0);
  rig.controller().timPlayTimer();  // 250 * 4 >= 1000
  EXPECT_EQ(rig.list.CurrentIndex(), 1);
}

TEST_F(PlaybackEndOfTrack, ZeroLengthIsNeverAnEnd) {
  rig.device.media["C:\\Music\\song1.mid"].length = 0;
  StartAt(2, 0);
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.controller().State(), PlayState::Playing);
  EXPECT_EQ(rig.list.CurrentIndex(), 0);
}

TEST_F(PlaybackControllerTest, TickMovesTheSliderUnlessHeldAndFollowsTheVolume) {
  rig.AddSongs(1);
  rig.controller().FuncPlayClick();
  rig.device.position = 12345;
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.view.sliderPosition, 1234);

  rig.list.sliderHeld = true;
  rig.device.position = 20000;
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.view.sliderPosition, 1234);

  // The volume bar is read only while it is shown, and only when readable.
  rig.mixer.percent = 35;
  rig.controller().timPlayTimer();
  EXPECT_FALSE(rig.view.volumeBar.has_value());
  rig.displays().mnuVolumeClick();
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.view.volumeBar, 35);
  rig.mixer.percent.reset();
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.view.volumeBar, 35);
}

TEST_F(PlaybackControllerTest, TickRewritesTheCounterOnlyWhenTheSecondChanges) {
  rig.AddSongs(1);
  rig.controller().FuncPlayClick();
  rig.device.position = 1500;
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.view.counter, "[01]<00 01>");
  const int writes = rig.view.counterWrites;
  rig.device.position = 1900;
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.view.counterWrites, writes);
  rig.device.position = 2000;
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.view.counter, "[01]<00:02>");
}

TEST_F(PlaybackControllerTest, TickClearsAPauseMarkTheDeviceNoLongerHas) {
  rig.AddSongs(1);
  rig.controller().FuncPlayClick();
  rig.controller().FuncSpotClick();
  ASSERT_TRUE(rig.view.transport.paused);
  const int updates = rig.view.transportUpdates;
  rig.controller().timPlayTimer();
  EXPECT_EQ(rig.view.transportUpdates, updates);  // still paused: untouched
  rig.device.mode = DeviceMode::Playing;  // resumed elsewhere
  rig.controller().timPlayTimer();
  EXPECT_FALSE(rig.view.transport.paused);
  EXPECT_TRUE(rig.view.transport.stop);
}

}  // namespace
}  // namespace koru

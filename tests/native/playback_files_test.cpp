// Emptying the temporary folder and the short form of the device's path.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"
#include "platform/delete_matching.h"
#include "platform/short_path.h"
#include "support/playback_fakes.h"

namespace koru {
namespace {

using testing::FakePlaybackFiles;

TEST(PlaybackFiles, DeleteMatchingEmptiesSubfoldersAndKeepsReadOnlyFilesUnlessAsked) {
  FakePlaybackFiles temp;
  temp.files = {{"T\\a.mid", false}, {"T\\a.ogg.wav", true}, {"T\\x\\b.txt", false}, {"T\\x\\y\\c.jpg", false},
                {"T\\x\\y\\d.wav", true}};
  temp.folders = {"T\\x", "T\\x\\y"};

  DeleteMatching(temp, "T\\*.*", false);
  // The read-only files stay, and so do the folders holding them.
  EXPECT_EQ(temp.files.size(), 2u);
  EXPECT_EQ(temp.files.count("T\\a.ogg.wav"), 1u);
  EXPECT_EQ(temp.files.count("T\\x\\y\\d.wav"), 1u);
  EXPECT_EQ(temp.folders.size(), 2u);

  DeleteMatching(temp, "T\\*.*", true);  // the end of the program
  EXPECT_TRUE(temp.files.empty());
  EXPECT_TRUE(temp.folders.empty());
}

TEST(PlaybackFiles, DeleteMatchingNeverEntersALink) {
  FakePlaybackFiles temp;
  temp.folders = {"T\\link"};
  temp.links = {"T\\link"};
  temp.files = {{"T\\link\\precious.mid", false}};
  DeleteMatching(temp, "T\\*.*", true);
  EXPECT_EQ(temp.folders.count("T\\link"), 0u);  // the link itself goes
  EXPECT_EQ(temp.files.count("T\\link\\precious.mid"), 1u);
}

TEST(PlaybackFiles, DeleteMatchingLeavesAFolderThatIsALinkAlone) {
  FakePlaybackFiles temp;
  temp.links = {"T"};
  temp.files = {{"T\\precious.mid", false}};
  DeleteMatching(temp, "T\\*.*", true);
  EXPECT_EQ(temp.files.count("T\\precious.mid"), 1u);
}

TEST(PlaybackFiles, ShortPathReplacesComponentsUpToTheFirstMissingOne) {
  FakePlaybackFiles names;
  names.shortNames = {{"C:\\Long Folder\\Long Song.mid", "LONGSO~1.MID"}, {"C:\\Long Folder", "LONGFO~1"}};
  EXPECT_EQ(ToShortPath(names, "C:\\Long Folder\\Long Song.mid"), "C:\\LONGFO~1\\LONGSO~1.MID");

  // A component without a short name of its own keeps its name; the walk goes on.
  names.existing = {"C:\\Music"};
  names.shortNames["C:\\Music\\Long Song.mid"] = "LONGSO~1.MID";
  EXPECT_EQ(ToShortPath(names, "C:\\Music\\Long Song.mid"), "C:\\Music\\LONGSO~1.MID");

  // The walk stops at a missing component: it and everything before it stay.
  names.shortNames["C:\\Gone Folder\\Long Folder"] = "LONGFO~1";
  EXPECT_EQ(ToShortPath(names, "C:\\Gone Folder\\Long Folder"), "C:\\Gone Folder\\LONGFO~1");
  EXPECT_EQ(ToShortPath(names, "C:\\Nowhere\\x.mid"), "C:\\Nowhere\\x.mid");
}

TEST(PlaybackFiles, ShortPathNeverAsksForTheRoot) {
  // Asked for, "C:" would name the current folder of drive C and give its
  // short name; a share has none of its own.
  FakePlaybackFiles names;
  names.shortNames = {{"C:", "CURREN~1"},         {"\\\\server", "SERVER~1"},
                      {"\\\\server\\share", "SHARE~1"}, {"C:\\Long Folder", "LONGFO~1"},
                      {"\\\\server\\share\\Long Folder", "LONGFO~1"}};
  names.existing = {"C:\\Long Folder\\a.mid", "\\\\server\\share\\Long Folder\\a.mid"};
  for (auto [path, expected] : {std::pair{"C:\\Long Folder\\a.mid", "C:\\LONGFO~1\\a.mid"},
                                std::pair{"\\\\server\\share\\Long Folder\\a.mid", "\\\\server\\share\\LONGFO~1\\a.mid"},
                                std::pair{"C:\\", "C:\\"}}) {
    EXPECT_EQ(ToShortPath(names, path), expected) << path;
  }
}

TEST(PlaybackFiles, ShortPathDoesNotSplitAtATrailByteBackslash) {
  // "表" is 0x95 0x5C: its trail byte is no separator.
  const std::string folder = "C:\\" + cp932::FromUtf8(u8"表示");
  FakePlaybackFiles names;
  names.shortNames = {{folder + "\\song.mid", "SONG.MID"}, {folder, "8A2B~1"}};
  EXPECT_EQ(ToShortPath(names, folder + "\\song.mid"), "C:\\8A2B~1\\SONG.MID");
}

}  // namespace
}  // namespace koru

#include "playback/title_edit.h"

#include <gtest/gtest.h>

namespace koru {
namespace {

MediaEntry Titled(std::string title, std::string savedTitle = "") {
  MediaEntry entry;
  entry.title = std::move(title);
  entry.savedTitle = std::move(savedTitle);
  return entry;
}

TEST(CommitTitle, EditAndUndo) {
  struct Step {
    const char* box;
    const char* title;
    const char* savedTitle;
  };
  // One entry through a sequence of commits.
  const Step steps[] = {
      {"Tune", "Tune", "Song"},  // the first edit keeps the read title
      {"Air", "Air", "Song"},
      {"Song", "Song", ""},      // typing the read title again undoes the edit
      {"Tune", "Tune", "Song"},
      {"", "Song", ""},          // an empty box brings the read title back
      {"", "Song", ""},          // and on a never-edited entry changes nothing
  };
  MediaEntry entry = Titled("Song");
  for (const Step& step : steps) {
    CommitTitle(entry, step.box);
    EXPECT_EQ(entry.title, step.title) << "box " << step.box;
    EXPECT_EQ(entry.savedTitle, step.savedTitle) << "box " << step.box;
  }
}

TEST(CommitTitle, AnEmptyReadTitleComesBackEmpty) {
  MediaEntry entry = Titled("");
  CommitTitle(entry, "New");
  EXPECT_EQ(entry.savedTitle, " ");
  CommitTitle(entry, "");
  EXPECT_EQ(entry.title, "");
  EXPECT_EQ(entry.savedTitle, "");

  entry = Titled("New", " ");
  CommitTitle(entry, " ");  // typing the stand-in is the empty read title
  EXPECT_EQ(entry.title, "");
  EXPECT_EQ(entry.savedTitle, "");
}

TEST(CommitTitle, ControlCharactersBecomeSpaces) {
  MediaEntry entry = Titled("Song");
  CommitTitle(entry, "a\tb\r\nc\x7f");
  EXPECT_EQ(entry.title, "a b  c ");
  // A double-byte character keeps its bytes.
  EXPECT_EQ(TitleFromBox("\x95\x5C\x01"), "\x95\x5C ");
}

TEST(TitleEditMode, OnSavesListAndOffBringsItBack) {
  ImageSettings image;
  image.list = 0;
  TitleEditMode mode;
  EXPECT_TRUE(mode.Toggle(image));
  EXPECT_TRUE(mode.On());
  EXPECT_EQ(image.list, 1);
  EXPECT_EQ(mode.ListToStore(image), 0) << "the exit stores [IMAGE] list as it was before the mode";
  EXPECT_FALSE(mode.Toggle(image));
  EXPECT_FALSE(mode.On());
  EXPECT_EQ(image.list, 0);
  EXPECT_EQ(mode.ListToStore(image), 0);
}

TEST(TitleEditMode, HiddenInformationKeepsItOff) {
  ImageSettings image;
  image.data = 1;
  TitleEditMode mode;
  EXPECT_FALSE(mode.Toggle(image));
  EXPECT_FALSE(mode.On());
  EXPECT_EQ(image.list, 0);
}

TEST(TitleEditMode, EndsWhenTheListNoLongerSharesTheView) {
  ImageSettings image;
  TitleEditMode mode;
  mode.Toggle(image);
  mode.EndUnlessListUnderInformation(image);
  EXPECT_TRUE(mode.On());
  image.list = 0;  // the settings dialog changed it
  mode.EndUnlessListUnderInformation(image);
  EXPECT_FALSE(mode.On());
  EXPECT_EQ(mode.ListToStore(image), 0);
  mode.SwitchOff(image);
  EXPECT_EQ(image.list, 0);
}

}  // namespace
}  // namespace koru

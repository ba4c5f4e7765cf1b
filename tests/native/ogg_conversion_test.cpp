// The OGG branch of the play preparation: only a decoded WAV that holds sound
// is played and cached, and a cached WAV counts only for the source it was
// decoded from in this run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/player_rig.h"

namespace koru {
namespace {

using testing::PlayerRig;
using testing::SilentWave;

constexpr char kWave[] = "C:\\TEMP\\KORUTEMP\\a.ogg.wav";

class OggConversionTest : public ::testing::Test {
 protected:
  // Prepares `source` as playing does; the prepared path, or "" on failure.
  std::string Prepare(const std::string& source, bool report = true) {
    rig.files.AddFile(source, "OggS");
    std::string path = source;
    return rig.controller().PrepareEntryFile(MediaEntry{}, report, path) ? path : std::string();
  }
  int Decodes() const {
    return static_cast<int>(std::count_if(rig.ogg.log.begin(), rig.ogg.log.end(),
                                          [](const std::string& line) { return line.rfind("decode ", 0) == 0; }));
  }
  bool ReadOnly(const std::string& path) const {
    auto it = rig.tempFiles.files.find(path);
    return it != rig.tempFiles.files.end() && it->second;
  }

  PlayerRig rig;
};

TEST_F(OggConversionTest, AnOutputWithoutSoundFailsIsDeletedAndIsNotCached) {
  const std::string header = SilentWave(0);
  struct Case {
    const char* what;
    std::optional<std::string> output;
    bool throws = false;
  };
  for (const Case& c : {Case{"nothing written", std::nullopt}, Case{"empty", ""}, Case{"not RIFF", "OggS" + header},
                        Case{"a header only", header}, Case{"data cut off", SilentWave(8).substr(0, 44)},
                        Case{"no format chunk", header.substr(0, 12) + header.substr(36)},
                        Case{"decoder throws", SilentWave(), true}}) {
    PlayerRig r;
    r.ogg.output = c.output;
    r.ogg.decodeThrows = c.throws;
    r.files.AddFile("C:\\m\\a.ogg", "OggS");
    std::string path = "C:\\m\\a.ogg";
    EXPECT_FALSE(r.controller().PrepareEntryFile(MediaEntry{}, true, path)) << c.what;
    EXPECT_FALSE(r.files.Has(kWave)) << c.what;
    EXPECT_EQ(r.tempFiles.files.count(kWave), 0u) << c.what << ": never marked read-only";
    EXPECT_EQ(r.view.titleLine, PlayerRig::Text(u8"OGGﾌｧｲﾙが変換できません")) << c.what;
    EXPECT_EQ(r.ogg.log.back(), "unload") << c.what;

    // Not cached: the next play decodes again.
    r.ogg.output = SilentWave();
    r.ogg.decodeThrows = false;
    path = "C:\\m\\a.ogg";
    EXPECT_TRUE(r.controller().PrepareEntryFile(MediaEntry{}, true, path)) << c.what;
    EXPECT_EQ(path, kWave) << c.what;
    EXPECT_EQ(std::count(r.ogg.log.begin(), r.ogg.log.end(), "load"), 2) << c.what;
  }
}

TEST_F(OggConversionTest, TheCacheServesOnlyTheSourceItWasDecodedFrom) {
  rig.ogg.output = SilentWave(1);
  EXPECT_EQ(Prepare("C:\\A\\a.ogg"), kWave);
  rig.ogg.output = SilentWave(2);
  EXPECT_EQ(Prepare("C:\\B\\a.ogg"), kWave);
  EXPECT_EQ(Decodes(), 2) << "a song of the same name from another folder is decoded";
  EXPECT_EQ(rig.files.Contents(kWave), SilentWave(2));
  EXPECT_TRUE(ReadOnly(kWave));

  EXPECT_EQ(Prepare("c:\\b\\A.OGG"), "C:\\TEMP\\KORUTEMP\\A.OGG.wav");
  EXPECT_EQ(Decodes(), 2) << "the same file, however it is spelt, is found in the cache";

  rig.ogg.output = SilentWave(1);
  EXPECT_EQ(Prepare("C:\\A\\a.ogg"), kWave);
  EXPECT_EQ(Decodes(), 3);
  EXPECT_EQ(rig.files.Contents(kWave), SilentWave(1));
}

TEST_F(OggConversionTest, AWaveThisRunDidNotDecodeIsReplaced) {
  // Read-only, of the right name, left by a run that ended early.
  rig.files.AddFile(kWave, SilentWave(5));
  rig.tempFiles.files[kWave] = true;
  EXPECT_EQ(Prepare("C:\\m\\a.ogg"), kWave);
  EXPECT_EQ(Decodes(), 1);
  EXPECT_EQ(rig.files.Contents(kWave), SilentWave());
  EXPECT_TRUE(ReadOnly(kWave));

  // Something in the WAV's place that cannot be deleted is never taken for
  // the output.
  rig.files.RemoveFile(kWave);
  rig.tempFiles.files.erase(kWave);
  rig.files.AddFolder(kWave);
  EXPECT_EQ(Prepare("C:\\n\\a.ogg"), "");
  EXPECT_EQ(Decodes(), 1);
  EXPECT_EQ(rig.view.titleLine, PlayerRig::Text(u8"OGGﾌｧｲﾙが変換できません"));
}

TEST_F(OggConversionTest, WithoutReportNothingIsShown) {
  rig.ogg.output.reset();
  EXPECT_EQ(Prepare("C:\\m\\a.ogg", false), "");
  rig.ogg.output = SilentWave();
  EXPECT_EQ(Prepare("C:\\m\\a.ogg", false), kWave);
  EXPECT_TRUE(rig.view.titleHistory.empty());
  EXPECT_EQ(rig.view.hourglass, (std::vector<bool>{true, false, true, false}));
}

}  // namespace
}  // namespace koru

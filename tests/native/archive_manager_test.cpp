// TArchiver: the adapter an extension selects (and the probe of ".exe"),
// when libraries are loaded and freed, and calls made from inside a
// library's own call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/archive_manager.h"
#include "support/fake_archiver_library.h"

namespace koru::ArchiverN {
namespace {

using testing::FakeArchiverPlatform;

const ArchiverWindow kMainWindow = reinterpret_cast<ArchiverWindow>(0x10);
const ArchiverWindow kMessageWindow = reinterpret_cast<ArchiverWindow>(0x20);

class ArchiveManagerTest : public ::testing::Test {
 protected:
  ArchiveManagerTest() {
    const char* names[][2] = {{"unlha32.dll", "Unlha"}, {"unzip32.dll", "UnZip"},  {"cab32.dll", "Cab"},
                              {"tar32.dll", "Tar"},     {"unrar32.dll", "Unrar"},  {"unarj32j.dll", "Unarj"},
                              {"Bga32.dll", "Bga"},     {"UnGCA32.dll", "UnGCA"}, {"Yz1.dll", "Yz1"},
                              {"7-zip32.dll", "SevenZip"}};
    for (auto& [file, prefix] : names) platform.libraries[file].prefix = prefix;
  }
  std::vector<std::string> Loads() const {
    std::vector<std::string> loads;
    for (const std::string& entry : platform.log) {
      if (entry.rfind("load ", 0) == 0 || entry.rfind("free ", 0) == 0) loads.push_back(entry);
    }
    return loads;
  }

  FakeArchiverPlatform platform;
  TArchiver archiver{platform, kMainWindow, kMessageWindow};
};

TEST_F(ArchiveManagerTest, KindByExtensionInLowerCase) {
  const std::pair<const char*, int> cases[] = {
      {"a.lzh", 1}, {"a.LHZ", 1}, {"a.lzs", 1}, {"a.zip", 2},  {"a.JAR", 2},  {"a.cab", 3}, {"a.tar", 4},
      {"a.tgz", 4}, {"a.TGZ", 4}, {"a.taz", 4}, {"a.gz", 4},   {"a.bz2", 4},  {"a.Z", 4},   {"a.cpio", 4},
      {"a.rpm", 4}, {"a.deb", 4}, {"a.rar", 5}, {"a.arj", 6},  {"a.gza", 7},  {"a.bza", 7}, {"a.gca", 8},
      {"a.yz1", 9}, {"a.7z", 10}, {"a.7Z", 10}, {"a.mid", 0},  {"zip", 0},    {"a.zip.txt", 0},
  };
  for (auto [path, kind] : cases) EXPECT_EQ(archiver.KindOf(path), kind) << path;
  EXPECT_TRUE(Loads().empty()) << "no library is asked about a known extension";
}

TEST_F(ArchiveManagerTest, ASelfExtractingFileIsOfTheFirstKindWhoseLibraryAcceptsIt) {
  platform.libraries["tar32.dll"].accepts = true;
  platform.libraries["7-zip32.dll"].accepts = true;
  archiver.SetArchive("C:\\a\\setup.EXE");
  EXPECT_EQ(archiver.Adapter()->Kind(), 4);
  EXPECT_EQ(Loads(), (std::vector<std::string>{"load unlha32.dll", "free unlha32.dll", "load unzip32.dll",
                                               "free unzip32.dll", "load cab32.dll", "free cab32.dll",
                                               "load tar32.dll"}));
  EXPECT_EQ(platform.libraries["tar32.dll"].calls.back(), "CheckArchive C:\\a\\setup.EXE 0");

  platform.libraries["tar32.dll"].accepts = false;
  platform.libraries["7-zip32.dll"].accepts = false;
  EXPECT_EQ(archiver.KindOf("C:\\a\\setup.exe"), 0);
  archiver.SetArchive("C:\\a\\setup.exe");
  EXPECT_EQ(archiver.Adapter(), nullptr);
  EXPECT_EQ(archiver.Extract("\"x.*\""), -1);
}

TEST_F(ArchiveManagerTest, TheSameKindReusesItsLibraryAndAnotherKindFreesIt) {
  archiver.SetOutputFolder("C:\\T\\");
  archiver.SetArchive("C:\\a.zip");
  archiver.SetArchive("C:\\b.ZIP");
  archiver.SetArchive("C:\\c.lzh");
  EXPECT_EQ(Loads(), (std::vector<std::string>{"load unzip32.dll", "free unzip32.dll", "load unlha32.dll"}));
  // The new adapter has everything the manager holds.
  TCustomArchiver& adapter = *archiver.Adapter();
  EXPECT_EQ(adapter.OwnerWindow(), kMainWindow);
  EXPECT_EQ(&adapter.Options(), &archiver.Options());
  EXPECT_EQ(adapter.ArchiveName(), "C:\\c.lzh");
  EXPECT_EQ(adapter.OutputFolder(), "C:\\T\\");
  EXPECT_EQ(platform.libraries["unlha32.dll"].calls.front(), "SetOwnerWindowEx 32 null");

  archiver.SetArchive("C:\\notes.txt");
  EXPECT_EQ(archiver.Adapter(), nullptr);
  EXPECT_EQ(Loads().back(), "free unlha32.dll");
}

TEST_F(ArchiveManagerTest, TheArchivePathGoesOutAbsolute) {
  archiver.SetOutputFolder("C:\\T\\");
  archiver.SetArchive("music\\songs.zip");
  EXPECT_EQ(archiver.Extract("\"tune.*\""), 0);
  EXPECT_EQ(platform.libraries["unzip32.dll"].lines.back(),
            R"(-u --i -q -o "C:\work\music\songs.zip" "C:\T\" "tune.*")");
}

TEST_F(ArchiveManagerTest, ListsAndExtractsThroughTheAdapterAndNothingWithout) {
  EXPECT_FALSE(archiver.FirstMember("*.*"));
  EXPECT_FALSE(archiver.NextMember());
  EXPECT_EQ(archiver.MemberInfo(), std::nullopt);
  EXPECT_EQ(archiver.Extract("\"x.*\""), -1);

  platform.libraries["unzip32.dll"].members = {"album/tune.wav", "tune.txt"};
  archiver.SetArchive("C:\\songs.zip");
  EXPECT_TRUE(archiver.FirstMember("*.*"));
  std::vector<std::string> names;
  while (archiver.NextMember()) names.push_back(*archiver.MemberInfo());
  EXPECT_EQ(names, (std::vector<std::string>{"album/tune.wav", "tune.txt"}));

  ArchiverExtractor extractor(archiver);
  EXPECT_EQ(extractor.ExtractMembers("C:\\other.lzh", "C:\\T\\", "\"tune.*\""), 0);
  EXPECT_EQ(platform.libraries["unlha32.dll"].lines.back(), R"(e -a2 -n1 -x1 -m1 -r2 "C:\other.lzh" "C:\T\" "tune.*")");
}

TEST_F(ArchiveManagerTest, ACallFromInsideALibrarysCallIsRefusedAndTheAdapterInUseStays) {
  archiver.SetOutputFolder("C:\\T\\");
  archiver.SetArchive("C:\\songs.zip");
  TCustomArchiver* inUse = archiver.Adapter();
  std::vector<std::string> nested;
  platform.libraries["unzip32.dll"].duringMain = [&] {
    nested.push_back(archiver.Working() ? "working" : "idle");
    archiver.SetArchive("C:\\other.lzh");  // would free the adapter in use
    archiver.SelectAdapter(1);
    archiver.SetOutputFolder("C:\\elsewhere\\");
    nested.push_back(std::to_string(archiver.Extract("\"b.*\"")));
    nested.push_back(archiver.FirstMember("*.*") ? "listed" : "not listed");
    nested.push_back(std::to_string(archiver.KindOf("C:\\x.exe")));
  };
  EXPECT_EQ(archiver.Extract("\"tune.*\""), 0);
  EXPECT_EQ(nested, (std::vector<std::string>{"working", "-1", "not listed", "0"}));
  EXPECT_EQ(archiver.Adapter(), inUse);
  EXPECT_EQ(archiver.Adapter()->OutputFolder(), "C:\\T\\");
  EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "load unlha32.dll"), 0);
  EXPECT_FALSE(archiver.Working());
}

TEST_F(ArchiveManagerTest, ExtractMessagesAreAnsweredByTheHandler) {
  EXPECT_EQ(archiver.AnswerArcExtract(0, 0), 0);
  std::vector<std::uintptr_t> states;
  bool goOn = true;
  archiver.OnArcExtract = [&](TArchiver& sender, std::uintptr_t wParam, std::intptr_t) {
    EXPECT_EQ(&sender, &archiver);
    states.push_back(wParam);
    return goOn;
  };
  EXPECT_EQ(archiver.AnswerArcExtract(1, 0), 0);
  goOn = false;
  EXPECT_EQ(archiver.AnswerArcExtract(2, 0), 1);
  EXPECT_EQ(states, (std::vector<std::uintptr_t>{1, 2}));
}

}  // namespace
}  // namespace koru::ArchiverN

// The command lines of the ten adapters, byte for byte: defaults, every
// option, the words that depend on options, and what is refused before any
// library sees it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/archive_kind.h"
#include "platform/cp932.h"
#include "support/fake_archiver_library.h"

namespace koru::ArchiverN {
namespace {

using testing::FakeArchiverLibrary;
using testing::FakeArchiverPlatform;

struct Library {
  int kind;
  const char* fileName;
  const char* prefix;
};
constexpr Library kLibraries[] = {
    {1, "unlha32.dll", "Unlha"}, {2, "unzip32.dll", "UnZip"}, {3, "cab32.dll", "Cab"},
    {4, "tar32.dll", "Tar"},     {5, "unrar32.dll", "Unrar"}, {6, "unarj32j.dll", "Unarj"},
    {7, "Bga32.dll", "Bga"},     {8, "UnGCA32.dll", "UnGCA"}, {9, "Yz1.dll", "Yz1"},
    {10, "7-zip32.dll", "SevenZip"},
};

ArchiverOptions EveryOptionTurned() {
  ArchiverOptions o;
  o.AllAttributes = false;
  o.ShowDialog = true;
  o.NoPaths = true;
  o.UpdateOnly = false;
  o.Overwrite = false;
  o.Recurse = false;
  o.WorkFolder = "W";
  o.Method = "M";
  o.Password = "P";
  o.NewerThan = "N";
  o.OlderThan = "O";
  o.Excludes = {"x1", "x2"};
  o.ExtraSwitches = "-extra";
  return o;
}

class AdapterLinesTest : public ::testing::Test {
 protected:
  AdapterLinesTest() {
    for (const Library& library : kLibraries) platform.libraries[library.fileName].prefix = library.prefix;
    platform.libraries["zip32j.dll"].prefix = "Zip";
  }
  std::unique_ptr<TCustomArchiver> Adapter(int kind, const ArchiverOptions& options) {
    std::unique_ptr<TCustomArchiver> adapter = CreateAdapter(kind, platform, nullptr);
    adapter->SetOptions(options);
    adapter->SetArchiveName("C:\\A");
    adapter->SetOutputFolder("C:\\T\\");
    return adapter;
  }
  FakeArchiverLibrary& Lib(int kind) { return platform.libraries[kLibraries[kind - 1].fileName]; }
  // The line the library of `kind` got for Extract (or Add) of `files`;
  // empty when it got none.
  std::string Line(int kind, const ArchiverOptions& options, const std::string& files, bool add = false) {
    std::unique_ptr<TCustomArchiver> adapter = Adapter(kind, options);
    FakeArchiverLibrary& lib = add && kind == 2 ? platform.libraries["zip32j.dll"] : Lib(kind);
    lib.lines.clear();
    const int result = add ? adapter->Add(files) : adapter->Extract(files);
    EXPECT_EQ(result, lib.lines.empty() && !(add && (kind == 5 || kind == 6)) ? -1 : 0) << kind;
    return lib.lines.empty() ? std::string() : lib.lines.back();
  }

  FakeArchiverPlatform platform;
  ArchiverOptions defaults;
};

TEST_F(AdapterLinesTest, DefaultExtractLinesInKindOrder) {
  const std::vector<std::string> expected = {
      R"(e -a2 -n1 -x1 -m1 -r2 "C:\A" "C:\T\" "tune.*")",
      R"(-u --i -q -o "C:\A" "C:\T\" "tune.*")",
      R"(-x -i -n -o -r "C:\A" "C:\T\" "tune.*")",
      R"(-x --display-dialog=0 "C:\A" "C:\T\" "tune.*")",
      R"(-x -y -u -o -s -r "C:\A" "C:\T\" "tune.*")",
      R"(x -i- -hm -f+ -y+ -ha+ -p1 "C:\A" "C:\T\" "tune.*")",
      R"(x -i -n -o -r -a "C:\A" "C:\T\" "tune.*")",
      R"(ex -xx1 "C:\A" "C:\T\" "tune.*")",
      R"(x -i1 -y1 "C:\A" "C:\T\" "tune.*")",
      R"(x -hide -aoa -y -r0 "C:\A" "C:\T\" "tune.*")",
  };
  for (int kind = 1; kind <= 10; ++kind) EXPECT_EQ(Line(kind, defaults, "\"tune.*\""), expected[kind - 1]) << kind;
}

TEST_F(AdapterLinesTest, EveryOptionTurnedFromItsDefault) {
  const ArchiverOptions turned = EveryOptionTurned();
  const std::vector<std::string> expected = {
      R"(e -c1 -jmM "-wW" -joN -jobO -jxx1 -jxx2 -extra "C:\A" "C:\T\" a.wav)",
      R"(-x -q -j "-PP" -extra "C:\A" "C:\T\" a.wav)",
      R"(-x -g -j -mM "-hW" -ysN -yeO -zex1 -zex2 -extra "C:\A" "C:\T\" a.wav)",
      R"(-x --use-directory=0 -M -extra "C:\A" "C:\T\" a.wav)",
      R"(-e -extra "C:\A" "C:\T\" a.wav)",
      R"(x -hj+ -a- -oN -obO -xx1 -xx2 -extra "C:\A" "C:\T\" a.wav)",
      R"(x -j -lM -extra "C:\A" "C:\T\" a.wav)",
      R"(ex -sx1 -yx1 "-pP" -extra "C:\A" "C:\T\" a.wav)",
      R"(x -c1 -x0 -r0 "-pP" -extra "C:\A" "C:\T\" a.wav)",
      R"(e -mM "-wW" "-pP" -x!x1 -x!x2 -extra "C:\A" "C:\T\" a.wav)",
  };
  for (int kind = 1; kind <= 10; ++kind) EXPECT_EQ(Line(kind, turned, "a.wav"), expected[kind - 1]) << kind;
}

TEST_F(AdapterLinesTest, AddLines) {
  const std::vector<std::string> expected = {
      R"(a -a2 -n1 -x1 -m1 -r2 "C:\A" "C:\T\" a.wav)",
      R"(-u -S -q -r "C:\A" "C:\T\" a.wav)",  // to zip32j.dll's Zip, without the "!"
      R"(-a -i -n -o -r "C:\A" "C:\T\" a.wav)",
      R"(-c --display-dialog=0 "C:\A" "C:\T\" a.wav)",
      "",  // UNRAR32 and UNARJ32 cannot add: nothing is called, 0 comes back
      "",
      R"(a -i -n -o -r -a "C:\A" "C:\T\" a.wav)",
      R"(a -xx1 "C:\A" C:\T\a.wav)",  // names expanded against the output folder
      R"(c -i1 -y1 "C:\A" "C:\T\" a.wav)",
      R"(u -hide -aoa -y -r0 "C:\A" "C:\T\" a.wav)",
  };
  for (int kind = 1; kind <= 10; ++kind) EXPECT_EQ(Line(kind, defaults, "a.wav", true), expected[kind - 1]) << kind;

  const ArchiverOptions turned = EveryOptionTurned();
  EXPECT_EQ(Line(2, turned, "a.wav", true), R"(-D -j -M "-PP" "-bW" -tN -ttO -extra "C:\A" "C:\T\" a.wav)");
  EXPECT_EQ(Line(10, turned, "a.wav", true), R"(a -mM "-wW" "-pP" -x!x1 -x!x2 -extra "C:\A" "C:\T\" a.wav)");
}

TEST_F(AdapterLinesTest, LhaLinesAloneStayUntrimmed) {
  EXPECT_EQ(Line(1, defaults, "\"tune.*\" "), R"(e -a2 -n1 -x1 -m1 -r2 "C:\A" "C:\T\" "tune.*" )");
  EXPECT_EQ(Line(3, defaults, "\"tune.*\" "), R"(-x -i -n -o -r "C:\A" "C:\T\" "tune.*")");
}

TEST_F(AdapterLinesTest, OutputFolderGetsOneBackslashAndNoFileListGoesOut) {
  std::unique_ptr<TCustomArchiver> lha = Adapter(1, defaults);
  lha->SetOutputFolder("C:\\T");
  lha->Extract("");
  // 表 ends in the byte 0x5C, which is no backslash.
  const std::string folder = "C:\\" + cp932::FromUtf8(u8"表");
  lha->SetOutputFolder(folder);
  lha->Extract("");
  lha->SetOutputFolder("");
  lha->Extract("");
  EXPECT_EQ(Lib(1).lines, (std::vector<std::string>{R"(e -a2 -n1 -x1 -m1 -r2 "C:\A" "C:\T\")",
                                                      "e -a2 -n1 -x1 -m1 -r2 \"C:\\A\" \"" + folder + "\\\"",
                                                      R"(e -a2 -n1 -x1 -m1 -r2 "C:\A")"}));
}

TEST_F(AdapterLinesTest, GcaExtractsEverythingWithoutAFileList) {
  EXPECT_EQ(Line(8, defaults, "*.*"), R"(e -xx1 "C:\A" "C:\T\")");
  EXPECT_EQ(Line(8, defaults, ""), R"(e -xx1 "C:\A" "C:\T\")");
}

TEST_F(AdapterLinesTest, GcaAddSplitsNamesAndExpandsThemAgainstTheOutputFolder) {
  std::unique_ptr<TCustomArchiver> gca = Adapter(8, defaults);
  gca->SetOutputFolder("C:\\T\\sub\\");
  gca->Add(R"(a.wav,"my song.wav" ..\b.wav  C:\abs.wav \root.wav)");
  EXPECT_EQ(Lib(8).lines.back(),
            R"(a -xx1 "C:\A" C:\T\sub\a.wav "C:\T\sub\my song.wav" C:\T\b.wav C:\abs.wav C:\root.wav)");
  gca->SetOutputFolder("");
  gca->Add("a.wav");
  EXPECT_EQ(Lib(8).lines.back(), R"(a -xx1 "C:\A" a.wav)");
  EXPECT_EQ(gca->Add("-r.wav"), -1);
}

TEST_F(AdapterLinesTest, ZipLoadsZip32jOnceWhenFirstNeeded) {
  std::unique_ptr<TCustomArchiver> zip = Adapter(2, defaults);
  EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "load zip32j.dll"), 0);
  std::string text = "t";
  EXPECT_TRUE(zip->ConfigDialog(1, text));
  EXPECT_EQ(Lib(2).calls.back(), "ConfigDialog t 1");
  EXPECT_TRUE(zip->ConfigDialog(2, text));
  EXPECT_EQ(platform.libraries["zip32j.dll"].calls,
            (std::vector<std::string>{"SetOwnerWindowEx 0 null", "ConfigDialog -settings 2"}));
  EXPECT_EQ(zip->Execute("!  -u a.zip "), 0);
  EXPECT_EQ(platform.libraries["zip32j.dll"].lines.back(), "-u a.zip");
  EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "load zip32j.dll"), 1);
}

TEST_F(AdapterLinesTest, ZipWithoutZip32jStillExtractsAndTriesTheLoadOnce) {
  platform.libraries.erase("zip32j.dll");
  std::unique_ptr<TCustomArchiver> zip = Adapter(2, defaults);
  EXPECT_EQ(zip->Add("a.wav"), -1);
  EXPECT_EQ(zip->Add("a.wav"), -1);
  EXPECT_EQ(zip->Execute("!-u"), -1);
  EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "load zip32j.dll"), 1);
  EXPECT_EQ(zip->Extract("\"tune.*\""), 0);
}

TEST_F(AdapterLinesTest, NothingThatCouldBeReadAsASwitchOrAnotherArgumentReachesALibrary) {
  struct Case {
    const char* archive;
    const char* folder;
    const char* files;
  };
  const Case refused[] = {
      {"C:\\a\"b.zip", "C:\\T\\", "\"x.*\""},   // a quote ends the archive argument
      {"C:\\a\x01.zip", "C:\\T\\", "\"x.*\""},  // control byte
      {"a.zip", "C:\\T\\", "\"x.*\""},          // relative: the library's own folder
      {"-x.zip", "C:\\T\\", "\"x.*\""},
      {"", "C:\\T\\", "\"x.*\""},
      {"C:\\a.zip", "C:\\T\"\\", "\"x.*\""},    // a quote ends the folder argument
      {"C:\\a.zip", "C:\\T\n\\", "\"x.*\""},
      {"C:\\a.zip", "C:\\T\\", "\"-x.*\""},     // a switch, quotes or not
      {"C:\\a.zip", "C:\\T\\", "-x"},
      {"C:\\a.zip", "C:\\T\\", "\"@list\""},    // a response file
      {"C:\\a.zip", "C:\\T\\", "\"a\"b.*\""},
      {"C:\\a.zip", "C:\\T\\", "\"a.*"},
      {"C:\\a.zip", "C:\\T\\", "\"\""},
      {"C:\\a.zip", "C:\\T\\", "\"a\tb.*\""},
  };
  for (int kind : {1, 2}) {
    std::unique_ptr<TCustomArchiver> adapter = Adapter(kind, defaults);
    for (const Case& c : refused) {
      adapter->SetArchiveName(c.archive);
      adapter->SetOutputFolder(c.folder);
      EXPECT_EQ(adapter->Extract(c.files), -1) << c.archive << " " << c.folder << " " << c.files;
    }
    EXPECT_TRUE(Lib(kind).lines.empty());
    adapter->SetArchiveName("\\\\host\\share\\a.zip");
    EXPECT_EQ(adapter->Extract("\"a.*\" b.mid"), 0) << "a UNC archive and plain names are fine";
  }
}

}  // namespace
}  // namespace koru::ArchiverN

// Binding an archiver library and the wrappers every adapter shares: what is
// looked up and called, what a missing library or export leaves, listing,
// and the buffers a library writes into.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/archive_adapters.h"
#include "support/fake_archiver_library.h"

namespace koru::ArchiverN {
namespace {

using testing::FakeArchiverLibrary;
using testing::FakeArchiverPlatform;

const ArchiverWindow kMessageWindow = reinterpret_cast<ArchiverWindow>(0x77);

class ArchiverBindingTest : public ::testing::Test {
 protected:
  FakeArchiverLibrary& Library() {
    FakeArchiverLibrary& lib = platform.libraries["unlha32.dll"];
    lib.prefix = "Unlha";
    return lib;
  }
  FakeArchiverPlatform platform;
};

TEST_F(ArchiverBindingTest, BindLooksUpTwentyEntryPointsInOrderThenSetsOwnerWindowAndCursor) {
  Library();
  TLha lha(platform, kMessageWindow);
  const std::vector<std::string> expected = {
      "load unlha32.dll",          "lookup UnlhaGetVersion",        "lookup UnlhaCheckArchive",
      "lookup UnlhaGetRunning",    "lookup Unlha",                  "lookup UnlhaQueryFunctionList",
      "lookup UnlhaGetBackGroundMode", "lookup UnlhaSetBackGroundMode", "lookup UnlhaGetCursorMode",
      "lookup UnlhaSetCursorMode", "lookup UnlhaGetCursorInterval", "lookup UnlhaSetCursorInterval",
      "lookup UnlhaGetFileCount",  "lookup UnlhaExtractMem",        "lookup UnlhaCompressMem",
      "lookup UnlhaConfigDialog",  "lookup UnlhaOpenArchive",       "lookup UnlhaCloseArchive",
      "lookup UnlhaFindFirst",     "lookup UnlhaFindNext",          "lookup UnlhaSetOwnerWindowEx"};
  EXPECT_EQ(platform.log, expected);
  EXPECT_EQ(Library().calls, (std::vector<std::string>{"SetOwnerWindowEx 119 null", "SetCursorMode 0"}));
  EXPECT_EQ(lha.Kind(), 1);
  EXPECT_EQ(lha.GetVersion(), 245);
  EXPECT_TRUE(lha.GetRunning());
}

TEST_F(ArchiverBindingTest, ALibraryWithoutOwnerWindowOrCursorExportsBindsAndSkipsThem) {
  Library().missing = {"SetOwnerWindowEx", "SetCursorMode"};
  TLha lha(platform, kMessageWindow);
  EXPECT_TRUE(Library().calls.empty());
  lha.SetArchiveName("C:\\A.lzh");
  EXPECT_EQ(lha.Extract(""), 0);
}

TEST_F(ArchiverBindingTest, AMainFunctionAloneExtractsButListsNothing) {
  Library().missing = {"GetVersion", "CheckArchive", "GetRunning", "GetFileCount", "OpenArchive", "CloseArchive",
                       "FindFirst", "FindNext", "ConfigDialog", "SetOwnerWindowEx", "SetCursorMode"};
  Library().members = {"tune.wav"};
  TLha lha(platform, kMessageWindow);
  lha.SetArchiveName("C:\\A.lzh");
  EXPECT_EQ(lha.Extract("\"tune.*\""), 0);
  EXPECT_FALSE(lha.FirstMember("*.*"));
  EXPECT_FALSE(lha.NextMember());
  EXPECT_EQ(lha.GetVersion(), 0);
  EXPECT_EQ(lha.GetFileCount(), 0);
}

TEST_F(ArchiverBindingTest, AMissingLibraryLeavesAnAdapterThatDoesNothing) {
  TLha lha(platform, kMessageWindow);
  lha.SetArchiveName("C:\\A.lzh");
  std::string text = "x";
  EXPECT_FALSE(lha.Bound());
  EXPECT_EQ(lha.Execute("e"), -1);
  EXPECT_EQ(lha.Extract("\"tune.*\""), -1);
  EXPECT_EQ(lha.GetVersion(), 0);
  EXPECT_FALSE(lha.GetRunning());
  EXPECT_EQ(lha.GetFileCount(), 0);
  EXPECT_FALSE(lha.CheckArchive("C:\\A.lzh", 0));
  EXPECT_FALSE(lha.ConfigDialog(1, text));
  EXPECT_FALSE(lha.OpenArchive("C:\\A.lzh", 0));
  EXPECT_FALSE(lha.FirstMember("*.*"));
  EXPECT_FALSE(lha.NextMember());
  EXPECT_EQ(lha.GetProc("Unlha"), nullptr);
}

TEST_F(ArchiverBindingTest, ListingIsALookAheadPair) {
  Library().members = {"a.mid", "album\\b.mid"};
  TLha lha(platform, kMessageWindow);
  lha.SetOwnerWindow(reinterpret_cast<ArchiverWindow>(5));
  lha.SetArchiveName("C:\\A.lzh");
  EXPECT_TRUE(lha.FirstMember("*.*"));
  std::vector<std::string> names;
  while (lha.NextMember()) names.push_back(lha.MemberFileName().value_or("?"));
  EXPECT_EQ(names, (std::vector<std::string>{"a.mid", "album\\b.mid"}));
  EXPECT_EQ(Library().calls[2], "OpenArchive 5 C:\\A.lzh 0");
  EXPECT_EQ(Library().calls[3], "FindFirst *.*");

  // A new archive name closes the open one.
  lha.SetArchiveName("C:\\B.lzh");
  EXPECT_EQ(Library().calls.back(), "CloseArchive");

  // Nothing found: NextMember says no once, then asks the library again.
  Library().members.clear();
  EXPECT_FALSE(lha.FirstMember("*.*"));
  EXPECT_FALSE(lha.NextMember());
  EXPECT_FALSE(lha.NextMember());

  // No archive name: nothing is opened.
  lha.SetArchiveName("");
  const std::size_t calls = Library().calls.size();
  EXPECT_FALSE(lha.FirstMember("*.*"));
  EXPECT_FALSE(lha.NextMember());
  EXPECT_EQ(Library().calls.size(), calls);
}

TEST_F(ArchiverBindingTest, FloodedBuffersAreReadWithinTheirBounds) {
  Library().members = {"a.mid"};
  Library().floodOutput = true;
  Library().floodName = true;
  Library().floodConfig = true;
  TLha lha(platform, kMessageWindow);
  lha.SetArchiveName("C:\\A.lzh");

  EXPECT_EQ(lha.Execute("l"), 0);
  EXPECT_EQ(lha.LastOutput(), std::string(TCustomArchiver::kOutputSize, 'X'));
  EXPECT_NE(Library().calls.back().find(" 32768"), std::string::npos) << "the size handed over";

  EXPECT_TRUE(lha.FirstMember("*.*"));
  EXPECT_TRUE(lha.NextMember());
  EXPECT_EQ(lha.MemberFileName(), std::nullopt) << "a name without its zero is no name";

  std::string text = "-a";
  EXPECT_TRUE(lha.ConfigDialog(1, text));
  EXPECT_EQ(text, std::string(TCustomArchiver::kConfigBufferSize, 'C'));
}

TEST_F(ArchiverBindingTest, ConfigDialogHandsTheTextOverAndBack) {
  Library().configResult = 1;
  TLha lha(platform, kMessageWindow);
  std::string text(600, 'a');  // longer than the least buffer
  EXPECT_TRUE(lha.ConfigDialog(2, text));
  EXPECT_EQ(Library().calls.back(), "ConfigDialog " + std::string(600, 'a') + " 2");
  EXPECT_EQ(text, "-settings");
  Library().configResult = 0;
  EXPECT_FALSE(lha.ConfigDialog(2, text));
}

}  // namespace
}  // namespace koru::ArchiverN

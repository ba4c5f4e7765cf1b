// The version dialog's lines: versions in hundredths, missing libraries and
// entry points, and every archiver library loaded only while its line is made.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "archive/library_versions.h"
#include "platform/cp932.h"
#include "support/fake_archiver_library.h"

namespace koru {
namespace {

std::string Sjis(std::u8string_view text) { return cp932::FromUtf8(text); }

TEST(LibraryVersionsTest, VersionsShowAsHundredthsWithTwoDecimals) {
  const struct {
    long long hundredths;
    const char* shown;
  } cases[] = {{245, "2.45"}, {1250, "12.50"}, {0, "0.00"}, {5, "0.05"}, {-5, "-0.05"}, {100000, "1000.00"}};
  for (const auto& c : cases) {
    EXPECT_EQ(VersionLine("RCPCV.DLL", c.hundredths), Sjis(u8"RCPCV.DLL バージョン ") + c.shown) << c.hundredths;
  }
}

TEST(LibraryVersionsTest, EachLibraryGivesItsVersionOrItsMissingLine) {
  testing::FakeArchiverPlatform platform;
  platform.libraries["unlha32.dll"] = {.prefix = "Unlha"};
  platform.libraries["unrar32.dll"] = {.prefix = "Unrar", .missing = {"GetVersion"}};
  platform.libraries["UnGCA32.dll"] = {.prefix = "UnGCA"};
  const std::vector<std::string> lines = LibraryVersionLines(platform, [] { return 1250LL; });

  EXPECT_EQ(lines, (std::vector<std::string>{Sjis(u8"UNLHA32.DLL バージョン 2.45"), Sjis(u8"UNZIP32.DLL は確認できません"),
                                             Sjis(u8"UNRAR32.DLL バージョン 0.00"), Sjis(u8"UNGCA32.DLL バージョン 2.45"),
                                             Sjis(u8"RCPCV.DLL バージョン 12.50")}));
  // Loaded for the line and freed again, one after the other.
  for (const char* library : {"unlha32.dll", "unrar32.dll", "UnGCA32.dll"}) {
    const auto loaded = std::find(platform.log.begin(), platform.log.end(), std::string("load ") + library);
    const auto freed = std::find(platform.log.begin(), platform.log.end(), std::string("free ") + library);
    EXPECT_TRUE(loaded < freed && freed != platform.log.end()) << library;
  }
  for (int slot = 0; slot < testing::fake_archiver::kSlots; ++slot) EXPECT_EQ(testing::fake_archiver::g_slots[slot], nullptr);
}

TEST(LibraryVersionsTest, AConverterThatIsMissingOrThrowsShowsItsMissingLine) {
  testing::FakeArchiverPlatform platform;
  for (const RcpVersionReader& reader :
       {RcpVersionReader{}, RcpVersionReader{[]() -> long long { throw std::runtime_error("RCPCV.DLL"); }}}) {
    const std::vector<std::string> lines = LibraryVersionLines(platform, reader);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4], Sjis(u8"RCPCV.DLL は確認できません"));
    EXPECT_EQ(lines[0], Sjis(u8"UNLHA32.DLL は確認できません"));
  }
}

}  // namespace
}  // namespace koru

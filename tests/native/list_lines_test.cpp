#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "medialist/ini_section_scan.h"
#include "medialist/list_lines.h"

namespace koru {
namespace {

std::vector<std::string> LinesOf(std::string_view bytes) {
  std::vector<std::string> lines;
  ListLineReader reader(bytes);
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  return lines;
}

TEST(ListLines, EveryByteValueAtEveryPositionOfAWordIsJudgedAlike) {
  // The scan tests eight bytes at a time; compare it with a plain byte loop
  // for every byte value, at every offset, behind printable and high bytes.
  for (char filler : {'x', '\x80', '\xff', ' '}) {
    for (int value = 0; value < 256; ++value) {
      for (std::size_t at = 0; at < 20; ++at) {
        std::string text(24, filler);
        text[at] = static_cast<char>(value);
        text[22] = '\x1f';
        std::size_t expected = 0;
        while (static_cast<unsigned char>(text[expected]) >= 32) ++expected;
        for (std::size_t from : {std::size_t{0}, std::size_t{3}}) {
          ASSERT_EQ(FindControlByte(text, from), std::max(from, from <= at ? expected : 22))
              << "value " << value << " at " << at << " from " << from;
        }
      }
    }
  }
  EXPECT_EQ(FindControlByte("abc", 0), 3u);
  EXPECT_EQ(FindControlByte("", 0), 0u);
}

TEST(ListLines, LinesEndAtLineFeedsAndTheirTextAtControlBytes) {
  EXPECT_EQ(LinesOf("a\r\nb\nc\td\r\n\r\ne"), (std::vector<std::string>{"a", "b", "c", "", "e"}));
  EXPECT_EQ(LinesOf("one\n"), std::vector<std::string>{"one"});
  EXPECT_EQ(LinesOf("\n\n"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(LinesOf("no line feed\r"), std::vector<std::string>{"no line feed"});
  EXPECT_EQ(LinesOf(std::string_view("nul\0after\nnext", 14)), (std::vector<std::string>{"nul", "next"}));
  EXPECT_TRUE(LinesOf("").empty());
  EXPECT_EQ(ValueAfterTag("a:value"), "value");
  EXPECT_EQ(ValueAfterTag("a:"), "");
  EXPECT_EQ(ValueAfterTag("a"), "");
}

TEST(IniSectionScan, SectionHeadersAreFoundOnlyAtTheStartOfALine) {
  EXPECT_TRUE(MayHoldSections("[MIDIPLAY]"));
  EXPECT_TRUE(MayHoldSections("a:x\r\n  \t[MIDIPLAY]\r\n"));
  EXPECT_TRUE(MayHoldSections("a:x\r[MIDIPLAY]"));
  EXPECT_TRUE(MayHoldSections("\xEF\xBB\xBF[MIDIPLAY]"));
  EXPECT_FALSE(MayHoldSections("MEDIA-PLAYER KORU List File\r\nc:[gogo.mid]\r\na:x[y]\r\n"));
}

TEST(IniSectionScan, KeysAreCountedInTheFirstSectionOfTheNameOnly) {
  const std::string ini =
      "0=outside\r\n[Other]\r\n0=a\r\n"
      "[ midiplay ]\r\nnumtracks=3\r\n; 1=comment\r\n\r\n0=a\r\nno equals sign\r\n1 = b\r\n"
      "[MIDIPLAY]\r\n2=c\r\n";
  EXPECT_EQ(KeyLinesInSection(ini, "MIDIPLAY"), 3u);
  EXPECT_EQ(KeyLinesInSection(ini, "Other"), 1u);
  EXPECT_EQ(KeyLinesInSection(ini, "missing"), 0u);
  // "[" alone does not open a section, and a "]" inside a double-byte
  // character does not close one.
  EXPECT_EQ(KeyLinesInSection("[MIDIPLAY]\r\n[no close\r\n0=a\r\n", "MIDIPLAY"), 1u);
  EXPECT_EQ(KeyLinesInSection("[\x81]\r\n0=a\r\n", "\x81]"), 0u);
}

}  // namespace
}  // namespace koru

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "medialist/list_lines.h"

namespace koru {
namespace {

TEST(ListLines, EveryByteValueAtEveryPositionOfAWordIsJudgedAsAByteLoopWould) {
  // The scan tests eight bytes at a time; borrows between bytes and bytes
  // above 127 are where such a scan goes wrong.
  for (char filler : {'x', '\x80', '\xff', ' '}) {
    for (int value = 0; value < 256; ++value) {
      for (std::size_t at = 0; at < 20; ++at) {
        std::string text(24, filler);
        text[at] = static_cast<char>(value);
        text[22] = '\x1f';
        std::size_t expected = 0;
        while (static_cast<unsigned char>(text[expected]) >= 32) ++expected;
        ASSERT_EQ(FindControlByte(text, 0), expected) << "value " << value << " at " << at;
      }
    }
  }
}

TEST(ListLines, LinesEndAtLineFeedsAndTheirTextAtControlBytes) {
  std::vector<std::string> lines;
  ListLineReader reader(std::string_view("a\r\nb\nc\td\r\n\r\nnul\0x\ne\r", 21));
  for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "", "nul", "e"}));
}

}  // namespace
}  // namespace koru

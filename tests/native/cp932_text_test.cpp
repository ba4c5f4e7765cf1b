#include <locale.h>
#include <wctype.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/cp932.h"

namespace koru::cp932 {
namespace {

std::string Bytes(std::initializer_list<unsigned> values) {
  std::string text;
  for (unsigned value : values) text.push_back(static_cast<char>(value));
  return text;
}

std::string Char(unsigned code) {
  return code > 0xFF ? Bytes({code >> 8, code & 0xFF}) : Bytes({code});
}

const std::string kHyou = Char(0x955C);  // 表, trail byte 0x5C
const std::string kSo = Char(0x835C);    // ソ, trail byte 0x5C

TEST(Cp932Chars, LeadBytesAreTheTwoWindowsRanges) {
  for (unsigned byte = 0; byte <= 0xFF; ++byte) {
    const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(byte)), lead) << std::hex << byte;
  }
}

TEST(Cp932Chars, CharLengthPairsALeadByteWithWhateverFollows) {
  const std::string text = "a" + kHyou + Bytes({0x81, 0x20, 0x82});
  EXPECT_EQ(CharLength(text, 0), 1u);
  EXPECT_EQ(CharLength(text, 1), 2u);
  EXPECT_EQ(CharLength(text, 3), 2u) << "a broken pair still hides its second byte";
  EXPECT_EQ(CharLength(text, 5), 1u) << "a lead byte at the very end stands alone";
  EXPECT_EQ(CharLength(text, 6), 0u);
  EXPECT_EQ(CharLength("", 0), 0u);
}

TEST(Cp932Upper, SingleByteLettersOnly) {
  EXPECT_EQ(ToUpper("abc xyz-ABC@[`{09"), "ABC XYZ-ABC@[`{09");
  // Halfwidth katakana and the other high single bytes have no case.
  const std::string katakana = Bytes({0xA1, 0xB1, 0xC0, 0xDF, 0x80, 0xA0, 0xFD, 0xFF});
  EXPECT_EQ(ToUpper(katakana), katakana);
  EXPECT_EQ(ToUpper(""), "");
}

TEST(Cp932Upper, TrailBytesAreNeverUpperCased) {
  // Every trail byte that looks like an ASCII letter, behind a lead byte whose
  // characters have no case.
  for (unsigned trail = 'a'; trail <= 'z'; ++trail) {
    const std::string pair = Bytes({0x88, trail});
    EXPECT_EQ(ToUpper(pair), pair) << std::hex << trail;
  }
  // ャ (0x8361) against ア (0x8341): a byte-wise upper-casing would make them equal.
  EXPECT_FALSE(EqualsNoCase(Char(0x8361), Char(0x8341)));
  EXPECT_EQ(ToUpper(Char(0x8361) + "a"), Char(0x8361) + "A");
}

TEST(Cp932Upper, EachCaseRowMapsToItsCapitals) {
  struct Case {
    unsigned lower, upper;
  };
  const Case cases[] = {
      {0x8281, 0x8260}, {0x829A, 0x8279},  // fullwidth a, z
      {0x83BF, 0x839F}, {0x83D6, 0x83B6},  // Greek alpha, omega
      {0x8470, 0x8440}, {0x8476, 0x8446},  // Cyrillic a, yo
      {0x847E, 0x844E}, {0x8480, 0x844F},  // Cyrillic n, o: either side of trail 0x7F
      {0x8491, 0x8460},                    // Cyrillic ya
      {0xEEEF, 0x8754}, {0xEEF8, 0x875D},  // small Roman i, x (NEC-selected IBM row)
      {0xFA40, 0x8754}, {0xFA49, 0x875D},  // small Roman i, x (IBM row)
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToUpper(Char(c.lower)), Char(c.upper)) << std::hex << c.lower;
    EXPECT_EQ(ToUpper(Char(c.upper)), Char(c.upper)) << std::hex << c.upper;
  }
  // Neighbours of the rows and the hole at 0x7F stay as they are.
  for (unsigned code : {0x8280u, 0x829Bu, 0x83BEu, 0x83D7u, 0x846Fu, 0x847Fu, 0x8492u, 0xEEEEu, 0xEEF9u, 0xFA4Au}) {
    EXPECT_EQ(ToUpper(Char(code)), Char(code)) << std::hex << code;
  }
}

// An independent reference: glibc's Unicode upper-casing applied to the
// character's UTF-16 form, converted back. It follows the same rule as the
// Windows test: an unchanged UTF-16 character keeps its bytes.
TEST(Cp932Upper, AgreesWithUnicodeUpperCasingForEveryCharacter) {
  locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  if (utf8 == static_cast<locale_t>(0)) GTEST_SKIP() << "no C.UTF-8 locale";
  std::vector<std::string> characters;
  for (unsigned byte = 0; byte <= 0xFF; ++byte) {
    if (IsLeadByte(static_cast<unsigned char>(byte))) {
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) characters.push_back(Bytes({byte, trail}));
    } else {
      characters.push_back(Bytes({byte}));
    }
  }
  int checked = 0;
  int changed = 0;
  for (const std::string& character : characters) {
    const auto wide = ToUtf16(character);
    if (!wide || wide->size() != 1) continue;
    ++checked;
    const auto upperWide = static_cast<char16_t>(towupper_l(static_cast<wint_t>((*wide)[0]), utf8));
    std::string expected = character;
    if (upperWide != (*wide)[0]) {
      const auto upperBytes = FromUtf16(std::u16string(1, upperWide));
      ASSERT_TRUE(upperBytes.has_value()) << "no code page 932 form for U+" << std::hex << unsigned{upperWide};
      expected = *upperBytes;
      ++changed;
    }
    EXPECT_EQ(ToUpper(character), expected) << "U+" << std::hex << unsigned{(*wide)[0]};
  }
  freelocale(utf8);
  EXPECT_GT(checked, 7000);
  EXPECT_EQ(changed, 26 + 26 + 24 + 33 + 10 + 10);
}

TEST(Cp932Compare, UpperCasesThenComparesUnsignedBytes) {
  EXPECT_EQ(CompareNoCase("Gogo.MID", "gOGO.mid"), 0);
  EXPECT_TRUE(EqualsNoCase(Char(0x8281), Char(0x8260)));  // fullwidth a and A
  EXPECT_LT(CompareNoCase("10", "9"), 0);
  EXPECT_LT(CompareNoCase("", "0"), 0);
  EXPECT_LT(CompareNoCase("abc", "ABCD"), 0);
  EXPECT_GT(CompareNoCase("ABCD", "abc"), 0);
  // Double-byte and katakana bytes are above every ASCII byte.
  EXPECT_GT(CompareNoCase(kHyou, "z"), 0);
  EXPECT_GT(CompareNoCase(Bytes({0xB1}), "Z"), 0);
  // "_" (0x5F) lies between upper and lower case letters: comparing after
  // upper-casing puts it after every letter.
  EXPECT_GT(CompareNoCase("_", "a"), 0);
  EXPECT_FALSE(EqualsNoCase("abc", "abcd"));
}

TEST(Cp932Path, TrailByte5CIsNotASeparator) {
  const std::string hyouFile = "C:\\dir\\" + kHyou + ".mid";
  EXPECT_EQ(FileNameOf(hyouFile), kHyou + ".mid");
  EXPECT_EQ(FolderWithSeparatorOf(hyouFile), "C:\\dir\\");

  const std::string softPath = kSo + Char(0x8374) + Char(0x8367) + "\\a.mid";  // ソフト\a.mid
  EXPECT_EQ(FileNameOf(softPath), "a.mid");
  EXPECT_EQ(FileNameStart(softPath), 7u);

  const std::string folderEndingInHyou = "C:\\" + kHyou;
  EXPECT_EQ(FileNameOf(folderEndingInHyou), kHyou);
  EXPECT_EQ(FolderWithSeparatorOf(folderEndingInHyou + "\\x.mid"), folderEndingInHyou + "\\");
}

TEST(Cp932Path, SeparatorsAndMissingParts) {
  EXPECT_EQ(FileNameOf("C:a.mid"), "a.mid");
  EXPECT_EQ(FileNameOf("a.mid"), "a.mid");
  EXPECT_EQ(FileNameStart("a.mid"), 0u);
  EXPECT_EQ(FileNameOf("C:\\dir\\"), "");
  EXPECT_EQ(FolderWithSeparatorOf("a.mid"), "");
  EXPECT_EQ(FileNameOf("dir/a.mid"), "dir/a.mid") << "a slash only separates member names";
}

TEST(Cp932Path, ExtensionIsTheLastDotOfTheFileName) {
  EXPECT_EQ(ExtensionOf("C:\\x\\a.b.mid"), ".mid");
  EXPECT_EQ(WithoutExtension("C:\\x\\a.b.mid"), "C:\\x\\a.b");
  EXPECT_EQ(ExtensionOf("C:\\x.y\\name"), "") << "a dot in a folder is no extension";
  EXPECT_EQ(WithoutExtension("C:\\x.y\\name"), "C:\\x.y\\name");
  EXPECT_EQ(ExtensionOf("name."), ".");
  EXPECT_EQ(ExtensionOf(".mid"), ".mid");
  EXPECT_EQ(WithoutExtension(kHyou + ".mid"), kHyou);
}

TEST(Cp932Path, MemberNamesSplitAtEitherSlash) {
  EXPECT_EQ(MemberNameStart("a/b\\c.mid"), 4u);
  EXPECT_EQ(MemberNameStart("c.mid"), 0u);
  const std::string member = "dir/" + kHyou + ".mid";
  EXPECT_EQ(MemberNameStart(member), 4u);
  EXPECT_EQ(MemberNameStart(kSo + ".mid"), 0u);
}

TEST(Cp932Convert, UsesTheWindowsRowsNotShiftJis) {
  struct Row {
    unsigned code;
    char16_t unit;
  };
  // The rows where Shift_JIS and Windows' code page 932 part ways.
  const Row rows[] = {
      {0x5C, u'\\'},     {0x7E, u'~'},      {0x815F, u'\uFF3C'}, {0x8160, u'\uFF5E'}, {0x8161, u'\u2225'},
      {0x817C, u'\uFF0D'}, {0x8191, u'\uFFE0'}, {0x81CA, u'\uFFE2'}, {0x8754, u'\u2160'}, {0xFA40, u'\u2170'},
      {0xED40, u'\u7E8A'}, {0xF040, u'\uE000'},
  };
  for (const Row& row : rows) {
    const auto wide = ToUtf16(Char(row.code));
    ASSERT_TRUE(wide.has_value()) << std::hex << row.code;
    EXPECT_EQ(*wide, std::u16string(1, row.unit)) << std::hex << row.code;
  }
  // Characters with two code points convert back to the preferred one.
  EXPECT_EQ(FromUtf16(u"\u2170"), Char(0xFA40));
  EXPECT_EQ(FromUtf16(u"\u2160"), Char(0x8754));
  EXPECT_EQ(FromUtf16(u"\u7E8A"), Char(0xFA5C));
  EXPECT_EQ(FromUtf16(u"\uFFE2"), Char(0x81CA));
}

TEST(Cp932Convert, StrictFormsRefuseWhatHasNoExactForm) {
  EXPECT_EQ(ToUtf16(""), std::u16string());
  EXPECT_EQ(FromUtf16(u""), std::string());
  EXPECT_FALSE(ToUtf16(Bytes({'a', 0x82})).has_value()) << "lead byte cut off";
  EXPECT_FALSE(ToUtf16(Bytes({0x81, 0x20})).has_value()) << "trail byte out of range";
  EXPECT_FALSE(FromUtf16(u"\uAC00").has_value()) << "Hangul";
  EXPECT_FALSE(FromUtf16(u"\U0001F600").has_value()) << "emoji";
  EXPECT_FALSE(FromUtf16(std::u16string(1, u'\xD800')).has_value()) << "lone surrogate";
  // One-way mappings of glibc that Windows refuses under WC_NO_BEST_FIT_CHARS.
  EXPECT_FALSE(FromUtf16(u"\u00A5").has_value());
  EXPECT_FALSE(FromUtf16(u"\u301C").has_value());
  // A zero byte is an ordinary character inside a text.
  EXPECT_EQ(ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Cp932Convert, LossyFormsReplaceEachBadCharacter) {
  EXPECT_EQ(ToUtf16Lossy(Bytes({'a', 0x81, 0x20, 'b', 0x82})), u"a?b?");
  EXPECT_EQ(ToUtf16Lossy(kHyou), u"\u8868");
  EXPECT_EQ(FromUtf16Lossy(u"a\uAC00b\U0001F600c"), "a?b?c");
  EXPECT_EQ(FromUtf16Lossy(u"\u8868"), kHyou);
}

TEST(Cp932Convert, ProgramTextsFromUtf8) {
  EXPECT_EQ(FromUtf8(u8"ＭＳ Ｐゴシック"),
            Bytes({0x82, 0x6C, 0x82, 0x72, 0x20, 0x82, 0x6F, 0x83, 0x53, 0x83, 0x56, 0x83, 0x62, 0x83, 0x4E}));
  EXPECT_EQ(FromUtf8(u8"ﾀｲﾄﾙの昇順"), Bytes({0xC0, 0xB2, 0xC4, 0xD9, 0x82, 0xCC, 0x8F, 0xB8, 0x8F, 0x87}));
  EXPECT_EQ(FromUtf8(u8"○"), Char(0x819B));
  EXPECT_EQ(FromUtf8(u8""), "");
  // Broken UTF-8 (a cut-off sequence, an overlong form, a surrogate) turns
  // into "?" rather than into random bytes.
  const std::u8string broken = {u8'a', char8_t(0xE3), char8_t(0x81), u8'b', char8_t(0xC0), char8_t(0xAF),
                                char8_t(0xED), char8_t(0xA0), char8_t(0x80)};
  EXPECT_EQ(FromUtf8(broken), "a??b?????");
}

}  // namespace
}  // namespace koru::cp932

#include <locale.h>
#include <wctype.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/cp932.h"

namespace koru::cp932 {
namespace {

std::string Char(unsigned code) {
  if (code <= 0xFF) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

const std::string kHyou = Char(0x955C);  // 表, trail byte 0x5C
const std::string kSo = Char(0x835C);    // ソ, trail byte 0x5C

TEST(Cp932Chars, CharLengthPairsALeadByteWithWhateverFollows) {
  const std::string text = "a" + kHyou + Char(0x81) + " " + Char(0x82);
  EXPECT_EQ(CharLength(text, 0), 1u);
  EXPECT_EQ(CharLength(text, 1), 2u);
  EXPECT_EQ(CharLength(text, 3), 2u) << "a broken pair still hides its second byte";
  EXPECT_EQ(CharLength(text, 5), 1u) << "a lead byte at the very end stands alone";
  EXPECT_EQ(CharLength(text, 6), 0u);
}

TEST(Cp932Upper, LettersOnlyAndNeverATrailByte) {
  EXPECT_EQ(ToUpper("abc xyz-ABC@[`{09"), "ABC XYZ-ABC@[`{09");
  for (unsigned trail = 'a'; trail <= 'z'; ++trail) {
    const std::string pair = Char(0x8800 | trail);
    EXPECT_EQ(ToUpper(pair), pair) << std::hex << trail;
  }
  // ャ (0x8361) against ア (0x8341): a byte-wise upper-casing makes them equal.
  EXPECT_FALSE(EqualsNoCase(Char(0x8361), Char(0x8341)));
  EXPECT_EQ(ToUpper(Char(0x8361) + "a"), Char(0x8361) + "A");
}

// An independent reference: glibc's Unicode upper-casing of the character's
// UTF-16 form, converted back; an unchanged character keeps its bytes. The
// Windows test holds the same function against CharUpperBuffW.
TEST(Cp932Upper, AgreesWithUnicodeUpperCasingForEveryCharacter) {
  locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  if (utf8 == static_cast<locale_t>(0)) GTEST_SKIP() << "no C.UTF-8 locale";
  int checked = 0;
  int changed = 0;
  for (unsigned code = 0; code <= 0xFCFC; ++code) {
    const bool pair = code > 0xFF;
    if (pair != IsLeadByte(static_cast<unsigned char>(pair ? code >> 8 : code))) continue;
    const std::string character = Char(code);
    const auto wide = ToUtf16(character);
    if (!wide || wide->size() != 1) continue;
    ++checked;
    const auto upper = static_cast<char16_t>(towupper_l(static_cast<wint_t>((*wide)[0]), utf8));
    std::string expected = character;
    if (upper != (*wide)[0]) {
      ++changed;
      expected = FromUtf16(std::u16string(1, upper)).value_or("(none)");
    }
    EXPECT_EQ(ToUpper(character), expected) << "U+" << std::hex << unsigned{(*wide)[0]};
  }
  freelocale(utf8);
  EXPECT_GT(checked, 7000);
  // a-z, fullwidth a-z, Greek, Cyrillic, small Roman numerals in two rows.
  EXPECT_EQ(changed, 26 + 26 + 24 + 33 + 10 + 10);
}

TEST(Cp932Compare, UpperCasesThenComparesUnsignedBytes) {
  EXPECT_EQ(CompareNoCase("Gogo.MID", "gOGO.mid"), 0);
  EXPECT_TRUE(EqualsNoCase(Char(0x8281), Char(0x8260)));  // fullwidth a and A
  EXPECT_LT(CompareNoCase("10", "9"), 0);
  EXPECT_LT(CompareNoCase("", "0"), 0);
  EXPECT_LT(CompareNoCase("abc", "ABCD"), 0);
  EXPECT_GT(CompareNoCase(kHyou, "z"), 0);
  EXPECT_GT(CompareNoCase(Char(0xB1), "Z"), 0);
  // "_" (0x5F) lies between the capitals and the small letters.
  EXPECT_GT(CompareNoCase("_", "a"), 0);
}

TEST(Cp932Path, TrailByte5CIsNeverASeparator) {
  const std::string hyouFile = "C:\\" + kHyou + "\\" + kHyou + ".mid";
  EXPECT_EQ(FileNameOf(hyouFile), kHyou + ".mid");
  EXPECT_EQ(FolderWithSeparatorOf(hyouFile), "C:\\" + kHyou + "\\");
  EXPECT_EQ(WithoutExtension(hyouFile), "C:\\" + kHyou + "\\" + kHyou);
  const std::string softPath = kSo + Char(0x8374) + Char(0x8367) + "\\a.mid";  // ソフト\a.mid
  EXPECT_EQ(FileNameOf(softPath), "a.mid");
  EXPECT_EQ(FileNameOf("C:\\" + kSo), kSo);
  EXPECT_EQ(MemberNameStart("dir/" + kHyou + ".mid"), 4u);
  EXPECT_EQ(MemberNameStart(kSo + ".mid"), 0u);
}

TEST(Cp932Path, SeparatorsExtensionsAndMissingParts) {
  EXPECT_EQ(FileNameOf("C:a.mid"), "a.mid");
  EXPECT_EQ(FolderWithSeparatorOf("a.mid"), "");
  EXPECT_EQ(FileNameOf("C:\\dir\\"), "");
  EXPECT_EQ(FileNameOf("dir/a.mid"), "dir/a.mid") << "a slash only separates member names";
  EXPECT_EQ(MemberNameStart("a/b\\c.mid"), 4u);
  EXPECT_EQ(ExtensionOf("C:\\x\\a.b.mid"), ".mid");
  EXPECT_EQ(ExtensionOf("C:\\x.y\\name"), "") << "a dot in a folder is no extension";
  EXPECT_EQ(WithoutExtension("C:\\x.y\\name"), "C:\\x.y\\name");
  EXPECT_EQ(ExtensionOf("name."), ".");
}

TEST(Cp932Convert, UsesTheWindowsRowsNotShiftJis) {
  const std::pair<unsigned, char16_t> rows[] = {
      {0x5C, u'\\'},       {0x7E, u'~'},        {0x815F, u'\uFF3C'}, {0x8160, u'\uFF5E'},
      {0x817C, u'\uFF0D'}, {0x8754, u'\u2160'}, {0xED40, u'\u7E8A'}, {0xF040, u'\uE000'},
  };
  for (const auto& [code, unit] : rows) EXPECT_EQ(ToUtf16(Char(code)), std::u16string(1, unit)) << std::hex << code;
  // Characters with two codes convert back to the preferred one.
  EXPECT_EQ(FromUtf16(u"\u2170"), Char(0xFA40));
  EXPECT_EQ(FromUtf16(u"\u7E8A"), Char(0xFA5C));
}

TEST(Cp932Convert, StrictFormsRefuseWhatHasNoExactForm) {
  EXPECT_EQ(ToUtf16(""), std::u16string());
  EXPECT_EQ(ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_FALSE(ToUtf16("a" + Char(0x82)).has_value()) << "lead byte cut off";
  EXPECT_FALSE(ToUtf16(Char(0x81) + " ").has_value()) << "trail byte out of range";
  EXPECT_FALSE(FromUtf16(u"\uAC00").has_value()) << "Hangul";
  EXPECT_FALSE(FromUtf16(u"\U0001F600").has_value()) << "emoji";
  EXPECT_FALSE(FromUtf16(std::u16string(1, u'\xD800')).has_value()) << "lone surrogate";
  // glibc maps these one way; Windows refuses them under WC_NO_BEST_FIT_CHARS.
  EXPECT_FALSE(FromUtf16(u"\u00A5").has_value());
  EXPECT_FALSE(FromUtf16(u"\u301C").has_value());
}

TEST(Cp932Convert, LossyFormsAndProgramTexts) {
  EXPECT_EQ(ToUtf16Lossy("a" + Char(0x81) + " b" + Char(0x82)), u"a?b?");
  EXPECT_EQ(FromUtf16Lossy(u"a\uAC00b\U0001F600c\u8868"), "a?b?c" + kHyou);
  EXPECT_EQ(FromUtf8(u8"ＭＳ Ｐゴシック"),
            "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
  EXPECT_EQ(FromUtf8(u8"ﾀｲﾄﾙの昇順"), "\xC0\xB2\xC4\xD9\x82\xCC\x8F\xB8\x8F\x87");
  // A cut-off sequence, an overlong form and a surrogate in UTF-8 become "?".
  const std::u8string broken = {u8'a', char8_t(0xE3), char8_t(0x81), u8'b', char8_t(0xC0), char8_t(0xAF),
                                char8_t(0xED), char8_t(0xA0), char8_t(0x80)};
  EXPECT_EQ(FromUtf8(broken), "a??b?????");
}

}  // namespace
}  // namespace koru::cp932

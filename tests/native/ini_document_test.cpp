#include "settings/ini_document.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp932.h"

namespace koru {
namespace {

std::string Sjis(std::u8string_view utf8) { return cp932::FromUtf8(utf8); }

TEST(IniDocumentRead, SectionsAndKeysIgnoreCaseIncludingWideLetters) {
  std::string wideSection = Sjis(u8"ａｂｃ");
  IniDocument ini = IniDocument::Parse("[Form]\r\nLeft=5\r\n[" + wideSection + "]\r\nk=wide\r\n");
  EXPECT_EQ(ini.Get("FORM", "left"), "5");
  EXPECT_EQ(ini.Get("form", "LEFT"), "5");
  EXPECT_EQ(ini.Get(Sjis(u8"ＡＢＣ"), "K"), "wide");
  EXPECT_EQ(ini.Get("FORM", "top"), std::nullopt);
  EXPECT_EQ(ini.Get("LIST", "left"), std::nullopt);
}

TEST(IniDocumentRead, NamesAndValuesAreTrimmedOfProfileBlanks) {
  IniDocument ini = IniDocument::Parse(
      "  [ S\t]  \r\n"
      " \tKey Name \t=  a b \t\r\n"
      "eof=\x1A" "x\x1A\r\n"
      "vt=\v\fx\f\v\r\n"
      "ideographic=" + Sjis(u8"\u3000x\u3000") + "\r\n");
  EXPECT_EQ(ini.Get("s", "key name"), "a b");
  EXPECT_EQ(ini.Get("S", "eof"), "x");
  EXPECT_EQ(ini.Get("S", "vt"), "x");
  // The profile functions leave the full-width blank alone.
  EXPECT_EQ(ini.Get("S", "ideographic"), Sjis(u8"\u3000x\u3000"));
}

TEST(IniDocumentRead, OnePairOfMatchingQuotesIsStripped) {
  IniDocument ini = IniDocument::Parse(
      "[Q]\r\n"
      "double=\"abc\"\r\n"
      "single='abc'\r\n"
      "mixed=\"abc'\r\n"
      "lone=\"\r\n"
      "empty=\"\"\r\n"
      "inner= \" a \" \r\n"
      "nested=\"\"x\"\"\r\n");
  EXPECT_EQ(ini.Get("Q", "double"), "abc");
  EXPECT_EQ(ini.Get("Q", "single"), "abc");
  EXPECT_EQ(ini.Get("Q", "mixed"), "\"abc'");
  EXPECT_EQ(ini.Get("Q", "lone"), "\"");
  EXPECT_EQ(ini.Get("Q", "empty"), "");
  EXPECT_EQ(ini.Get("Q", "inner"), " a ");
  EXPECT_EQ(ini.Get("Q", "nested"), "\"x\"");
}

TEST(IniDocumentRead, FirstSectionAndFirstKeyOfRepeatedNamesWin) {
  IniDocument ini = IniDocument::Parse("[S]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\nonlyInSecond=x\r\n");
  EXPECT_EQ(ini.Get("S", "k"), "1");
  EXPECT_EQ(ini.Get("S", "onlyInSecond"), std::nullopt);
}

TEST(IniDocumentRead, OddLinesFollowTheProfileFunctions) {
  std::string trailByteBracket = Sjis(u8"ゾ");  // 83 5D: its trail byte is "]"
  ASSERT_EQ(trailByteBracket[1], ']');
  IniDocument ini = IniDocument::Parse(
      "top=global\r\n"
      "[A]after the header\r\n"
      "novalue\r\n"
      "; comment=1\r\n"
      "[unclosed\r\n"
      "a=still A\r\n"
      "[B]]\r\n"
      "b=1\r\n"
      "[C]" + trailByteBracket + "\r\n"
      "c=1\r\n"
      "[" + trailByteBracket + "]\r\n"
      "d=1\r\n");
  EXPECT_EQ(ini.Get("", "top"), "global");
  EXPECT_EQ(ini.Get("A", "novalue"), std::nullopt);
  EXPECT_EQ(ini.Get("A", "; comment"), std::nullopt);
  EXPECT_EQ(ini.Get("A", "a"), "still A");
  EXPECT_EQ(ini.Get("B]", "b"), "1");
  EXPECT_EQ(ini.Get("C", "c"), "1");
  EXPECT_EQ(ini.Get(trailByteBracket, "d"), "1");
}

TEST(IniDocumentRead, AnyLineEndEndsALine) {
  IniDocument ini = IniDocument::Parse("[S]\na=1\rb=2\r\n\r\n\n\rc=3");
  EXPECT_EQ(ini.Get("S", "a"), "1");
  EXPECT_EQ(ini.Get("S", "b"), "2");
  EXPECT_EQ(ini.Get("S", "c"), "3");
}

TEST(IniDocumentRead, Utf8ByteOrderMarkDoesNotHideTheFirstSection) {
  IniDocument ini = IniDocument::Parse("\xEF\xBB\xBF[FORM]\r\nleft=3\r\n");
  EXPECT_EQ(ini.Get("FORM", "left"), "3");
  EXPECT_EQ(ini.Serialize().rfind("[FORM]", 0), 0u);

  // Only the first mark is taken off; a second one belongs to the first line.
  IniDocument twice = IniDocument::Parse("\xEF\xBB\xBF\xEF\xBB\xBFk=1\r\n");
  EXPECT_EQ(twice.Get("", "k"), std::nullopt);
  EXPECT_EQ(twice.Get("", "\xEF\xBB\xBFk"), "1");
  EXPECT_EQ(IniDocument::Parse(twice.Serialize()).Get("", "\xEF\xBB\xBFk"), "1");
}

TEST(IniDocumentRead, ACheapLookFindsEveryLineThatCanBeAHeader) {
  const struct {
    const char* bytes;
    bool mayHoldSections;
  } cases[] = {
      {"", false},
      {"MEDIA-PLAYER KORU List File\r\na:C:\\[x].mid\r\n", false},  // "[" inside a line
      {" \t[S]\r\n", true},                                          // after blanks
      {"\xEF\xBB\xBF[S]\r\n", true},                                  // after the byte-order mark
      {"a=1\r[S]", true},                                              // after a lone CR
      {"a=1\n[S]", true},                                              // after a lone LF
  };
  for (const auto& c : cases) EXPECT_EQ(IniDocument::MayHoldSections(c.bytes), c.mayHoldSections) << c.bytes;
}

TEST(IniDocumentRead, TextAfterNulIsNotSeen) {
  IniDocument ini = IniDocument::Parse(std::string("[S]\r\nk=ab\0cd\r\n", 15));
  EXPECT_EQ(ini.Get("S", "k"), "ab");
}

TEST(IniDocumentGetInt, ReadsNumbersAsGetPrivateProfileInt) {
  IniDocument ini = IniDocument::Parse(
      "[N]\r\nplain=12\r\nnegative=-1\r\nplus=+5\r\ntrailing=12abc\r\nblank= 7\r\nquoted=\"42\"\r\n"
      "hex=0x1f\r\nupperX=0X10\r\noctal=0o17\r\nbinary=0b101\r\nnegativeHex=-0x10\r\n"
      "wrapped=4294967297\r\nbelowMinimum=-2147483649\r\n");
  EXPECT_EQ(ini.GetInt("N", "plain", 99), 12);
  EXPECT_EQ(ini.GetInt("N", "negative", 99), -1);
  EXPECT_EQ(ini.GetInt("N", "plus", 99), 5);
  EXPECT_EQ(ini.GetInt("N", "trailing", 99), 12);
  EXPECT_EQ(ini.GetInt("N", "blank", 99), 7);
  EXPECT_EQ(ini.GetInt("N", "quoted", 99), 42);
  EXPECT_EQ(ini.GetInt("N", "hex", 99), 31);
  EXPECT_EQ(ini.GetInt("N", "upperX", 99), 0);  // "0X" is no prefix: the digit 0
  EXPECT_EQ(ini.GetInt("N", "octal", 99), 15);
  EXPECT_EQ(ini.GetInt("N", "binary", 99), 5);
  EXPECT_EQ(ini.GetInt("N", "negativeHex", 99), -16);
  EXPECT_EQ(ini.GetInt("N", "wrapped", 99), 1);
  EXPECT_EQ(ini.GetInt("N", "belowMinimum", 99), 2147483647);
}

TEST(IniDocumentGetInt, ValuesWithoutANumberGiveTheFallback) {
  IniDocument ini = IniDocument::Parse("[N]\r\nempty=\r\nword=abc\r\nsign=-\r\nspacedSign=- 5\r\nnovalue\r\n");
  for (const char* key : {"empty", "word", "sign", "spacedSign", "novalue", "missing"}) {
    EXPECT_EQ(ini.GetInt("N", key, -7), -7) << key;
  }
  EXPECT_EQ(ini.GetInt("missing", "empty", -7), -7);
}

TEST(IniDocumentWrite, ChangesOnlyTheLinesItMustAndWritesCrLf) {
  std::string original =
      "; KORU settings\n"
      "\n"
      "[FORM]\n"
      "  Left = 1 ; not a comment\n"
      "unknown=kept   \n"
      "\n"
      "; about LIST\n"
      "[LIST]\r\n"
      "count=10";
  IniDocument ini = IniDocument::Parse(original);
  ini.SetInt("form", "left", 42);
  ini.Set("FORM", "top", "7");
  ini.Set("MPL", "file", "a.mpl");
  EXPECT_EQ(ini.Serialize(),
            "; KORU settings\r\n"
            "\r\n"
            "[FORM]\r\n"
            "Left=42\r\n"
            "unknown=kept   \r\n"
            "top=7\r\n"
            "\r\n"
            "; about LIST\r\n"
            "[LIST]\r\n"
            "count=10\r\n"
            "[MPL]\r\n"
            "file=a.mpl\r\n");
}

TEST(IniDocumentWrite, RemoveDeletesOnlyTheFirstMatchingKey) {
  IniDocument ini = IniDocument::Parse("[OPT]\r\ndirnm=1\r\ncopyr=1\r\n[X]\r\ndirnm=2\r\n");
  ini.Remove("opt", "DIRNM");
  ini.Remove("OPT", "missing");
  ini.Remove("missing", "dirnm");
  EXPECT_EQ(ini.Serialize(), "[OPT]\r\ncopyr=1\r\n[X]\r\ndirnm=2\r\n");
}

TEST(IniDocumentWrite, ValuesTheReaderWouldChangeAreQuoted) {
  IniDocument ini;
  const std::string values[] = {" leading", "trailing\t", "\"quoted\"", "'single'", "\"", "a\"b\"", "",
                                Sjis(u8"表示\\ソフト")};
  for (const std::string& value : values) {
    ini.Set("V", "k", value);
    EXPECT_EQ(ini.Get("V", "k"), value);
    EXPECT_EQ(IniDocument::Parse(ini.Serialize()).Get("V", "k"), value);
  }
  ini.Set("V", "k", "plain");
  EXPECT_EQ(ini.Serialize(), "[V]\r\nk=plain\r\n");
}

TEST(IniDocumentWrite, ALineBreakEndsTheValue) {
  IniDocument ini;
  ini.Set("V", "k", "first\r\n[INJECTED]\r\nx=1");
  EXPECT_EQ(ini.Get("V", "k"), "first");
  EXPECT_EQ(IniDocument::Parse(ini.Serialize()).Get("INJECTED", "x"), std::nullopt);
}

TEST(IniDocumentWrite, KeyWithoutValueGetsOneInPlace) {
  IniDocument ini = IniDocument::Parse("[S]\r\nflag\r\nnext=1\r\n");
  ini.Set("S", "FLAG", "on");
  EXPECT_EQ(ini.Serialize(), "[S]\r\nflag=on\r\nnext=1\r\n");
}

}  // namespace
}  // namespace koru

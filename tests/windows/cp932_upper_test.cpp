// Proves the portable code page 932 functions against Windows itself: every
// character code page 932 holds is upper-cased with CharUpperBuffW and
// converted with MultiByteToWideChar / WideCharToMultiByte.
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/cp932.h"

namespace koru::cp932 {
namespace {

constexpr UINT kCodePage = 932;

struct Cp932Char {
  std::string bytes;
  wchar_t unit;
};

std::string Hex(std::string_view bytes) {
  std::ostringstream out;
  out << std::hex << std::uppercase;
  for (unsigned char byte : bytes) out << (byte < 0x10 ? "0" : "") << static_cast<unsigned>(byte);
  return out.str();
}

// The UTF-16 form Windows gives one character, or nothing when Windows does
// not take it as exactly one valid character.
bool WindowsDecodes(const std::string& bytes, wchar_t& unit) {
  wchar_t wide[4] = {};
  const int length = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                         static_cast<int>(bytes.size()), wide, 4);
  if (length != 1) return false;
  unit = wide[0];
  return true;
}

std::string WindowsEncodes(std::wstring_view text, DWORD flags, bool& usedDefault) {
  char bytes[16] = {};
  BOOL defaulted = FALSE;
  const int length = WideCharToMultiByte(kCodePage, flags, text.data(), static_cast<int>(text.size()), bytes,
                                         sizeof bytes, nullptr, &defaulted);
  usedDefault = defaulted != FALSE;
  return std::string(bytes, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// Every single byte and every lead/trail pair Windows accepts as one character.
const std::vector<Cp932Char>& AllCharacters() {
  static const std::vector<Cp932Char> characters = [] {
    std::vector<Cp932Char> found;
    for (unsigned first = 0; first <= 0xFF; ++first) {
      if (!IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(first))) {
        const std::string bytes(1, static_cast<char>(first));
        wchar_t unit = 0;
        if (WindowsDecodes(bytes, unit)) found.push_back({bytes, unit});
        continue;
      }
      for (unsigned second = 0; second <= 0xFF; ++second) {
        const std::string bytes{static_cast<char>(first), static_cast<char>(second)};
        wchar_t unit = 0;
        if (WindowsDecodes(bytes, unit)) found.push_back({bytes, unit});
      }
    }
    return found;
  }();
  return characters;
}

TEST(Cp932Windows, LeadBytesMatchTheSystem) {
  for (unsigned byte = 0; byte <= 0xFF; ++byte) {
    EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(byte)),
              IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(byte)) != FALSE)
        << std::hex << byte;
  }
}

TEST(Cp932Windows, ToUpperMatchesCharUpperBuffWOnEveryCharacter) {
  const auto& characters = AllCharacters();
  ASSERT_GT(characters.size(), 7000u);
  int changed = 0;
  int mismatches = 0;
  for (const Cp932Char& character : characters) {
    wchar_t upper = character.unit;
    CharUpperBuffW(&upper, 1);
    std::string expected = character.bytes;
    if (upper != character.unit) {
      ++changed;
      bool usedDefault = false;
      expected = WindowsEncodes(std::wstring_view(&upper, 1), 0, usedDefault);
      ASSERT_FALSE(usedDefault) << "no code page 932 form for the capital of " << Hex(character.bytes);
    }
    const std::string actual = ToUpper(character.bytes);
    if (actual != expected && ++mismatches <= 40) {
      ADD_FAILURE() << Hex(character.bytes) << " U+" << std::hex << static_cast<unsigned>(character.unit)
                    << ": ToUpper gives " << Hex(actual) << ", CharUpperBuffW " << Hex(expected);
    }
  }
  EXPECT_EQ(mismatches, 0);
  std::printf("%zu characters, %d with a capital\n", characters.size(), changed);

  // The same characters run together: no character disturbs its neighbour.
  std::string all;
  std::string allUpper;
  for (const Cp932Char& character : characters) {
    all += character.bytes;
    allUpper += ToUpper(character.bytes);
  }
  EXPECT_EQ(ToUpper(all), allUpper);
}

TEST(Cp932Windows, ConversionsAgreeWithTheSystemAndRoundTrip) {
  const auto& characters = AllCharacters();
  std::string all;
  std::u16string allWide;
  for (const Cp932Char& character : characters) {
    const std::u16string wide(1, static_cast<char16_t>(character.unit));
    const auto decoded = ToUtf16(character.bytes);
    ASSERT_TRUE(decoded.has_value()) << Hex(character.bytes);
    EXPECT_EQ(*decoded, wide) << Hex(character.bytes);

    // The way back may pick another code for the same character (NEC and IBM
    // rows), but that code decodes to the same character again.
    bool usedDefault = false;
    const std::string windowsBytes =
        WindowsEncodes(std::wstring_view(&character.unit, 1), WC_NO_BEST_FIT_CHARS, usedDefault);
    const auto encoded = FromUtf16(wide);
    if (usedDefault) {
      EXPECT_FALSE(encoded.has_value()) << Hex(character.bytes);
      continue;
    }
    ASSERT_TRUE(encoded.has_value()) << Hex(character.bytes);
    EXPECT_EQ(*encoded, windowsBytes) << Hex(character.bytes);
    EXPECT_EQ(ToUtf16(*encoded), wide) << Hex(character.bytes);
    all += character.bytes;
    allWide += wide;
  }
  // One long text through the same functions.
  EXPECT_EQ(ToUtf16(all), allWide);
  const auto allBytes = FromUtf16(allWide);
  ASSERT_TRUE(allBytes.has_value());
  EXPECT_EQ(ToUtf16(*allBytes), allWide);
}

TEST(Cp932Windows, StrictFormsRefuseWhatWindowsCannotHoldExactly) {
  EXPECT_FALSE(ToUtf16(std::string("a\x82", 2)).has_value());
  EXPECT_FALSE(ToUtf16(std::string("\x81\x20", 2)).has_value());
  EXPECT_FALSE(FromUtf16(u"\uAC00").has_value());
  EXPECT_FALSE(FromUtf16(u"\U0001F600").has_value());
  EXPECT_FALSE(FromUtf16(u"\u00A5").has_value()) << "best fit to a backslash";
  EXPECT_EQ(FromUtf16Lossy(u"a\uAC00b"), "a?b");
  EXPECT_EQ(ToUtf16Lossy(std::string("a\x81\x20z", 4)), u"a?z");
  EXPECT_EQ(ToUtf16(""), std::u16string());
  EXPECT_EQ(FromUtf8(u8"ＭＳ Ｐゴシック"), "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
}

}  // namespace
}  // namespace koru::cp932

// KORU.ini is read and written by IniDocument, and by the Windows profile
// functions whenever a user or another tool touches it. These tests put both
// on the same files, with Japanese text, and require the same answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/file_system_win32.h"
#include "platform/wide_text_win32.h"
#include "settings/ini_document.h"
#include "settings/settings.h"
#include "support/test_environment.h"

namespace koru {
namespace {

constexpr const char* kMissing = "<missing>";

std::string Sjis(std::u8string_view utf8) { return cp932::FromUtf8(utf8); }

std::string ProfileString(const std::wstring& path, std::string_view section, std::string_view key) {
  std::wstring buffer(4096, L'\0');
  DWORD length = ::GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(kMissing).c_str(),
                                            buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
  return NarrowLossy(std::wstring_view(buffer.data(), length));
}

int ProfileInt(const std::wstring& path, std::string_view section, std::string_view key, int fallback) {
  return static_cast<int>(::GetPrivateProfileIntW(Widen(section).c_str(), Widen(key).c_str(), fallback, path.c_str()));
}

void WriteProfileString(const std::wstring& path, std::string_view section, std::string_view key,
                        const char* value) {
  std::wstring wideValue = value ? Widen(value) : std::wstring();
  ASSERT_TRUE(::WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                           value ? wideValue.c_str() : nullptr, path.c_str()));
}

std::string ReadBytes(const std::wstring& path) { return Win32FileSystem().ReadWholeFile(NarrowLossy(path)).value(); }

// Every key name that appears in the text, in every section, as the
// profile functions would be asked for it.
struct Query {
  std::string section;
  std::string key;
};

std::vector<Query> AllPairs(const std::vector<std::string>& sections, const std::vector<std::string>& keys) {
  std::vector<Query> pairs;
  for (const std::string& section : sections) {
    for (const std::string& key : keys) pairs.push_back({section, key});
  }
  return pairs;
}

void ExpectSameStrings(const std::wstring& path, const std::vector<Query>& queries) {
  IniDocument ini = IniDocument::Parse(ReadBytes(path));
  for (const Query& query : queries) {
    EXPECT_EQ(ini.Get(query.section, query.key).value_or(kMissing), ProfileString(path, query.section, query.key))
        << "[" << query.section << "] " << query.key;
  }
}

class IniProfileCompat : public ::testing::Test {
 protected:
  void SetUp() override {
    // The profile functions read a file without a byte-order mark in the
    // ANSI code page; only with 932 do they read KORU's bytes as KORU does.
    ASSERT_EQ(::GetACP(), 932u) << "run with LANG=ja_JP.UTF-8";
  }
  // A new name for every file: the profile functions cache the last file.
  std::wstring NewFile(const std::string& bytes) {
    std::wstring path = folder_ / (L"case" + std::to_wstring(++files_) + L".ini");
    folder_.WriteFile(path.substr(folder_.Path().size()), bytes);
    return path;
  }
  std::wstring NewPath() { return folder_ / (L"new" + std::to_wstring(++files_) + L".ini"); }

  testing::ScratchFolder folder_;
  int files_ = 0;
};

TEST_F(IniProfileCompat, ReadsAHandEditedFileAsTheProfileFunctions) {
  std::string text =
      "top=before any section\r\n"
      "; comment line\r\n"
      "  [ FORM ]  \r\n"
      " Left = 12 \r\n"
      "top=\"  -3  \"\r\n"
      "width='quoted'\r\n"
      "mixed=\"abc'\r\n"
      "lone=\"\r\n"
      "empty=\"\"\r\n"
      "title=value with \"inner\" quotes\r\n"
      "dup=first\r\n"
      "dup=second\r\n"
      "novalue\r\n"
      "[form]\r\n"
      "second=only in the repeated section\r\n"
      "[" + Sjis(u8"曲表") + "]\n" +
      Sjis(u8"ソフト") + "=" + Sjis(u8"表示\\テスト") + "\n"
      "[" + Sjis(u8"ゾ") + "]after\r" +
      Sjis(u8"ゾ") + "=" + Sjis(u8"ゾ]") + "\r"
      "[unclosed\r\n"
      "after=still in the section above\r\n"
      "[Blank]\r\n"
      "eof=\x1A" "x\x1A\r\n"
      "vt=\v\fx\f\v\r\n"
      "ideographic=" + Sjis(u8"\u3000x\u3000") + "\r\n"
      "tab=\tx y\t";
  std::wstring path = NewFile(text);
  ExpectSameStrings(path, AllPairs({"FORM", "form", "Form", Sjis(u8"曲表"), Sjis(u8"ゾ"), "Blank", "BLANK",
                                    "unclosed", "missing"},
                                   {"left", "LEFT", "top", "width", "mixed", "lone", "empty", "title", "dup",
                                    "novalue", "second", Sjis(u8"ソフト"), Sjis(u8"ゾ"), "after", "eof", "vt",
                                    "ideographic", "tab", "missing"}));
}

TEST_F(IniProfileCompat, ReadsNumbersAsGetPrivateProfileInt) {
  const std::vector<std::string> numbers = {
      "12", "-1", "+5", "12abc", " 7", "\"42\"", "'-9'", "0x1f", "0X10", "0o17", "0b101", "0b102", "-0x10", "0x",
      "007", "2147483647", "-2147483648", "4294967297", "-2147483649", "12345678901234567890123456789012345",
      "\x01" "5", "9" + Sjis(u8"円")};
  std::string text = "[N]\r\n";
  for (std::size_t i = 0; i < numbers.size(); ++i) text += "k" + std::to_string(i) + "=" + numbers[i] + "\r\n";
  text += "empty=\r\nword=abc\r\nsign=-\r\nspacedSign=- 5\r\n";
  std::wstring path = NewFile(text);
  IniDocument ini = IniDocument::Parse(ReadBytes(path));
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    std::string key = "k" + std::to_string(i);
    EXPECT_EQ(ini.GetInt("N", key, 77), ProfileInt(path, "N", key, 77)) << numbers[i];
  }
  EXPECT_EQ(ini.GetInt("N", "missing", 77), ProfileInt(path, "N", "missing", 77));
  EXPECT_EQ(ini.GetInt("N", "empty", 77), ProfileInt(path, "N", "empty", 77));
  // Where Windows reads a value without digits as 0, KORU takes the default:
  // a value of the wrong form reads as if it were missing.
  for (const char* key : {"word", "sign", "spacedSign"}) {
    EXPECT_EQ(ProfileInt(path, "N", key, 77), 0) << key;
    EXPECT_EQ(ini.GetInt("N", key, 77), 77) << key;
  }
}

TEST_F(IniProfileCompat, WhatIniDocumentWritesTheProfileFunctionsReadBack) {
  struct Entry {
    std::string section, key, value;
  };
  const std::vector<Entry> entries = {
      {"MPL", "file", "C:\\" + Sjis(u8"曲表\\ソフト.mpl")},
      {"MPL", "play", ""},
      {"IMAGE", "file", " " + Sjis(u8"表紙") + ".jpg "},
      {"FONT", "name", Sjis(u8"ＭＳ Ｐゴシック")},
      {Sjis(u8"表"), Sjis(u8"ソ"), Sjis(u8"ゾ]")},
      {"Q", "double", "\"quoted\""},
      {"Q", "single", "'quoted'"},
      {"Q", "lone", "\""},
      {"Q", "tabs", "\tx\t"},
      {"Q", "inner", "a \"b\" c"},
  };
  IniDocument ini = IniDocument::Parse("; kept\r\n[MPL]\r\nfile=old\r\n");
  for (const Entry& entry : entries) ini.Set(entry.section, entry.key, entry.value);
  ini.SetInt("FORM", "left", -1);
  std::wstring path = NewFile(ini.Serialize());
  for (const Entry& entry : entries) {
    EXPECT_EQ(ProfileString(path, entry.section, entry.key), entry.value) << entry.key;
  }
  EXPECT_EQ(ProfileInt(path, "FORM", "left", 5), -1);
}

TEST_F(IniProfileCompat, WhatTheProfileFunctionsWriteIniDocumentReads) {
  std::wstring path = NewFile("; " + Sjis(u8"手で書いた注釈") + "\r\n[FORM]\r\nleft=1\r\nold=x\r\n");
  WriteProfileString(path, "form", "LEFT", "25");
  WriteProfileString(path, "FORM", "old", nullptr);
  WriteProfileString(path, "MPL", "file", ("C:\\" + Sjis(u8"曲表\\ソフト.mpl")).c_str());
  WriteProfileString(path, Sjis(u8"表"), Sjis(u8"ソ"), Sjis(u8"ゾ]").c_str());
  WriteProfileString(path, "Q", "quoted", "\"x\"");
  WriteProfileString(path, "Q", "spaced", "  y  ");
  WriteProfileString(path, "Q", "empty", "");
  // Makes the profile functions write their cached copy out.
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());

  IniDocument ini = IniDocument::Parse(ReadBytes(path));
  EXPECT_EQ(ini.GetInt("FORM", "left", 0), 25);
  EXPECT_EQ(ini.Get("FORM", "old"), std::nullopt);
  EXPECT_EQ(ini.Get("MPL", "file"), "C:\\" + Sjis(u8"曲表\\ソフト.mpl"));
  EXPECT_EQ(ini.Get(Sjis(u8"表"), Sjis(u8"ソ")), Sjis(u8"ゾ]"));
  ExpectSameStrings(path, AllPairs({"FORM", "MPL", Sjis(u8"表"), "Q"},
                                   {"left", "old", "file", Sjis(u8"ソ"), "quoted", "spaced", "empty"}));
  EXPECT_NE(ReadBytes(path).find(Sjis(u8"手で書いた注釈")), std::string::npos);
}

TEST_F(IniProfileCompat, EachSideChangesWhatTheOtherWrote) {
  std::wstring path = NewPath();
  WriteProfileString(path, "LAST", "0", ("C:\\" + Sjis(u8"一覧.mpl")).c_str());
  WriteProfileString(path, "LAST", "1", "C:\\b.mpl");
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());

  IniDocument ini = IniDocument::Parse(ReadBytes(path));
  ini.Set("last", "1", "C:\\" + Sjis(u8"表\\二.mpl"));
  ini.Set("LAST", "2", "C:\\c.mpl");
  std::wstring rewritten = NewFile(ini.Serialize());
  EXPECT_EQ(ProfileString(rewritten, "LAST", "0"), "C:\\" + Sjis(u8"一覧.mpl"));
  EXPECT_EQ(ProfileString(rewritten, "LAST", "1"), "C:\\" + Sjis(u8"表\\二.mpl"));
  EXPECT_EQ(ProfileString(rewritten, "LAST", "2"), "C:\\c.mpl");
}

TEST_F(IniProfileCompat, KoruIniSavedBySettingsReadsTheSameThroughTheProfileFunctions) {
  Win32FileSystem fileSystem;
  std::string folder = NarrowLossy(folder_.Path());
  {
    Settings settings(fileSystem, folder, SystemVersion{4, 0, 1381, 2});
    settings.mpl.file = folder + Sjis(u8"曲表.mpl");
    settings.image.file = Sjis(u8" 表紙.jpg");
    settings.form.left = -5;
    settings.SetCategory("a.flac", '1');
    settings.AddRecentFile(folder + Sjis(u8"ソフト.mpl"));
    settings.SaveSettings();
  }
  std::wstring path = folder_ / L"KORU.ini";
  IniDocument ini = IniDocument::Parse(ReadBytes(path));
  EXPECT_EQ(ProfileString(path, "FONT", "name"), Sjis(u8"ＭＳ Ｐゴシック"));
  EXPECT_EQ(ProfileString(path, "MPL", "file"), folder + Sjis(u8"曲表.mpl"));
  EXPECT_EQ(ProfileString(path, "IMAGE", "file"), Sjis(u8" 表紙.jpg"));
  EXPECT_EQ(ProfileInt(path, "FORM", "left", 0), -5);
  // Every key the file holds reads the same both ways.
  std::vector<Query> queries;
  std::string section;
  std::string text = ReadBytes(path);
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find("\r\n", pos);
    ASSERT_NE(end, std::string::npos);
    std::string line = text.substr(pos, end - pos);
    pos = end + 2;
    if (!line.empty() && line.front() == '[') section = line.substr(1, line.size() - 2);
    else if (line.find('=') != std::string::npos) queries.push_back({section, line.substr(0, line.find('='))});
  }
  ASSERT_GT(queries.size(), 60u);  // 51 general keys and 10 recent files at least
  ExpectSameStrings(path, queries);
  // And every integer (texts differ on purpose: see ReadsNumbersAsGetPrivateProfileInt).
  for (const Query& query : queries) {
    std::string value = ini.GetString(query.section, query.key, "");
    bool isInteger = !value.empty() && value.find_first_not_of("-0123456789") == std::string::npos;
    if (!isInteger) continue;
    EXPECT_EQ(ini.GetInt(query.section, query.key, 12345), ProfileInt(path, query.section, query.key, 12345))
        << "[" << query.section << "] " << query.key;
  }
}

}  // namespace
}  // namespace koru

// File associations and the ZIP result-window value in the real registry,
// with extensions of the test's own. The program path holds a blank and
// kanji; an extension whose type exists system-wide (HKLM) keeps that type.
#include "desktop/file_type_registration_win32.h"
#include "desktop/zip_show_result_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/cp932.h"

namespace koru {
namespace {

const std::wstring kClasses = L"Software\\Classes\\";

// Every value below a key, by "subkey\name", as type and bytes.
using RegistrySnapshot = std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>>;

void Snapshot(HKEY root, const std::wstring& path, const std::wstring& prefix, RegistrySnapshot& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  out[prefix + L"<key>"] = {};
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    DWORD type = 0;
    BYTE data[1024];
    DWORD size = sizeof data;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    out[prefix + name] = {type, std::vector<BYTE>(data, data + size)};
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Snapshot(root, path + L"\\" + name, prefix + name + L"\\", out);
  }
  RegCloseKey(key);
}

std::vector<BYTE> Text(const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

void SetText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  const std::wstring path = kClasses + key;
  RegSetKeyValueW(root, path.c_str(), name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

class FileAssociationTest : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  void Clean() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      for (const wchar_t* key : {L".korutesta", L"KORUTESTAfile", L".korutestb", L"KoruTestLegacy", L"KORUTESTBfile"}) {
        RegDeleteTreeW(root, (kClasses + key).c_str());
        RegDeleteKeyW(root, (kClasses + key).c_str());
      }
    }
  }
  RegistrySnapshot PerUser(const std::wstring& key) {
    RegistrySnapshot values;
    Snapshot(HKEY_CURRENT_USER, kClasses + key, L"", values);
    return values;
  }
  // A type key that holds only KORU's verb.
  RegistrySnapshot PlayVerb() const {
    return {
        {L"<key>", {}},
        {L"Shell\\<key>", {}},
        {L"Shell\\", {REG_SZ, Text(L"Play")}},
        {L"Shell\\Play\\<key>", {}},
        {L"Shell\\Play\\EditFlags", {REG_BINARY, {1, 0, 0, 0}}},
        {L"Shell\\Play\\command\\<key>", {}},
        {L"Shell\\Play\\command\\", {REG_SZ, Text(L"\"" + wideProgram + L"\" \"%1\"")}},
    };
  }
  void Register(const char* extension, const char* type) {
    RegisterFileType(program, extension, type, "Play", cp932::FromUtf8(u8"ﾒﾃﾞｨｱﾌｧｲﾙ"));
  }

  const std::wstring wideProgram = L"C:\\Program Files\\\u30b3\u30eb\\KORU.exe";  // コル
  const std::string program = cp932::FromUtf8(u8"C:\\Program Files\\コル\\KORU.exe");
};

TEST_F(FileAssociationTest, ANewTypeGetsEveryKeyPerUser) {
  Register(".korutesta", "KORUTESTAfile");
  EXPECT_EQ(PerUser(L".korutesta"), (RegistrySnapshot{{L"<key>", {}}, {L"", {REG_SZ, Text(L"KORUTESTAfile")}}}));
  RegistrySnapshot expected = PlayVerb();
  expected[L""] = {REG_SZ, Text(L"\uff92\uff83\uff9e\uff68\uff71\uff8c\uff67\uff72\uff99")};  // ﾒﾃﾞｨｱﾌｧｲﾙ
  expected[L"EditFlags"] = {REG_BINARY, {0, 0, 0, 0}};
  EXPECT_EQ(PerUser(L"KORUTESTAfile"), expected);

  // A second run changes nothing.
  Register(".korutesta", "KORUTESTAfile");
  EXPECT_EQ(PerUser(L"KORUTESTAfile"), expected);
  RegistrySnapshot machine;
  Snapshot(HKEY_LOCAL_MACHINE, kClasses + L"KORUTESTAfile", L"", machine);
  EXPECT_TRUE(machine.empty()) << "nothing system-wide";
}

TEST_F(FileAssociationTest, ATypeAlreadyKnownSystemWideGetsOnlyTheVerb) {
  SetText(HKEY_LOCAL_MACHINE, L".korutestb", nullptr, L"KoruTestLegacy");
  SetText(HKEY_LOCAL_MACHINE, L"KoruTestLegacy", nullptr, L"Legacy songs");
  const DWORD flags = 0x10000;
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, (kClasses + L"KoruTestLegacy").c_str(), L"EditFlags", REG_DWORD, &flags, sizeof flags);

  Register(".korutestb", "KORUTESTBfile");
  EXPECT_TRUE(PerUser(L".korutestb").empty()) << "the extension keeps its type";
  EXPECT_TRUE(PerUser(L"KORUTESTBfile").empty());
  const RegistrySnapshot expected = PlayVerb();
  EXPECT_EQ(PerUser(L"KoruTestLegacy"), expected);
  Register(".korutestb", "KORUTESTBfile");
  EXPECT_EQ(PerUser(L"KoruTestLegacy"), expected);
}

TEST_F(FileAssociationTest, AnExtensionThatIsNoSingleKeyNameWritesNothing) {
  Register(".korutesta\\sub", "KORUTESTAfile");
  Register("korutesta", "KORUTESTAfile");
  Register(".korutesta", "KORUTESTA\\file");
  EXPECT_TRUE(PerUser(L".korutesta").empty());
  EXPECT_TRUE(PerUser(L"KORUTESTAfile").empty());
  EXPECT_TRUE(PerUser(L"KORUTESTA").empty());
}

class ZipShowResultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = ReadZipShowResult();
    DeleteZipShowResult();
  }
  void TearDown() override {
    if (saved.kind == ShowResultValue::Kind::Number) WriteZipShowResult(saved.number);
    else DeleteZipShowResult();
  }
  ShowResultValue saved;
};

TEST_F(ZipShowResultTest, TheValueIsReadAsAbsentNumberOrForeign) {
  EXPECT_EQ(ReadZipShowResult().kind, ShowResultValue::Kind::Absent);
  WriteZipShowResult(0x80000001u);
  EXPECT_EQ(ReadZipShowResult().kind, ShowResultValue::Kind::Number);
  EXPECT_EQ(ReadZipShowResult().number, 0x80000001u);
  // Another program's spelling of the key is the same key.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\ArchiverDLL\\UNZIP32\\Settings", 0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"ShowResult", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 2 * sizeof(wchar_t));
  RegCloseKey(key);
  EXPECT_EQ(ReadZipShowResult().kind, ShowResultValue::Kind::Foreign);
  DeleteZipShowResult();
  EXPECT_EQ(ReadZipShowResult().kind, ShowResultValue::Kind::Absent);
}

}  // namespace
}  // namespace koru

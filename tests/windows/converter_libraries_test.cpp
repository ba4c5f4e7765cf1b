// The converter bindings on Windows against the library doubles: RCPCV.DLL
// loaded at the first call and kept, a missing library or function raised as
// a C++ exception; ogog.dll loaded and unloaded around each decoding, asked
// its version once per load; the decoded WAV plays on MCI for the source's
// length.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "convert/ogog_decoder_win32.h"
#include "convert/rcp_smf_converter.h"
#include "convert/rcpcv_library_win32.h"
#include "playback/mci_media_device_win32.h"
#include "platform/wide_text_win32.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

using testing::ScratchFolder;

constexpr char kRcpHeader[] = "RCM-PC98V2.0(C)COME ON MUSIC";
constexpr std::int64_t kToneMs = 1500;  // tone-1500ms.ogg
constexpr std::int64_t kSlackMs = 60;

// The build tree, beside KORU.exe.
std::wstring BuildPath(const std::wstring& relative) {
  const std::wstring exe = testing::KoruExePath();
  return exe.substr(0, exe.find_last_of(L'\\') + 1) + relative;
}

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

bool Loaded(const wchar_t* library) { return GetModuleHandleW(library) != nullptr; }

class ConverterLibrariesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableW(L"KORU_DOUBLE_LOG", (scratch / L"calls.log").c_str());
    SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", nullptr);
    UseDoubles(L"");
  }
  void TearDown() override {
    SetDllDirectoryW(nullptr);
    SetCurrentDirectoryW(BuildPath(L"").c_str());
    SetEnvironmentVariableW(L"KORU_DOUBLE_LOG", nullptr);
    SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", nullptr);
  }
  static void UseDoubles(const std::wstring& variant) {
    SetDllDirectoryW(BuildPath(L"doubles\\x86_64\\" + variant).c_str());
  }
  static void Misbehave(const wchar_t* names) { SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", names); }

  // The logged calls as "function arguments", loading and unloading included.
  std::vector<std::string> Log() const {
    std::vector<std::string> calls;
    const std::string bytes = ReadBytes(scratch / L"calls.log");
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
      std::string line = bytes.substr(start, end - start);
      line = line.substr(line.find('\t') + 1);
      std::replace(line.begin(), line.end(), '\t', ' ');
      calls.push_back(line);
    }
    return calls;
  }
  int Count(const std::string& function) const {
    const std::vector<std::string> calls = Log();
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& call) {
      return call.compare(0, function.size() + 1, function + " ") == 0;
    }));
  }
  // A file with a Japanese name in the scratch folder; its code page 932 path.
  std::string Write(const std::wstring& name, const std::string& bytes) {
    scratch.WriteFile(name, bytes);
    return *Narrow(scratch / name);
  }

  ScratchFolder scratch;
};

TEST_F(ConverterLibrariesTest, RcpcvLoadsAtTheFirstCallAndStaysLoaded) {
  Win32RcpcvLibrary library;
  RcpSmfConverter converter(library);
  const std::string song = Write(L"曲ﾃｽﾄ.rcp", std::string(kRcpHeader) + std::string(200, '\0'));
  EXPECT_FALSE(Loaded(L"RCPCV.DLL"));

  const std::optional<std::string> smf = converter.ConvertToSmf(song);
  ASSERT_TRUE(smf.has_value());
  EXPECT_EQ(smf->substr(0, 14), std::string("MThd\0\0\0\6\0\0\0\1\1\xE0", 14)) << "format 0, one track";
  EXPECT_TRUE(Loaded(L"RCPCV.DLL"));
  EXPECT_EQ(library.GetVersionMajor() * 100 + library.GetVersionMinor(), 123);

  // A relative path reaches the library absolute; a file without the header
  // is no conversion.
  SetCurrentDirectoryW(scratch.Path().c_str());
  Write(L"plain.rcp", "not an RCP file");
  EXPECT_EQ(converter.ConvertToSmf("plain.rcp"), std::nullopt);
  EXPECT_TRUE(Loaded(L"RCPCV.DLL"));
  const std::vector<std::string> log = Log();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0], "rcpcvConvertFile " + song + " 0 0 0 0");
  EXPECT_EQ(log[1].rfind("rcpcvGetSMFLength ", 0), 0u);
  EXPECT_EQ(log[2].rfind("rcpcvGetSMF ", 0), 0u);
  EXPECT_EQ(log[3].rfind("rcpcvDeleteObject ", 0), 0u);
  EXPECT_EQ(log[4], "rcpcvConvertFile " + *Narrow(scratch / L"plain.rcp") + " 0 0 0 0");
}

TEST_F(ConverterLibrariesTest, RcpcvMissingOrMisbehavingFailsTheConversionCatchably) {
  const std::string song = Write(L"song.rcp", kRcpHeader);
  {
    SetDllDirectoryW(L"");
    Win32RcpcvLibrary library;
    EXPECT_THROW(RcpSmfConverter(library).ConvertToSmf(song), LibraryMissing);
    EXPECT_THROW(library.GetVersionMajor(), LibraryMissing);
    EXPECT_FALSE(Loaded(L"RCPCV.DLL"));
  }
  {
    UseDoubles(L"no-data");
    Win32RcpcvLibrary library;
    EXPECT_THROW(RcpSmfConverter(library).ConvertToSmf(song), LibraryMissing) << "rcpcvGetSMF is missing";
    EXPECT_EQ(Count("rcpcvDeleteObject"), 1);
  }
  UseDoubles(L"");
  for (const wchar_t* misbehaviour : {L"zero-length", L"huge-length", L"null-data"}) {
    Misbehave(misbehaviour);
    Win32RcpcvLibrary library;
    EXPECT_EQ(RcpSmfConverter(library).ConvertToSmf(song), std::nullopt) << *Narrow(misbehaviour);
  }
  EXPECT_EQ(Count("rcpcvDeleteObject"), 4);
}

TEST_F(ConverterLibrariesTest, OgogIsLoadedAroundEachDecodingAndAskedItsVersionOncePerLoad) {
  const std::wstring source = scratch / L"曲ﾃｽﾄ.ogg";
  ASSERT_TRUE(CopyFileW(BuildPath(L"fixtures\\tone-1500ms.ogg").c_str(), source.c_str(), FALSE));
  SetCurrentDirectoryW(scratch.Path().c_str());
  Misbehave(L"long-version");
  OgogDecoder decoder;
  for (const char* wave : {"first.wav", "second.wav"}) {
    EXPECT_EQ(decoder.LoadOgg(), 0);
    EXPECT_EQ(decoder.LoadOgg(), 0) << "already loaded";
    // Relative paths reach the library absolute.
    EXPECT_EQ(decoder.DecodeOgg(*Narrow(L"曲ﾃｽﾄ.ogg"), wave), 0);
    EXPECT_EQ(decoder.UnloadOgg(), 0);
    EXPECT_FALSE(Loaded(L"ogog.dll"));
  }
  const std::string decode = "OGG_DecodeFile " + *Narrow(source) + " " + *Narrow(scratch.Path());
  EXPECT_EQ(Log(), (std::vector<std::string>{"load ", "OGG_GetVersion ", decode + "first.wav", "unload ", "load ",
                                             "OGG_GetVersion ", decode + "second.wav", "unload "}));
  EXPECT_EQ(decoder.DecodeOgg(*Narrow(source), "third.wav"), -1) << "not loaded";

  MciMediaDevice device;
  device.SetFileName(*Narrow(scratch / L"second.wav"));
  ASSERT_NO_THROW(device.Open()) << device.LastErrorText();
  device.SetTimeFormatMilliseconds();
  EXPECT_NEAR(device.Length(), kToneMs, kSlackMs);
  device.Close();
}

TEST_F(ConverterLibrariesTest, OgogMissingOrLackingAFunctionLeavesNothingLoaded) {
  OgogDecoder decoder;
  SetDllDirectoryW(L"");
  EXPECT_EQ(decoder.LoadOgg(), -1);
  EXPECT_EQ(decoder.DecodeOgg("a.ogg", "a.ogg.wav"), -1);

  UseDoubles(L"no-decode");
  EXPECT_EQ(decoder.LoadOgg(), -1);
  EXPECT_FALSE(Loaded(L"ogog.dll"));
  EXPECT_EQ(decoder.DecodeOgg("a.ogg", "a.ogg.wav"), -1);
  EXPECT_EQ(Log(), (std::vector<std::string>{"load ", "unload "})) << "no version asked of an incomplete library";
}

}  // namespace
}  // namespace koru

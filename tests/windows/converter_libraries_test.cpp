// The converter bindings on Windows against the library doubles: RCPCV.DLL
// loaded at the first call and kept, a missing library or function raised as
// a C++ exception; ogog.dll loaded and unloaded around each decoding, asked
// its version once per load; the decoded WAV plays on MCI for the source's
// length. Then the play preparation over them and the real file system: what
// the temporary folder holds afterwards, with which attributes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "convert/ogog_decoder_win32.h"
#include "convert/rcp_smf_converter.h"
#include "convert/rcpcv_library_win32.h"
#include "platform/cp932.h"
#include "platform/file_system_win32.h"
#include "platform/playback_files_win32.h"
#include "platform/wide_text_win32.h"
#include "playback/mci_media_device_win32.h"
#include "playback/player.h"
#include "support/playback_fakes.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;

constexpr char kRcpHeader[] = "RCM-PC98V2.0(C)COME ON MUSIC";
constexpr std::int64_t kToneMs = 1500;  // tone-1500ms.ogg
constexpr std::int64_t kSlackMs = 60;

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
    SetCurrentDirectoryW(testing::BuildFolder().c_str());
    SetEnvironmentVariableW(L"KORU_DOUBLE_LOG", nullptr);
    SetEnvironmentVariableW(L"KORU_DOUBLE_MISBEHAVE", nullptr);
  }
  static void UseDoubles(const std::wstring& variant) {
    SetDllDirectoryW((testing::BuildFolder() + L"doubles\\x86_64\\" + variant).c_str());
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
  ASSERT_TRUE(CopyFileW((testing::BuildFolder() + L"fixtures\\tone-1500ms.ogg").c_str(), source.c_str(), FALSE));
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

// The player's preparation step with the real bindings and file system; the
// device, the view and the rest are the core tests' fakes.
class PreparationOnDiskTest : public ConverterLibrariesTest {
 protected:
  void SetUp() override {
    ConverterLibrariesTest::SetUp();
    CreateDirectoryW(temp.c_str(), nullptr);
  }

  // A copy of the 1.5-second tone under `name` (folders created).
  std::string Ogg(const std::wstring& name) {
    const std::wstring path = scratch / name;
    CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
    EXPECT_TRUE(CopyFileW((testing::BuildFolder() + L"fixtures\\tone-1500ms.ogg").c_str(), path.c_str(), FALSE));
    return *Narrow(path);
  }
  // The file to play, or "" when the step failed.
  std::string Prepare(const std::string& source) {
    std::string path = source;
    return player.Controller().PrepareEntryFile(MediaEntry{}, true, path) ? path : std::string();
  }
  std::string InTemp(const std::wstring& name) const { return *Narrow(temp + name); }
  DWORD Attributes(const std::wstring& name) const { return GetFileAttributesW((temp + name).c_str()); }
  bool ReadOnly(const std::wstring& name) const {
    const DWORD attributes = Attributes(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  }
  std::string TitleLine() const { return view.titleLine; }

  std::wstring temp = scratch / L"KORUTEMP\\";
  Win32FileSystem files;
  Win32PlaybackFiles playbackFiles;
  Win32RcpcvLibrary rcpcv;
  RcpSmfConverter rcp{rcpcv};
  OgogDecoder ogg;
  testing::FakeExtractor extractor;
  testing::FakePlayerView view;
  testing::FakeMediaDevice device;
  testing::FakeMixer mixer;
  testing::FakeClock clock;
  testing::FakeDialogs dialogs;
  testing::FakeSstp sstp;
  Settings settings{files, *Narrow(scratch.Path()), SystemVersion{10, 0, 19045, 2}};
  MediaList list{*Narrow(scratch.Path())};
  PlayOrder order;
  std::atomic<std::uint8_t> noRepeat{0};
  Player player{PlayerContext{list, settings, files, playbackFiles, dialogs, view, device, mixer, clock,
                              EntryConverters{extractor, rcp, ogg}, sstp, nullptr, order, noRepeat, *Narrow(temp)}};
};

TEST_F(PreparationOnDiskTest, AnOggFileIsDecodedOnceIntoAReadOnlyWaveForItsOwnSource) {
  const std::string first = Ogg(L"A\\曲.ogg");
  EXPECT_EQ(Prepare(first), InTemp(L"曲.ogg.wav"));
  EXPECT_TRUE(ReadOnly(L"曲.ogg.wav"));
  EXPECT_EQ(Prepare(first), InTemp(L"曲.ogg.wav"));
  EXPECT_EQ(Count("OGG_DecodeFile"), 1) << "found in the cache";

  // The same name from another folder replaces the read-only WAV.
  EXPECT_EQ(Prepare(Ogg(L"B\\曲.ogg")), InTemp(L"曲.ogg.wav"));
  EXPECT_EQ(Count("OGG_DecodeFile"), 2);
  EXPECT_TRUE(ReadOnly(L"曲.ogg.wav"));
}

TEST_F(PreparationOnDiskTest, AWaveThisRunDidNotDecodeIsDecodedAgain) {
  // Left read-only by a run that ended early; it holds another song.
  scratch.WriteFile(L"KORUTEMP\\曲.ogg.wav", std::string("RIFF") + std::string(100, 'x'));
  SetFileAttributesW((temp + L"曲.ogg.wav").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Prepare(Ogg(L"曲.ogg")), InTemp(L"曲.ogg.wav"));
  EXPECT_EQ(Count("OGG_DecodeFile"), 1);
  EXPECT_TRUE(ReadOnly(L"曲.ogg.wav"));
  EXPECT_EQ(ReadBytes(temp + L"曲.ogg.wav").substr(8, 4), "WAVE");
}

TEST_F(PreparationOnDiskTest, AnOggDecodingWithoutSoundLeavesNothingAndIsTriedAgain) {
  const std::string song = Ogg(L"曲.ogg");
  for (const wchar_t* misbehaviour : {L"write-nothing", L"header-only"}) {
    Misbehave(misbehaviour);
    view.titleLine.clear();
    EXPECT_EQ(Prepare(song), "") << *Narrow(misbehaviour);
    EXPECT_EQ(Attributes(L"曲.ogg.wav"), INVALID_FILE_ATTRIBUTES) << *Narrow(misbehaviour);
    EXPECT_EQ(TitleLine(), cp932::FromUtf8(u8"OGGﾌｧｲﾙが変換できません")) << *Narrow(misbehaviour);
  }
  Misbehave(nullptr);
  EXPECT_EQ(Prepare(song), InTemp(L"曲.ogg.wav"));
  EXPECT_EQ(Count("OGG_DecodeFile"), 3);
}

TEST_F(PreparationOnDiskTest, AnRcpFileBecomesAMidiFileRewrittenEachTime) {
  const std::string song = Write(L"曲.rcp", std::string(kRcpHeader) + std::string(200, '\0'));
  EXPECT_EQ(Prepare(song), InTemp(L"曲.rcp.mid"));
  const std::string smf = ReadBytes(temp + L"曲.rcp.mid");
  EXPECT_EQ(smf.substr(0, 4), "MThd");
  EXPECT_FALSE(ReadOnly(L"曲.rcp.mid"));
  EXPECT_EQ(Prepare(song), InTemp(L"曲.rcp.mid"));
  EXPECT_EQ(Count("rcpcvConvertFile"), 2) << "not cached";
  EXPECT_EQ(ReadBytes(temp + L"曲.rcp.mid"), smf);

  // Refused answers write nothing.
  for (const wchar_t* misbehaviour : {L"zero-length", L"huge-length", L"null-data"}) {
    Misbehave(misbehaviour);
    const std::wstring name = std::wstring(misbehaviour) + L".rcp";
    view.titleLine.clear();
    EXPECT_EQ(Prepare(Write(name, kRcpHeader)), "") << *Narrow(misbehaviour);
    EXPECT_EQ(Attributes(name + L".mid"), INVALID_FILE_ATTRIBUTES) << *Narrow(misbehaviour);
    EXPECT_EQ(TitleLine(), cp932::FromUtf8(u8"RCPﾌｧｲﾙが変換できません")) << *Narrow(misbehaviour);
  }
  EXPECT_EQ(Count("rcpcvDeleteObject"), 5);
}

}  // namespace
}  // namespace koru

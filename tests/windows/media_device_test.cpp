// The MCI media device against the system's own devices, on files the tests
// write themselves. Under Wine the harness gives a wave-out device that plays
// in real time.
#include <windows.h>
#include <mmsystem.h>
#include <digitalv.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "playback/mci_media_device_win32.h"
#include "platform/wide_text_win32.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

using testing::ScratchFolder;

constexpr int kSampleRate = 44100;
constexpr std::int64_t kToneMs = 1500;
// Devices round their positions to their own blocks; this much slack still
// tells a wrong unit or a wrong length apart.
constexpr std::int64_t kSlackMs = 60;

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A mono 16-bit PCM WAV holding a 440 Hz tone.
std::string ToneWav(std::int64_t milliseconds) {
  const std::uint32_t samples = static_cast<std::uint32_t>(kSampleRate * milliseconds / 1000);
  const std::uint32_t dataBytes = samples * 2;
  std::string wav = "RIFF";
  PutLe(wav, 36 + dataBytes, 4);
  wav += "WAVEfmt ";
  PutLe(wav, 16, 4);
  PutLe(wav, 1, 2);  // PCM
  PutLe(wav, 1, 2);  // mono
  PutLe(wav, kSampleRate, 4);
  PutLe(wav, kSampleRate * 2, 4);
  PutLe(wav, 2, 2);
  PutLe(wav, 16, 2);
  wav += "data";
  PutLe(wav, dataBytes, 4);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double sample = 8000.0 * std::sin(2.0 * 3.141592653589793 * 440.0 * i / kSampleRate);
    PutLe(wav, static_cast<std::uint32_t>(static_cast<std::int16_t>(sample)) & 0xFFFF, 2);
  }
  return wav;
}

// A format 0 MIDI file with one short note.
std::string OneNoteMidi() {
  const std::string track = std::string("\x00\x90\x3C\x60\x83\x60\x80\x3C\x00\x00\xFF\x2F\x00", 13);
  std::string midi = std::string("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0", 14);
  midi += "MTrk";
  midi += std::string("\x00\x00\x00", 3) + static_cast<char>(track.size());
  return midi + track;
}

std::string Chunk(const std::string& id, const std::string& body) {
  std::string chunk = id;
  PutLe(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk += body;
  if (body.size() % 2) chunk += '\0';
  return chunk;
}

std::string List(const std::string& type, const std::string& body) { return Chunk("LIST", type + body); }

constexpr int kMovieWidth = 32;
constexpr int kMovieHeight = 24;

// The two colours of every frame: the left half red, the right half blue.
constexpr COLORREF kLeftColour = RGB(255, 0, 0);
constexpr COLORREF kRightColour = RGB(0, 0, 255);

// An uncompressed AVI, 10 frames a second, no sound. The frames are 32-bit:
// Wine's device garbles 24-bit ones.
std::string TwoColourAvi(int frames) {
  const std::uint32_t frameBytes = kMovieWidth * kMovieHeight * 4;
  std::string frame;
  for (int y = 0; y < kMovieHeight; ++y) {
    for (int x = 0; x < kMovieWidth; ++x) {
      const COLORREF colour = x < kMovieWidth / 2 ? kLeftColour : kRightColour;
      frame += {static_cast<char>(GetBValue(colour)), static_cast<char>(GetGValue(colour)),
                static_cast<char>(GetRValue(colour)), '\0'};
    }
  }
  std::string avih;
  for (std::uint32_t value : {100000u, frameBytes * 10, 0u, 0x10u /* has index */, std::uint32_t(frames), 0u, 1u,
                              frameBytes, std::uint32_t(kMovieWidth), std::uint32_t(kMovieHeight), 0u, 0u, 0u, 0u}) {
    PutLe(avih, value, 4);
  }
  std::string strh = "vidsDIB ";
  for (std::uint32_t value : {0u, 0u, 0u, 1u, 10u, 0u, std::uint32_t(frames), frameBytes, 0xFFFFFFFFu, 0u}) {
    PutLe(strh, value, 4);
  }
  for (std::uint32_t value : {0u, 0u, std::uint32_t(kMovieWidth), std::uint32_t(kMovieHeight)}) PutLe(strh, value, 2);
  std::string strf;
  for (std::uint32_t value : {40u, std::uint32_t(kMovieWidth), std::uint32_t(kMovieHeight)}) PutLe(strf, value, 4);
  PutLe(strf, 1, 2);
  PutLe(strf, 32, 2);
  for (std::uint32_t value : {0u, frameBytes, 0u, 0u, 0u, 0u}) PutLe(strf, value, 4);

  std::string movi;
  std::string index;
  for (int i = 0; i < frames; ++i) {
    PutLe(index, 0x62643030u, 4);  // "00db"
    PutLe(index, 0x10, 4);         // key frame
    PutLe(index, static_cast<std::uint32_t>(4 + movi.size()), 4);
    PutLe(index, frameBytes, 4);
    movi += Chunk("00db", frame);
  }
  const std::string body = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf))) +
                           List("movi", movi) + Chunk("idx1", index);
  return Chunk("RIFF", "AVI " + body);
}

// MPEG-1 layer III frames at 128 kbit/s, 44.1 kHz, stereo, without padding:
// 417 bytes each, 1152 samples each. Zero side information and zero main
// data decode as silence.
std::string SilentMp3(int frames) {
  std::string frame(417, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xFB';
  frame[2] = '\x90';
  frame[3] = '\x00';
  std::string mp3;
  for (int i = 0; i < frames; ++i) mp3 += frame;
  return mp3;
}

std::string Cp932Path(const std::wstring& path) {
  std::optional<std::string> narrow = Narrow(path);
  EXPECT_TRUE(narrow.has_value());
  return narrow.value_or(std::string());
}

bool RunningOnWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Polls the way the program's timer does, until `done` or the time is up.
template <typename Done>
bool PollUntil(Done done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(20);
  }
  return true;
}

class MediaDeviceTest : public ::testing::Test {
 protected:
  // A Japanese name, so the path goes through code page 932 and back.
  std::string WriteTone(const std::wstring& name = L"テスト音声_ﾎﾞﾘｭｰﾑ.wav") {
    folder_.WriteFile(name, ToneWav(kToneMs));
    return Cp932Path(folder_ / name);
  }
  void OpenForPlay(const std::string& path) {
    device_.SetFileName(path);
    ASSERT_NO_THROW(device_.Open()) << device_.LastErrorText();
    device_.SetTimeFormatMilliseconds();
  }

  ScratchFolder folder_;
  MciMediaDevice device_;
};

TEST_F(MediaDeviceTest, OpensAWaveFileWithAJapaneseName) {
  const std::string path = WriteTone();
  device_.SetFileName(path);
  EXPECT_EQ(device_.FileName(), path);
  EXPECT_FALSE(device_.IsOpen());
  OpenForPlay(path);
  ASSERT_TRUE(device_.IsOpen());
  EXPECT_FALSE(device_.HasVideo());
  EXPECT_TRUE(device_.Capabilities().canPlay);
  EXPECT_EQ(device_.Capabilities().deviceType, static_cast<std::uint32_t>(MCI_DEVTYPE_WAVEFORM_AUDIO));
  EXPECT_NEAR(device_.Length(), kToneMs, kSlackMs);
  EXPECT_EQ(device_.Position(), 0);
  EXPECT_EQ(device_.Mode(), DeviceMode::Stopped);
  device_.Close();
  EXPECT_FALSE(device_.IsOpen());
  // Closing twice is harmless.
  device_.Close();
  EXPECT_FALSE(device_.IsOpen());
}

TEST_F(MediaDeviceTest, PlaysInRealTimeToTheEnd) {
  OpenForPlay(WriteTone());
  const std::int64_t length = device_.Length();
  const DWORD start = ::GetTickCount();
  device_.Play();
  // Play returns at once, long before the medium ends.
  EXPECT_LT(static_cast<std::int64_t>(::GetTickCount() - start), length / 2);
  EXPECT_EQ(device_.Mode(), DeviceMode::Playing);
  ::Sleep(500);
  const std::int64_t midway = device_.Position();
  EXPECT_GT(midway, 250);
  EXPECT_LT(midway, length);

  ASSERT_TRUE(PollUntil([&] { return device_.Mode() == DeviceMode::Stopped; }, 5000));
  const DWORD elapsed = ::GetTickCount() - start;
  EXPECT_EQ(device_.Position(), length);
  // A sink that swallows everything at once would stop far too early.
  EXPECT_GE(static_cast<std::int64_t>(elapsed), length - 200);
}

TEST_F(MediaDeviceTest, PauseHoldsThePositionAndResumeGoesOn) {
  OpenForPlay(WriteTone());
  device_.Play();
  ::Sleep(400);
  device_.PauseToggle();
  EXPECT_EQ(device_.Mode(), DeviceMode::Paused);
  const std::int64_t held = device_.Position();
  EXPECT_GT(held, 150);
  ::Sleep(400);
  EXPECT_EQ(device_.Position(), held);
  EXPECT_EQ(device_.Mode(), DeviceMode::Paused);

  device_.PauseToggle();
  EXPECT_EQ(device_.Mode(), DeviceMode::Playing);
  ::Sleep(300);
  const std::int64_t later = device_.Position();
  EXPECT_GT(later, held + 150);
  // The pause did not count: the end comes the paused time later.
  EXPECT_LT(later, held + 600);
  ASSERT_TRUE(PollUntil([&] { return device_.Mode() == DeviceMode::Stopped; }, 5000));
  EXPECT_EQ(device_.Position(), device_.Length());
}

TEST_F(MediaDeviceTest, PauseToggleDoesNothingUnlessPlayingOrPaused) {
  OpenForPlay(WriteTone());
  device_.PauseToggle();
  EXPECT_EQ(device_.Mode(), DeviceMode::Stopped);
  EXPECT_EQ(device_.Position(), 0);

  device_.Seek(700);
  device_.PauseToggle();
  EXPECT_EQ(device_.Mode(), DeviceMode::Stopped);
  EXPECT_EQ(device_.Position(), 700);
  ::Sleep(200);
  EXPECT_EQ(device_.Position(), 700);
}

TEST_F(MediaDeviceTest, PauseToggleOnAClosedDeviceThrowsWithAText) {
  try {
    device_.PauseToggle();
    FAIL() << "no error";
  } catch (const MediaDeviceError& error) {
    EXPECT_STRNE(error.what(), "");
  }
  OpenForPlay(WriteTone());
  device_.Close();
  EXPECT_THROW(device_.PauseToggle(), MediaDeviceError);
}

TEST_F(MediaDeviceTest, SeekStopsAtTheNewPlaceUntilPlay) {
  OpenForPlay(WriteTone());
  device_.Seek(1000);
  EXPECT_EQ(device_.Position(), 1000);
  EXPECT_EQ(device_.Mode(), DeviceMode::Stopped);

  // From the seek position on: the rest is 500 ms.
  const DWORD start = ::GetTickCount();
  device_.Play();
  ASSERT_TRUE(PollUntil([&] { return device_.Mode() == DeviceMode::Stopped; }, 3000));
  const DWORD elapsed = ::GetTickCount() - start;
  EXPECT_GE(elapsed, 350u);
  EXPECT_LT(elapsed, 1200u);

  // Seeking while playing halts the play at the new position.
  device_.Seek(0);
  device_.Play();
  ::Sleep(200);
  device_.Seek(300);
  EXPECT_EQ(device_.Mode(), DeviceMode::Stopped);
  ::Sleep(200);
  EXPECT_EQ(device_.Position(), 300);
}

TEST_F(MediaDeviceTest, StopKeepsThePosition) {
  OpenForPlay(WriteTone());
  device_.Play();
  ::Sleep(400);
  device_.Stop();
  EXPECT_EQ(device_.Mode(), DeviceMode::Stopped);
  const std::int64_t stopped = device_.Position();
  EXPECT_GT(stopped, 150);
  EXPECT_LT(stopped, device_.Length());
  ::Sleep(300);
  EXPECT_EQ(device_.Position(), stopped);

  // Play goes on from there.
  device_.Play();
  ::Sleep(200);
  EXPECT_GT(device_.Position(), stopped);
  device_.Stop();
}

TEST_F(MediaDeviceTest, OpenClosesTheMediumBefore) {
  const std::string first = WriteTone(L"一.wav");
  folder_.WriteFile(L"二.wav", ToneWav(600));
  const std::string second = Cp932Path(folder_ / L"二.wav");
  OpenForPlay(first);
  device_.Play();
  device_.SetFileName(second);
  OpenForPlay(second);
  EXPECT_EQ(device_.Mode(), DeviceMode::Stopped);
  EXPECT_NEAR(device_.Length(), 600, kSlackMs);
  // The first file is free again: nobody holds it open.
  EXPECT_TRUE(::DeleteFileW((folder_ / L"一.wav").c_str()));
}

TEST_F(MediaDeviceTest, FilesThatCannotBeOpenedThrowTheSystemsText) {
  folder_.WriteFile(L"文章.wav", "This is plain text, not a RIFF file.\r\n");
  for (const std::wstring name : {L"ない.wav", L"文章.wav"}) {
    SCOPED_TRACE(NarrowLossy(name));
    device_.SetFileName(Cp932Path(folder_ / name));
    try {
      device_.Open();
      ADD_FAILURE() << "opened";
    } catch (const MediaDeviceError& error) {
      EXPECT_STRNE(error.what(), "");
      EXPECT_EQ(std::string(error.what()), device_.LastErrorText());
    }
    EXPECT_FALSE(device_.IsOpen());
    EXPECT_FALSE(device_.HasVideo());
  }
}

TEST_F(MediaDeviceTest, AFailedOpenLeavesNoMediumOpen) {
  OpenForPlay(WriteTone());
  device_.SetFileName(Cp932Path(folder_ / L"ない.wav"));
  EXPECT_THROW(device_.Open(), MediaDeviceError);
  EXPECT_FALSE(device_.IsOpen());
  EXPECT_EQ(device_.Mode(), DeviceMode::NotReady);
  EXPECT_EQ(device_.Length(), 0);
  EXPECT_STRNE(device_.LastErrorText().c_str(), "");
}

TEST_F(MediaDeviceTest, ACodeWithoutASystemTextGivesNoText) {
  // Wine has no text for success; whatever the system says, nothing is made up,
  // so the player can say in its own words that playing failed.
  wchar_t system[256] = {};
  const bool known = ::mciGetErrorStringW(0, system, static_cast<UINT>(std::size(system)));
  OpenForPlay(WriteTone());
  EXPECT_EQ(device_.LastErrorText(), known ? NarrowLossy(system) : "");
}

TEST_F(MediaDeviceTest, DisplayWindowSetWhileClosedIsKeptForTheNextOpen) {
  const HWND panel = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(panel, nullptr);
  const auto window = reinterpret_cast<DisplayWindow>(panel);
  device_.SetDisplayWindow(window);
  EXPECT_EQ(device_.GetDisplayWindow(), window);
  // A medium without pictures never takes the window, and never loses it.
  OpenForPlay(WriteTone());
  EXPECT_FALSE(device_.HasVideo());
  EXPECT_EQ(device_.GetDisplayWindow(), window);
  device_.Close();
  EXPECT_EQ(device_.GetDisplayWindow(), window);
  device_.SetDisplayWindow(0);
  EXPECT_EQ(device_.GetDisplayWindow(), DisplayWindow{0});
  ::DestroyWindow(panel);
}

// The window the device draws its pictures into, as the device says.
HWND PictureWindow(const MciMediaDevice& device) {
  MCI_DGV_STATUS_PARMSW parameters{};
  parameters.dwItem = MCI_DGV_STATUS_HWND;
  if (::mciSendCommandW(device.DeviceId(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&parameters)) != 0) {
    return nullptr;
  }
  return reinterpret_cast<HWND>(parameters.dwReturn);
}

// A window of the movie's size on the screen, which the device draws into.
class Panel {
 public:
  Panel()
      : window_(::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, kMovieWidth,
                                  kMovieHeight, nullptr, nullptr, nullptr, nullptr)) {}
  ~Panel() {
    if (window_) ::DestroyWindow(window_);
  }
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;
  HWND Get() const { return window_; }
  DisplayWindow Handle() const { return reinterpret_cast<DisplayWindow>(window_); }
  // The panel shows the frame: its left quarter red, its right quarter blue.
  bool ShowsTheFrame() const {
    HDC dc = ::GetDC(window_);
    const COLORREF left = ::GetPixel(dc, kMovieWidth / 4, kMovieHeight / 2);
    const COLORREF right = ::GetPixel(dc, kMovieWidth * 3 / 4, kMovieHeight / 2);
    ::ReleaseDC(window_, dc);
    return left == kLeftColour && right == kRightColour;
  }

 private:
  HWND window_;
};

TEST_F(MediaDeviceTest, MovieDrawsIntoTheWindowChosenBeforeOrWhileOpen) {
  folder_.WriteFile(L"動画.avi", TwoColourAvi(10));
  const Panel first;
  const Panel second;
  const Panel third;
  ASSERT_TRUE(first.Get() && second.Get() && third.Get());

  device_.SetDisplayWindow(first.Handle());
  OpenForPlay(Cp932Path(folder_ / L"動画.avi"));
  ASSERT_TRUE(device_.HasVideo());
  EXPECT_EQ(PictureWindow(device_), first.Get());
  const DisplayRect rect = device_.DisplayRectangle();
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, kMovieWidth);
  EXPECT_EQ(rect.bottom, kMovieHeight);
  EXPECT_NEAR(device_.Length(), 1000, 110);

  // While open the window changes at once.
  device_.SetDisplayWindow(second.Handle());
  EXPECT_EQ(device_.GetDisplayWindow(), second.Handle());
  EXPECT_EQ(PictureWindow(device_), second.Get());

  // While closed it waits for the next open.
  device_.Close();
  device_.SetDisplayWindow(third.Handle());
  EXPECT_EQ(device_.GetDisplayWindow(), third.Handle());
  OpenForPlay(Cp932Path(folder_ / L"動画.avi"));
  EXPECT_EQ(PictureWindow(device_), third.Get());

  EXPECT_FALSE(third.ShowsTheFrame());
  device_.Play();
  EXPECT_TRUE(PollUntil([&] { return third.ShowsTheFrame(); }, 3000)) << "the picture reaches the chosen window";
  EXPECT_FALSE(first.ShowsTheFrame());
  EXPECT_EQ(device_.Mode(), DeviceMode::Playing);
  device_.Stop();
}

// An MP3 reports video, but the harness's device (Wine's, decoding through
// GStreamer) has no picture to route and refuses the window: the device then
// keeps no window at all, so the program never takes it for a movie window.
TEST_F(MediaDeviceTest, AWindowTheDeviceRefusesBecomesNone) {
  folder_.WriteFile(L"無音.mp3", SilentMp3(40));
  OpenForPlay(Cp932Path(folder_ / L"無音.mp3"));
  ASSERT_TRUE(device_.HasVideo());
  const Panel panel;
  device_.SetDisplayWindow(panel.Handle());
  EXPECT_NE(PictureWindow(device_), panel.Get());
  EXPECT_EQ(device_.GetDisplayWindow(), DisplayWindow{0});
}

// The system chooses the sequencer for a MIDI file. Where there is no
// sequencer at all the open fails with a text. Wine opens the file but has no
// MIDI output here: play is accepted and the device then stays "playing" at
// position 0; elsewhere the note must end at the length.
TEST_F(MediaDeviceTest, MidiFileGoesToTheSequencer) {
  folder_.WriteFile(L"曲.mid", OneNoteMidi());
  device_.SetFileName(Cp932Path(folder_ / L"曲.mid"));
  try {
    device_.Open();
  } catch (const MediaDeviceError& error) {
    std::printf("MIDI: open failed: %s\n", error.what());
    EXPECT_STRNE(error.what(), "");
    EXPECT_FALSE(device_.IsOpen());
    return;
  }
  EXPECT_EQ(device_.Capabilities().deviceType, static_cast<std::uint32_t>(MCI_DEVTYPE_SEQUENCER));
  EXPECT_FALSE(device_.HasVideo());
  device_.SetTimeFormatMilliseconds();
  // One quarter note at the default 120 beats a minute.
  EXPECT_NEAR(device_.Length(), 500, kSlackMs);
  const DWORD start = ::GetTickCount();
  device_.Play();
  EXPECT_LT(::GetTickCount() - start, 1000u);
  const std::string playText = device_.LastErrorText();
  const bool ended = PollUntil([&] { return device_.Mode() != DeviceMode::Playing; }, 1500);
  std::printf("MIDI: opened; play said \"%s\"; after %lu ms mode %d, position %lld\n", playText.c_str(),
              static_cast<unsigned long>(::GetTickCount() - start), static_cast<int>(device_.Mode()),
              static_cast<long long>(device_.Position()));
  if (ended || !RunningOnWine()) {
    EXPECT_TRUE(ended);
    EXPECT_EQ(device_.Position(), device_.Length());
  }
  device_.Close();
  EXPECT_FALSE(device_.IsOpen());
}

// MP3 goes to the digital-video device (on Windows, and in Wine, where the
// harness's GStreamer plugins decode it). It reports video although the file
// has no pictures and an empty display rectangle, which is how the program
// tells it from a movie. It plays, pauses and resumes in real time and stops
// by itself at the end. (Where the device stands once stopped differs between
// systems, so the position after the end is not checked.)
TEST_F(MediaDeviceTest, Mp3FilePlaysWhereTheSystemDecodesIt) {
  constexpr int kFrames = 40;  // 40 x 1152 samples at 44.1 kHz = 1045 ms
  folder_.WriteFile(L"無音.mp3", SilentMp3(kFrames));
  OpenForPlay(Cp932Path(folder_ / L"無音.mp3"));
  EXPECT_EQ(device_.Capabilities().deviceType, static_cast<std::uint32_t>(MCI_DEVTYPE_DIGITAL_VIDEO));
  EXPECT_TRUE(device_.HasVideo());
  const DisplayRect rect = device_.DisplayRectangle();
  EXPECT_EQ(rect.right - rect.left, 0);
  EXPECT_EQ(rect.bottom - rect.top, 0);
  const std::int64_t length = device_.Length();
  EXPECT_NEAR(length, kFrames * 1152 * 1000 / kSampleRate, 100);

  const DWORD start = ::GetTickCount();
  device_.Play();
  ::Sleep(400);
  EXPECT_EQ(device_.Mode(), DeviceMode::Playing);
  EXPECT_NEAR(device_.Position(), 400, 250);
  device_.PauseToggle();
  EXPECT_EQ(device_.Mode(), DeviceMode::Paused);
  const std::int64_t held = device_.Position();
  ::Sleep(200);
  EXPECT_EQ(device_.Position(), held);
  device_.PauseToggle();
  EXPECT_EQ(device_.Mode(), DeviceMode::Playing);
  ASSERT_TRUE(PollUntil([&] { return device_.Mode() == DeviceMode::Stopped; }, 5000));
  // In real time: the length and the paused time have passed.
  EXPECT_GE(static_cast<std::int64_t>(::GetTickCount() - start), length + 200 - kSlackMs);
}

}  // namespace
}  // namespace koru

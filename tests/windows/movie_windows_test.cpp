// The movie windows with the system's own movie device on an uncompressed
// 32-bit AVI the test writes: sizes, letterbox, full screen on the monitor,
// and the picture on the panel, also after a resize while paused.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "playback/mci_media_device_win32.h"
#include "platform/wide_text_win32.h"
#include "ui/commands.h"
#include "ui/movie_windows.h"
#include "windows/support/test_environment.h"

namespace koru {
namespace {

using testing::PumpUntil;
using testing::ScratchFolder;

constexpr int kWidth = 320;
constexpr int kHeight = 240;
// The frames' one colour, as GetPixel gives it back.
constexpr COLORREF kPicture = RGB(0x20, 0xC0, 0x40);

void PutLe(std::string& out, std::uint32_t value, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Chunk(const char* id, const std::string& body) {
  std::string out(id, 4);
  PutLe(out, static_cast<std::uint32_t>(body.size()));
  return out + body + (body.size() % 2 ? std::string(1, '\0') : std::string());
}

std::string List(const char* type, const std::string& body) { return Chunk("LIST", std::string(type, 4) + body); }

// An AVI of `frames` uncompressed 32-bit frames at 10 frames a second, each
// of one colour, with its index.
std::string SolidAvi(int frames) {
  const std::uint32_t frameBytes = kWidth * kHeight * 4;
  std::string avih;
  for (std::uint32_t v : {100000u, frameBytes * 10, 0u, 0x10u /* AVIF_HASINDEX */, std::uint32_t(frames), 0u, 1u,
                          frameBytes, std::uint32_t(kWidth), std::uint32_t(kHeight), 0u, 0u, 0u, 0u}) {
    PutLe(avih, v);
  }
  std::string strh = "vidsDIB ";
  for (std::uint32_t v : {0u, 0u, 0u, 1u /* scale */, 10u /* rate */, 0u, std::uint32_t(frames), frameBytes,
                          0xFFFFFFFFu, 0u}) {
    PutLe(strh, v);
  }
  for (std::uint32_t v : {0u, 0u, std::uint32_t(kWidth), std::uint32_t(kHeight)}) PutLe(strh, v, 2);
  std::string strf;
  for (std::uint32_t v : {40u, std::uint32_t(kWidth), std::uint32_t(kHeight)}) PutLe(strf, v);
  PutLe(strf, 1, 2);   // planes
  PutLe(strf, 32, 2);  // bits per pixel
  for (std::uint32_t v : {0u /* BI_RGB */, frameBytes, 0u, 0u, 0u, 0u}) PutLe(strf, v);

  std::string pixels;
  pixels.reserve(frameBytes);
  for (int i = 0; i < kWidth * kHeight; ++i) {
    pixels += static_cast<char>(GetBValue(kPicture));
    pixels += static_cast<char>(GetGValue(kPicture));
    pixels += static_cast<char>(GetRValue(kPicture));
    pixels += '\0';
  }
  std::string movi;
  std::string index;
  for (int f = 0; f < frames; ++f) {
    index += "00db";
    PutLe(index, 0x10);  // AVIIF_KEYFRAME
    PutLe(index, static_cast<std::uint32_t>(4 + movi.size()));
    PutLe(index, frameBytes);
    movi += Chunk("00db", pixels);
  }
  const std::string body = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf))) +
                           List("movi", movi) + Chunk("idx1", index);
  return Chunk("RIFF", "AVI " + body);
}

COLORREF PixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

RECT ClientOf(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return client;
}

// A child's bounds in its parent's client area: left, top, width, height.
RECT PlaceOf(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::wstring CaptionOf(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

void SetClientSize(HWND window, int width, int height) {
  RECT outer = {0, 0, width, height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class MovieWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_TRUE(frmMovWn_.Create(GetModuleHandleW(nullptr), owner_));
    ASSERT_TRUE(frmMovFl_.Create(GetModuleHandleW(nullptr), owner_));
    scratch_.WriteFile(L"solid.avi", SolidAvi(40));
    device_.SetFileName(NarrowLossy(scratch_ / L"solid.avi"));
    device_.SetDisplayWindow(reinterpret_cast<DisplayWindow>(frmMovWn_.Panel()));
    device_.Open();
    ASSERT_TRUE(device_.HasVideo());
    picture_ = device_.DisplayRectangle();
  }
  void TearDown() override {
    device_.Close();
    DestroyWindow(owner_);
  }

  // The picture's colour shows in the middle of the panel.
  static bool ShowsPicture(HWND panel) {
    return PumpUntil([&] {
      const RECT client = ClientOf(panel);
      return PixelOf(panel, client.right / 2, client.bottom / 2) == kPicture;
    });
  }

  ScratchFolder scratch_;
  MciMediaDevice device_;
  DisplayRect picture_;
  HWND owner_ = nullptr;
  TfrmMovWn frmMovWn_{{device_, [this] { return picture_; }, {}}, frmMovFl_};
  TfrmMovFl frmMovFl_{{device_, [this] { return picture_; }, {}}, frmMovWn_};
};

TEST_F(MovieWindowsTest, TheWindowFitsThePictureLetterboxesItAndKeepsItThroughAPausedResize) {
  EXPECT_EQ(picture_.right - picture_.left, kWidth);
  EXPECT_EQ(picture_.bottom - picture_.top, kHeight);
  frmMovWn_.FitToMovieSize();
  frmMovWn_.LayoutMoviePanel();
  frmMovWn_.ShowNormal();
  device_.Play();
  const HWND window = frmMovWn_.Handle();
  EXPECT_EQ(ClientOf(window).right, kWidth);
  EXPECT_EQ(ClientOf(window).bottom, kHeight);
  EXPECT_EQ(CaptionOf(window), L"320x240 - MEDIA-PLAYER - KORU");
  EXPECT_TRUE(ShowsPicture(frmMovWn_.Panel()));

  device_.PauseToggle();
  ASSERT_TRUE(PumpUntil([&] { return device_.Mode() == DeviceMode::Paused; }));
  SetClientSize(window, 800, 400);
  const RECT panel = PlaceOf(frmMovWn_.Panel());
  EXPECT_TRUE(SameRect(panel, {133, 0, 533, 400}));
  EXPECT_EQ(CaptionOf(window), L"800x400 - MEDIA-PLAYER - KORU");
  // Painted anew (its background erased black first), the panel still
  // shows the paused picture.
  RedrawWindow(frmMovWn_.Panel(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_TRUE(ShowsPicture(frmMovWn_.Panel()));
  EXPECT_EQ(PixelOf(window, 60, 200), RGB(0, 0, 0));  // the band beside it

  const struct {
    int command, width, height;
  } zooms[] = {{IDM_MOVIE_050, 160, 120}, {IDM_MOVIE_200, 640, 480}, {IDM_MOVIE_100, 320, 240}};
  for (const auto& zoom : zooms) {
    SendMessageW(window, WM_COMMAND, zoom.command, 0);
    EXPECT_EQ(ClientOf(window).right, zoom.width) << zoom.command;
    EXPECT_EQ(ClientOf(window).bottom, zoom.height) << zoom.command;
    EXPECT_TRUE(SameRect(PlaceOf(frmMovWn_.Panel()), {0, 0, zoom.width, zoom.height})) << zoom.command;
  }
}

TEST_F(MovieWindowsTest, MaximisingGoesFullScreenOnTheMonitorAndEscapeComesBack) {
  frmMovWn_.FitToMovieSize();
  frmMovWn_.LayoutMoviePanel();
  frmMovWn_.ShowNormal();
  device_.Play();
  SendMessageW(frmMovWn_.Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);

  EXPECT_FALSE(frmMovWn_.Visible());
  ASSERT_TRUE(frmMovFl_.Visible());
  EXPECT_EQ(device_.GetDisplayWindow(), reinterpret_cast<DisplayWindow>(frmMovFl_.Panel()));
  MONITORINFO monitor = {sizeof monitor};
  GetMonitorInfoW(MonitorFromWindow(frmMovFl_.Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT bounds;
  GetWindowRect(frmMovFl_.Handle(), &bounds);
  EXPECT_TRUE(SameRect(bounds, monitor.rcMonitor));
  const int width = monitor.rcMonitor.right - monitor.rcMonitor.left;
  const int height = monitor.rcMonitor.bottom - monitor.rcMonitor.top;
  // 4:3 on the monitor: full height (or full width on a narrower one).
  const RECT panel = PlaceOf(frmMovFl_.Panel());
  if (width * 3 >= height * 4) {
    EXPECT_EQ(panel.bottom, height);
    EXPECT_EQ(panel.left, (width - panel.right) / 2);
  } else {
    EXPECT_EQ(panel.right, width);
  }
  EXPECT_TRUE(ShowsPicture(frmMovFl_.Panel()));

  // The strip shows at the last row, across the bottom.
  SendMessageW(frmMovFl_.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, height - 1));
  EXPECT_TRUE(frmMovFl_.StripShown());
  const RECT strip = PlaceOf(frmMovFl_.StripWindow());
  EXPECT_EQ(strip.top + strip.bottom, height);
  EXPECT_EQ(strip.right, width);
  SendMessageW(frmMovFl_.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, height / 2));
  EXPECT_FALSE(frmMovFl_.StripShown());

  MSG escape = {frmMovFl_.Panel(), WM_KEYDOWN, VK_ESCAPE, 1};
  EXPECT_TRUE(frmMovFl_.TranslateShortcut(escape));
  EXPECT_FALSE(frmMovFl_.Visible());
  EXPECT_TRUE(frmMovWn_.Visible());
  EXPECT_EQ(device_.GetDisplayWindow(), reinterpret_cast<DisplayWindow>(frmMovWn_.Panel()));
  EXPECT_TRUE(ShowsPicture(frmMovWn_.Panel()));
}

TEST_F(MovieWindowsTest, APausedMovieStaysPausedUntilPauseResumesIt) {
  device_.SetTimeFormatMilliseconds();
  device_.Play();
  ASSERT_TRUE(PumpUntil([&] { return device_.Position() >= 500; }));
  device_.PauseToggle();
  const std::int64_t held = device_.Position();
  // Long enough for a movie device that lets its player go (Wine's does).
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(device_.Mode(), DeviceMode::Paused);
  EXPECT_EQ(device_.Position(), held);
  device_.PauseToggle();
  EXPECT_TRUE(PumpUntil([&] { return device_.Position() > held + 200; }));
  EXPECT_EQ(device_.Mode(), DeviceMode::Playing);
}

TEST_F(MovieWindowsTest, ClosingHidesAndTheWindowsLiveOn) {
  frmMovWn_.ShowNormal();
  SendMessageW(frmMovWn_.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(frmMovWn_.Exists());
  EXPECT_FALSE(frmMovWn_.Visible());
  frmMovFl_.ShowOn(MonitorFromWindow(owner_, MONITOR_DEFAULTTOPRIMARY));
  SendMessageW(frmMovFl_.Handle(), WM_COMMAND, IDM_MOVIE_CLOSE, 0);
  EXPECT_TRUE(frmMovFl_.Exists());
  EXPECT_FALSE(frmMovFl_.Visible());
}

TEST_F(MovieWindowsTest, TheDeviceClosesBeforeThePanelItDrawsIntoGoes) {
  device_.Play();
  DestroyWindow(frmMovWn_.Handle());
  EXPECT_FALSE(device_.IsOpen());
}

}  // namespace
}  // namespace koru

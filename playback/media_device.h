// The media device as the player uses it. The Win32 binding drives the media
// control interface (MCI); the tests use a fake.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace koru {

// Modes the device reports (MCI modes 524 to 530 mapped to 0 to 6).
enum class DeviceMode { NotReady = 0, Stopped = 1, Playing = 2, Recording = 3, Seeking = 4, Paused = 5, Open = 6 };

struct DisplayRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Raised by a failed open; carries the device's error text (code page 932).
class MediaDeviceError : public std::runtime_error {
 public:
  explicit MediaDeviceError(const std::string& text) : std::runtime_error(text) {}
};

// An opaque window handle (an HWND on Windows); 0 means none.
using DisplayWindow = std::uintptr_t;

// Apart from Open and PauseToggle no operation throws: a command the device
// refuses (or any command while nothing is open) only leaves its result for
// LastErrorText, and a status it cannot give reads as 0 (NotReady for Mode).
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;

  virtual void SetFileName(const std::string& path) = 0;
  virtual const std::string& FileName() const = 0;
  // Remembered while closed and applied at the next open.
  virtual void SetDisplayWindow(DisplayWindow window) = 0;
  virtual DisplayWindow GetDisplayWindow() const = 0;

  // Closes an open medium first; throws MediaDeviceError when the open fails.
  virtual void Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Capabilities read right after the last open.
  virtual bool HasVideo() const = 0;

  virtual void Play() = 0;  // from the current position; returns at once
  virtual void Stop() = 0;
  // Playing: pause. Paused: resume, or play when resume fails. Otherwise
  // nothing. Throws MediaDeviceError when the device is not open.
  virtual void PauseToggle() = 0;
  virtual void Seek(std::int64_t milliseconds) = 0;
  virtual void SetTimeFormatMilliseconds() = 0;

  virtual std::int64_t Length() = 0;
  virtual std::int64_t Position() = 0;
  virtual DeviceMode Mode() = 0;
  virtual DisplayRect DisplayRectangle() = 0;
  // Where the picture goes inside the display window; only while a medium
  // with video is open.
  virtual void SetDisplayRectangle(const DisplayRect& rect) = 0;
  // Draws the current picture again into the display window, for that
  // window's paint message; `deviceContext` is its HDC on Windows. Without
  // it a paused picture stays black once the window has been resized.
  virtual void RepaintDisplay(std::uintptr_t deviceContext) = 0;
  // The system's text for the last command's result; empty when it has none.
  virtual std::string LastErrorText() = 0;
};

}  // namespace koru

// The media device over the Windows media control interface (MCI): the one
// invisible player the program plays every file through.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <string>

#include "playback/media_device.h"
#include "platform/unique_handle_win32.h"

namespace koru {

// What the device said about itself right after the last open.
struct MciCapabilities {
  bool canPlay = false;
  bool canRecord = false;
  bool canEject = false;
  bool hasVideo = false;
  std::uint32_t deviceType = 0;  // an MCI_DEVTYPE_* value
};

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ::DestroyWindow(handle); }
};

// Lives on the GUI thread. The device type is chosen by the system from the
// file, the device is not shareable, and the program learns about the end of
// a medium by polling, so play notifications go to a message-only window of
// this object and are dropped there.
class MciMediaDevice : public MediaDevice {
 public:
  MciMediaDevice();
  ~MciMediaDevice() override;
  MciMediaDevice(const MciMediaDevice&) = delete;
  MciMediaDevice& operator=(const MciMediaDevice&) = delete;

  void SetFileName(const std::string& path) override { fileName_ = path; }
  const std::string& FileName() const override { return fileName_; }
  void SetDisplayWindow(DisplayWindow window) override;
  DisplayWindow GetDisplayWindow() const override { return display_; }

  void Open() override;
  void Close() override;
  bool IsOpen() const override { return deviceId_ != 0; }
  bool HasVideo() const override { return capabilities_.hasVideo; }
  const MciCapabilities& Capabilities() const { return capabilities_; }
  // The id the system gave the open device, 0 while closed.
  MCIDEVICEID DeviceId() const { return deviceId_; }

  void Play() override;
  void Stop() override;
  void PauseToggle() override;
  void Seek(std::int64_t milliseconds) override;
  void SetTimeFormatMilliseconds() override;

  std::int64_t Length() override;
  std::int64_t Position() override;
  DeviceMode Mode() override;
  DisplayRect DisplayRectangle() override;
  void SetDisplayRectangle(const DisplayRect& rect) override;
  void RepaintDisplay(std::uintptr_t deviceContext) override;
  std::string LastErrorText() override;

 private:
  // Sends a command to the open device and keeps its result code.
  MCIERROR Send(UINT message, DWORD_PTR flags, void* parameters);
  std::uint64_t StatusItem(DWORD item);
  DWORD_PTR CapabilityItem(DWORD item);
  void RouteDisplay();

  std::string fileName_;
  DisplayWindow display_ = 0;
  MCIDEVICEID deviceId_ = 0;
  MciCapabilities capabilities_;
  MCIERROR lastResult_ = 0;
  // The last command was a pause that succeeded.
  bool pausedHere_ = false;
  UniqueHandle<WindowTraits> notifyWindow_;
};

}  // namespace koru

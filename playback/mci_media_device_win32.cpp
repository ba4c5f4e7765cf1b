#include "playback/mci_media_device_win32.h"

#include <digitalv.h>

#include <iterator>
#include <string>

#include "platform/wide_text_win32.h"

namespace koru {
namespace {

constexpr wchar_t kNotifyWindowClass[] = L"KoruMciNotify";

// MCI reports its modes from MCI_MODE_NOT_READY (524) to MCI_MODE_OPEN (530),
// in the order of DeviceMode.
DeviceMode ModeOfStatus(std::uint64_t status) {
  if (status < MCI_MODE_NOT_READY || status > MCI_MODE_OPEN) return DeviceMode::NotReady;
  return static_cast<DeviceMode>(status - MCI_MODE_NOT_READY);
}

// A window nobody sees that only takes the device's notifications. Its class
// is registered once per process; a second registration fails harmlessly.
HWND CreateNotifyWindow() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ::DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kNotifyWindowClass;
  ::RegisterClassExW(&windowClass);
  return ::CreateWindowExW(0, kNotifyWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

}  // namespace

MciMediaDevice::MciMediaDevice() : notifyWindow_(CreateNotifyWindow()) {}

MciMediaDevice::~MciMediaDevice() { Close(); }

MCIERROR MciMediaDevice::Send(UINT message, DWORD_PTR flags, void* parameters) {
  if (deviceId_ == 0) return lastResult_ = MCIERR_INVALID_DEVICE_ID;
  lastResult_ = ::mciSendCommandW(deviceId_, message, flags, reinterpret_cast<DWORD_PTR>(parameters));
  return lastResult_;
}

void MciMediaDevice::Open() {
  Close();
  capabilities_ = MciCapabilities{};
  const std::wstring element = Widen(fileName_);
  MCI_OPEN_PARMSW parameters{};
  parameters.lpstrElementName = element.c_str();
  // Only the element: the system picks the device type from the file. Not
  // shareable, so nobody else drives this instance.
  lastResult_ = ::mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parameters));
  if (lastResult_ != 0) throw MediaDeviceError(LastErrorText());
  deviceId_ = parameters.wDeviceID;

  capabilities_.canPlay = CapabilityItem(MCI_GETDEVCAPS_CAN_PLAY) != 0;
  capabilities_.canRecord = CapabilityItem(MCI_GETDEVCAPS_CAN_RECORD) != 0;
  capabilities_.canEject = CapabilityItem(MCI_GETDEVCAPS_CAN_EJECT) != 0;
  capabilities_.hasVideo = CapabilityItem(MCI_GETDEVCAPS_HAS_VIDEO) != 0;
  capabilities_.deviceType = static_cast<std::uint32_t>(CapabilityItem(MCI_GETDEVCAPS_DEVICE_TYPE));
  // A window chosen while closed takes the picture now.
  if (capabilities_.hasVideo && display_ != 0) RouteDisplay();
}

void MciMediaDevice::Close() {
  pausedHere_ = false;
  if (deviceId_ == 0) return;
  MCI_GENERIC_PARMS parameters{};
  Send(MCI_CLOSE, MCI_WAIT, &parameters);
  deviceId_ = 0;
}

DWORD_PTR MciMediaDevice::CapabilityItem(DWORD item) {
  MCI_GETDEVCAPS_PARMS parameters{};
  parameters.dwItem = item;
  if (Send(MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, &parameters) != 0) return 0;
  return parameters.dwReturn;
}

void MciMediaDevice::SetDisplayWindow(DisplayWindow window) {
  display_ = window;
  if (IsOpen() && capabilities_.hasVideo) RouteDisplay();
}

void MciMediaDevice::RouteDisplay() {
  MCI_DGV_WINDOW_PARMSW parameters{};
  parameters.hWnd = reinterpret_cast<HWND>(display_);
  // A device that will not draw into the window keeps its own, and the
  // program must not think otherwise.
  if (Send(MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT, &parameters) != 0) display_ = 0;
}

void MciMediaDevice::Play() {
  pausedHere_ = false;
  MCI_PLAY_PARMS parameters{};
  parameters.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow_.Get());
  // No MCI_FROM: from wherever the device stands. No MCI_WAIT: play runs on
  // inside the system while the program polls position and mode.
  Send(MCI_PLAY, notifyWindow_ ? MCI_NOTIFY : 0, &parameters);
}

void MciMediaDevice::Stop() {
  pausedHere_ = false;
  MCI_GENERIC_PARMS parameters{};
  Send(MCI_STOP, MCI_WAIT, &parameters);
}

void MciMediaDevice::PauseToggle() {
  if (!IsOpen()) {
    lastResult_ = MCIERR_INVALID_DEVICE_ID;
    throw MediaDeviceError(LastErrorText());
  }
  MCI_GENERIC_PARMS parameters{};
  switch (Mode()) {
    case DeviceMode::Playing:
      pausedHere_ = Send(MCI_PAUSE, MCI_WAIT, &parameters) == 0;
      break;
    case DeviceMode::Paused:
      // Some devices pause but cannot resume, or have already let their
      // player go; playing on from the paused position is what the user
      // asked for.
      if (ModeOfStatus(StatusItem(MCI_STATUS_MODE)) != DeviceMode::Paused ||
          Send(MCI_RESUME, MCI_WAIT, &parameters) != 0) {
        Play();
      } else {
        pausedHere_ = false;
      }
      break;
    default:
      break;
  }
}

void MciMediaDevice::Seek(std::int64_t milliseconds) {
  pausedHere_ = false;
  MCI_SEEK_PARMS parameters{};
  parameters.dwTo = static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds);
  Send(MCI_SEEK, MCI_TO | MCI_WAIT, &parameters);
}

void MciMediaDevice::SetTimeFormatMilliseconds() {
  MCI_SET_PARMS parameters{};
  parameters.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
  Send(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &parameters);
}

std::uint64_t MciMediaDevice::StatusItem(DWORD item) {
  MCI_STATUS_PARMS parameters{};
  parameters.dwItem = item;
  if (Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &parameters) != 0) return 0;
  return parameters.dwReturn;
}

std::int64_t MciMediaDevice::Length() { return static_cast<std::int64_t>(StatusItem(MCI_STATUS_LENGTH)); }

std::int64_t MciMediaDevice::Position() { return static_cast<std::int64_t>(StatusItem(MCI_STATUS_POSITION)); }

DeviceMode MciMediaDevice::Mode() {
  const DeviceMode mode = ModeOfStatus(StatusItem(MCI_STATUS_MODE));
  // A movie device may let its playing thread end on a pause and report
  // itself stopped (Wine's does): paused by us and not moved since, it is
  // still paused, and pause resumes it.
  return mode == DeviceMode::Stopped && pausedHere_ ? DeviceMode::Paused : mode;
}

DisplayRect MciMediaDevice::DisplayRectangle() {
  MCI_DGV_RECT_PARMS parameters{};
  if (Send(MCI_WHERE, MCI_DGV_WHERE_DESTINATION | MCI_WAIT, &parameters) != 0) return DisplayRect{};
  // Passed on as the device reports them (MCI puts width and height where
  // right and bottom would be).
  return DisplayRect{parameters.rc.left, parameters.rc.top, parameters.rc.right, parameters.rc.bottom};
}

void MciMediaDevice::SetDisplayRectangle(const DisplayRect& rect) {
  if (!IsOpen() || !capabilities_.hasVideo) return;
  MCI_DGV_PUT_PARMS parameters{};
  // MCI takes width and height where right and bottom would be.
  parameters.rc = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  Send(MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT, &parameters);
}

void MciMediaDevice::RepaintDisplay(std::uintptr_t deviceContext) {
  if (!IsOpen() || !capabilities_.hasVideo || deviceContext == 0) return;
  MCI_DGV_UPDATE_PARMS parameters{};
  parameters.hDC = reinterpret_cast<HDC>(deviceContext);
  Send(MCI_UPDATE, MCI_DGV_UPDATE_HDC | MCI_WAIT, &parameters);
}

std::string MciMediaDevice::LastErrorText() {
  // 2048 UTF-16 units stay within 4096 bytes of code page 932.
  wchar_t text[2048] = {};
  // Wine, for one, has no text for some codes (success among them); the
  // text is empty then, and the player says in its own words that playing
  // failed.
  if (!::mciGetErrorStringW(lastResult_, text, static_cast<UINT>(std::size(text)))) return {};
  return NarrowLossy(text);
}

}  // namespace koru

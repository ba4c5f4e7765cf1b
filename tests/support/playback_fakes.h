// Stand-ins for everything the playback core talks to: the media device and
// the mixer, the clock, the view, the temporary-folder operations, the
// converters, the mascot and the user. Each records what it was asked.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/playback_files.h"
#include "platform/user_dialogs.h"
#include "playback/clock.h"
#include "playback/entry_converters.h"
#include "playback/media_device.h"
#include "playback/player_view.h"
#include "playback/sstp_sender.h"
#include "playback/volume_mixer.h"
#include "support/fake_file_system.h"

namespace koru::testing {

// What the device reports for a file once it is open on it.
struct FakeMedium {
  std::int64_t length = 60000;
  bool hasVideo = false;
  DisplayRect picture;
  std::string openError;  // non-empty: open throws with this text
};

class FakeMediaDevice : public MediaDevice {
 public:
  std::map<std::string, FakeMedium> media;  // by file name; others open as the default medium
  std::int64_t position = 0;
  DeviceMode mode = DeviceMode::Stopped;
  std::string lastErrorText;
  bool describesErrors = true;  // false: the system has no text for the error
  std::vector<std::string> log;  // "open <file> <window>", "close", "play", "stop", "seek <ms>", "pause"

  void SetFileName(const std::string& path) override { fileName_ = path; }
  const std::string& FileName() const override { return fileName_; }
  void SetDisplayWindow(DisplayWindow window) override { window_ = window; }
  DisplayWindow GetDisplayWindow() const override { return window_; }
  void Open() override {
    if (open_) Close();
    log.push_back("open " + fileName_ + " " + std::to_string(window_));
    const FakeMedium medium = Medium();
    if (!medium.openError.empty()) {
      lastErrorText = medium.openError;
      throw MediaDeviceError(medium.openError);
    }
    open_ = true;
    position = 0;
    mode = DeviceMode::Stopped;
  }
  void Close() override {
    if (!open_) return;
    log.push_back("close");
    open_ = false;
  }
  bool IsOpen() const override { return open_; }
  bool HasVideo() const override { return open_ && Medium().hasVideo; }
  void Play() override {
    log.push_back("play");
    mode = DeviceMode::Playing;
  }
  void Stop() override {
    log.push_back("stop");
    mode = DeviceMode::Stopped;
  }
  void PauseToggle() override {
    if (!open_) throw MediaDeviceError("not open");
    log.push_back("pause");
    if (mode == DeviceMode::Playing) {
      mode = DeviceMode::Paused;
    } else if (mode == DeviceMode::Paused) {
      mode = DeviceMode::Playing;
    }
  }
  void Seek(std::int64_t milliseconds) override {
    log.push_back("seek " + std::to_string(milliseconds));
    position = milliseconds;
    mode = DeviceMode::Stopped;
  }
  void SetTimeFormatMilliseconds() override {}
  std::int64_t Length() override { return open_ ? Medium().length : 0; }
  std::int64_t Position() override { return position; }
  DeviceMode Mode() override { return mode; }
  DisplayRect DisplayRectangle() override { return Medium().picture; }
  void SetDisplayRectangle(const DisplayRect& rect) override {
    log.push_back("put " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                  std::to_string(rect.right) + " " + std::to_string(rect.bottom));
  }
  void RepaintDisplay(std::uintptr_t) override { log.push_back("repaint"); }
  std::string LastErrorText() override { return describesErrors ? lastErrorText : std::string(); }

  int Count(const std::string& entry) const {
    int n = 0;
    for (const std::string& line : log) n += line == entry;
    return n;
  }

 private:
  FakeMedium Medium() const {
    auto it = media.find(fileName_);
    return it == media.end() ? FakeMedium{} : it->second;
  }
  std::string fileName_;
  DisplayWindow window_ = 0;
  bool open_ = false;
};

class FakeMixer : public VolumeMixer {
 public:
  std::optional<int> percent;  // nothing: the mixer cannot be read
  std::vector<int> written;
  bool Open() override { return true; }
  void Close() override {}
  std::optional<int> ReadPercent() override { return percent; }
  bool WritePercent(int value) override {
    written.push_back(value);
    return true;
  }
};

// Draws are queued as ClockDraw values; the local time is made to give them.
class FakeClock : public Clock {
 public:
  std::deque<int> draws;
  TimeOfDay now;
  TimeOfDay LocalTime() override {
    if (!draws.empty()) {
      now.second = draws.front() / 1000;
      now.millisecond = draws.front() % 1000;
      draws.pop_front();
    }
    return now;
  }
};

class FakePlayerView : public PlayerView {
 public:
  static constexpr DisplayWindow kWindowedPanel = 0x100;
  static constexpr DisplayWindow kFullScreenPanel = 0x200;

  std::string titleLine, caption, trayTip, counter;
  int counterFont = 18;
  int counterWrites = 0;
  TransportState transport;
  int transportUpdates = 0;
  std::optional<bool> slidersEnabled;
  SliderRange sliderRange;
  std::optional<int> sliderPosition;
  TitlePanel titlePanel = TitlePanel::Title;
  std::optional<int> volumeBar;
  std::string volumeHint;
  bool fullScreenVisible = false;
  int moviesHidden = 0;
  std::vector<MovieWindow> moviesShown;
  DisplayRect fittedPicture;
  PlayOrder shownOrder;
  int ordersShown = 0;
  std::vector<bool> rowRefreshes;  // the `full` argument of each
  int rowSelections = 0;
  std::vector<bool> documents;
  int infoPanels = 0;
  int settingsApplied = 0;
  bool active = true;
  std::vector<bool> hourglass;
  std::vector<std::string> titleHistory;

  void SetTitleLine(const std::string& text) override {
    titleLine = text;
    titleHistory.push_back(text);
  }
  void SetCaption(const std::string& text, const std::string& tip) override {
    caption = text;
    trayTip = tip;
  }
  void SetCounter(const std::string& text, int fontSize) override {
    counter = text;
    counterFont = fontSize;
    ++counterWrites;
  }
  void SetTransport(const TransportState& state) override {
    transport = state;
    ++transportUpdates;
  }
  void EnableTimeSliders(bool enabled) override { slidersEnabled = enabled; }
  void SetTimeSliderRange(const SliderRange& range) override { sliderRange = range; }
  void SetTimeSliderPosition(int position) override { sliderPosition = position; }
  void ShowTitlePanel(TitlePanel panel) override { titlePanel = panel; }
  void SetVolumeBar(int percent, const std::string& hint) override {
    volumeBar = percent;
    volumeHint = hint;
  }
  void HideMovieWindows() override { ++moviesHidden; }
  bool MovieWindowVisible(MovieWindow window) override {
    return window == MovieWindow::FullScreen ? fullScreenVisible : false;
  }
  DisplayWindow MoviePanel(MovieWindow window) override {
    return window == MovieWindow::FullScreen ? kFullScreenPanel : kWindowedPanel;
  }
  void FitAndShowMovieWindow(MovieWindow window, const DisplayRect& picture) override {
    moviesShown.push_back(window);
    fittedPicture = picture;
  }
  void ShowOrder(const PlayOrder& order) override {
    shownOrder = order;
    ++ordersShown;
  }
  void RefreshListRows(bool full) override { rowRefreshes.push_back(full); }
  void SelectCurrentRow() override { ++rowSelections; }
  void ShowDocument(bool load) override { documents.push_back(load); }
  void ShowMediaInfoPanel() override { ++infoPanels; }
  void ApplySettings() override { ++settingsApplied; }
  bool ApplicationActive() override { return active; }
  void SetHourglass(bool on) override { hourglass.push_back(on); }
};

// The temporary folder in memory: files (some read-only) and subfolders.
// Files it deletes also leave `mirror`, when given.
class FakePlaybackFiles : public PlaybackFiles {
 public:
  std::map<std::string, bool> files;  // path -> read-only
  FakeFileSystem* mirror = nullptr;
  std::set<std::string> folders;
  std::set<std::string> links;
  std::map<std::string, std::string> shortNames;  // path -> short name of its last component
  std::set<std::string> existing;                 // paths known without a short name of their own

  std::vector<MatchedItem> FindMatching(const std::string& mask, bool includeReadOnly) override {
    // Only "*.*" masks are used by the player.
    const std::string folder(cp932::FolderWithSeparatorOf(mask));
    std::vector<MatchedItem> items;
    for (const auto& [path, readOnly] : files) {
      if (IsChild(path, folder) && (includeReadOnly || !readOnly)) items.push_back({path.substr(folder.size()), false, false});
    }
    for (const std::string& path : folders) {
      if (IsChild(path, folder)) items.push_back({path.substr(folder.size()), true, links.count(path) != 0});
    }
    return items;
  }
  void ClearReadOnly(const std::string& path) override {
    if (files.count(path)) files[path] = false;
  }
  void SetReadOnly(const std::string& path) override { files[path] = true; }
  void RemoveFile(const std::string& path) override {
    // Like the system: a read-only file is not deleted.
    auto it = files.find(path);
    if (it != files.end() && it->second) return;
    if (it != files.end()) files.erase(it);
    if (mirror) mirror->RemoveFile(path);
  }
  void RemoveFolder(const std::string& path) override {
    // Like the system: only an empty folder, or a link, goes.
    if (links.count(path) == 0) {
      for (const auto& [file, readOnly] : files) {
        if (IsChild(file, path + "\\")) return;
      }
      for (const std::string& sub : folders) {
        if (IsChild(sub, path + "\\")) return;
      }
    }
    folders.erase(path);
  }
  // Every folder is plain unless it is listed as a link or a file.
  bool IsPlainFolder(const std::string& path) override {
    const std::string folder = !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    return links.count(folder) == 0 && files.count(folder) == 0;
  }
  std::optional<std::string> ShortNameOf(const std::string& path) override {
    auto it = shortNames.find(path);
    if (it != shortNames.end()) return it->second;
    if (existing.count(path)) return std::string(cp932::FileNameOf(path));
    return std::nullopt;
  }

 private:
  static bool IsChild(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path.find('\\', folder.size()) == std::string::npos;
  }
};

// Extraction writes `writes` (paths below the output folder, "\" for
// folders) into `files`, when given, and returns `result`.
class FakeExtractor : public MemberExtractor {
 public:
  int result = 0;
  FakeFileSystem* files = nullptr;
  std::vector<std::string> writes;
  std::vector<std::string> calls;  // archive | folder | pattern
  int ExtractMembers(const std::string& archive, const std::string& folder, const std::string& pattern) override {
    calls.push_back(archive + "|" + folder + "|" + pattern);
    if (files) {
      for (const std::string& name : writes) {
        std::size_t slash = 0;
        while ((slash = name.find('\\', slash)) != std::string::npos) files->AddFolder(folder + name.substr(0, slash++));
        files->AddFile(folder + name, "extracted");
      }
    }
    return result;
  }
};

class FakeRcp : public RcpConverter {
 public:
  std::optional<std::string> smf = std::string("MThd");
  bool throws = false;
  std::optional<std::string> ConvertToSmf(const std::string&) override {
    if (throws) throw std::runtime_error("RCPCV.DLL missing");
    return smf;
  }
};

// A mono 16-bit PCM WAV file holding `samples` samples of silence.
inline std::string SilentWave(std::uint32_t samples = 1) {
  auto le = [](std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
  };
  return "RIFF" + le(36 + 2 * samples, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(22050, 4) +
         le(44100, 4) + le(2, 2) + le(16, 2) + "data" + le(2 * samples, 4) + std::string(2 * samples, '\0');
}

// Decoding writes `output` (nothing: writes nothing) to the destination in
// `files`, when given.
class FakeOgg : public OggDecoder {
 public:
  bool decodeThrows = false;
  FakeFileSystem* files = nullptr;
  std::optional<std::string> output = SilentWave();
  std::vector<std::string> log;
  int LoadOgg() override {
    log.push_back("load");
    return 0;
  }
  int DecodeOgg(const std::string& source, const std::string& destination) override {
    log.push_back("decode " + source + " " + destination);
    if (decodeThrows) throw std::runtime_error("decoder failed");
    if (files && output) files->AddFile(destination, *output);
    return 0;
  }
  int UnloadOgg() override {
    log.push_back("unload");
    return 0;
  }
};

class FakeSstp : public SstpSender {
 public:
  std::vector<std::string> scripts;
  std::string sender, option = "unset";
  bool SstpSend(std::string_view from, std::string_view script, std::string_view opt) override {
    sender = from;
    option = opt;
    scripts.emplace_back(script);
    return true;
  }
};

class FakeDialogs : public UserDialogs {
 public:
  int reply = answer::kYes;
  std::vector<std::string> asked;
  std::vector<int> flags;
  int ShowMessageDialog(std::string_view text, int flag, bool) override {
    asked.emplace_back(text);
    flags.push_back(flag);
    return reply;
  }
  int SystemMessageBox(std::string_view text, int flag) override { return ShowMessageDialog(text, flag, false); }
};

}  // namespace koru::testing

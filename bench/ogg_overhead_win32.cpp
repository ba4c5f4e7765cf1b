// Timed tool run: what KORU adds to the decoding of an OGG file. Times the
// play preparation's OGG step (loading ogog.dll, its version, the decoding,
// unloading, the check of the output, the read-only mark) against the
// library's own OGG_DecodeFile on the same file, and prints both and the
// difference.
//
//   ogg_overhead_win32.exe <ogg file> <folder of ogog.dll> [rounds]
//
// bench/ogg_overhead.py makes a three-minute file and runs it under Wine.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "convert/ogog_decoder_win32.h"
#include "platform/file_system_win32.h"
#include "platform/playback_files_win32.h"
#include "platform/wide_text_win32.h"
#include "playback/player.h"
#include "support/playback_fakes.h"

namespace koru {
namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void RemoveWave(const std::wstring& path) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path.c_str());
}

struct LibraryTimes {
  double loading = 0;  // LoadLibraryW and FreeLibrary
  double decoding = 0;
};

// The library alone: one OGG_DecodeFile call, and apart from it the loading.
LibraryTimes LibraryDecode(const std::string& source, const std::string& wave) {
  LibraryTimes times;
  Clock::time_point start = Clock::now();
  const HMODULE library = LoadLibraryW(L"ogog.dll");
  times.loading = MillisecondsSince(start);
  using DecodeFile = int(WINAPI*)(const char*, const char*);
  const auto decode =
      reinterpret_cast<DecodeFile>(reinterpret_cast<void*>(GetProcAddress(library, "OGG_DecodeFile")));
  if (decode == nullptr) {
    std::fprintf(stderr, "ogog.dll not found\n");
    std::exit(1);
  }
  start = Clock::now();
  decode(source.c_str(), wave.c_str());
  times.decoding = MillisecondsSince(start);
  start = Clock::now();
  FreeLibrary(library);
  times.loading += MillisecondsSince(start);
  return times;
}

// KORU's step, as the list's media information re-read runs it (no texts).
double PreparationStep(const std::string& source, const std::string& tempFolder) {
  Win32FileSystem files;
  Win32PlaybackFiles playbackFiles;
  OgogDecoder ogg;
  testing::FakeExtractor extractor;
  testing::FakeRcp rcp;
  testing::FakePlayerView view;
  testing::FakeMediaDevice device;
  testing::FakeMixer mixer;
  testing::FakeClock clock;
  testing::FakeDialogs dialogs;
  testing::FakeSstp sstp;
  Settings settings(files, tempFolder, SystemVersion{10, 0, 19045, 2});
  MediaList list(tempFolder);
  PlayOrder order;
  std::atomic<std::uint8_t> noRepeat{0};
  Player player(PlayerContext{list, settings, files, playbackFiles, dialogs, view, device, mixer, clock,
                              EntryConverters{extractor, rcp, ogg}, sstp, nullptr, order, noRepeat, tempFolder});
  std::string path = source;
  const Clock::time_point start = Clock::now();
  const bool prepared = player.Controller().PrepareEntryFile(MediaEntry{}, false, path);
  const double elapsed = MillisecondsSince(start);
  if (!prepared) {
    std::fprintf(stderr, "the OGG step failed\n");
    std::exit(1);
  }
  return elapsed;
}

}  // namespace
}  // namespace koru

int wmain(int argc, wchar_t** argv) {
  using namespace koru;
  if (argc < 3) {
    std::fprintf(stderr, "usage: ogg_overhead_win32 <ogg file> <folder of ogog.dll> [rounds]\n");
    return 2;
  }
  const std::string source = *Narrow(argv[1]);
  SetDllDirectoryW(argv[2]);
  const int rounds = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"koru-ogg-overhead\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::string tempFolder = *Narrow(folder);
  const std::wstring wave = folder + std::wstring(argv[1]).substr(std::wstring(argv[1]).find_last_of(L"\\/") + 1) +
                            L".wav";

  std::vector<double> loading, library, step;
  for (int round = 0; round < rounds; ++round) {
    RemoveWave(wave);
    const LibraryTimes times = LibraryDecode(source, *Narrow(wave));
    loading.push_back(times.loading);
    library.push_back(times.decoding);
    RemoveWave(wave);
    step.push_back(PreparationStep(source, tempFolder));
  }
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExW(wave.c_str(), GetFileExInfoStandard, &data);
  RemoveWave(wave);
  RemoveDirectoryW(folder.c_str());

  const double libraryMs = Median(library);
  const double stepMs = Median(step);
  std::printf("WAV written: %lu bytes; median of %d rounds\n", static_cast<unsigned long>(data.nFileSizeLow), rounds);
  std::printf("library decode alone: %.1f ms\n", libraryMs);
  std::printf("KORU's OGG step:      %.1f ms\n", stepMs);
  std::printf("KORU's own overhead:  %.1f ms (%.2f %%), of which loading and unloading the library %.1f ms\n",
              stepMs - libraryMs, 100.0 * (stepMs - libraryMs) / libraryMs, Median(loading));
  return 0;
}

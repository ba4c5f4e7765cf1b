#include "medialist/list_import.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>
#include <vector>

#include "medialist/import_list_name.h"
#include "medialist/list_lines.h"
#include "platform/cp932.h"
#include "settings/ini_document.h"

namespace koru {
namespace {

constexpr std::string_view kKbMidiHeader = "KbMIDI Player Play List";
constexpr std::string_view kMidiplaySection = "MIDIPLAY";

// The list a reader fills before the list takes it over, saved at exit under
// `listPath`.
MediaList ScratchFor(MediaList& list, std::string listPath) {
  MediaList scratch = list.EmptyCopy();
  scratch.SetListPath(std::move(listPath));
  return scratch;
}

ListRead Finish(MediaList& list, MediaList&& filled, ListRead result) {
  if (result == ListRead::kRead) list.TakeOver(std::move(filled));
  return result;
}

ListRead ReadKbMidiEntries(MediaList& list, ListLineReader& lines) {
  // The entry the "1" and "2" lines fill; none before the first "0" line.
  MediaEntry* entry = nullptr;
  std::string_view line;
  while (lines.Next(line)) {
    if (line.empty() || line[0] < '0' || line[0] > '2') continue;
    if (line[0] == '0') {
      if (!list.AppendRaw(MediaEntry{})) return ListRead::kDoesNotFit;
      entry = &list.Entry(list.Count() - 1);
    }
    if (entry == nullptr) continue;
    std::string_view value = ValueAfterTag(line);
    if (line[0] == '0') entry->path.assign(value);
    if (line[0] == '1') entry->member.assign(value);
    if (line[0] == '2') entry->title.assign(value);
  }
  return ListRead::kRead;
}

ListRead AddPlainLines(MediaList& list, const std::string& path, std::string_view bytes) {
  ListLineReader lines(bytes);
  std::string_view line;
  while (lines.Next(line)) {
    // Extended M3U lists carry "#EXTM3U" and "#EXTINF:" lines; they name no file.
    if (line.empty() || line[0] == '#') continue;
    // "sub\a.mid" lies below the list's folder, not below whatever folder the
    // process happens to be in.
    if (!list.AddEntry(cp932::ResolveBeside(path, line), "")) return ListRead::kDoesNotFit;
  }
  return ListRead::kRead;
}

// Key n of the section, for each n below numtracks the section really holds,
// in the order of n. numtracks comes from the file and may be anything: only
// the key lines that are there are looked at, so a forged count costs nothing.
std::vector<std::pair<int, std::string>> MidiplayTracks(const IniDocument& ini, int trackCount) {
  std::vector<std::pair<int, std::string>> tracks;
  for (auto& [name, value] : ini.KeysWithValues(kMidiplaySection)) {
    int n = -1;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data(), end, n);
    // Key n is written in decimal without leading zeros: "05" is another key.
    if (error != std::errc() || stop != end || n < 0 || n >= trackCount || std::to_string(n) != name) continue;
    tracks.emplace_back(n, std::move(value));
  }
  // Of a repeated key the first line counts, as for every other key.
  std::stable_sort(tracks.begin(), tracks.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  tracks.erase(std::unique(tracks.begin(), tracks.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
               tracks.end());
  return tracks;
}

}  // namespace

ListRead ImportKbMidiList(MediaList& list, FileSystem& files, std::string path) {
  std::optional<std::string> bytes = files.ReadWholeFile(path);
  if (!bytes) return ListRead::kNotRead;
  ListLineReader lines(*bytes);
  std::string_view first;
  if (!lines.Next(first) || first != kKbMidiHeader) return ListRead::kNotRead;
  std::optional<std::string> listPath = FreeListNameFor(files, path);
  if (!listPath) return ListRead::kNotRead;

  MediaList scratch = ScratchFor(list, std::move(*listPath));
  const ListRead result = ReadKbMidiEntries(scratch, lines);
  return Finish(list, std::move(scratch), result);
}

ListRead ImportPlainList(MediaList& list, FileSystem& files, std::string path) {
  std::optional<std::string> bytes = files.ReadWholeFile(path);
  if (!bytes || bytes->empty()) return ListRead::kNotRead;
  std::optional<std::string> listPath = FreeListNameFor(files, path);
  if (!listPath) return ListRead::kNotRead;

  MediaList scratch = ScratchFor(list, std::move(*listPath));
  const ListRead result = AddPlainLines(scratch, path, *bytes);
  scratch.SetCurrentIndex(0);
  return Finish(list, std::move(scratch), result);
}

ListRead ImportMidiplayList(MediaList& list, FileSystem& files, std::string path) {
  std::optional<std::string> bytes = files.ReadWholeFile(path);
  return bytes ? ImportMidiplayBytes(list, files, path, *bytes) : ListRead::kNotRead;
}

ListRead ImportMidiplayBytes(MediaList& list, FileSystem& files, std::string path, std::string_view bytes) {
  // The own format holds no section; most loads end here without an ini parse.
  if (!IniDocument::MayHoldSections(bytes)) return ListRead::kNotRead;
  const IniDocument ini = IniDocument::Parse(bytes);
  const int trackCount = ini.GetInt(kMidiplaySection, "numtracks", -1);
  if (trackCount == -1) return ListRead::kNotRead;
  // Kept in the program's folder, under a name no other list there has: the
  // user's own list of that name, or the MIDIPLAY file itself when it lies
  // there, would be overwritten at exit.
  std::optional<std::string> listPath = FreeListNameFor(files, list.ProgramFolder() + std::string(cp932::FileNameOf(path)));
  if (!listPath) return ListRead::kNotRead;

  MediaList scratch = ScratchFor(list, std::move(*listPath));
  for (const auto& [n, value] : MidiplayTracks(ini, trackCount)) {
    // An empty key names no file; the folder alone is not one.
    if (value.empty()) continue;
    if (!scratch.AddEntry(cp932::ResolveBeside(path, value), "")) return ListRead::kDoesNotFit;
  }
  scratch.SetCurrentIndex(0);
  return Finish(list, std::move(scratch), ListRead::kRead);
}

}  // namespace koru

#include "medialist/list_import.h"

#include <optional>

#include "medialist/import_list_name.h"
#include "medialist/ini_section_scan.h"
#include "medialist/list_lines.h"
#include "platform/cp932.h"
#include "settings/ini_document.h"

namespace koru {
namespace {

constexpr std::string_view kKbMidiHeader = "KbMIDI Player Play List";
constexpr std::string_view kMidiplaySection = "MIDIPLAY";

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "D:\music\a.mid" and "\music\a.mid" (or "\\server\...") already say where
// the file is; anything else lies relative to the MIDIPLAY file.
bool NamesItsOwnPlace(std::string_view value) {
  return value[0] == '\\' || (value.size() >= 2 && IsAsciiLetter(value[0]) && value[1] == ':');
}

// Every string the list receives is built here, apart from the bytes of the
// file, which stay untouched while AddEntry reads media information.
std::string InFolderOf(std::string_view listPath, std::string_view name) {
  return std::string(cp932::FolderWithSeparatorOf(listPath)) + std::string(name);
}

void ReadKbMidiEntries(MediaList& list, ListLineReader& lines) {
  // The entry the "1" and "2" lines fill; none after a "0" line the full
  // list could not take, so its member and title cannot land on another.
  MediaEntry* entry = nullptr;
  std::string_view line;
  while (lines.Next(line)) {
    if (line.empty() || line[0] < '0' || line[0] > '2') continue;
    if (line[0] == '0') entry = list.AppendRaw(MediaEntry{}) ? &list.Entry(list.Count() - 1) : nullptr;
    if (entry == nullptr) continue;
    std::string_view value = ValueAfterTag(line);
    if (line[0] == '0') entry->path.assign(value);
    if (line[0] == '1') entry->member.assign(value);
    if (line[0] == '2') entry->title.assign(value);
  }
}

}  // namespace

bool ImportKbMidiList(MediaList& list, FileSystem& files, std::string path) {
  std::optional<std::string> bytes = files.ReadWholeFile(path);
  if (!bytes) return false;
  ListLineReader lines(*bytes);
  std::string_view first;
  if (!lines.Next(first) || first != kKbMidiHeader) return false;
  std::optional<std::string> listPath = FreeListNameFor(files, path);
  if (!listPath) return false;

  list.SetListPath(std::move(*listPath));
  list.ResetList();
  ReadKbMidiEntries(list, lines);
  return true;
}

bool ImportPlainList(MediaList& list, FileSystem& files, std::string path) {
  std::optional<std::string> bytes = files.ReadWholeFile(path);
  if (!bytes || bytes->empty()) return false;
  std::optional<std::string> listPath = FreeListNameFor(files, path);
  if (!listPath) return false;

  list.SetListPath(std::move(*listPath));
  list.ResetList();
  ListLineReader lines(*bytes);
  std::string_view line;
  while (lines.Next(line)) {
    // Extended M3U lists carry "#EXTM3U" and "#EXTINF:" lines; they name no file.
    if (line.empty() || line[0] == '#') continue;
    std::string file = cp932::FileNameStart(line) == 0 ? InFolderOf(path, line) : std::string(line);
    if (!list.AddEntry(file, "")) {
      list.ResetList();
      return false;
    }
  }
  list.SetCurrentIndex(0);
  return true;
}

bool ImportMidiplayList(MediaList& list, FileSystem& files, std::string path) {
  std::optional<std::string> bytes = files.ReadWholeFile(path);
  return bytes && ImportMidiplayBytes(list, path, *bytes);
}

bool ImportMidiplayBytes(MediaList& list, std::string path, std::string_view bytes) {
  // The own format holds no section; most loads end here without an ini parse.
  if (!MayHoldSections(bytes)) return false;
  const IniDocument ini = IniDocument::Parse(bytes);
  const int trackCount = ini.GetInt(kMidiplaySection, "numtracks", -1);
  if (trackCount == -1) return false;

  list.SetListPath(list.ProgramFolder() + std::string(cp932::FileNameOf(path)));
  list.ResetList();
  // numtracks comes from the file and may be anything: the keys looked up
  // never outnumber the key lines the section really has.
  const std::size_t keyLines = KeyLinesInSection(bytes, kMidiplaySection);
  std::size_t lookups = 0;
  for (int n = 0; n < trackCount && lookups < keyLines; ++n, ++lookups) {
    std::optional<std::string> value = ini.Get(kMidiplaySection, std::to_string(n));
    // A missing or empty key names no file; the folder alone is not one.
    if (!value || value->empty()) continue;
    std::string file = NamesItsOwnPlace(*value) ? std::move(*value) : InFolderOf(path, *value);
    if (!list.AddEntry(file, "")) {
      list.ResetList();
      return false;
    }
  }
  list.SetCurrentIndex(0);
  return true;
}

}  // namespace koru

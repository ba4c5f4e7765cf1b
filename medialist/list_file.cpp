#include "medialist/list_file.h"

#include <array>
#include <string_view>

#include "medialist/list_import.h"
#include "medialist/list_lines.h"
#include "platform/cp932.h"

namespace koru {
namespace {

constexpr std::string_view kOwnHeader = "MEDIA-PLAYER KORU List File";

// The comment lines around the six header fields and the entries; the
// writer puts them out exactly so, the reader skips every ";" line.
constexpr std::array<std::u8string_view, 8> kHeaderComments = {
    u8";",
    u8";0:リストのタイトル",
    u8";1:ドキュメントファイル名(パスなしの場合はリストファイルと同一フォルダ)",
    u8";2:フォント名",
    u8";3:フォントサイズ",
    u8";4:フォントスタイル",
    u8";5:行の折り返し指定",
    u8";※現在のバージョンでは対応しておりません",
};
constexpr std::array<std::u8string_view, 12> kEntryComments = {
    u8";",
    u8";a:ファイル名(パスなしの場合はリストファイルと同一フォルダ)",
    u8";b:書庫ファイル内ファイル名",
    u8";c:タイトル",
    u8";d:演奏時間",
    u8";e:メディア種類 SMF/MP3",
    u8";f:プログラマ名/アーティスト",
    u8";g:著作権/コメント",
    u8";h:音源名/アルバム",
    u8";i:エディット",
    u8";j:演奏レート",
    u8";",
};

constexpr std::string_view kFieldLetters = "abcdefghij";

// The field a letter names; works on const and non-const entries alike.
template <typename Entry>
auto FieldOf(Entry& entry, char letter) -> decltype(&entry.path) {
  switch (letter) {
    case 'a': return &entry.path;
    case 'b': return &entry.member;
    case 'c': return &entry.title;
    case 'd': return &entry.time;
    case 'e': return &entry.kind;
    case 'f': return &entry.producer;
    case 'g': return &entry.copyright;
    case 'h': return &entry.source;
    case 'i': return &entry.savedTitle;
    case 'j': return &entry.rate;
    default: return nullptr;
  }
}

void AppendLine(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
}

// A value ends where the reader would stop reading it: a control byte in a
// tag text must not split the line and forge an entry of its own.
void AppendTaggedLine(std::string& out, char tag, std::string_view value) {
  out += tag;
  out += ':';
  out += value.substr(0, FindControlByte(value, 0));
  out += "\r\n";
}

// The fixed lines around the header fields, converted to code page 932 once
// and never changed afterwards.
const std::string& HeaderComments() {
  static const std::string lines = [] {
    std::string text;
    AppendLine(text, kOwnHeader);
    for (std::u8string_view comment : kHeaderComments) AppendLine(text, cp932::FromUtf8(comment));
    return text;
  }();
  return lines;
}

const std::string& EntryComments() {
  static const std::string lines = [] {
    std::string text;
    for (std::u8string_view comment : kEntryComments) AppendLine(text, cp932::FromUtf8(comment));
    return text;
  }();
  return lines;
}

// The own format, once its first line has matched, into an empty list.
ListRead ReadOwnEntries(MediaList& list, ListLineReader& lines) {
  // The entry the letter lines fill; none before the first "a" line.
  MediaEntry* entry = nullptr;
  std::string_view line;
  while (lines.Next(line)) {
    if (line.empty()) continue;
    const char tag = line[0];
    if (tag >= '0' && tag <= '5') {
      list.SetHeaderField(tag - '0', std::string(ValueAfterTag(line)));
      continue;
    }
    if (tag == 'a') {
      if (!list.AppendRaw(MediaEntry{})) return ListRead::kDoesNotFit;
      entry = &list.Entry(list.Count() - 1);
    }
    if (entry == nullptr) continue;
    if (std::string* field = FieldOf(*entry, tag)) field->assign(ValueAfterTag(line));
  }
  return ListRead::kRead;
}

ListRead ReadOwnList(MediaList& list, std::string_view bytes) {
  ListLineReader lines(bytes);
  std::string_view first;
  if (!lines.Next(first) || first != kOwnHeader) return ListRead::kNotRead;
  return ReadOwnEntries(list, lines);
}

}  // namespace

ListRead LoadList(MediaList& list, FileSystem& files, std::string path) {
  std::optional<std::string> bytes = files.ReadWholeFile(path);
  if (bytes) {
    const ListRead midiplay = ImportMidiplayBytes(list, files, path, *bytes);
    if (midiplay != ListRead::kNotRead) return midiplay;
  } else if (files.KindOf(path) == PathKind::Missing) {
    // A list moved together with the program is found beside it.
    std::string besideProgram = list.ProgramFolder() + std::string(cp932::FileNameOf(path));
    if (files.KindOf(besideProgram) != PathKind::File) return ListRead::kNotRead;
    path = std::move(besideProgram);
    bytes = files.ReadWholeFile(path);
  }
  if (!bytes) return ListRead::kNotRead;

  MediaList read = list.EmptyCopy();
  read.SetListPath(std::move(path));
  const ListRead result = ReadOwnList(read, *bytes);
  if (result == ListRead::kRead) list.TakeOver(std::move(read));
  return result;
}

std::string FormatOwnList(const MediaList& list) {
  std::string out;
  std::size_t estimate = 1024;
  for (int i = 0; i < list.Count(); ++i) {
    const MediaEntry& entry = list.Entry(i);
    estimate += 36 + entry.path.size() + entry.member.size() + entry.title.size() + entry.time.size() +
                entry.kind.size() + entry.producer.size() + entry.copyright.size() + entry.source.size() +
                entry.savedTitle.size() + entry.rate.size();
  }
  out.reserve(estimate);

  out += HeaderComments();
  for (int n = 0; n < MediaList::kHeaderFieldCount; ++n) {
    AppendTaggedLine(out, static_cast<char>('0' + n), list.HeaderField(n));
  }
  out += EntryComments();
  for (int i = 0; i < list.Count(); ++i) {
    const MediaEntry& entry = list.Entry(i);
    for (char letter : kFieldLetters) AppendTaggedLine(out, letter, *FieldOf(entry, letter));
    AppendLine(out, "@");
  }
  return out;
}

bool SaveList(const MediaList& list, FileSystem& files, const ListFileOptions& options) {
  if (!files.WriteFileAtomically(list.ListPath(), FormatOwnList(list))) return false;
  if (options.backupToProgramFolder) {
    const std::string_view name = cp932::FileNameOf(cp932::WithoutExtension(list.ListPath()));
    files.CopyFileReplacing(list.ListPath(), list.ProgramFolder() + std::string(name) + ".bak");
  }
  return true;
}

}  // namespace koru

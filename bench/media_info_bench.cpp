// Reading titles and credits from 2,000 tagged MP3 files and 2,000 MIDI files
// on the real file system, against TagLib reading the same MP3 tags.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "medialist/file_media_info_reader.h"
#include "medialist/media_list.h"
#include "platform/posix_file_system.h"

#ifdef KORU_HAVE_TAGLIB
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#endif

namespace {

constexpr int kFileCount = 2000;

std::string BigEndian32(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
          static_cast<char>(value)};
}

std::string SyncSafe(std::uint32_t value) {
  return {static_cast<char>((value >> 21) & 0x7F), static_cast<char>((value >> 14) & 0x7F),
          static_cast<char>((value >> 7) & 0x7F), static_cast<char>(value & 0x7F)};
}

std::string Frame23(const std::string& id, const std::string& content) {
  return id + BigEndian32(static_cast<std::uint32_t>(content.size())) + std::string(2, '\0') + content;
}

enum class TextKind { Latin1, Utf16 };

// A text with its encoding byte: plain bytes, or UTF-16LE with a byte-order
// mark and Japanese characters, as Windows taggers write Japanese tags.
std::string EncodedText(TextKind kind, const std::string& ascii) {
  if (kind == TextKind::Latin1) return std::string(1, '\0') + ascii;
  std::u16string text = u"曲名 " + std::u16string(ascii.begin(), ascii.end());
  std::string bytes("\x01\xFF\xFE", 3);
  for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

std::string CommentContent(TextKind kind, const std::string& ascii) {
  if (kind == TextKind::Latin1) return std::string("\0eng\0", 5) + ascii;
  return std::string("\x01jpn\xFF\xFE\0\0", 8) + EncodedText(kind, ascii).substr(1);
}

// An ID3v2.3 tag with title, artist, album and comment, padding as taggers
// leave it, then some kilobytes of MPEG-looking audio.
std::string Mp3File(int n, TextKind kind) {
  std::string number = std::to_string(n);
  std::string body = Frame23("TIT2", EncodedText(kind, "Song number " + number)) +
                     Frame23("TPE1", EncodedText(kind, "Artist " + std::to_string(n % 37))) +
                     Frame23("TALB", EncodedText(kind, "Album " + std::to_string(n % 101))) +
                     Frame23("COMM", CommentContent(kind, "Comment on song " + number)) +
                     std::string(512, '\0');
  std::string file = std::string("ID3\x03\0\0", 6) + SyncSafe(static_cast<std::uint32_t>(body.size())) + body;
  std::string frame = std::string("\xFF\xFB\x90\x64", 4) + std::string(413, '\x55');
  for (int i = 0; i < 10; ++i) file += frame;
  return file;
}

std::string MetaEvent(int type, const std::string& text) {
  return std::string("\0\xFF", 2) + static_cast<char>(type) + static_cast<char>(text.size()) + text;
}

std::string MidiTrack(const std::string& events) {
  std::string data = events + std::string("\0\xFF\x2F\0", 4);
  return "MTrk" + BigEndian32(static_cast<std::uint32_t>(data.size())) + data;
}

// A format-1 file: a conductor track with the credits, then a track of notes.
std::string MidiFile(int n) {
  std::string conductor = MetaEvent(3, "Sequence " + std::to_string(n)) + MetaEvent(2, "(C) 1998 Someone") +
                          MetaEvent(1, "PROGRAMMER:Programmer " + std::to_string(n % 13)) +
                          MetaEvent(4, "SC-88Pro") + std::string("\0\xFF\x51\x03\x07\xA1\x20", 7);
  std::string notes;
  for (int i = 0; i < 400; ++i) {
    notes += std::string("\x00\x90\x3C\x64", 4);
    notes += std::string("\x60\x80\x3C\x00", 4);
  }
  return std::string("MThd\0\0\0\x06\0\x01\0\x02\x01\xE0", 14) + MidiTrack(conductor) + MidiTrack(notes);
}

// The generated files, removed again when the program ends.
class BenchFiles {
 public:
  BenchFiles() : folder_(std::filesystem::temp_directory_path() / ("koru_media_info_bench_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder_);
    for (int n = 0; n < kFileCount; ++n) {
      mp3_.push_back(Write("song" + std::to_string(n) + ".mp3", Mp3File(n, TextKind::Latin1)));
      utf16Mp3_.push_back(Write("utf16song" + std::to_string(n) + ".mp3", Mp3File(n, TextKind::Utf16)));
      midi_.push_back(Write("tune" + std::to_string(n) + ".mid", MidiFile(n)));
    }
  }
  ~BenchFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::vector<std::string>& Mp3() const { return mp3_; }
  const std::vector<std::string>& Utf16Mp3() const { return utf16Mp3_; }
  const std::vector<std::string>& Midi() const { return midi_; }

  static const BenchFiles& Get() {
    static const BenchFiles files;
    return files;
  }

 private:
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  std::filesystem::path folder_;
  std::vector<std::string> mp3_, utf16Mp3_, midi_;
};

void ReadWithKoru(benchmark::State& state, const std::vector<std::string>& paths) {
  auto fileSystem = koru::MakePosixFileSystem();
  koru::FileMediaInfoReader reader(*fileSystem);
  koru::MediaList list("/");
  koru::MediaEntry entry;
  std::size_t recognised = 0;
  for (auto _ : state) {
    for (const std::string& path : paths) {
      recognised += reader.ReadMediaInfo(list, path, entry);
      benchmark::DoNotOptimize(entry.title.data());
    }
  }
  if (recognised != paths.size() * state.iterations()) state.SkipWithError("a file was not recognised");
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * paths.size()));
}

void BM_KoruMp3Tags(benchmark::State& state) { ReadWithKoru(state, BenchFiles::Get().Mp3()); }
void BM_KoruMp3Utf16Tags(benchmark::State& state) { ReadWithKoru(state, BenchFiles::Get().Utf16Mp3()); }
void BM_KoruMidiMetaEvents(benchmark::State& state) { ReadWithKoru(state, BenchFiles::Get().Midi()); }

#ifdef KORU_HAVE_TAGLIB
void ReadWithTagLib(benchmark::State& state, const std::vector<std::string>& paths) {
  std::size_t tagged = 0;
  for (auto _ : state) {
    for (const std::string& path : paths) {
      TagLib::MPEG::File file(path.c_str(), false);
      TagLib::Tag* tag = file.tag();
      if (!tag) continue;
      TagLib::String title = tag->title(), artist = tag->artist(), album = tag->album(), comment = tag->comment();
      tagged += !title.isEmpty() && !artist.isEmpty() && !album.isEmpty() && !comment.isEmpty();
      benchmark::DoNotOptimize(title.size() + artist.size() + album.size() + comment.size());
    }
  }
  if (tagged != paths.size() * state.iterations()) state.SkipWithError("a file was not read");
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * paths.size()));
}
void BM_TagLibMp3Tags(benchmark::State& state) { ReadWithTagLib(state, BenchFiles::Get().Mp3()); }
void BM_TagLibMp3Utf16Tags(benchmark::State& state) { ReadWithTagLib(state, BenchFiles::Get().Utf16Mp3()); }
BENCHMARK(BM_TagLibMp3Tags)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagLibMp3Utf16Tags)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_KoruMp3Tags)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KoruMp3Utf16Tags)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KoruMidiMetaEvents)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

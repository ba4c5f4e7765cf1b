#include "medialist/file_media_info_reader.h"
#include "medialist/smf_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/cp932.h"
#include "support/fake_file_system.h"

namespace koru {
namespace {

using namespace std::string_literals;

// Byte builders for the structures the files are made of. Every size field
// is written from the real length of what follows, so a test says only what
// it is about.
std::string BigEndian(std::uint32_t value, int bytes) {
  std::string out;
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
  return out;
}
std::string SyncSafe(std::uint32_t value) {
  std::string out;
  for (int shift = 21; shift >= 0; shift -= 7) out += static_cast<char>((value >> shift) & 0x7F);
  return out;
}
std::string Tag(int major, std::uint8_t flags, const std::string& body) {
  return "ID3"s + static_cast<char>(major) + '\0' + static_cast<char>(flags) + SyncSafe(static_cast<std::uint32_t>(body.size())) + body;
}
std::string Frame22(const std::string& id, const std::string& content) {
  return id + BigEndian(static_cast<std::uint32_t>(content.size()), 3) + content;
}
std::string Frame23(const std::string& id, const std::string& content) {
  return id + BigEndian(static_cast<std::uint32_t>(content.size()), 4) + "\0\0"s + content;
}
std::string Frame24(const std::string& id, const std::string& content, std::uint8_t format = 0) {
  return id + SyncSafe(static_cast<std::uint32_t>(content.size())) + '\0' + static_cast<char>(format) + content;
}
std::string Latin1(const std::string& text) { return '\0' + text; }
std::string Comment(const std::string& text) { return "\0jpn\0"s + text; }
std::string Utf16Le(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return out;
}
std::string Utf16Be(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  return out;
}
std::string Padded(const std::string& text, std::size_t size, char pad = '\0') {
  return (text + std::string(size, pad)).substr(0, size);
}
std::string Id3v1(const std::string& title, const std::string& artist, const std::string& album,
                  const std::string& comment, char pad = '\0') {
  return "TAG" + Padded(title, 30, pad) + Padded(artist, 30, pad) + Padded(album, 30, pad) + "1999" +
         Padded(comment, 30, pad) + "\x0C";
}
std::string FakeAudio() { return std::string(300, '\xAA'); }
std::string Meta(int type, const std::string& text) {
  return "\0\xFF"s + static_cast<char>(type) + static_cast<char>(text.size()) + text;
}
std::string Track(const std::string& events) {
  std::string data = events + "\0\xFF\x2F\0"s;
  return "MTrk" + BigEndian(static_cast<std::uint32_t>(data.size()), 4) + data;
}
std::string Smf(const std::string& tracks, int trackCount = 1) {
  return "MThd\0\0\0\x06\0"s + static_cast<char>(trackCount > 1) + BigEndian(trackCount, 2) + "\x01\xE0" + tracks;
}
std::string Sjis(const char8_t* utf8) { return cp932::FromUtf8(utf8); }

// Remembers the largest read asked for, to prove that no forged size drives
// a read (and so the buffer it needs).
class ReadSizeRecorder : public FileSystem {
 public:
  explicit ReadSizeRecorder(FileSystem& inner) : inner_(inner) {}
  std::size_t largestRead = 0;

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    auto file = inner_.OpenForReading(path);
    return file ? std::make_unique<RecordingFile>(std::move(file), largestRead) : nullptr;
  }
  std::optional<std::string> ReadWholeFile(const std::string&) override { return std::nullopt; }
  bool WriteFileAtomically(const std::string&, std::string_view) override { return false; }
  bool CopyFileReplacing(const std::string&, const std::string&) override { return false; }
  PathKind KindOf(const std::string& path) override { return inner_.KindOf(path); }
  std::vector<FolderItem> ListFolder(const std::string&) override { return {}; }
  bool CanCreateFilesIn(const std::string&) override { return false; }

 private:
  class RecordingFile : public InputFile {
   public:
    RecordingFile(std::unique_ptr<InputFile> inner, std::size_t& largest) : inner_(std::move(inner)), largest_(largest) {}
    std::uint64_t Size() const override { return inner_->Size(); }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
      largest_ = std::max(largest_, count);
      return inner_->ReadAt(offset, buffer, count);
    }

   private:
    std::unique_ptr<InputFile> inner_;
    std::size_t& largest_;
  };
  FileSystem& inner_;
};

class MediaInfoReaderTest : public ::testing::Test {
 protected:
  // Reads a file made of `bytes` into `entry`, which starts out with
  // leftovers of an earlier reading that must all be replaced.
  bool ReadFile(const std::string& name, const std::string& bytes) {
    path = "C:\\music\\" + name;
    files.AddFile(path, bytes);
    return reader.Read(list, path, entry);
  }
  void SetUp() override {
    entry.title = "old title";
    entry.kind = "SMF";
    entry.producer = "old producer";
    entry.copyright = "old copyright";
    entry.source = "old source";
  }

  testing::FakeFileSystem files;
  MediaList list{"C:\\KORU\\"};
  FileMediaInfoReader reader{files};
  MediaEntry entry;
  std::string path;
};

TEST_F(MediaInfoReaderTest, UnknownFileGetsFileNameTitleAndClearedFields) {
  EXPECT_FALSE(ReadFile("song.wav", "RIFF\x24\0\0\0WAVEfmt "s + FakeAudio()));
  EXPECT_EQ(entry.title, "[song.wav]");
  EXPECT_EQ(entry.kind, "");
  EXPECT_EQ(entry.producer + entry.copyright + entry.source, "");

  list.titleWithoutExtension = true;
  EXPECT_FALSE(reader.Read(list, "C:\\music\\missing.mid", entry));
  EXPECT_EQ(entry.title, "missing");

  // Too short for any of the structures it begins like.
  EXPECT_FALSE(ReadFile("short.mp3", "ID3\x03\0\0\0\0"s));
  EXPECT_FALSE(ReadFile("short.mid", "MThd\0\0\0\x06\0\0\0\x01\x01\xE0MTrk\0\0"s));
  EXPECT_EQ(entry.kind, "");
}

TEST_F(MediaInfoReaderTest, UsersTitleIsKeptThroughEveryKindOfFile) {
  entry.savedTitle = "original";
  entry.title = "mine";
  ReadFile("a.mid", Smf(Track(Meta(3, "midi title"))));
  EXPECT_EQ(entry.title, "mine");
  EXPECT_EQ(entry.kind, "SMF");
  ReadFile("b.mp3", Tag(3, 0, Frame23("TIT2", Latin1("tag title"))) + FakeAudio() + Id3v1("v1 title", "", "", ""));
  EXPECT_EQ(entry.title, "mine");
  ReadFile("c.wav", FakeAudio());
  EXPECT_EQ(entry.title, "mine");

  // The version-2 title frame is passed over, so the tag is not complete
  // without version 1, and version 1 fills the fields.
  std::string full = Frame23("TIT2", Latin1("t")) + Frame23("TPE1", Latin1("v2 artist")) +
                     Frame23("TALB", Latin1("v2 album")) + Frame23("COMM", Comment("v2 comment"));
  EXPECT_FALSE(ReadFile("d.mp3", Tag(3, 0, full) + FakeAudio()));
  EXPECT_EQ(entry.kind, "");
  EXPECT_TRUE(ReadFile("e.mp3", Tag(3, 0, full) + FakeAudio() + Id3v1("", "v1 artist", "", "")));
  EXPECT_EQ(entry.producer, "v1 artist");
  EXPECT_EQ(entry.source, "v2 album");
}

TEST_F(MediaInfoReaderTest, MidiCreditsComeFromTheFirstTrackOnly) {
  std::string first = Meta(2, "(C) first") + Meta(1, "PROGRAMMER:early") + Meta(2, "(C) second") +
                      Meta(4, "SC-55") + Meta(4, "MT-32") + Meta(1, "PROGRAMMER:late\0junk"s) +
                      Meta(1, "programmer:lower") + Meta(1, "PROGRAMMER");
  EXPECT_TRUE(ReadFile("credits.mid", Smf(Track(first) + Track(Meta(3, "second track title")), 2)));
  EXPECT_EQ(entry.kind, "SMF");
  EXPECT_EQ(entry.title, "[credits.mid]");
  EXPECT_EQ(entry.copyright, "(C) first");
  EXPECT_EQ(entry.producer, "late");
  EXPECT_EQ(entry.source, "SC-55");

  EXPECT_TRUE(ReadFile("named.mid", Smf(Track(Meta(3, "Title\0rest"s) + Meta(3, "later")))));
  EXPECT_EQ(entry.title, "Title");
  EXPECT_EQ(entry.copyright + entry.producer + entry.source, "");
}

TEST_F(MediaInfoReaderTest, MidiTrackLengthIsCappedAtTheFile) {
  // The header promises 4 GiB of track; the file holds a few bytes, and a
  // meta event running past them is not taken.
  std::string data = Meta(3, "kept") + "\xFF\x02\x40short"s;
  std::string bytes = Smf("MTrk\xFF\xFF\xFF\xFF"s + data);
  ReadSizeRecorder recorder(files);
  FileMediaInfoReader capped(recorder);
  files.AddFile("C:\\forged.mid", bytes);
  EXPECT_TRUE(capped.Read(list, "C:\\forged.mid", entry));
  EXPECT_EQ(entry.title, "kept");
  EXPECT_EQ(entry.copyright, "");
  EXPECT_LE(recorder.largestRead, bytes.size());

  // A file that really is that large gives no more than a few megabytes of
  // track: the i686 build has 2 GB of address space for everything.
  std::string large = Smf("MTrk\xFF\xFF\xFF\xFF"s + Meta(3, "large"));
  large.resize(kSmfHeadSize + kSmfTrackReadLimit + 4096, '\0');
  files.AddFile("C:\\large.mid", large);
  recorder.largestRead = 0;
  EXPECT_TRUE(capped.Read(list, "C:\\large.mid", entry));
  EXPECT_EQ(entry.title, "large");
  EXPECT_LE(recorder.largestRead, kSmfTrackReadLimit);
}

TEST_F(MediaInfoReaderTest, CompleteVersion23TagIgnoresVersion1) {
  std::string body = Frame23("TIT2", Latin1("Title  ")) + Frame23("TPE1", Latin1("Artist")) +
                     Frame23("TALB", Latin1("Album")) + Frame23("COMM", Comment("Comment")) + std::string(20, '\0');
  EXPECT_TRUE(ReadFile("full.mp3", Tag(3, 0, body) + FakeAudio() + Id3v1("v1", "v1", "v1", "v1")));
  EXPECT_EQ(entry.title, "Title");
  EXPECT_EQ(entry.producer, "Artist");
  EXPECT_EQ(entry.source, "Album");
  EXPECT_EQ(entry.copyright, "Comment");
  EXPECT_EQ(entry.kind, "MP3");
}

TEST_F(MediaInfoReaderTest, Version1FillsWhatVersion2LeftOpenAndReplacesTheTitle) {
  std::string body = Frame23("TIT2", Latin1("v2 title")) + Frame23("TPE1", Latin1("v2 artist"));
  EXPECT_TRUE(ReadFile("half.mp3", Tag(3, 0, body) + FakeAudio() +
                                       Id3v1("v1 title", "v1 artist", "v1 album", "v1 comment")));
  EXPECT_EQ(entry.title, "v1 title");
  EXPECT_EQ(entry.producer, "v2 artist");
  EXPECT_EQ(entry.source, "v1 album");
  EXPECT_EQ(entry.copyright, "v1 comment");

  // Without version 1 the entry is an MP3 but not a complete one.
  EXPECT_FALSE(ReadFile("half2.mp3", Tag(3, 0, body) + FakeAudio()));
  EXPECT_EQ(entry.kind, "MP3");
  EXPECT_EQ(entry.title, "v2 title");
}

TEST_F(MediaInfoReaderTest, Version1FieldsAreTrimmedAndChecked) {
  EXPECT_TRUE(ReadFile("v1.mp3", FakeAudio() + Id3v1("Padded", "Artist\0rest"s, "\x01" "control", "   ", ' ')));
  EXPECT_EQ(entry.title, "Padded");
  EXPECT_EQ(entry.producer, "Artist");
  EXPECT_EQ(entry.source, "");
  EXPECT_EQ(entry.copyright, "");
  EXPECT_EQ(entry.kind, "MP3");

  std::string sjisTitle = Sjis(u8"夜想曲");
  EXPECT_TRUE(ReadFile("v1b.mp3", Id3v1(sjisTitle + "\x09\x20", "", "", "")));
  EXPECT_EQ(entry.title, sjisTitle);
}

TEST_F(MediaInfoReaderTest, Version22WalkEndsAtAnUnknownFrame) {
  std::string body = Frame22("TT2", Latin1("Old Song")) + Frame22("TAL", Latin1("Album")) +
                     Frame22("PIC", "\0JPG\x03\0"s + std::string(40, '\x11')) + Frame22("TP1", Latin1("Artist"));
  EXPECT_FALSE(ReadFile("v22.mp3", Tag(2, 0, body) + FakeAudio()));
  EXPECT_EQ(entry.title, "Old Song");
  EXPECT_EQ(entry.source, "Album");
  EXPECT_EQ(entry.producer, "");
  EXPECT_EQ(entry.kind, "MP3");

  std::string complete = Frame22("TT2", Latin1("T")) + Frame22("TYE", Latin1("1999")) + Frame22("TP1", Latin1("A")) +
                         Frame22("TAL", Latin1("B")) + Frame22("COM", Comment("C"));
  EXPECT_TRUE(ReadFile("v22b.mp3", Tag(2, 0, complete)));
  EXPECT_EQ(entry.producer + entry.source + entry.copyright, "ABC");
}

TEST_F(MediaInfoReaderTest, TextIsDecodedByItsEncodingByte) {
  std::u16string_view nocturne = u"夜想曲 ";
  std::string expected = Sjis(u8"夜想曲");
  struct Case {
    const char* what;
    std::string content;
  };
  const Case cases[] = {
      {"code page 932 bytes", Latin1(expected + "\0tail"s)},
      {"UTF-16 little-endian with mark", "\x01\xFF\xFE"s + Utf16Le(nocturne) + "\0\0tail"s},
      {"UTF-16 big-endian with mark", "\x01\xFE\xFF"s + Utf16Be(nocturne) + "\0\0"s},
      {"UTF-16 without mark", "\x01"s + Utf16Le(nocturne)},
      {"UTF-16BE", "\x02"s + Utf16Be(nocturne) + "\0\0"s},
      {"UTF-8", "\x03"s + reinterpret_cast<const char*>(u8"夜想曲 ") + "\0tail"s},
      {"UTF-8 with mark", "\x03\xEF\xBB\xBF"s + reinterpret_cast<const char*>(u8"夜想曲")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReadFile("enc.mp3", Tag(3, 0, Frame23("TIT2", c.content)));
    EXPECT_EQ(entry.title, expected);
  }

  // A zero byte inside a UTF-16 character does not end the text, and the
  // comment's description ends with a zero character.
  std::string comment = "\x01jpn\xFF\xFE"s + Utf16Le(u"desc") + "\0\0\xFF\xFE"s + Utf16Le(u"Note");
  ReadFile("comm.mp3", Tag(3, 0, Frame23("TIT2", "\x01\xFF\xFE"s + Utf16Le(u"AB")) + Frame23("COMM", comment)));
  EXPECT_EQ(entry.title, "AB");
  EXPECT_EQ(entry.copyright, "Note");

  // The checks apply to the converted text: a control character first, or
  // nothing but blanks, leaves the field alone.
  ReadFile("ctl.mp3", Tag(3, 0, Frame23("TIT2", "\x01\xFF\xFE"s + Utf16Le(u"\tX")) +
                                      Frame23("TPE1", "\x02"s + Utf16Be(u"   "))));
  EXPECT_EQ(entry.title, "[ctl.mp3]");
  EXPECT_EQ(entry.producer, "");

  // Malformed UTF-8 and characters outside code page 932 become "?".
  ReadFile("bad.mp3", Tag(3, 0, Frame23("TIT2", "\x03" "a\xC0\xAF" "b\xE2\x82"s) +
                                      Frame23("TPE1", "\x01\xFF\xFE"s + Utf16Le(u"x\xAC00y"))));
  EXPECT_EQ(entry.title, "a?b?");
  EXPECT_EQ(entry.producer, "x?y");
}

TEST_F(MediaInfoReaderTest, Version24FrameSizesAreSyncSafe) {
  std::string longTitle(200, 'x');
  std::string body = Frame24("TIT2", Latin1(longTitle)) + Frame24("TPE1", Latin1("Artist")) +
                     Frame24("TALB", Latin1("Album")) + Frame24("COMM", Comment("Comment"));
  EXPECT_TRUE(ReadFile("v24.mp3", Tag(4, 0, body)));
  EXPECT_EQ(entry.title, longTitle);
  EXPECT_EQ(entry.producer + entry.source + entry.copyright, "ArtistAlbumComment");
}

TEST_F(MediaInfoReaderTest, Version24FallsBackToPlainSizesOnlyWhenTheyFit) {
  // Written by a tagger that stored 2.3-style sizes: 201 is 00 00 00 C9,
  // whose sync-safe reading (73) ends inside the title.
  std::string longTitle(200, 'x');
  std::string body = Frame23("TIT2", Latin1(longTitle)) + Frame23("TPE1", Latin1("Artist")) +
                     Frame23("TALB", Latin1("Album")) + Frame23("COMM", Comment("Comment"));
  EXPECT_TRUE(ReadFile("plain.mp3", Tag(4, 0, body)));
  EXPECT_EQ(entry.title, longTitle);
  EXPECT_EQ(entry.producer + entry.source + entry.copyright, "ArtistAlbumComment");

  // Here the sync-safe size ends on the next frame and is kept, though the
  // plain reading (0x100) would also have ended on the body's end.
  std::string title(128 - 1, 't');
  std::string next = Frame24("TPE1", Latin1("Artist"));
  std::string filler = Frame24("TXXX", std::string(0x100 - 128 - next.size() - 10, 'f'));
  ReadFile("sync.mp3", Tag(4, 0, Frame24("TIT2", Latin1(title)) + next + filler));
  EXPECT_EQ(entry.title, title);
  EXPECT_EQ(entry.producer, "Artist");
}

TEST_F(MediaInfoReaderTest, UnsynchronisedTagsAreRestored) {
  // The frame sizes count the restored bytes, so without the restoration the
  // walk would miss the artist.
  std::string picture = "\0image/jpeg\0\x03\0\xFF\xD8\xFF\xE0"s;
  std::string stuffed = "\0image/jpeg\0\x03\0\xFF\xD8\xFF\0\xE0"s;
  std::string frames23 = Frame23("APIC", picture) + Frame23("TIT2", Latin1("T")) + Frame23("TPE1", Latin1("Artist"));
  std::string body23 = frames23;
  body23.replace(10, picture.size(), stuffed);
  ReadFile("u23.mp3", Tag(3, 0x80, body23));
  EXPECT_EQ(entry.producer, "Artist");

  // In 2.4 each frame is restored on its own and its size is the stored
  // one; a data-length indicator in front of the text is stepped over. The
  // title is U+FF21 in UTF-16LE: 01 FF FE 21 FF 00 00 before stuffing.
  std::string stuffedTitle = "\x01\xFF\0\xFE\x21\xFF\0\0\0"s;
  std::string dataLength = SyncSafe(7);
  for (bool wholeTag : {false, true}) {
    SCOPED_TRACE(wholeTag ? "tag flag" : "frame flag");
    std::uint8_t format = wholeTag ? 0x01 : 0x03;
    std::string frames = Frame24("TIT2", dataLength + stuffedTitle, format) + Frame24("TPE1", Latin1("Artist"));
    ReadFile("u24.mp3", Tag(4, wholeTag ? 0x80 : 0, frames));
    EXPECT_EQ(entry.title, Sjis(u8"Ａ"));
    EXPECT_EQ(entry.producer, "Artist");
  }
}

TEST_F(MediaInfoReaderTest, ExtendedHeaderIsSkipped) {
  std::string frames = Frame23("TIT2", Latin1("T")) + Frame23("TPE1", Latin1("Artist"));
  ReadFile("x23.mp3", Tag(3, 0x40, "\0\0\0\x06\0\0\0\0\0\0"s + frames));
  EXPECT_EQ(entry.producer, "Artist");
  ReadFile("x24.mp3", Tag(4, 0x40, "\0\0\0\x06\x01\0"s + frames));
  EXPECT_EQ(entry.producer, "Artist");
  // A forged extended-header size leaves no frames, and nothing breaks.
  ReadFile("x24f.mp3", Tag(4, 0x40, "\x7F\x7F\x7F\x7F\x01\0"s + frames));
  EXPECT_EQ(entry.producer, "");
  EXPECT_EQ(entry.kind, "");
}

TEST_F(MediaInfoReaderTest, ForgedAndTruncatedSizesAreCappedAtTheFile) {
  std::string frames = Frame23("TIT2", Latin1("Kept")) + Frame23("TPE1", Latin1("Artist"));
  std::string file = "ID3\x03\0\0\x7F\x7F\x7F\x7F"s + frames;  // claims 256 MiB of tag
  file.resize(200, '\0');
  ReadSizeRecorder recorder(files);
  FileMediaInfoReader capped(recorder);
  files.AddFile("C:\\forged.mp3", file);
  capped.Read(list, "C:\\forged.mp3", entry);
  EXPECT_EQ(entry.title, "Kept");
  EXPECT_EQ(entry.producer, "Artist");
  EXPECT_LE(recorder.largestRead, file.size());

  // A frame larger than what is left ends the walk; what came before stays.
  std::string cut = Frame23("TIT2", Latin1("Before")) + "TPE1\x7F\0\0\0\0\0"s + Latin1("After");
  ReadFile("cut.mp3", Tag(3, 0, cut));
  EXPECT_EQ(entry.title, "Before");
  EXPECT_EQ(entry.producer, "");

  // A version the reader does not know is left to version 1.
  ReadFile("v25.mp3", "ID3\x05\0\0\0\0\0\x20"s + Frame23("TIT2", Latin1("v2.5")) + Id3v1("One", "", "", ""));
  EXPECT_EQ(entry.title, "One");
}

TEST_F(MediaInfoReaderTest, CompressedAndEncryptedFramesAreSteppedOver) {
  std::string body23 = "TIT2\0\0\0\x0A\0\x80"s + "\0\0\0\x20zzzzzz"s + Frame23("TPE1", Latin1("Artist")) +
                       "TALB\0\0\0\x05\0\x40"s + "\x01gibb";
  ReadFile("z23.mp3", Tag(3, 0, body23));
  EXPECT_EQ(entry.title, "[z23.mp3]");
  EXPECT_EQ(entry.producer, "Artist");
  EXPECT_EQ(entry.source, "");

  std::string body24 = Frame24("TIT2", "\0\0\0\x20zzzzzz"s, 0x08 | 0x01) + Frame24("TALB", "\x01gibb", 0x04) +
                       Frame24("TPE1", Latin1("Artist"));
  ReadFile("z24.mp3", Tag(4, 0, body24));
  EXPECT_EQ(entry.title, "[z24.mp3]");
  EXPECT_EQ(entry.producer, "Artist");
  EXPECT_EQ(entry.source, "");
}

TEST_F(MediaInfoReaderTest, ReadOnlyFilesYieldTheirInformation) {
  files.FailWritesTo("C:\\music\\locked.mid");
  EXPECT_TRUE(ReadFile("locked.mid", Smf(Track(Meta(3, "Locked")))));
  EXPECT_EQ(entry.title, "Locked");
}

}  // namespace
}  // namespace koru

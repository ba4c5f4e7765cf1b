// Arbitrary bytes as a media file, read once as a MIDI file name and once as
// an MP3 file name: the reader must stay inside what the file holds whatever
// the sizes inside it claim.
#include <cstddef>
#include <cstdint>
#include <string>

#include "medialist/file_media_info_reader.h"
#include "medialist/media_list.h"
#include "support/fake_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Building a list allocates its whole capacity; one list serves every input.
  static const koru::MediaList list("C:\\KORU\\");
  koru::testing::FakeFileSystem files;
  koru::FileMediaInfoReader reader(files);
  std::string bytes(reinterpret_cast<const char*>(data), size);
  for (const char* path : {"C:\\music\\name.mid", "C:\\music\\name.mp3"}) {
    files.AddFile(path, bytes);
    koru::MediaEntry entry;
    reader.Read(list, path, entry);
    koru::MediaEntry kept;
    kept.savedTitle = "title";
    reader.Read(list, path, kept);
  }
  return 0;
}

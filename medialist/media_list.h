// The media list: a fixed-capacity array of entries, the current index and the
// list-level header fields stored in the list file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "medialist/media_entry.h"
#include "medialist/media_info_reader.h"

namespace koru {

class MediaList {
 public:
  static constexpr int kDefaultCapacity = 9999;
  static constexpr int kHeaderFieldCount = 6;

  // `programFolder` ends in a backslash; the list path defaults to
  // programFolder + "_default.mpl".
  explicit MediaList(std::string programFolder);

  void SetInfoReader(MediaInfoReader* reader) { infoReader_ = reader; }

  // An empty list of the same capacity, program folder, list path, reader
  // and flags. The list-file readers fill one, and the list takes it over
  // only once the whole file has been read: a file that fails half-way
  // leaves the list as it was. The copy is built on the slots the list gave
  // up at its last TakeOver, so reading a list again reuses their storage.
  MediaList EmptyCopy();
  // Takes over the entries, header fields, current index and list path of
  // `filled`, an EmptyCopy of this list.
  void TakeOver(MediaList&& filled);

  // count and current index 0, header fields back to their defaults.
  void ResetList();
  // Changes the capacity, kept within 0..kDefaultCapacity; entries at and
  // beyond the new capacity are lost. A current index beyond the shortened
  // list moves to its last entry.
  void SetCapacity(int capacity);

  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  bool IsFull() const { return count_ >= capacity_; }
  int CurrentIndex() const { return currentIndex_; }
  void SetCurrentIndex(int index) { currentIndex_ = index; }

  // The entry at the current index when it names an entry of the list, else
  // null (an empty list, or an index set beyond the list).
  MediaEntry* CurrentEntry();
  const MediaEntry* CurrentEntry() const;

  // A path changed through this reference is seen by the next AddEntry.
  MediaEntry& Entry(int index) {
    pathHashesKnown_ = false;
    return entries_[static_cast<std::size_t>(index)];
  }
  const MediaEntry& Entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }

  const std::string& ListPath() const { return listPath_; }
  void SetListPath(std::string path) { listPath_ = std::move(path); }
  const std::string& ProgramFolder() const { return programFolder_; }

  const std::string& HeaderField(int n) const { return header_[static_cast<std::size_t>(n)]; }
  void SetHeaderField(int n, std::string value) { header_[static_cast<std::size_t>(n)] = std::move(value); }

  int PlayedCount() const;

  // Adds a file (member empty) or an archive member. Returns false only when
  // the list is full. A duplicate is not added but becomes current.
  bool AddEntry(const std::string& path, const std::string& member);

  // Appends an entry as it stands, without duplicate check or information
  // reading (the list-file readers). False when the list is full.
  bool AppendRaw(const MediaEntry& entry);

  std::string TitleFromFileName(const std::string& fileName) const;

  // Shell sort by key 0 to 5; other keys leave the order unchanged.
  void SortList(int key);
  void DeleteEntry(int index);
  // DeleteEntry for each of the ascending `indices` from the top, each index
  // counted before any deletion, in one pass over the list.
  void DeleteEntries(const std::vector<int>& indices);
  void MoveEntryUp(int index);
  void MoveEntryDown(int index);

  enum class RateMode { Set, Step };
  void SetRate(int index, RateMode mode, int value);
  void ClearPlayed();

  // Copies of the settings [OPT] media and [OPT] title.
  bool readInfoOnAdd = true;
  bool titleWithoutExtension = false;
  // Set while the user drags the position slider.
  bool sliderHeld = false;

 private:
  // `slots` are used when they are capacity + 1, else new ones are made.
  MediaList(std::string programFolder, int capacity, std::vector<MediaEntry> slots);
  void Exchange(int a, int b);
  void RecordPathHashes();

  std::string programFolder_;
  std::string listPath_;
  int count_ = 0;
  int currentIndex_ = 0;
  int capacity_ = kDefaultCapacity;
  std::array<std::string, kHeaderFieldCount> header_;
  std::vector<MediaEntry> entries_;  // capacity_ + 1 slots; the last is the scratch slot
  // The slots given up at the last TakeOver, for the next EmptyCopy.
  std::vector<MediaEntry> spareEntries_;
  MediaInfoReader* infoReader_ = nullptr;
  // The HashNoCase of every entry's path, and perhaps of paths since deleted:
  // a path whose hash is not here is in no entry, so AddEntry need not compare
  // it with each of 9,999 entries. Not known after an entry was handed out
  // for change (its path may have changed), until AddEntry records it again.
  std::unordered_set<std::uint64_t> pathHashes_;
  bool pathHashesKnown_ = true;
};

}  // namespace koru

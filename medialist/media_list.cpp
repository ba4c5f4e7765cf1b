#include "medialist/media_list.h"

#include <algorithm>
#include <utility>

#include "platform/cp932.h"

namespace koru {
namespace {

// The list file keeps these header fields for its font and document settings;
// a fresh list writes these values.
std::array<std::string, MediaList::kHeaderFieldCount> DefaultHeader() {
  return {"", "", cp932::FromUtf8(u8"ＭＳ Ｐゴシック"), "9", "0", "1"};
}

std::size_t Slot(int index) { return static_cast<std::size_t>(index); }

}  // namespace

MediaList::MediaList(std::string programFolder) : MediaList(std::move(programFolder), kDefaultCapacity, {}) {}

MediaList::MediaList(std::string programFolder, int capacity, std::vector<MediaEntry> slots)
    : programFolder_(std::move(programFolder)),
      listPath_(programFolder_ + "_default.mpl"),
      capacity_(capacity),
      entries_(std::move(slots)) {
  if (entries_.size() != Slot(capacity) + 1) entries_ = std::vector<MediaEntry>(Slot(capacity) + 1);
  ResetList();
}

MediaList MediaList::EmptyCopy() {
  // Whatever the spare slots still hold is overwritten entry by entry as the
  // copy fills up, like the slots of a reset list.
  MediaList copy(programFolder_, capacity_, std::exchange(spareEntries_, {}));
  copy.listPath_ = listPath_;
  copy.infoReader_ = infoReader_;
  copy.readInfoOnAdd = readInfoOnAdd;
  copy.titleWithoutExtension = titleWithoutExtension;
  return copy;
}

void MediaList::TakeOver(MediaList&& filled) {
  // Both hold capacity + 1 slots; exchanging the arrays moves no entry, and
  // the old ones wait for the next read.
  entries_.swap(filled.entries_);
  spareEntries_ = std::move(filled.entries_);
  count_ = filled.count_;
  currentIndex_ = filled.currentIndex_;
  header_ = std::move(filled.header_);
  listPath_ = std::move(filled.listPath_);
  pathHashes_ = std::move(filled.pathHashes_);
  pathHashesKnown_ = filled.pathHashesKnown_;
}

void MediaList::ResetList() {
  count_ = 0;
  currentIndex_ = 0;
  header_ = DefaultHeader();
  pathHashes_.clear();
  pathHashesKnown_ = true;
}

void MediaList::SetCapacity(int capacity) {
  // The capacity comes from KORU.ini: keep it within what the list can be,
  // so a forged value cannot drive the allocation.
  capacity = std::clamp(capacity, 0, kDefaultCapacity);
  if (capacity == capacity_) return;
  std::vector<MediaEntry> resized(Slot(capacity) + 1);
  const int kept = std::min(capacity_, capacity);
  std::move(entries_.begin(), entries_.begin() + kept, resized.begin());
  entries_ = std::move(resized);
  spareEntries_ = {};
  capacity_ = capacity;
  count_ = std::min(count_, capacity_);
  // The current entry may have been dropped: the last entry kept takes its
  // place, so the index always names an entry when there is one.
  if (currentIndex_ >= count_) currentIndex_ = std::max(count_ - 1, 0);
}

MediaEntry* MediaList::CurrentEntry() {
  if (currentIndex_ < 0 || currentIndex_ >= count_) return nullptr;
  pathHashesKnown_ = false;
  return &entries_[Slot(currentIndex_)];
}

const MediaEntry* MediaList::CurrentEntry() const {
  if (currentIndex_ < 0 || currentIndex_ >= count_) return nullptr;
  return &entries_[Slot(currentIndex_)];
}

int MediaList::PlayedCount() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.begin() + count_,
                                        [](const MediaEntry& entry) { return entry.played == 1; }));
}

void MediaList::RecordPathHashes() {
  pathHashes_.clear();
  for (int i = 0; i < count_; ++i) pathHashes_.insert(cp932::HashNoCase(entries_[Slot(i)].path));
  pathHashesKnown_ = true;
}

bool MediaList::AddEntry(const std::string& path, const std::string& member) {
  if (IsFull()) return false;
  if (!pathHashesKnown_) RecordPathHashes();
  const std::uint64_t pathHash = cp932::HashNoCase(path);
  // Only a path whose hash is known can already be listed; the first entry
  // that matches is the one that becomes current.
  const int possibleDuplicates = pathHashes_.contains(pathHash) ? count_ : 0;
  for (int i = 0; i < possibleDuplicates; ++i) {
    const MediaEntry& entry = entries_[Slot(i)];
    // A plain path also matches an archive listed with any of its members.
    const bool duplicate =
        cp932::EqualsNoCase(entry.path, path) && (member.empty() || cp932::EqualsNoCase(entry.member, member));
    if (duplicate) {
      currentIndex_ = i;
      return true;
    }
  }
  MediaEntry& entry = entries_[Slot(count_)];
  entry = MediaEntry{};
  entry.path = path;
  entry.member = member;
  const std::string_view fileName = member.empty()
                                        ? cp932::FileNameOf(path)
                                        : std::string_view(member).substr(cp932::MemberNameStart(member));
  entry.title = TitleFromFileName(std::string(fileName));
  // Archive members are read when they are extracted for playing.
  if (readInfoOnAdd && member.empty() && infoReader_ != nullptr) infoReader_->Read(*this, path, entry);
  currentIndex_ = count_;
  ++count_;
  pathHashes_.insert(pathHash);
  return true;
}

bool MediaList::AppendRaw(const MediaEntry& entry) {
  if (IsFull()) return false;
  entries_[Slot(count_)] = entry;
  ++count_;
  pathHashes_.insert(cp932::HashNoCase(entry.path));
  return true;
}

std::string MediaList::TitleFromFileName(const std::string& fileName) const {
  if (titleWithoutExtension) return std::string(cp932::WithoutExtension(fileName));
  return "[" + fileName + "]";
}

void MediaList::Exchange(int a, int b) {
  // Through the spare slot at index capacity: moving texts never allocates.
  MediaEntry& scratch = entries_[Slot(capacity_)];
  scratch = std::move(entries_[Slot(a)]);
  entries_[Slot(a)] = std::move(entries_[Slot(b)]);
  entries_[Slot(b)] = std::move(scratch);
  if (currentIndex_ == a) {
    currentIndex_ = b;
  } else if (currentIndex_ == b) {
    currentIndex_ = a;
  }
}

void MediaList::DeleteEntry(int index) {
  if (index < 0 || index >= count_) return;
  std::move(entries_.begin() + index + 1, entries_.begin() + count_, entries_.begin() + index);
  --count_;
  if (currentIndex_ > index) --currentIndex_;
}

void MediaList::DeleteEntries(const std::vector<int>& indices) {
  int kept = 0;
  int deletedBeforeCurrent = 0;
  std::size_t next = 0;
  for (int i = 0; i < count_; ++i) {
    while (next < indices.size() && indices[next] < i) ++next;
    if (next < indices.size() && indices[next] == i) {
      if (i < currentIndex_) ++deletedBeforeCurrent;
      continue;
    }
    if (kept != i) entries_[Slot(kept)] = std::move(entries_[Slot(i)]);
    ++kept;
  }
  count_ = kept;
  currentIndex_ -= deletedBeforeCurrent;
}

void MediaList::MoveEntryUp(int index) {
  if (index < 1 || index >= count_) return;
  Exchange(index, index - 1);
}

void MediaList::MoveEntryDown(int index) {
  if (index < 0 || index + 1 >= count_) return;
  Exchange(index, index + 1);
}

void MediaList::SetRate(int index, RateMode mode, int value) {
  if (index < 0 || index >= count_) return;
  MediaEntry& entry = entries_[Slot(index)];
  long long rate = value;
  if (mode == RateMode::Step) rate += entry.RateValue();
  entry.rate = std::to_string(std::clamp(rate, 0LL, 3LL));
}

void MediaList::ClearPlayed() {
  for (int i = 0; i < count_; ++i) entries_[Slot(i)].played = 0;
}

}  // namespace koru

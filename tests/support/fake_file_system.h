// An in-memory file system for the native tests. Paths are compared
// case-insensitively, as Windows does.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/cp932.h"
#include "platform/file_system.h"

namespace koru::testing {

class FakeFileSystem : public FileSystem {
 public:
  void AddFile(const std::string& path, std::string bytes) { files_[Key(path)] = {path, std::move(bytes)}; }
  void AddFolder(const std::string& path) { folders_[Key(path)] = path; }
  void AddHidden(const std::string& path) { hidden_.insert(Key(path)); }
  void AddLink(const std::string& path) { links_.insert(Key(path)); }
  // The folder at `path` is the folder at `original` reached another way (a
  // link the system does not report as one): both have one identity.
  void AddFolderAgain(const std::string& path, const std::string& original) {
    AddFolder(path);
    sameFolder_[Key(path)] = Key(original);
  }
  void RemoveFile(const std::string& path) { files_.erase(Key(path)); }
  // Makes every write to this path fail (a locked or read-only file).
  void FailWritesTo(const std::string& path) { failingWrites_.insert(Key(path)); }
  // Makes every read of this path fail while it still exists (a file another
  // program holds open without sharing).
  void FailReadsOf(const std::string& path) { failingReads_.insert(Key(path)); }
  void AllowReadsOf(const std::string& path) { failingReads_.erase(Key(path)); }
  // A folder this user may only read: nothing can be created or replaced in it.
  void MakeReadOnlyFolder(const std::string& folder) { readOnlyFolders_.insert(FolderKey(folder)); }

  bool Has(const std::string& path) const { return files_.count(Key(path)) != 0; }
  const std::string& Contents(const std::string& path) const { return files_.at(Key(path)).bytes; }
  int writes = 0;
  int opens = 0;

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    ++opens;
    auto it = files_.find(Key(path));
    if (it == files_.end() || failingReads_.count(Key(path))) return nullptr;
    return std::make_unique<MemoryFile>(it->second.bytes);
  }
  std::optional<std::string> ReadWholeFile(const std::string& path) override {
    auto it = files_.find(Key(path));
    if (it == files_.end() || failingReads_.count(Key(path))) return std::nullopt;
    return it->second.bytes;
  }
  bool WriteFileAtomically(const std::string& path, std::string_view bytes) override {
    if (failingWrites_.count(Key(path)) || InReadOnlyFolder(path)) return false;
    ++writes;
    files_[Key(path)] = {path, std::string(bytes)};
    return true;
  }
  bool CopyFileReplacing(const std::string& from, const std::string& to) override {
    auto it = files_.find(Key(from));
    if (it == files_.end() || failingWrites_.count(Key(to)) || InReadOnlyFolder(to)) return false;
    files_[Key(to)] = {to, it->second.bytes};
    return true;
  }
  PathKind KindOf(const std::string& path) override {
    if (files_.count(Key(path))) return PathKind::File;
    if (folders_.count(Key(path))) return PathKind::Folder;
    return PathKind::Missing;
  }
  std::optional<FolderIdentity> IdentityOf(const std::string& path) override {
    if (!folders_.count(Key(path))) return std::nullopt;
    auto same = sameFolder_.find(Key(path));
    return FolderIdentity{0, std::hash<std::string>{}(same == sameFolder_.end() ? Key(path) : same->second)};
  }

  bool CanCreateFilesIn(const std::string& folder) override {
    return readOnlyFolders_.count(FolderKey(folder)) == 0;
  }
  // Lists direct children of a folder, in the order they were added.
  std::vector<FolderItem> ListFolder(const std::string& folder) override {
    std::string prefix = Key(folder);
    if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
    std::vector<std::pair<int, FolderItem>> found;
    auto consider = [&](const std::string& key, const std::string& original, int order, bool isFolder) {
      if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) return;
      if (key.find('\\', prefix.size()) != std::string::npos) return;
      FolderItem item;
      item.name = original.substr(prefix.size());
      item.isFolder = isFolder;
      item.isHidden = hidden_.count(key) != 0;
      item.isLink = links_.count(key) != 0;
      found.push_back({order, item});
    };
    for (auto& [key, file] : files_) consider(key, file.path, file.order, false);
    for (auto& [key, path] : folders_) consider(key, path, 0, true);
    std::stable_sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<FolderItem> items;
    for (auto& f : found) items.push_back(f.second);
    return items;
  }

 private:
  struct StoredFile {
    std::string path;
    std::string bytes;
    int order = NextOrder();
  };
  static int NextOrder() {
    static int order = 0;
    return ++order;
  }
  class MemoryFile : public InputFile {
   public:
    explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
      if (count == 0 || offset >= bytes_.size()) return 0;
      std::size_t n = std::min<std::size_t>(count, bytes_.size() - static_cast<std::size_t>(offset));
      std::memcpy(buffer, bytes_.data() + offset, n);
      return n;
    }

   private:
    std::string bytes_;
  };
  static std::string Key(const std::string& path) { return cp932::ToUpper(path); }
  static std::string FolderKey(const std::string& folder) {
    std::string key = Key(folder);
    if (key.empty() || key.back() != '\\') key += '\\';
    return key;
  }
  bool InReadOnlyFolder(const std::string& path) const {
    const std::string key = Key(path);
    const std::size_t separator = key.find_last_of('\\');
    return separator != std::string::npos && readOnlyFolders_.count(key.substr(0, separator + 1)) != 0;
  }

  std::map<std::string, StoredFile> files_;
  std::map<std::string, std::string> folders_;
  std::map<std::string, std::string> sameFolder_;
  std::set<std::string> hidden_, links_, failingWrites_, failingReads_, readOnlyFolders_;
};

}  // namespace koru::testing

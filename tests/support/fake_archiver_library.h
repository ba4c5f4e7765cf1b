// Archiver libraries in memory, for the portable binding: a loader that
// hands out modules whose exports are functions of this file, each module
// with its own behaviour and a log of what it was called with.
#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive_manager.h"
#include "archive/archiver_api.h"
#include "archive/module_loader.h"

namespace koru::testing {

using ArchiverN::ArchiverWindow;

struct FakeArchiverLibrary {
  std::string prefix;                 // the exports are prefix + suffix
  std::set<std::string> missing;      // export suffixes it lacks ("" is the main function)
  int mainResult = 0;
  std::string output = "ok";
  bool floodOutput = false;           // fills the whole output buffer, no zero
  std::vector<std::string> members;   // what a listing finds
  bool floodName = false;             // fills the record's name field, no zero
  bool endless = false;               // FindNext never says "no more"
  bool accepts = false;               // CheckArchive's answer
  int configResult = 1;
  std::string configText = "-settings";
  bool floodConfig = false;           // fills 520 bytes of the settings buffer
  std::function<void()> duringMain;   // what runs inside the main function
  std::vector<std::string> calls;     // "<export> <arguments>"
  std::vector<std::string> lines;     // the command lines the main function got

  std::size_t next = 0;
};

class FakeArchiverPlatform;

namespace fake_archiver {

inline constexpr int kSlots = 4;
// The library each slot's exports act for.
inline FakeArchiverLibrary* g_slots[kSlots] = {};

inline std::string WindowText(ArchiverWindow window) {
  return std::to_string(reinterpret_cast<std::uintptr_t>(window));
}

inline void FillRecord(FakeArchiverLibrary& lib, void* record) {
  std::memset(record, 0, ArchiverN::kMemberInfoSize);
  char* name = static_cast<char*>(record) + ArchiverN::kMemberNameOffset;
  if (lib.floodName) {
    std::memset(name, 'N', ArchiverN::kMemberInfoSize - ArchiverN::kMemberNameOffset);
  } else {
    const std::string& member = lib.members[lib.next % lib.members.size()];
    std::memcpy(name, member.data(), std::min(member.size(), ArchiverN::kMemberNameSize - 1));
  }
  ++lib.next;
}

template <int S>
struct Exports {
  static FakeArchiverLibrary& Lib() { return *g_slots[S]; }
  static int KORU_ARCHIVER_CALL Main(ArchiverWindow window, const char* line, char* output, unsigned long size) {
    Lib().calls.push_back(Lib().prefix + " " + WindowText(window) + " " + line + " " + std::to_string(size));
    Lib().lines.push_back(line);
    if (Lib().duringMain) Lib().duringMain();
    if (Lib().floodOutput) {
      std::memset(output, 'X', size);
    } else {
      std::memcpy(output, Lib().output.c_str(), Lib().output.size() + 1);
    }
    return Lib().mainResult;
  }
  static unsigned short KORU_ARCHIVER_CALL GetVersion() { return 245; }
  static int KORU_ARCHIVER_CALL GetRunning() { return 1; }
  static int KORU_ARCHIVER_CALL CheckArchive(const char* path, int mode) {
    Lib().calls.push_back("CheckArchive " + std::string(path) + " " + std::to_string(mode));
    return Lib().accepts;
  }
  static int KORU_ARCHIVER_CALL GetFileCount(const char*) { return static_cast<int>(Lib().members.size()); }
  static ArchiverN::ArchiveHandle KORU_ARCHIVER_CALL OpenArchive(ArchiverWindow window, const char* path,
                                                                 unsigned long mode) {
    Lib().calls.push_back("OpenArchive " + WindowText(window) + " " + path + " " + std::to_string(mode));
    return &Lib();
  }
  static int KORU_ARCHIVER_CALL CloseArchive(ArchiverN::ArchiveHandle) {
    Lib().calls.push_back("CloseArchive");
    return 0;
  }
  static int KORU_ARCHIVER_CALL FindFirst(ArchiverN::ArchiveHandle, const char* wildcard, void* record) {
    Lib().calls.push_back("FindFirst " + std::string(wildcard));
    Lib().next = 0;
    if (Lib().members.empty()) return -1;
    FillRecord(Lib(), record);
    return 0;
  }
  static int KORU_ARCHIVER_CALL FindNext(ArchiverN::ArchiveHandle, void* record) {
    if (!Lib().endless && Lib().next >= Lib().members.size()) return -1;
    FillRecord(Lib(), record);
    return 0;
  }
  static int KORU_ARCHIVER_CALL ConfigDialog(ArchiverWindow, char* text, int mode) {
    Lib().calls.push_back("ConfigDialog " + std::string(text) + " " + std::to_string(mode));
    if (Lib().floodConfig) {
      std::memset(text, 'C', ArchiverN::TCustomArchiver::kConfigBufferSize);
    } else {
      std::strcpy(text, Lib().configText.c_str());
    }
    return Lib().configResult;
  }
  static int KORU_ARCHIVER_CALL SetOwnerWindowEx(ArchiverWindow window, ArchiverN::api::ArchiverProc callback) {
    Lib().calls.push_back("SetOwnerWindowEx " + WindowText(window) + (callback ? " callback" : " null"));
    return 1;
  }
  static int KORU_ARCHIVER_CALL SetCursorMode(int mode) {
    Lib().calls.push_back("SetCursorMode " + std::to_string(mode));
    return 1;
  }

  static void* Lookup(const std::string& suffix) {
    static const std::map<std::string, void*> table = {
        {"", reinterpret_cast<void*>(&Main)},
        {"GetVersion", reinterpret_cast<void*>(&GetVersion)},
        {"GetRunning", reinterpret_cast<void*>(&GetRunning)},
        {"CheckArchive", reinterpret_cast<void*>(&CheckArchive)},
        {"GetFileCount", reinterpret_cast<void*>(&GetFileCount)},
        {"OpenArchive", reinterpret_cast<void*>(&OpenArchive)},
        {"CloseArchive", reinterpret_cast<void*>(&CloseArchive)},
        {"FindFirst", reinterpret_cast<void*>(&FindFirst)},
        {"FindNext", reinterpret_cast<void*>(&FindNext)},
        {"ConfigDialog", reinterpret_cast<void*>(&ConfigDialog)},
        {"SetOwnerWindowEx", reinterpret_cast<void*>(&SetOwnerWindowEx)},
        {"SetCursorMode", reinterpret_cast<void*>(&SetCursorMode)},
    };
    auto it = table.find(suffix);
    return it == table.end() ? nullptr : it->second;
  }
};

inline void* LookupInSlot(int slot, const std::string& suffix) {
  switch (slot) {
    case 0: return Exports<0>::Lookup(suffix);
    case 1: return Exports<1>::Lookup(suffix);
    case 2: return Exports<2>::Lookup(suffix);
    default: return Exports<3>::Lookup(suffix);
  }
}

}  // namespace fake_archiver

// Libraries by file name (as KORU asks for them); `log` says what was
// loaded, looked up and freed. Relative paths are completed against C:\work.
class FakeArchiverPlatform : public ArchiverN::ArchiverPlatform {
 public:
  std::map<std::string, FakeArchiverLibrary> libraries;
  std::vector<std::string> log;

  std::unique_ptr<LoadedModule> LoadModule(const std::string& fileName) override {
    log.push_back("load " + fileName);
    auto it = libraries.find(fileName);
    if (it == libraries.end()) return nullptr;
    int slot = 0;
    while (fake_archiver::g_slots[slot]) {
      if (++slot == fake_archiver::kSlots) return nullptr;
    }
    fake_archiver::g_slots[slot] = &it->second;
    return std::make_unique<Module>(*this, fileName, slot);
  }
  std::optional<std::string> FullPath(const std::string& path) override {
    if (path.rfind("C:\\", 0) == 0 || path.rfind("\\\\", 0) == 0) return path;
    return "C:\\work\\" + path;
  }

 private:
  class Module : public LoadedModule {
   public:
    Module(FakeArchiverPlatform& owner, std::string fileName, int slot)
        : owner_(owner), fileName_(std::move(fileName)), slot_(slot) {}
    ~Module() override {
      owner_.log.push_back("free " + fileName_);
      fake_archiver::g_slots[slot_] = nullptr;
    }
    void* Lookup(const char* name) override {
      FakeArchiverLibrary& lib = *fake_archiver::g_slots[slot_];
      owner_.log.push_back("lookup " + std::string(name));
      const std::string full = name;
      if (full.compare(0, lib.prefix.size(), lib.prefix) != 0) return nullptr;
      const std::string suffix = full.substr(lib.prefix.size());
      if (lib.missing.count(suffix)) return nullptr;
      return fake_archiver::LookupInSlot(slot_, suffix);
    }

   private:
    FakeArchiverPlatform& owner_;
    std::string fileName_;
    int slot_;
  };
};

}  // namespace koru::testing

// The archive extraction manager (TArchiver) as the rest of the player sees
// it: one archive at a time, listed member by member or extracted into an
// output folder. The manager with its per-format adapters implements it; a
// player without archiver libraries uses NullArchiver.
#pragma once

#include <optional>
#include <string>

namespace koru {

class Archiver {
 public:
  virtual ~Archiver() = default;

  // Chooses the adapter for the archive's kind and makes it the archive that
  // listing and extraction work on.
  virtual void SetArchive(const std::string& archivePath) = 0;
  // The folder extraction writes into.
  virtual void SetOutputFolder(const std::string& folder) = 0;

  // Listing is a look-ahead pair: FirstMember starts it; then every true
  // answer of NextMember makes the next member current, the first one
  // included, and MemberInfo reads it. NextMember is the authority on
  // whether a member is there: after a FirstMember that found nothing it
  // answers false. FirstMember's own answer only says whether a first member
  // was found.
  virtual bool FirstMember(const std::string& pattern) = 0;
  virtual bool NextMember() = 0;
  // The current member's name as the archive stores it (it may carry folder
  // names); nothing without an adapter. Untrusted: the archive chose it.
  virtual std::optional<std::string> MemberInfo() = 0;

  // Extracts the members a file list names (one or more patterns in double
  // quotes). 0 on success, the library's result otherwise, -1 without an
  // adapter or library.
  virtual int Extract(const std::string& fileList) = 0;

  // True while a library call is under way. A library may dispatch window
  // messages while it works; whatever runs from them must not start another
  // archive operation, and the archiver itself refuses one.
  virtual bool Working() const = 0;
};

}  // namespace koru

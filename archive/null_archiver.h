// An archiver with no adapter: every archive lists nothing and extraction
// fails, as when no archiver library is installed.
#pragma once

#include "archive/archiver.h"

namespace koru {

class NullArchiver : public Archiver {
 public:
  void SetArchive(const std::string&) override {}
  void SetOutputFolder(const std::string&) override {}
  bool FirstMember(const std::string&) override { return false; }
  bool NextMember() override { return false; }
  std::optional<std::string> MemberInfo() override { return std::nullopt; }
  int Extract(const std::string&) override { return -1; }
  bool Working() const override { return false; }
};

}  // namespace koru

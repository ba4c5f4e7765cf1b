// A ZIP file read whole: its members (stored or deflated) and its comment.
// The doubles understand this one format whatever the library they stand
// for, so every test archive is a ZIP under another extension.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace koru::doubles {

struct ZipMember {
  std::string name;  // as stored, separators included
  std::uint16_t method = 0;
  std::uint16_t dosTime = 0;
  std::uint16_t dosDate = 0;
  std::uint32_t crc = 0;
  std::uint32_t compressedSize = 0;
  std::uint32_t size = 0;
  std::uint32_t dataOffset = 0;
  bool IsFolder() const { return !name.empty() && (name.back() == '/' || name.back() == '\\'); }
};

class ZipArchive {
 public:
  // Nothing when the bytes are not a ZIP file this reader understands.
  static std::optional<ZipArchive> Parse(std::string bytes);

  const std::vector<ZipMember>& Members() const { return members_; }
  const std::string& Comment() const { return comment_; }
  // The member's contents; nothing when they cannot be read.
  std::optional<std::string> Contents(const ZipMember& member) const;

 private:
  std::string bytes_;
  std::vector<ZipMember> members_;
  std::string comment_;
};

}  // namespace koru::doubles

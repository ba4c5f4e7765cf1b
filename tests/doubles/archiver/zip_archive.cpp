#include "zip_archive.h"

#include "inflate.h"

namespace koru::doubles {
namespace {

std::uint32_t Read16(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
std::uint32_t Read32(const std::string& b, std::size_t at) {
  return Read16(b, at) | Read16(b, at + 2) << 16;
}
bool Fits(const std::string& b, std::size_t at, std::size_t length) {
  return at <= b.size() && length <= b.size() - at;
}

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;

}  // namespace

std::optional<ZipArchive> ZipArchive::Parse(std::string bytes) {
  ZipArchive zip;
  zip.bytes_ = std::move(bytes);
  const std::string& b = zip.bytes_;
  if (b.size() < kEndRecordSize) return std::nullopt;
  // The end record is the last one whose comment reaches the end of the file.
  std::size_t end = std::string::npos;
  for (std::size_t at = b.size() - kEndRecordSize + 1; at-- > 0 && b.size() - at <= kEndRecordSize + 0xFFFF;) {
    if (Read32(b, at) == 0x06054B50 && at + kEndRecordSize + Read16(b, at + 20) == b.size()) {
      end = at;
      break;
    }
  }
  if (end == std::string::npos) return std::nullopt;
  zip.comment_ = b.substr(end + kEndRecordSize, Read16(b, end + 20));
  const std::uint32_t count = Read16(b, end + 10);
  std::size_t at = Read32(b, end + 16);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (!Fits(b, at, kCentralHeaderSize) || Read32(b, at) != 0x02014B50) return std::nullopt;
    ZipMember member;
    member.method = static_cast<std::uint16_t>(Read16(b, at + 10));
    member.dosTime = static_cast<std::uint16_t>(Read16(b, at + 12));
    member.dosDate = static_cast<std::uint16_t>(Read16(b, at + 14));
    member.crc = Read32(b, at + 16);
    member.compressedSize = Read32(b, at + 20);
    member.size = Read32(b, at + 24);
    const std::size_t nameLength = Read16(b, at + 28);
    const std::size_t variable = nameLength + Read16(b, at + 30) + Read16(b, at + 32);
    const std::size_t local = Read32(b, at + 42);
    if (!Fits(b, at + kCentralHeaderSize, variable)) return std::nullopt;
    member.name = b.substr(at + kCentralHeaderSize, nameLength);
    if (!Fits(b, local, kLocalHeaderSize) || Read32(b, local) != 0x04034B50) return std::nullopt;
    const std::size_t data = local + kLocalHeaderSize + Read16(b, local + 26) + Read16(b, local + 28);
    if (!Fits(b, data, member.compressedSize)) return std::nullopt;
    member.dataOffset = static_cast<std::uint32_t>(data);
    zip.members_.push_back(std::move(member));
    at += kCentralHeaderSize + variable;
  }
  return zip;
}

std::optional<std::string> ZipArchive::Contents(const ZipMember& member) const {
  const std::string_view packed(bytes_.data() + member.dataOffset, member.compressedSize);
  if (member.method == 0) {
    if (member.size != member.compressedSize) return std::nullopt;
    return std::string(packed);
  }
  if (member.method == 8) return InflateRaw(packed, member.size);
  return std::nullopt;
}

}  // namespace koru::doubles

// CompareVersion and GetFileVersion: the fixed file-version record of a
// file's version resource.
#include <windows.h>

#include <vector>

#include "lumetrix/arguments.h"
#include "lumetrix/lumetrix.h"

namespace lumetrix {
namespace {

constexpr DWORD kFixedVersionSignature = 0xFEEF04BD;

struct FileVersion {
  DWORD high = 0;  // major << 16 | minor
  DWORD low = 0;   // release << 16 | build
};

// Only a record of full size with the right signature is believed.
std::optional<FileVersion> ReadFileVersion(const char* path) {
  const std::optional<std::wstring> wide = PathArgument(path);
  if (!wide) return std::nullopt;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(wide->c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(wide->c_str(), 0, size, block.data())) return std::nullopt;
  void* record = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", &record, &length) || record == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(record);
  if (fixed->dwSignature != kFixedVersionSignature) return std::nullopt;
  return FileVersion{fixed->dwFileVersionMS, fixed->dwFileVersionLS};
}

int CompareUnsigned(DWORD a, DWORD b) { return a < b ? -1 : (a > b ? 1 : 0); }

void Store(WORD* out, DWORD value) {
  if (out) *out = static_cast<WORD>(value);
}

}  // namespace
}  // namespace lumetrix

extern "C" int WINAPI CompareVersion(const char* first, const char* second, int* comparison) {
  return lumetrix::Guarded([&] {
    const auto a = lumetrix::ReadFileVersion(first);
    const auto b = lumetrix::ReadFileVersion(second);
    if (!a || !b) return 0;
    if (comparison) {
      const int high = lumetrix::CompareUnsigned(a->high, b->high);
      *comparison = high != 0 ? high : lumetrix::CompareUnsigned(a->low, b->low);
    }
    return 1;
  });
}

extern "C" int WINAPI GetFileVersion(const char* path, WORD* major, WORD* minor, WORD* release, WORD* build) {
  return lumetrix::Guarded([&] {
    const auto version = lumetrix::ReadFileVersion(path);
    if (!version) return 0;
    lumetrix::Store(major, version->high >> 16);
    lumetrix::Store(minor, version->high & 0xFFFF);
    lumetrix::Store(release, version->low >> 16);
    lumetrix::Store(build, version->low & 0xFFFF);
    return 1;
  });
}

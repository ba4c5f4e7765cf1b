#include "archive/archive_kind.h"

#include <string>

#include "archive/archive_adapters.h"
#include "archive/zip_adapter.h"
#include "platform/cp932.h"

namespace koru::ArchiverN {
namespace {

struct ExtensionKind {
  std::string_view extension;
  int kind;
};

constexpr ExtensionKind kExtensions[] = {
    {".lzh", 1}, {".lhz", 1}, {".lzs", 1}, {".zip", 2},  {".jar", 2}, {".cab", 3},  {".tar", 4},
    {".tgz", 4}, {".taz", 4}, {".gz", 4},  {".bz2", 4},  {".z", 4},   {".cpio", 4}, {".rpm", 4},
    {".deb", 4}, {".rar", 5}, {".arj", 6}, {".gza", 7},  {".bza", 7}, {".gca", 8},  {".yz1", 9},
    {".7z", 10}, {".exe", kProbedKind},
};

// Only single-byte letters change: a trail byte is part of its character.
std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (std::size_t i = 0; i < lower.size(); i += cp932::CharLength(lower, i)) {
    if (cp932::CharLength(lower, i) == 1 && lower[i] >= 'A' && lower[i] <= 'Z') lower[i] = static_cast<char>(lower[i] + 32);
  }
  return lower;
}

}  // namespace

int KindOfExtension(std::string_view path) {
  const std::string extension = AsciiLower(cp932::ExtensionOf(path));
  for (const ExtensionKind& entry : kExtensions) {
    if (entry.extension == extension) return entry.kind;
  }
  return 0;
}

std::unique_ptr<TCustomArchiver> CreateAdapter(int kind, ModuleLoader& loader, ArchiverWindow messageWindow) {
  switch (kind) {
    case 1: return std::make_unique<TLha>(loader, messageWindow);
    case 2: return std::make_unique<TZip>(loader, messageWindow);
    case 3: return std::make_unique<TCab>(loader, messageWindow);
    case 4: return std::make_unique<TTar>(loader, messageWindow);
    case 5: return std::make_unique<TRar>(loader, messageWindow);
    case 6: return std::make_unique<TArj>(loader, messageWindow);
    case 7: return std::make_unique<TBga>(loader, messageWindow);
    case 8: return std::make_unique<TGca>(loader, messageWindow);
    case 9: return std::make_unique<TYz1>(loader, messageWindow);
    case 10: return std::make_unique<T7Zip>(loader, messageWindow);
    default: return nullptr;
  }
}

}  // namespace koru::ArchiverN

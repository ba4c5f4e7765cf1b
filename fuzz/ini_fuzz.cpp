// Arbitrary bytes as KORU.ini: parsing, every query and every rewrite must
// stay inside the text, and what the document says must not change when it
// is written out and read back, nor after a key is set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_document.h"

namespace {

// Names that occur in KORU.ini, other spellings of them, and names with
// double-byte characters whose trail bytes are "[", "\\" and "]".
const std::vector<std::string>& FixedSectionNames() {
  static const std::vector<std::string> names = {"", "FORM", "form", "EXT", "\x83\x5B", "\x95\x5C", "\x83\x5D", "a"};
  return names;
}
const std::vector<std::string>& FixedKeyNames() {
  static const std::vector<std::string> names = {"", "left", "0", "type", "\x82\x60", "\x95\x5C", "\x83\x5D", "a"};
  return names;
}

// Section-like and key-like texts of the input itself, so that queries also
// hit names the fuzzer made up.
void AddNamesFromInput(std::string_view bytes, std::vector<std::string>& sections, std::vector<std::string>& keys) {
  constexpr std::size_t kMaxNamesFromInput = 8;
  std::size_t pos = 0;
  while (pos < bytes.size() && (sections.size() < kMaxNamesFromInput || keys.size() < kMaxNamesFromInput)) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    std::size_t open = line.find('[');
    std::size_t close = line.rfind(']');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open &&
        sections.size() < kMaxNamesFromInput) {
      sections.emplace_back(line.substr(open + 1, close - open - 1));
    }
    std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && keys.size() < kMaxNamesFromInput) keys.emplace_back(line.substr(0, equals));
  }
}

struct Snapshot {
  std::vector<std::optional<std::string>> values;
  std::vector<int> integers;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Query(const koru::IniDocument& ini, const std::vector<std::string>& sections,
               const std::vector<std::string>& keys) {
  Snapshot snapshot;
  for (const std::string& section : sections) {
    for (const std::string& key : keys) {
      snapshot.values.push_back(ini.Get(section, key));
      snapshot.integers.push_back(ini.GetInt(section, key, -12345));
    }
  }
  return snapshot;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

// What reading back a value that was set gives: a line break ends it, and
// the profile functions never see past a NUL.
std::string AsStored(std::string_view value) {
  return std::string(value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3))));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> sections;
  std::vector<std::string> keys;
  AddNamesFromInput(bytes, sections, keys);
  sections.insert(sections.end(), FixedSectionNames().begin(), FixedSectionNames().end());
  keys.insert(keys.end(), FixedKeyNames().begin(), FixedKeyNames().end());

  koru::IniDocument ini = koru::IniDocument::Parse(bytes);
  Snapshot before = Query(ini, sections, keys);
  std::string serialized = ini.Serialize();
  koru::IniDocument reread = koru::IniDocument::Parse(serialized);
  Check(Query(reread, sections, keys) == before);
  Check(reread.Serialize() == serialized);

  // Set KORU's own names to values taken from the input, remove one, and
  // check that the rewritten text says the same as the document.
  const std::vector<std::string>& sectionNames = FixedSectionNames();
  const std::vector<std::string>& keyNames = FixedKeyNames();
  std::size_t cursor = 0;
  for (std::size_t i = 0; i < keyNames.size() && cursor <= bytes.size(); ++i) {
    std::size_t length = (size > 0 ? data[i % size] : 0) % 16;
    std::string_view value = bytes.substr(cursor, length);
    cursor += length;
    const std::string& section = sectionNames[(i * 3) % sectionNames.size()];
    const std::string& key = keyNames[i];
    ini.Set(section, key, value);
    Check(ini.Get(section, key) == AsStored(value));
  }
  ini.SetInt("LIST", "count", static_cast<int>(size) - 100);
  Check(ini.GetInt("list", "COUNT", 0) == static_cast<int>(size) - 100);
  ini.Remove(sectionNames[size % sectionNames.size()], keyNames[(size / 3) % keyNames.size()]);
  Snapshot changed = Query(ini, sections, keys);
  Check(Query(koru::IniDocument::Parse(ini.Serialize()), sections, keys) == changed);
  return 0;
}

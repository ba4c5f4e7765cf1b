// An ini file held in memory, read and written with the semantics of the
// Windows profile functions (GetPrivateProfileString, WritePrivateProfileString)
// so that a KORU.ini written by either is read the same by both.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace koru {

class IniDocument {
 public:
  IniDocument() = default;
  // Parses the bytes of an ini file (code page 932). Never fails: lines the
  // profile functions would not understand are kept as they are.
  static IniDocument Parse(std::string_view bytes);
  // A cheap look that spares a full parse: false only when no line of the
  // bytes can be a section header.
  static bool MayHoldSections(std::string_view bytes);

  // The value of a key: sections and keys compared case-insensitively, the
  // value trimmed and stripped of one pair of enclosing quotes. Nothing when
  // the section or key is missing.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // GetPrivateProfileInt: leading decimal digits (optional sign; the "0x",
  // "0o" and "0b" prefixes as Windows reads them); the fallback when the key
  // is missing or holds no number.
  int GetInt(std::string_view section, std::string_view key, int fallback) const;
  // Every key line of a section that has a value, in file order, name and
  // value as Get reads them (of a repeated key, Get reads the first).
  std::vector<std::pair<std::string, std::string>> KeysWithValues(std::string_view section) const;

  // Sets a key, adding the section and the key when missing; the line of an
  // existing key is replaced in place. A value the readers would trim or
  // unquote is written in double quotes, so it reads back unchanged; a value
  // ends at its first line break. Section and key names are plain names: no
  // "=", "]" or line break, not starting with ";" or "[".
  void Set(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);
  // Removes a key (no effect when missing).
  void Remove(std::string_view section, std::string_view key);

  // The file's bytes, CR LF line ends; every section, key and comment the
  // document did not change is kept.
  std::string Serialize() const;

 private:
  struct Line {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::string text;  // the raw line without its line end
    // Section: the name between the brackets. Key: the name before "=".
    std::string name;
    // Key only: the text after "=", trimmed but still quoted; nothing for a
    // line without "=" (the profile functions then read the default).
    std::optional<std::string> value;
  };
  // Lines [begin, end) of a section; begin is the first line after its header.
  struct SectionRange {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool found = false;
  };

  static Line ClassifyLine(std::string text);
  SectionRange FindSection(std::string_view name) const;
  // Index of the first key line of that name inside the range, or npos.
  std::size_t FindKey(const SectionRange& range, std::string_view key) const;

  std::vector<Line> lines_;
};

}  // namespace koru

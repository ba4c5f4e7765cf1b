#include "settings/ini_document.h"

#include <cstdint>
#include <utility>

#include "platform/cp932.h"

namespace koru {
namespace {

// The characters the profile functions trim around names and values (the
// last is the DOS end-of-file mark, found in old files copied from floppies).
// All lie below 0x40, so none of them can be the trail byte of a double-byte
// character and byte-wise trimming is safe.
bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsProfileSpace(text[begin])) ++begin;
  while (end > begin && IsProfileSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The profile functions work on NUL-terminated strings: whatever follows a
// NUL byte in a name or value is never seen.
std::string UpToNul(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view StripOnePairOfQuotes(std::string_view value) {
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The text written after "=" so that both this class and the profile
// functions read `value` back unchanged: a value the reader would trim or
// unquote is written in double quotes. Line breaks cannot be stored in a
// line-based file, so the value ends at the first one.
std::string EncodeValue(std::string_view value) {
  value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
  if (value.empty()) return {};
  bool wouldBeTrimmed = IsProfileSpace(value.front()) || IsProfileSpace(value.back());
  bool wouldBeUnquoted = value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
  if (wouldBeTrimmed || wouldBeUnquoted) return "\"" + std::string(value) + "\"";
  return std::string(value);
}

// GetPrivateProfileInt reads the value into a buffer of 30 characters, so
// only the first 29 take part in the number.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count && pos < text.size(); ++n) pos += cp932::CharLength(text, pos);
  return text.substr(0, pos);
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return -1;
}

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// RtlUnicodeStringToInteger with base 0, which GetPrivateProfileInt uses:
// control characters and blanks skipped, one sign, an optional lower-case
// base prefix, digits up to the first that does not fit, arithmetic modulo
// 2^32. Unlike Windows, a value without any digit gives the fallback rather
// than 0, so that a value of the wrong form reads as the default.
std::optional<int> ParseProfileInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= 0x20) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size() || !IsDecimalDigit(text[i])) return std::nullopt;
  int base = 10;
  if (text[i] == '0' && i + 1 < text.size()) {
    char prefix = text[i + 1];
    if (prefix == 'x') base = 16;
    if (prefix == 'o') base = 8;
    if (prefix == 'b') base = 2;
    if (base != 10) i += 2;
  }
  std::uint32_t total = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i]);
    if (digit < 0 || digit >= base) break;
    total = total * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
  }
  if (negative) total = 0u - total;
  return static_cast<int>(static_cast<std::int32_t>(total));
}

// Notepad may have saved the file as UTF-8; the mark would otherwise hide
// the first section header.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutByteOrderMark(std::string_view bytes) {
  if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) bytes.remove_prefix(kUtf8ByteOrderMark.size());
  return bytes;
}

}  // namespace

IniDocument::Line IniDocument::ClassifyLine(std::string text) {
  Line line;
  std::string_view content = Trim(text);
  if (content.empty() || content.front() == ';') {
    line.text = std::move(text);
    return line;
  }
  if (content.front() == '[') {
    // The header ends at the last "]" of the line; a byte 0x5D inside a
    // double-byte character is not a bracket.
    std::size_t close = std::string_view::npos;
    for (std::size_t pos = 1; pos < content.size(); pos += cp932::CharLength(content, pos)) {
      if (content[pos] == ']') close = pos;
    }
    // A "[" without "]" is neither a section nor a key: the profile
    // functions skip the line.
    if (close != std::string_view::npos) {
      line.kind = Line::Kind::Section;
      line.name = UpToNul(Trim(content.substr(1, close - 1)));
    }
    line.text = std::move(text);
    return line;
  }
  line.kind = Line::Kind::Key;
  std::size_t equals = content.find('=');
  line.name = UpToNul(Trim(content.substr(0, equals)));
  if (equals != std::string_view::npos) line.value = UpToNul(Trim(content.substr(equals + 1)));
  line.text = std::move(text);
  return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  bytes = WithoutByteOrderMark(bytes);
  IniDocument document;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    document.lines_.push_back(ClassifyLine(std::string(bytes.substr(pos, end - pos))));
    pos = end;
    // CR LF, a lone CR and a lone LF each end one line.
    if (pos < bytes.size() && bytes[pos] == '\r') {
      ++pos;
      if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    } else if (pos < bytes.size()) {
      ++pos;
    }
  }
  return document;
}

bool IniDocument::MayHoldSections(std::string_view bytes) {
  bytes = WithoutByteOrderMark(bytes);
  // A header is a line whose first character after the trimmed blanks is "[".
  for (std::size_t pos = bytes.find('['); pos != std::string_view::npos; pos = bytes.find('[', pos + 1)) {
    std::size_t before = pos;
    while (before > 0 && IsProfileSpace(bytes[before - 1])) --before;
    if (before == 0 || bytes[before - 1] == '\r' || bytes[before - 1] == '\n') return true;
  }
  return false;
}

IniDocument::SectionRange IniDocument::FindSection(std::string_view name) const {
  SectionRange range;
  std::size_t i = 0;
  if (name.empty()) {
    // Keys above the first header belong to the section without a name.
    range.found = true;
  } else {
    for (; i < lines_.size(); ++i) {
      if (lines_[i].kind == Line::Kind::Section && cp932::EqualsNoCase(lines_[i].name, name)) break;
    }
    if (i == lines_.size()) return range;
    range.found = true;
    ++i;
  }
  range.begin = i;
  while (i < lines_.size() && lines_[i].kind != Line::Kind::Section) ++i;
  range.end = i;
  return range;
}

std::size_t IniDocument::FindKey(const SectionRange& range, std::string_view key) const {
  for (std::size_t i = range.begin; i < range.end; ++i) {
    if (lines_[i].kind == Line::Kind::Key && cp932::EqualsNoCase(lines_[i].name, key)) return i;
  }
  return std::string::npos;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  // Only the first section of a name is searched, as Windows does when a
  // file repeats a section.
  SectionRange range = FindSection(Trim(section));
  if (!range.found) return std::nullopt;
  std::size_t index = FindKey(range, Trim(key));
  if (index == std::string::npos || !lines_[index].value) return std::nullopt;
  return std::string(StripOnePairOfQuotes(*lines_[index].value));
}

std::vector<std::pair<std::string, std::string>> IniDocument::KeysWithValues(std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> keys;
  const SectionRange range = FindSection(Trim(section));
  if (!range.found) return keys;
  for (std::size_t i = range.begin; i < range.end; ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Kind::Key && line.value) {
      keys.emplace_back(line.name, std::string(StripOnePairOfQuotes(*line.value)));
    }
  }
  return keys;
}

std::string IniDocument::GetString(std::string_view section, std::string_view key, std::string_view fallback) const {
  std::optional<std::string> value = Get(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int fallback) const {
  std::optional<std::string> value = Get(section, key);
  if (!value) return fallback;
  return ParseProfileInteger(FirstCharacters(*value, 29)).value_or(fallback);
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  std::string encoded = EncodeValue(value);
  SectionRange range = FindSection(section);
  if (!range.found) {
    lines_.push_back(ClassifyLine("[" + std::string(section) + "]"));
    lines_.push_back(ClassifyLine(std::string(key) + "=" + encoded));
    return;
  }
  std::size_t index = FindKey(range, key);
  if (index != std::string::npos) {
    // The name keeps the spelling the file gave it.
    lines_[index] = ClassifyLine(lines_[index].name + "=" + encoded);
    return;
  }
  // A new key goes after the section's last key, so that comments and blank
  // lines that lead into the next section stay where they are.
  std::size_t insertAt = range.begin;
  for (std::size_t i = range.begin; i < range.end; ++i) {
    if (lines_[i].kind == Line::Kind::Key) insertAt = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), ClassifyLine(std::string(key) + "=" + encoded));
}

void IniDocument::SetInt(std::string_view section, std::string_view key, int value) {
  Set(section, key, std::to_string(value));
}

void IniDocument::Remove(std::string_view section, std::string_view key) {
  SectionRange range = FindSection(Trim(section));
  if (!range.found) return;
  std::size_t index = FindKey(range, Trim(key));
  if (index != std::string::npos) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string IniDocument::Serialize() const {
  std::string bytes;
  // Parse drops one mark at the start of the file; a first line that still
  // begins with one needs another in front to read back the same.
  if (!lines_.empty() && lines_.front().text.starts_with(kUtf8ByteOrderMark)) bytes += kUtf8ByteOrderMark;
  for (const Line& line : lines_) {
    bytes += line.text;
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace koru

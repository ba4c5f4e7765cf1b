#include "settings/file_type_table.h"

#include <array>
#include <utility>

#include "platform/cp932.h"

namespace koru {
namespace {

using namespace file_category;

constexpr std::array<BuiltInFileType, 49> kBuiltInFileTypes = {{
    {"MPL", kOwnList, true, false},   {"M3U", kPlainPlayList, true, false},
    {"KBM", kKbMidiPlayList, false, false},
    {"LZH", kLzh, false, false},      {"ZIP", kZip, false, false},
    {"RAR", kRar, false, false},      {"GCA", kGca, false, false},
    {"TXT", kDocument, false, false}, {"DOC", kDocument, false, false},
    {"HED", kDocument, false, false},
    {"ASF", kMedia, false, false},    {"ASX", kMedia, false, true},
    {"WM", kMedia, false, true},      {"WMX", kMedia, false, true},
    {"WMP", kMedia, false, true},     {"WMA", kMedia, true, true},
    {"WAX", kMedia, true, true},      {"WMV", kMedia, false, false},
    {"WVX", kMedia, false, true},     {"AVI", kMedia, false, false},
    {"WAV", kMedia, true, false},     {"MPEG", kMedia, false, false},
    {"MPG", kMedia, false, false},    {"MPE", kMedia, false, true},
    {"M1V", kMedia, false, true},     {"MP2", kMedia, true, false},
    {"MPV2", kMedia, false, true},    {"MP2V", kMedia, false, true},
    {"MPA", kMedia, true, true},      {"MP3", kMedia, true, false},
    {"IVF", kMedia, false, true},     {"AIF", kMedia, false, true},
    {"AIFC", kMedia, false, true},    {"AIFF", kMedia, false, true},
    {"AU", kMedia, false, true},      {"SND", kMedia, false, true},
    {"OGG", kOgg, false, false},      {"MID", kMedia, true, false},
    {"MIDI", kMedia, true, true},     {"RMI", kMedia, true, false},
    {"RCP", kRcpSequence, false, false},
    {"BMP", kNonMedia, false, false}, {"EXE", kNonMedia, false, false},
    {"GIF", kNonMedia, false, false}, {"HTM", kNonMedia, false, false},
    {"HTML", kNonMedia, false, false}, {"JPG", kNonMedia, false, false},
    {"PNG", kNonMedia, false, false}, {"WRD", kNonMedia, false, false},
}};

// The categories whose meaning the program itself defines; the user may
// change which extensions play as media, but not what a list or an archive is.
bool IsProgramDefinedCategory(char category) {
  return std::string_view("AFGKLRTUVZ").find(category) != std::string_view::npos;
}

bool ExistsOn(const BuiltInFileType& type, bool newerSystem) { return newerSystem || !type.newerSystemOnly; }

}  // namespace

std::span<const BuiltInFileType> BuiltInFileTypes() { return kBuiltInFileTypes; }

std::string TableExtensionOf(std::string_view fileName) {
  std::string_view extension = cp932::ExtensionOf(fileName);
  if (!extension.empty()) extension.remove_prefix(1);
  return cp932::ToUpper(extension);
}

char FileTypeTable::CategoryOf(std::string_view fileName) const {
  std::string extension = TableExtensionOf(fileName);
  for (const FileTypeRow& row : rows_) {
    if (row.extension == extension) return row.category;
  }
  return kUnknown;
}

bool FileTypeTable::SetCategory(std::string_view fileName, char category) {
  std::string extension = TableExtensionOf(fileName);
  for (FileTypeRow& row : rows_) {
    if (row.extension == extension) {
      row.category = category;
      return true;
    }
  }
  if (rows_.size() >= kRunTimeRowLimit) return false;
  rows_.push_back({category, std::move(extension)});
  Sort();
  return true;
}

std::string FileTypeTable::NthExtension(char category, std::size_t n) const {
  for (const FileTypeRow& row : rows_) {
    if (row.category != category) continue;
    if (n == 0) return row.extension;
    --n;
  }
  return {};
}

void FileTypeTable::Reset(bool newerSystem) {
  rows_.clear();
  for (const BuiltInFileType& type : kBuiltInFileTypes) {
    if (ExistsOn(type, newerSystem)) rows_.push_back({type.category, std::string(type.extension)});
  }
}

void FileTypeTable::Sort() {
  // An exchange sort rather than std::sort: rows a hand-edited KORU.ini
  // repeats must end in the same order as always, because CategoryOf answers
  // with the first of them. std::string compares bytes as unsigned.
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    for (std::size_t j = i + 1; j < rows_.size(); ++j) {
      if (rows_[i].extension > rows_[j].extension) std::swap(rows_[i], rows_[j]);
    }
  }
}

bool FileTypeTable::Append(FileTypeRow row) {
  if (rows_.size() >= kMaxRows) return false;
  rows_.push_back(std::move(row));
  return true;
}

void FileTypeTable::MergeBuiltIns(bool newerSystem) {
  for (const BuiltInFileType& type : kBuiltInFileTypes) {
    if (!IsProgramDefinedCategory(type.category) || !ExistsOn(type, newerSystem)) continue;
    FileTypeRow* existing = nullptr;
    for (FileTypeRow& row : rows_) {
      if (row.extension == type.extension) {
        existing = &row;
        break;
      }
    }
    if (existing) {
      existing->category = type.category;
    } else if (rows_.size() <= kRunTimeRowLimit) {
      rows_.push_back({type.category, std::string(type.extension)});
    }
  }
  Sort();
}

}  // namespace koru

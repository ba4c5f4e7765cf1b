// Which kind of file an extension names: the table that decides what adding a
// file does (load it as the list, import it, play it, open it as an archive,
// show it as a document, or nothing).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace koru {

// One-letter file categories as KORU.ini stores them.
namespace file_category {
inline constexpr char kOwnList = 'F';
inline constexpr char kPlainPlayList = 'U';
inline constexpr char kKbMidiPlayList = 'K';
inline constexpr char kMedia = '1';
inline constexpr char kRcpSequence = 'R';
inline constexpr char kOgg = 'V';
inline constexpr char kLzh = 'L';
inline constexpr char kZip = 'Z';
inline constexpr char kRar = 'A';
inline constexpr char kGca = 'G';
inline constexpr char kDocument = 'T';
inline constexpr char kNonMedia = '0';
// The answer for an extension the table does not hold; never stored.
inline constexpr char kUnknown = '?';

// Files of these categories become list entries of their own.
inline constexpr bool BecomesEntry(char category) {
  return category == kMedia || category == kRcpSequence || category == kOgg;
}
// Archives: their members become the entries.
inline constexpr bool IsArchive(char category) {
  return category == kRar || category == kGca || category == kLzh || category == kZip;
}
}  // namespace file_category

struct FileTypeRow {
  char category = file_category::kNonMedia;
  std::string extension;  // upper case, without the dot
};

struct BuiltInFileType {
  std::string_view extension;
  char category;
  bool associatedByDefault;  // considered by AssociateMainTypes
  bool newerSystemOnly;      // left out on a system of version 5.0 or lower
};

// The 49 rows of the default table, in their defining order.
std::span<const BuiltInFileType> BuiltInFileTypes();

class FileTypeTable {
 public:
  // Rows the table can hold; the merge of the built-in rows at load may fill it.
  static constexpr std::size_t kMaxRows = 255;
  // Rows added at run time (SetCategory) stop one short of that.
  static constexpr std::size_t kRunTimeRowLimit = 254;

  std::size_t Size() const { return rows_.size(); }
  const FileTypeRow& Row(std::size_t index) const { return rows_[index]; }
  std::span<const FileTypeRow> Rows() const { return rows_; }

  // The category of the file's extension, or file_category::kUnknown.
  char CategoryOf(std::string_view fileName) const;
  // Sets the category of the file's extension, adding a row (and sorting)
  // when the extension is new; false when the table is full.
  bool SetCategory(std::string_view fileName, char category);
  // The extension of the n-th row (from 0) of that category in table order;
  // empty when there are fewer.
  std::string NthExtension(char category, std::size_t n) const;

  // The built-in rows, without the newer-system rows on an older system.
  void Reset(bool newerSystem);
  // Ascending by extension, compared as unsigned bytes.
  void Sort();

  // Building the table from KORU.ini.
  void Clear() { rows_.clear(); }
  // Appends a row unless the table already holds kMaxRows; false then.
  bool Append(FileTypeRow row);
  // Gives the list, archive, converter and document rows of the built-in
  // table back their built-in letters (appending missing ones while there
  // is room), then sorts. Media and non-media rows stay as the user set them.
  void MergeBuiltIns(bool newerSystem);

 private:
  std::vector<FileTypeRow> rows_;
};

// The extension of a file name as the table holds it: upper case, no dot;
// empty when the name has none.
std::string TableExtensionOf(std::string_view fileName);

}  // namespace koru

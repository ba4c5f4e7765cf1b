// What tells the archiver libraries apart, as far as the doubles go: the
// prefix of their exports, whether a command word comes first, which
// commands extract, and whether the stored folders come out too.
#pragma once

#include <string_view>

#include "command_line.h"

namespace koru::doubles {

struct LibraryRules {
  std::wstring_view fileName;
  std::string_view prefix;
  unsigned short version;
  bool hasCommandWord;
  // True when the command extracts; `keepsFolders` then says whether the
  // member's stored folders are made below the output folder.
  bool (*extracts)(const ArchiverCommand&);
  bool (*keepsFolders)(const ArchiverCommand&);
};

// The rules of the library whose file name this double was loaded under
// (compared without case); a library unknown here extracts nothing.
const LibraryRules& RulesOf(std::wstring_view fileName);

}  // namespace koru::doubles

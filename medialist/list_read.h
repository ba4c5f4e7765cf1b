// How reading a list file into the media list ended, for the own format and
// the three imports alike.
#pragma once

#include <string>

#include "platform/cp932.h"

namespace koru {

enum class ListRead {
  kRead,        // the list now holds the file's entries
  kNotRead,     // not a list of this kind, or the file could not be read
  kDoesNotFit,  // a list of this kind, with more entries than the list can take
};

// What the user is told when the list cannot take what was handed to it.
inline std::string ListFullText() { return cp932::FromUtf8(u8"最大ﾘｽﾄ数を越えて登録する事はできません。"); }

}  // namespace koru

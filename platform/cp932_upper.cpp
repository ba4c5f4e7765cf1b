// Upper-casing of code page 932 text as Windows' CharUpperBuffW does it.
//
// The only characters of code page 932 that CharUpperBuffW changes are the
// lower-case letters of a few alphabets; each alphabet is one run of
// consecutive character positions, so a short table of runs covers them all.
// The table is proved against CharUpperBuffW, character by character, by the
// Windows test cp932_upper_test.
#include "platform/cp932.h"

#include <array>

#include "platform/cp932_upper_cursor.h"

namespace koru::cp932 {
namespace {

// Trail bytes run 0x40-0x7E and 0x80-0xFC: 188 positions per lead byte. The
// position number lets a run cross the hole at 0x7F (Cyrillic does).
constexpr unsigned kTrailPositions = 188;

constexpr bool IsTrailByte(unsigned trail) {
  return trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

constexpr unsigned PositionOf(unsigned code) {
  const unsigned lead = code >> 8;
  const unsigned trail = code & 0xFF;
  return lead * kTrailPositions + (trail - 0x40) - (trail > 0x7F ? 1 : 0);
}

constexpr unsigned CodeAt(unsigned position) {
  const unsigned lead = position / kTrailPositions;
  unsigned trail = position % kTrailPositions + 0x40;
  if (trail >= 0x7F) ++trail;
  return lead << 8 | trail;
}

struct CaseRun {
  unsigned firstLower;  // code of the first lower-case character
  unsigned lastLower;   // code of the last, inclusive
  unsigned firstUpper;  // code of the upper-case form of firstLower
};

constexpr std::array<CaseRun, 5> kCaseRuns{{
    {0x8281, 0x829A, 0x8260},  // fullwidth a-z
    {0x83BF, 0x83D6, 0x839F},  // Greek alpha-omega
    {0x8470, 0x8491, 0x8440},  // Cyrillic a-ya, yo included
    // Small Roman numerals i-x. Both rows map to the NEC row 13 capitals,
    // because that is the form WideCharToMultiByte gives for U+2160-2169.
    {0xEEEF, 0xEEF8, 0x8754},  // NEC-selected IBM extension row
    {0xFA40, 0xFA49, 0x8754},  // IBM extension row
}};

static_assert(CodeAt(PositionOf(0x847E) + 1) == 0x8480, "a run steps over trail byte 0x7F");

}  // namespace

unsigned UpperDoubleByte(unsigned code) {
  if (!IsTrailByte(code & 0xFF)) return code;
  for (const CaseRun& run : kCaseRuns) {
    if (code >= run.firstLower && code <= run.lastLower) {
      return CodeAt(PositionOf(run.firstUpper) + PositionOf(code) - PositionOf(run.firstLower));
    }
  }
  return code;
}

int UpperCursor::Next() {
  if (pendingTrail_ != kEnd) {
    const int trail = pendingTrail_;
    pendingTrail_ = kEnd;
    return trail;
  }
  if (pos_ >= text_.size()) return kEnd;
  const unsigned first = static_cast<unsigned char>(text_[pos_]);
  if (CharLength(text_, pos_) == 1) {
    ++pos_;
    return UpperSingleByte(static_cast<unsigned char>(first));
  }
  const unsigned second = static_cast<unsigned char>(text_[pos_ + 1]);
  pos_ += 2;
  const unsigned upper = UpperDoubleByte(first << 8 | second);
  pendingTrail_ = static_cast<int>(upper & 0xFF);
  return static_cast<int>(upper >> 8);
}

std::string ToUpper(std::string_view text) {
  std::string upper;
  upper.reserve(text.size());
  UpperCursor cursor(text);
  for (int byte = cursor.Next(); byte != UpperCursor::kEnd; byte = cursor.Next()) {
    upper.push_back(static_cast<char>(byte));
  }
  return upper;
}

}  // namespace koru::cp932

// One entry of the media list. All texts are code page 932.
#pragma once

#include <cstdint>
#include <string>

namespace koru {

struct MediaEntry {
  std::uint8_t played = 0;   // played since the flags were last cleared
  std::string path;          // a: the media file, or the archive that holds it
  std::string member;        // b: the member inside the archive; empty for a plain file
  std::string title;         // c
  std::string time = "0";    // d: length in milliseconds, decimal
  std::string kind;          // e: "SMF", "MP3" or empty
  std::string producer;      // f
  std::string copyright;     // g
  std::string source;        // h
  std::string savedTitle;    // i: the title before the user's first edit
  std::string rate;          // j: "", "0" .. "3"

  // The rate as a number: the text read as a decimal integer, 0 when empty or
  // not a number.
  int RateValue() const;
};

}  // namespace koru

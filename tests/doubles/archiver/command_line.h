// A command line split the way the archiver libraries split theirs: blanks
// separate arguments, double quotes group (and are dropped), and a backslash
// is an ordinary character, so "C:\T\" ends at its closing quote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace koru::doubles {

std::vector<std::string> SplitCommandLine(std::string_view line);

struct ArchiverCommand {
  std::string word;                   // the command word, empty when the library takes switches only
  std::vector<std::string> switches;  // every argument beginning with "-", quoted or not
  std::string archive;
  std::string outputFolder;           // with its trailing "\", empty when none was given
  std::vector<std::string> patterns;  // the file names asked for; none means every member

  bool Has(std::string_view switchText) const;
};

// `hasCommandWord`: the library's first argument is a command word ("e",
// "x") rather than a switch.
ArchiverCommand ParseArchiverCommand(std::string_view line, bool hasCommandWord);

// Wildcard match ("*", "?"), ASCII letters compared without case; "*.*"
// matches every name, dot or not.
bool MatchesPattern(std::string_view pattern, std::string_view name);

}  // namespace koru::doubles

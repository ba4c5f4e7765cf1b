#include "library_rules.h"

#include <cwctype>
#include <initializer_list>
#include <string>

namespace koru::doubles {
namespace {

bool WordIs(const ArchiverCommand& c, std::initializer_list<std::string_view> words) {
  for (std::string_view word : words) {
    if (c.word == word) return true;
  }
  return false;
}
bool HasAny(const ArchiverCommand& c, std::initializer_list<std::string_view> switches) {
  for (std::string_view s : switches) {
    if (c.Has(s)) return true;
  }
  return false;
}
bool Never(const ArchiverCommand&) { return false; }

// The switches as the libraries' own documents give them: UNLHA32's "e"
// keeps folders only with -x1, UNZIP32, CAB32 and BGA32 drop them with -j,
// TAR32 with --use-directory=0, UNRAR32 with -e, YZ1 with -x0; 7-ZIP32's and
// UNARJ32's "x" keeps them where "e" does not, and UNGCA32 keeps them with
// -xx1.
const LibraryRules kRules[] = {
    {L"unlha32.dll", "Unlha", 268, true, [](const ArchiverCommand& c) { return WordIs(c, {"e", "x"}); },
     [](const ArchiverCommand& c) { return c.word == "x" || c.Has("-x1"); }},
    {L"unzip32.dll", "UnZip", 612, false, [](const ArchiverCommand& c) { return HasAny(c, {"-x", "-u"}); },
     [](const ArchiverCommand& c) { return !c.Has("-j"); }},
    {L"cab32.dll", "Cab", 98, false, [](const ArchiverCommand& c) { return c.Has("-x"); },
     [](const ArchiverCommand& c) { return !c.Has("-j"); }},
    {L"tar32.dll", "Tar", 240, false, [](const ArchiverCommand& c) { return c.Has("-x"); },
     [](const ArchiverCommand& c) { return !c.Has("--use-directory=0"); }},
    {L"unrar32.dll", "Unrar", 16, false, [](const ArchiverCommand& c) { return HasAny(c, {"-x", "-e"}); },
     [](const ArchiverCommand& c) { return !c.Has("-e"); }},
    {L"unarj32j.dll", "Unarj", 103, true, [](const ArchiverCommand& c) { return WordIs(c, {"e", "x"}); },
     [](const ArchiverCommand& c) { return c.word == "x"; }},
    {L"bga32.dll", "Bga", 107, true, [](const ArchiverCommand& c) { return WordIs(c, {"e", "x"}); },
     [](const ArchiverCommand& c) { return !c.Has("-j"); }},
    {L"ungca32.dll", "UnGCA", 115, true, [](const ArchiverCommand& c) { return WordIs(c, {"e", "ex"}); },
     [](const ArchiverCommand& c) { return c.Has("-xx1"); }},
    {L"yz1.dll", "Yz1", 32, true, [](const ArchiverCommand& c) { return WordIs(c, {"x"}); },
     [](const ArchiverCommand& c) { return !c.Has("-x0"); }},
    {L"7-zip32.dll", "SevenZip", 920, true, [](const ArchiverCommand& c) { return WordIs(c, {"e", "x"}); },
     [](const ArchiverCommand& c) { return c.word == "x"; }},
    // zip32j.dll only adds to archives, which the doubles do not emulate.
    {L"zip32j.dll", "Zip", 301, false, Never, Never},
};

const LibraryRules kUnknown = {L"", "", 0, false, Never, Never};

bool SameNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

}  // namespace

const LibraryRules& RulesOf(std::wstring_view fileName) {
  for (const LibraryRules& rules : kRules) {
    if (SameNoCase(rules.fileName, fileName)) return rules;
  }
  return kUnknown;
}

}  // namespace koru::doubles

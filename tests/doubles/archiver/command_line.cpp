#include "command_line.h"

#include <cctype>

namespace koru::doubles {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

bool Match(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern.front() == '*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (Match(pattern.substr(1), name.substr(skip))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  const bool same = pattern.front() == '?' ||
                    std::tolower(static_cast<unsigned char>(pattern.front())) ==
                        std::tolower(static_cast<unsigned char>(name.front()));
  return same && Match(pattern.substr(1), name.substr(1));
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> arguments;
  std::string current;
  bool inQuotes = false;
  bool started = false;
  for (char c : line) {
    if (c == '"') {
      inQuotes = !inQuotes;
      started = true;
    } else if (IsBlank(c) && !inQuotes) {
      if (started) arguments.push_back(std::move(current));
      current.clear();
      started = false;
    } else {
      current += c;
      started = true;
    }
  }
  if (started) arguments.push_back(std::move(current));
  return arguments;
}

bool ArchiverCommand::Has(std::string_view switchText) const {
  for (const std::string& s : switches) {
    if (EqualNoCase(s, switchText)) return true;
  }
  return false;
}

ArchiverCommand ParseArchiverCommand(std::string_view line, bool hasCommandWord) {
  ArchiverCommand command;
  std::vector<std::string> arguments = SplitCommandLine(line);
  std::size_t i = 0;
  if (hasCommandWord && !arguments.empty() && arguments[0].rfind('-', 0) != 0) {
    command.word = arguments[0];
    for (char& c : command.word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    i = 1;
  }
  for (; i < arguments.size(); ++i) {
    std::string& argument = arguments[i];
    if (argument.rfind('-', 0) == 0) {
      command.switches.push_back(std::move(argument));
    } else if (command.archive.empty()) {
      command.archive = std::move(argument);
    } else if (command.outputFolder.empty() && command.patterns.empty() &&
               (argument.back() == '\\' || argument.back() == ':')) {
      command.outputFolder = std::move(argument);
    } else {
      command.patterns.push_back(std::move(argument));
    }
  }
  return command;
}

bool MatchesPattern(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*" || pattern == "*") return true;
  return Match(pattern, name);
}

}  // namespace koru::doubles

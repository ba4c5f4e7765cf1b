// What every test double of an outside library shares: the log of the calls
// it received and the misbehaviour a test asks of it. Both come from the
// environment, so a double needs no set-up call that the real library lacks:
//   KORU_DOUBLE_LOG         the file each call is appended to (none: no log)
//   KORU_DOUBLE_MISBEHAVE   comma-separated names of misbehaviours to show
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace koru::doubles {

// The double's own module and its file name ("unlha32.dll"): one source may
// build several doubles, and each learns from its file name which library it
// stands for.
HMODULE Module();
const std::wstring& ModuleFileName();

// Appends one line "<module file name>\t<function>\t<arguments>\n" to the
// log. The arguments are written byte for byte as the caller passed them.
void LogCall(std::string_view function, std::string_view arguments);

// True when `name` is one of the misbehaviours asked for.
bool Misbehaves(std::string_view name);

// Whole files named by code page 932 paths, as the libraries receive them.
std::optional<std::string> ReadCp932File(std::string_view path);
bool WriteCp932File(std::string_view path, std::string_view bytes);

}  // namespace koru::doubles

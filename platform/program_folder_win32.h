#pragma once
#include <string>

namespace koru {
// The full path of the running program, code page 932 (its 8.3 form when
// code page 932 cannot hold it); empty when neither can be had.
std::string ProgramPath();
// The folder of the running program with a trailing backslash, code page 932
// (its 8.3 form when code page 932 cannot hold it).
std::string ProgramFolder();
// The temporary folder extracted members and converted files go to: TEMP,
// else TMP, else the program's folder, then "KORUTEMP\".
std::string TemporaryFolderPath(const std::string& programFolder);
}  // namespace koru

// The exports' text arguments as UTF-16 for the W functions, and the rule
// that no exception leaves the library.
#pragma once

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "platform/wide_text_win32.h"

namespace lumetrix {

inline constexpr std::size_t kMaxPathBytes = 259;  // a path buffer of 260 with its zero byte

// Nothing for a null, empty or over-long text, or bytes that are not code
// page 932: such a path is refused, never cut short.
inline std::optional<std::wstring> TextArgument(const char* text, std::size_t maxBytes) {
  if (text == nullptr) return std::nullopt;
  const std::size_t length = strnlen(text, maxBytes + 1);
  if (length == 0 || length > maxBytes) return std::nullopt;
  return koru::WidenStrict(std::string_view(text, length));
}

inline std::optional<std::wstring> PathArgument(const char* path) { return TextArgument(path, kMaxPathBytes); }

// Runs an export's body; a C++ exception (out of memory) becomes result 0.
template <typename Body>
int Guarded(Body body) {
  try {
    return body();
  } catch (...) {
    return 0;
  }
}

}  // namespace lumetrix

// Code page 932 texts at the Windows call: every W function gets UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace koru {

inline std::wstring Widen(std::string_view text) {
  std::u16string wide = cp932::ToUtf16Lossy(text);
  return std::wstring(wide.begin(), wide.end());
}

// Nothing when the bytes are not valid code page 932.
inline std::optional<std::wstring> WidenStrict(std::string_view text) {
  std::optional<std::u16string> wide = cp932::ToUtf16(text);
  if (!wide) return std::nullopt;
  return std::wstring(wide->begin(), wide->end());
}

inline std::optional<std::string> Narrow(std::wstring_view text) {
  return cp932::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

inline std::string NarrowLossy(std::wstring_view text) {
  return cp932::FromUtf16Lossy(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

}  // namespace koru

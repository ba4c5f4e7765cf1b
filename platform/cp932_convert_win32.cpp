// Strict conversion between code page 932 and UTF-16 with the system's own
// tables, whatever the ANSI code page of the system is.
#include <windows.h>

#include <climits>

#include "platform/cp932.h"

namespace koru::cp932 {
namespace {

constexpr UINT kCodePage = 932;

}  // namespace

std::optional<std::u16string> ToUtf16(std::string_view text) {
  if (text.empty()) return std::u16string();
  if (text.size() > INT_MAX) return std::nullopt;
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (needed <= 0) return std::nullopt;
  std::u16string wide(static_cast<std::size_t>(needed), u'\0');
  const int written = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, text.data(), length,
                                          reinterpret_cast<wchar_t*>(wide.data()), needed);
  if (written != needed) return std::nullopt;
  return wide;
}

std::optional<std::string> FromUtf16(std::u16string_view text) {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX) return std::nullopt;
  const int length = static_cast<int>(text.size());
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  BOOL usedDefault = FALSE;
  const int needed =
      WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &usedDefault);
  if (needed <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  const int written = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), needed,
                                          nullptr, &usedDefault);
  if (written != needed || usedDefault) return std::nullopt;
  return bytes;
}

}  // namespace koru::cp932

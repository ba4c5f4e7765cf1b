#include "double_support.h"

#include <vector>

namespace koru::doubles {
namespace {

std::wstring Environment(const wchar_t* name) {
  std::vector<wchar_t> value(32768);
  const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  if (length == 0 || length >= value.size()) return {};
  return std::wstring(value.data(), length);
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring WideFromCp932(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

}  // namespace

HMODULE Module() {
  static const HMODULE module = [] {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Module), &self);
    return self;
  }();
  return module;
}

const std::wstring& ModuleFileName() {
  static const std::wstring name = [] {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(Module(), path, MAX_PATH);
    std::wstring full = path;
    const std::size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? full : full.substr(slash + 1);
  }();
  return name;
}

void LogCall(std::string_view function, std::string_view arguments) {
  const std::wstring path = Environment(L"KORU_DOUBLE_LOG");
  if (path.empty()) return;
  std::string line = Utf8(ModuleFileName());
  line += '\t';
  line += function;
  line += '\t';
  line += arguments;
  line += '\n';
  // Appending is one write at the end, so two doubles in one process (or in
  // two) never interleave inside a line.
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

bool Misbehaves(std::string_view name) {
  const std::wstring value = Environment(L"KORU_DOUBLE_MISBEHAVE");
  const std::wstring wanted(name.begin(), name.end());
  std::size_t start = 0;
  while (start <= value.size()) {
    std::size_t end = value.find(L',', start);
    if (end == std::wstring::npos) end = value.size();
    if (value.compare(start, end - start, wanted) == 0) return true;
    start = end + 1;
  }
  return false;
}

std::optional<std::string> ReadCp932File(std::string_view path) {
  HANDLE file = CreateFileW(WideFromCp932(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  std::vector<char> buffer(65536);
  DWORD read = 0;
  while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {
    bytes.append(buffer.data(), read);
  }
  CloseHandle(file);
  return bytes;
}

bool WriteCp932File(std::string_view path, std::string_view bytes) {
  HANDLE file = CreateFileW(WideFromCp932(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

}  // namespace koru::doubles

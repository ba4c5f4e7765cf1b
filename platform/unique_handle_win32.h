// Owning wrappers for Win32 handles.
#pragma once

#include <windows.h>

#include <utility>

namespace koru {

// A handle closed when its owner goes. Traits name the handle's "none"
// value and how it is closed.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, Traits::Invalid()));
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid() && handle_ != nullptr; }
  void Reset(Handle handle = Traits::Invalid()) {
    if (handle_ != Traits::Invalid() && handle_ != nullptr) Traits::Close(handle_);
    handle_ = handle;
  }
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

 private:
  Handle handle_ = Traits::Invalid();
};

struct KernelObjectTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { FindClose(handle); }
};
struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { FreeLibrary(handle); }
};

using UniqueHandleObject = UniqueHandle<KernelObjectTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;

// A mapped view of a file mapping.
class UniqueMappedView {
 public:
  UniqueMappedView() = default;
  explicit UniqueMappedView(void* view) : view_(view) {}
  UniqueMappedView(const UniqueMappedView&) = delete;
  UniqueMappedView& operator=(const UniqueMappedView&) = delete;
  UniqueMappedView(UniqueMappedView&& other) noexcept : view_(std::exchange(other.view_, nullptr)) {}
  UniqueMappedView& operator=(UniqueMappedView&& other) noexcept {
    if (this != &other) {
      Reset();
      view_ = std::exchange(other.view_, nullptr);
    }
    return *this;
  }
  ~UniqueMappedView() { Reset(); }
  void* Get() const { return view_; }
  void Reset() {
    if (view_) UnmapViewOfFile(view_);
    view_ = nullptr;
  }

 private:
  void* view_ = nullptr;
};

}  // namespace koru

// Owners of GDI objects.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace koru {

class UniqueGdiObject {
 public:
  UniqueGdiObject() = default;
  explicit UniqueGdiObject(HGDIOBJ object) : object_(object) {}
  UniqueGdiObject(const UniqueGdiObject&) = delete;
  UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
  UniqueGdiObject(UniqueGdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.object_, nullptr));
    return *this;
  }
  ~UniqueGdiObject() { Reset(); }
  void Reset(HGDIOBJ object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }
  HFONT Font() const { return static_cast<HFONT>(object_); }
  HBRUSH Brush() const { return static_cast<HBRUSH>(object_); }

 private:
  HGDIOBJ object_ = nullptr;
};

// A font of `pixels` character height.
inline UniqueGdiObject MakeFont(const std::wstring& face, int pixels, int weight = FW_NORMAL) {
  return UniqueGdiObject(CreateFontW(-pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

// Point sizes as the settings give them, at 96 DPI.
inline int PixelsOfPoints(int points) { return MulDiv(points, 96, 72); }

}  // namespace koru

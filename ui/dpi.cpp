#include "ui/dpi.h"

namespace koru {

int ScreenDpi() {
  WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

UniqueFont MakeFont(const std::wstring& face, int designPixels, int dpi, BYTE charset) {
  return UniqueFont(CreateFontW(-Scaled(designPixels, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                face.c_str()));
}

}  // namespace koru

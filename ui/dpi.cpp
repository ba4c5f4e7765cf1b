#include "ui/dpi.h"

namespace koru {

int ScreenDpi() {
  WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

UniqueFont MakeFont(const std::wstring& face, int designPixels, int dpi, BYTE charset) {
  // A longer name would not fit LOGFONT's face name: Windows refuses it.
  const std::wstring name = face.substr(0, LF_FACESIZE - 1);
  return UniqueFont(CreateFontW(-Scaled(designPixels, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                name.c_str()));
}

}  // namespace koru

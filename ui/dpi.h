// Design pixels on the screen: the DPI windows scale their design values by,
// and fonts sized in design pixels.
#pragma once

#include <windows.h>

#include <string>

#include "platform/unique_handle_win32.h"
#include "ui/layout/design_scale.h"

namespace koru {

// The screen's DPI (KORU is DPI-aware for the whole system), 96 when the
// screen cannot be asked.
int ScreenDpi();

// A font whose characters are `designPixels` high at 96 DPI, at `dpi`.
UniqueFont MakeFont(const std::wstring& face, int designPixels, int dpi, BYTE charset = DEFAULT_CHARSET);

// A point size as design pixels.
inline int DesignPixelsOfPoints(int points) { return MulDiv(points, kDesignDpi, 72); }

}  // namespace koru

// Layout macros shared by the resource scripts. Forms are designed in pixels
// at 96 DPI; a dialog template speaks dialog units of its font. The dialogs'
// template font, ＭＳ Ｐゴシック 9 pt, has dialog base units of 6 x 12 pixels at
// 96 DPI, so a design pixel is 4/6 of a horizontal and 8/12 of a vertical
// dialog unit (rounded to the nearest unit).
//
// A dialog whose font the user chooses cannot rely on its template's units:
// such a dialog places its controls again in pixels when it is created, and
// the template values below only keep the resource editor's picture right.
#pragma once

#define KORU_DLU_X(px) (((px) * 4 + 3) / 6)
#define KORU_DLU_Y(px) (((px) * 8 + 6) / 12)
// left, top, width, height in design pixels.
#define KORU_BOUNDS(left, top, width, height) KORU_DLU_X(left), KORU_DLU_Y(top), KORU_DLU_X(width), KORU_DLU_Y(height)

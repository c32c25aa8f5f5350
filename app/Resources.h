#pragma once

#include <QFont>
#include <QRect>

// The images compiled into the program (icon, tool bar, bitmaps). They live
// in a static library, so they are registered by hand before first use.
namespace Resources {

void Init();

// The font of the program's forms and dialogs: the Song face at 9 points,
// 12 pixels at 96 dpi with half-width Latin letters of 6 pixels. On Linux
// that is the Ming face AR PL UMing, Debian's stand-in for it.
QFont FormFont();

// Dialog units of the program's 9-point form font: 1.5 pixels each way.
constexpr int DialogUnits(int units)
{
    return units * 3 / 2;
}

// A control's place on a form, given in dialog units.
constexpr QRect UnitRect(int x, int y, int width, int height)
{
    return QRect(DialogUnits(x), DialogUnits(y), DialogUnits(width), DialogUnits(height));
}

} // namespace Resources

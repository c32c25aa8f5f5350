#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>

class QWidget;

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

// The pixel-art picture of the resource at `path` as an icon that stays
// sharp at every scale.
// An icon of pixel art; its black outlines in `ink`.
QIcon PixelArtIcon(const QString &path, const QColor &ink = Qt::black);
// The mark of a fiber's or a channel's verdict (see VerdictIconEngine).
QIcon VerdictIcon(bool passed);
// The mark of a fiber still being written.
QIcon BeingWrittenIcon();

// At a fractional scale a frame line that falls between device pixels is
// lost. This is the rectangle nearest to `rect` (a control's place in a
// parent that lies at `origin` in its window) whose four frame lines, the
// outermost pixels inside it, fall on whole device pixels at `ratio`; it
// only ever shrinks. At a whole ratio it is `rect`.
QRect OnDevicePixels(const QRect &rect, const QPoint &origin, qreal ratio);
// Sets the control's geometry to OnDevicePixels of `rect` in its window.
void PlaceOnDevicePixels(QWidget *control, const QRect &rect);

} // namespace Resources

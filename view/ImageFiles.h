#pragma once

#include "output/DistributionImage.h"

#include <QSize>
#include <QString>

class FileDialogs;
class QWidget;

// Save Image of the window's charts: the name asked for, and the chart
// written as every image of the program is (see DistributionImage): PNG,
// SVG or PDF as the name ends, PNG with ".png" added for any other name; an
// older file of the name replaced only once the new one is whole.
namespace ImageFiles {

// The filter of the save dialog.
QString Filter();
// A PNG beside the result file at `resultPath`, named as --plot names its
// images in a folder (NAME.png), or with a part of the file, such as a
// fiber, after a dash (NAME-F0001.png).
QString Beside(const QString &resultPath, const QString &part = QString());
// The file a chosen name stands for, and its format.
QString PathFor(const QString &chosen, QString *format);

// Asks for a name (proposing `suggested`) and writes `draw`, a chart of
// `size` logical pixels, there; a PNG at `pixelRatio` device pixels to
// each. What goes wrong, or is still to be known, is told in a message.
// False when nothing was written.
bool Save(FileDialogs &dialogs, QWidget *parent, const DistributionImage::Drawing &draw, QSize size,
          qreal pixelRatio, const QString &title, const QString &suggested);
// A menu at `globalPos` that offers Save Image, and Save if it is chosen.
void OfferSave(const QPoint &globalPos, FileDialogs &dialogs, QWidget *parent, const DistributionImage::Drawing &draw,
               QSize size, qreal pixelRatio, const QString &title, const QString &suggested);

} // namespace ImageFiles

#pragma once

#include "data/JudgePipeline.h"

#include <QRectF>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

class DistributionChart;
class QPainter;

// The distributions of a result file's channels (see DistributionChart), or
// any other chart, as an image file: PNG, SVG or PDF, of a size in pixels (a
// PDF page of that size at 96 pixels per inch). Every image the program
// writes, on the command line and in the window, is written here.
namespace DistributionImage {

struct Plot
{
    QString format; // "png", "svg" or "pdf"
    QSize size;
    JudgeInputs inputs; // the band and the limits the file is judged with
};

// "png", "svg" or "pdf" for a name ending in ".png", ".svg" or ".pdf" (in
// any case); empty otherwise. Inline, so that a program that only checks
// names needs none of the drawing code.
inline QString FormatOfName(const QString &name)
{
    for (const char *format : {"png", "svg", "pdf"}) {
        if (name.endsWith(QLatin1Char('.') + QLatin1String(format), Qt::CaseInsensitive))
            return QLatin1String(format);
    }
    return QString();
}

// A chart drawn into `area`, in pixels (logical ones on a PNG of a pixel
// ratio above 1), on a painter of the image.
using Drawing = std::function<void(QPainter &painter, const QRectF &area)>;

// Draws `draw` into `path` atomically (see StagedFile): a PNG of `size`
// times `pixelRatio` device pixels, whose texts and lines are as sharp as a
// screen of that ratio shows them; an SVG or a PDF of `size`. False with a
// message when it cannot be written, the file then left as it was; true,
// with what the user should still know (see StagedFile::Notice) in `error`
// or an empty one, when it is written.
bool WriteDrawing(const Drawing &draw, const QString &path, const QString &format, QSize size,
                  const QString &title, qreal pixelRatio = 1, QString *error = nullptr);
// The same for `chart`.
bool WriteFile(const DistributionChart &chart, const QString &path, const QString &format, QSize size,
               const QString &title, QString *error = nullptr, qreal pixelRatio = 1);

// Judges the result file at `fibPath` in one pass, read as --summary reads
// it, and writes its distributions to exactly `outPath`. Memory stays flat
// whatever the file's size. Safe to run on several threads at once; gives
// up, leaving nothing, once `stop` is set. A notice, as WriteDrawing's.
bool WriteResultFile(const QString &fibPath, const QString &outPath, const Plot &plot,
                     QString *error = nullptr, const std::atomic<bool> *stop = nullptr);

} // namespace DistributionImage

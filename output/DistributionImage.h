#pragma once

#include <QSize>
#include <QString>

#include <atomic>
#include <optional>

class DistributionChart;

// The distributions of a result file's channels (see DistributionChart) as
// an image file: PNG, SVG or PDF, of a size in pixels (a PDF page of that
// size at 96 pixels per inch).
namespace DistributionImage {

struct Plot
{
    QString format; // "png", "svg" or "pdf"
    QSize size;
    std::optional<double> warnMargin;
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

// Draws `chart` into `path` atomically (see StagedFile): false with a
// message when it cannot be written, the file then left as it was.
bool WriteFile(const DistributionChart &chart, const QString &path, const QString &format, QSize size,
               const QString &title, QString *error = nullptr);

// Judges the result file at `fibPath` in one pass, read as --summary reads
// it, and writes its distributions to exactly `outPath`. Memory stays flat
// whatever the file's size. Safe to run on several threads at once; gives
// up, leaving nothing, once `stop` is set.
bool WriteResultFile(const QString &fibPath, const QString &outPath, const Plot &plot,
                     QString *error = nullptr, const std::atomic<bool> *stop = nullptr);

} // namespace DistributionImage

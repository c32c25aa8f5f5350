#include "output/DistributionImage.h"

#include "data/JudgePipeline.h"
#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/Texts.h"
#include "data/ThresholdJudge.h"
#include "output/DistributionChart.h"
#include "output/LargeImage.h"
#include "output/LibraryMessages.h"
#include "output/StagedFile.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <memory>
#include <new>
#include <system_error>
#include <thread>

namespace DistributionImage {

namespace {

constexpr double kPixelsPerInch = 96;

// The canvas of an image, made before the chart is known.
class Canvas
{
public:
    explicit Canvas(QSize size, qreal pixelRatio = 1)
        : m_image(LargeImage::Create((QSizeF(size) * pixelRatio).toSize(), QImage::Format_RGB32))
    {
        m_image.setDevicePixelRatio(pixelRatio);
    }

    // Draws the chart of no fibers: the fonts are loaded and every page of
    // the image is touched, which a big file's reading leaves time for.
    void Prepare()
    {
        if (m_image.isNull())
            return;
        QPainter painter(&m_image);
        DistributionChart(ThresholdJudge()).Draw(painter, area());
    }

    bool DrawPng(const Drawing &draw, QIODevice &out)
    {
        if (m_image.isNull())
            return false;
        QPainter painter(&m_image);
        draw(painter, area());
        painter.end();
        // A chart of flat colours and the shades of its texts' edges fits
        // an 8-bit palette: the PNG is made three times as fast as from 32
        // bits. zlib's quickest level (quality 80) halves that time again;
        // the file, about 100 kB at 1920 x 1080, is twice what the slowest
        // level makes of it.
        return m_image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
            .save(&out, "PNG", 80);
    }

private:
    QRectF area() const { return QRectF(QPointF(0, 0), m_image.deviceIndependentSize()); }

    QImage m_image;
};

bool drawSvg(const Drawing &draw, QIODevice &out, QSize size, const QString &title)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(int(kPixelsPerInch));
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Quenvale"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    draw(painter, QRectF(QPointF(0, 0), size));
    return painter.end();
}

bool drawPdf(const Drawing &draw, QIODevice &out, QSize size, const QString &title)
{
    // Out of memory while drawing, the writer is let go of with its
    // painter: destroying it would try to finish the document.
    auto pdf = std::make_unique<QPdfWriter>(&out);
    pdf->setCreator(QStringLiteral("Quenvale"));
    pdf->setTitle(title);
    pdf->setResolution(int(kPixelsPerInch));
    const QSizeF points(size.width() * 72 / kPixelsPerInch, size.height() * 72 / kPixelsPerInch);
    pdf->setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(pdf.get()))
        return false;
    try {
        draw(painter, QRectF(QPointF(0, 0), size));
    } catch (const std::bad_alloc &) {
        (void)pdf.release();
        throw;
    }
    return painter.end();
}

bool write(const Drawing &draw, Canvas *canvas, const QString &path, const QString &format, QSize size,
           const QString &title, QString *error)
{
    bool drawn = false;
    QString fileError;
    QString notice;
    // libpng tells a failed write on standard error itself; the message
    // made here names the image and the reason.
    const LibraryMessages quiet;
    const bool written = StagedFile::Write(
        path,
        [&](QIODevice &out) {
            if (format == QLatin1String("svg"))
                drawn = drawSvg(draw, out, size, title);
            else if (format == QLatin1String("pdf"))
                drawn = drawPdf(draw, out, size, title);
            else
                drawn = canvas->DrawPng(draw, out);
            return drawn;
        },
        &fileError, &notice);
    if (written) {
        if (error)
            *error = notice;
        return true;
    }
    return FileError::WriteFailed(path, fileError.isEmpty() ? Texts::tr("the image could not be drawn") : fileError,
                                  error);
}

Drawing drawingOf(const DistributionChart &chart)
{
    return [&chart](QPainter &painter, const QRectF &area) { chart.Draw(painter, area); };
}

// Reads and judges a result file on a thread of its own.
class Judging
{
public:
    Judging(const QString &path, const JudgeInputs &inputs, const std::atomic<bool> *stop)
        : m_pipeline(inputs)
    {
        const auto judge = [this, path, stop] {
            m_read = m_pipeline.ReadFile(path, {}, &m_error, stop);
            if (m_read)
                m_pipeline.Finish();
        };
        try {
            m_thread = std::thread(judge);
        } catch (const std::system_error &) {
            judge(); // no thread to spare: here, then
        }
    }
    ~Judging() { Wait(); }

    // False, with the message, when the file could not be read.
    bool Wait(QString *error = nullptr)
    {
        if (m_thread.joinable())
            m_thread.join();
        if (!m_read && error && !m_error.isEmpty())
            *error = m_error;
        return m_read;
    }
    const ThresholdJudge &Judge() const { return m_pipeline.Judge(); }
    const Misalignment &Misaligned() const { return m_pipeline.Misaligned(); }

private:
    JudgePipeline m_pipeline;
    bool m_read = false;
    QString m_error;
    std::thread m_thread;
};

} // namespace

bool WriteDrawing(const Drawing &draw, const QString &path, const QString &format, QSize size,
                  const QString &title, qreal pixelRatio, QString *error)
{
    Canvas canvas(format == QLatin1String("png") ? size : QSize(), pixelRatio);
    return write(draw, &canvas, path, format, size, title, error);
}

bool WriteFile(const DistributionChart &chart, const QString &path, const QString &format, QSize size,
               const QString &title, QString *error, qreal pixelRatio)
{
    return WriteDrawing(drawingOf(chart), path, format, size, title, pixelRatio, error);
}

bool WriteResultFile(const QString &fibPath, const QString &outPath, const Plot &plot, QString *error,
                     const std::atomic<bool> *stop)
{
    const QString title = QFileInfo(NativePath::Display(fibPath)).fileName();
    try {
        Judging judging(fibPath, plot.inputs, stop);
        Canvas canvas(plot.format == QLatin1String("png") ? plot.size : QSize());
        canvas.Prepare();
        if (!judging.Wait(error) || (stop && stop->load()))
            return false;
        DistributionChart chart(judging.Judge());
        chart.SetTitle(title);
        if (!write(drawingOf(chart), &canvas, outPath, plot.format, plot.size, title, error))
            return false;
        if (judging.Misaligned().Found() && error) {
            const QString told = judging.Misaligned().Message(fibPath);
            *error = error->isEmpty() ? told : *error + QLatin1Char('\n') + told;
        }
        return true;
    } catch (const std::bad_alloc &) {
        return FileError::WriteFailed(outPath, Texts::tr("not enough memory to draw it"), error);
    }
}

} // namespace DistributionImage

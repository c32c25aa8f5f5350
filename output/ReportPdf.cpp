#include "output/ReportPdf.h"

#include "output/PrintReport.h"
#include "output/ReportPrinter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

namespace ReportPdf {

namespace {

// The PDF writer closes the device it writes to when it ends; a save file
// must not be closed but committed. This device stands between the two and
// passes the bytes through.
class PassThroughDevice : public QIODevice
{
public:
    explicit PassThroughDevice(QIODevice &target) : m_target(target) {}

    bool isSequential() const override { return true; }
    bool failed() const { return m_failed; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 written = m_target.write(data, size);
        if (written != size)
            m_failed = true;
        return written;
    }

private:
    QIODevice &m_target;
    bool m_failed = false;
};

QString tr(const char *text)
{
    return QCoreApplication::translate("ReportPdf", text);
}

} // namespace

bool WriteFile(const PrintReport &report, const QString &path, const QPageSize &pageSize,
               QString *error, const std::atomic<bool> *stop)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = tr("Cannot write \"%1\": %2").arg(path, reason);
        return false;
    };
    if (QFileInfo(path).isDir())
        return fail(tr("it is a folder"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    PassThroughDevice device(file);
    device.open(QIODevice::WriteOnly);

    bool printed = false;
    {
        QPdfWriter writer(&device);
        writer.setCreator(QStringLiteral("Quenvale"));
        writer.setTitle(QFileInfo(path).completeBaseName());
        writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        printed = ReportPrinter::Print(report, writer, 0, 0, [stop](const ReportPrinter::JobPage &) {
            return !stop || !stop->load(std::memory_order_relaxed);
        });
    }
    if (!printed || device.failed()) {
        const bool stopped = stop && stop->load();
        const QString reason = device.failed() ? file.errorString()
                               : stopped       ? tr("stopped before the last page")
                                               : tr("the PDF could not be drawn");
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace ReportPdf

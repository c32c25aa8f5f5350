#include "lot/LotWorkbook.h"

#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/RowTime.h"
#include "output/ChannelSheet.h"
#include "output/StagedFile.h"
#include "output/WorkbookFile.h"
#include "output/WorkbookFormats.h"
#include "output/WorkbookSheet.h"
#include "output/Wording.h"

#include <QCoreApplication>

namespace LotWorkbook {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("LotWorkbook", text);
}

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

// The sheets' headings stay in English: scripts read the workbook by them.
QStringList fileHeadings()
{
    return {QStringLiteral("First row"), QStringLiteral("File"),          QStringLiteral("Fibers"),
            QStringLiteral("Passed"),    QStringLiteral("Marginal"),      QStringLiteral("Yield"),
            QStringLiteral("Worst channel"), QStringLiteral("Least Cpk"), QStringLiteral("Not read")};
}

void writeFile(WorkbookSheet &sheet, const LotFile &file, const WorkbookFormats &formats)
{
    sheet.Text(1, NativePath::Display(file.path));
    if (!file.summary) {
        sheet.Text(8, file.error);
        return;
    }
    const FileSummary &summary = *file.summary;
    if (summary.FirstTime() != RowTime::None)
        sheet.Text(0, QString::fromLatin1(RowTime::Iso(summary.FirstTime()).replace('T', ' ')));
    sheet.Number(2, double(summary.Fibers()));
    sheet.Number(3, double(summary.Passed()));
    if (summary.Banded())
        sheet.Number(4, double(summary.Marginal()));
    if (summary.Fibers() > 0)
        sheet.Number(5, double(summary.Passed()) / double(summary.Fibers()), formats.percent);
    sheet.Text(6, QString::fromUtf8(summary.WorstChannel()));
    if (const std::optional<double> cpk = summary.MinCpk())
        sheet.Number(7, *cpk, formats.places);
}

QStringList fiberHeadings(const CompareSide &side)
{
    QStringList headings{QStringLiteral("Fiber"), QStringLiteral("Verdict")};
    for (const QByteArray &channel : side.Names().All())
        headings.append(QString::fromUtf8(channel));
    return headings;
}

bool writeFibers(WorkbookSheet &sheet, const CompareSide &side, const std::atomic<bool> *stop)
{
    const int channels = side.Names().Count();
    for (const QByteArray &name : side.Named()) {
        if (!sheet.NextRow() || stopped(stop))
            break;
        const CompareSide::Fiber &fiber = *side.Find(name);
        sheet.Field(0, name);
        sheet.Text(1, fiber.passed ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
        for (int channel = 0; channel < channels; ++channel)
            sheet.Number(2 + channel, fiber.PowerAt(channel));
    }
    return !stopped(stop);
}

} // namespace

bool Write(const CompareReader::Side &lot, const QString &path, QString *error, const std::atomic<bool> *stop)
{
    const auto fail = [&](const QString &reason) { return FileError::WriteFailed(path, reason, error); };
    StagedFile staged(path);
    if (!staged.Open())
        return fail(staged.ErrorString());
    WorkbookFile book(NativePath::Encode(staged.TemporaryPath()));
    if (!book.get())
        return fail(tr("the workbook could not be begun"));
    QByteArray title = WorkbookSheet::CellText(NativePath::Display(lot.about.path)).toUtf8();
    lxw_doc_properties properties = {};
    properties.title = title.data();
    workbook_set_properties(book.get(), &properties);
    workbook_set_custom_property_string(book.get(), "Written by", "Quenvale " QUENVALE_VERSION);

    const WorkbookFormats formats = WorkbookFormats::Make(book.get());
    const CompareSide &side = *lot.side;
    WorkbookSheet files(book.get(), "Files", fileHeadings(), formats.heading, 2);
    const bool banded = side.Pipeline().Judge().WarnMargin().has_value();
    WorkbookSheet channels(book.get(), "Channels", ChannelSheet::Headings(banded), formats.heading, 1);
    WorkbookSheet fibers(book.get(), "Fibers", fiberHeadings(side), formats.heading, 1);
    for (const LotFile &file : lot.files) {
        if (!files.NextRow())
            break;
        writeFile(files, file, formats);
    }
    ChannelSheet::Write(channels, side.Pipeline().Judge(), formats);
    if (!writeFibers(fibers, side, stop))
        return fail(tr("stopped before the last row"));
    QString reason;
    if (!book.Complete({&files, &channels, &fibers}, staged.TemporaryPath(), &reason))
        return fail(reason);
    if (!staged.Commit())
        return fail(staged.ErrorString());
    if (error)
        *error = staged.Notice();
    return true;
}

} // namespace LotWorkbook

#include "output/WorkbookExport.h"

#include "data/ChannelColumns.h"
#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/ResultFile.h"
#include "data/ThresholdJudge.h"
#include "output/RowSpool.h"
#include "output/StagedFile.h"
#include "output/SummaryWriter.h"
#include "output/ChannelSheet.h"
#include "output/FiberSheetColumns.h"
#include "output/Wording.h"
#include "output/WorkbookFile.h"
#include "output/WorkbookFormats.h"
#include "output/WorkbookSheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <dlfcn.h>
#include <new>
#include <optional>

namespace WorkbookExport {

namespace {

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

QString tr(const char *text)
{
    return QCoreApplication::translate("WorkbookExport", text);
}

// What stands in a margin's cell where the channel has none.
QString noMargin(ThresholdJudge::Failures failures)
{
    return failures.testFlag(ThresholdJudge::Low) ? QStringLiteral("Low") : tr("no number");
}

// The fiber of the `count` rows of `rows` from `first` on.
void writeFiber(WorkbookSheet &sheet, const ThresholdJudge::Fiber &fiber, const Limits &limits, const MeasurementRows &rows,
                qsizetype first, qsizetype count, FiberSheetColumns &columns, const WorkbookFormats &formats)
{
    sheet.Field(0, fiber.name);
    sheet.Text(1, fiber.passed() ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
    if (fiber.marginal)
        sheet.Boolean(2, *fiber.marginal, formats.truth);
    sheet.Text(3, Wording::Reasons(fiber.failures));
    QStringList failed;
    for (const QByteArrayView channel : fiber.failedChannels)
        failed.append(SummaryWriter::FieldText(channel));
    sheet.Text(4, failed.join(QLatin1Char(' ')));
    sheet.Field(5, fiber.worstChannel);
    if (fiber.worstMargin)
        sheet.Number(FiberSheetColumns::WorstMarginColumn, *fiber.worstMargin, formats.margin);
    else if (fiber.worstRow >= 0)
        sheet.Text(FiberSheetColumns::WorstMarginColumn, noMargin(fiber.worstFailures));
    for (qsizetype i = 0; i < count; ++i) {
        const MeasurementRows::Row row = rows.At(first + i);
        const int index = columns.Of(row.text(MeasurementRow::Channel), i);
        if (index < 0)
            continue;
        const int column = FiberSheetColumns::FiberColumns + 2 * index;
        sheet.NumberOrField(column, row.text(MeasurementRow::Power));
        const ThresholdJudge::Channel judged = ThresholdJudge::JudgeChannel(row, limits);
        if (judged.margin)
            sheet.Number(column + 1, *judged.margin, formats.margin);
        else
            sheet.Text(column + 1, noMargin(judged.failures));
    }
}

QStringList rowHeadings()
{
    // The sheets' headings stay in English: scripts read the workbook by them.
    return {QStringLiteral("FiberName"), QStringLiteral("Channel"), QStringLiteral("WaveLength"),
            QStringLiteral("Power"),     QStringLiteral("Threshold"), QStringLiteral("Date"),
            QStringLiteral("Time")};
}

// One row of the Rows sheet: the CSV's fields, numbers as numbers.
void writeRow(WorkbookSheet &sheet, const MeasurementRows::Row &row)
{
    sheet.Field(0, row.text(MeasurementRow::FiberName));
    sheet.Field(1, row.text(MeasurementRow::Channel));
    sheet.NumberOrField(2, row.text(MeasurementRow::WaveLength));
    sheet.NumberOrField(3, row.text(MeasurementRow::Power));
    sheet.NumberOrField(4, row.text(MeasurementRow::Threshold));
    sheet.Field(5, row.text(MeasurementRow::Date));
    sheet.Field(6, row.text(MeasurementRow::Time));
}

// The header lines as a person reads them, a line each.
QString headerLines(const QByteArray &header)
{
    QStringList lines;
    for (const QByteArray &line : header.split('\n')) {
        const QString shown = WorkbookSheet::CellText(CodePage936::Decode(line).trimmed());
        if (!shown.isEmpty())
            lines.append(shown);
    }
    return lines.join(QLatin1Char('\n'));
}

void setProperties(lxw_workbook *book, const Source &source)
{
    const ThresholdJudge &judge = *source.judge;
    const std::optional<qsizetype> marginal =
        judge.WarnMargin() ? std::optional<qsizetype>(judge.MarginalCount()) : std::nullopt;
    QByteArray title = WorkbookSheet::CellText(source.name).toUtf8();
    QByteArray subject = Wording::YieldLine(judge.FiberCount(), judge.FailedCount(), marginal).toUtf8();
    QByteArray comments = headerLines(source.header).toUtf8();
    lxw_doc_properties properties = {};
    properties.title = title.data();
    properties.subject = subject.data();
    properties.comments = comments.data();
    workbook_set_properties(book, &properties);
    workbook_set_custom_property_string(book, "Written by", "Quenvale " QUENVALE_VERSION);
}

// The note on the first sheet's first cell where a sheet could not hold
// all that it is for.
void noteWhatIsLeftOut(WorkbookSheet &fibers, const Source &source)
{
    // Counts in thousands, as the sheet's own row numbers show them.
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QStringList notes;
    const QString most = english.toString(WorkbookSheet::DataRows);
    if (source.rows > WorkbookSheet::DataRows)
        notes << tr("The Rows sheet is left out: the file's %1 rows are more than a sheet holds (%2).")
                     .arg(english.toString(source.rows), most);
    const qsizetype fiberCount = source.judge->FiberCount();
    if (fiberCount > WorkbookSheet::DataRows)
        notes << tr("Only the first %1 of the file's %2 fibers are on this sheet, as many as it holds.")
                     .arg(most, english.toString(fiberCount));
    if (notes.isEmpty())
        return;
    const QByteArray note = notes.join(QLatin1Char('\n')).toUtf8();
    worksheet_set_comments_author(fibers.Sheet(), "Quenvale");
    lxw_comment_options options = {};
    options.visible = LXW_COMMENT_DISPLAY_VISIBLE;
    options.width = 420;
    options.height = 60;
    worksheet_write_comment_opt(fibers.Sheet(), 0, 0, note.constData(), &options);
}

// Every row of the source into the Fibers sheet a fiber at a time, with
// its verdict, and into the Rows sheet when there is one. False when a
// stop came, or when fewer rows came than the source said.
bool writeFibersAndRows(const Source &source, WorkbookSheet &fibers, WorkbookSheet *rows,
                        FiberSheetColumns &columns, const WorkbookFormats &formats, const std::atomic<bool> *stop)
{
    MeasurementRows block;
    block.Reserve(ChannelTable::FiberSize);
    MeasurementRow record;
    qsizetype count = 0;
    qsizetype blocks = 0;
    bool complete = true;
    const auto endFiber = [&] {
        if (blocks >= source.verdicts->size()) {
            complete = false; // more rows than were judged
            return;
        }
        const ThresholdJudge::Fiber fiber = LoadedFile::FiberOf(source.verdicts->at(blocks++), block, 0,
                                                                block.Count());
        if (fibers.NextRow())
            writeFiber(fibers, fiber, source.judge->LimitsOf(), block, 0, block.Count(), columns, formats);
        block.Empty();
    };
    while (complete && source.next(record)) {
        block.Append(record);
        ++count;
        if (rows && rows->NextRow())
            writeRow(*rows, block.At(block.Count() - 1));
        if (block.Count() == ChannelTable::FiberSize) {
            endFiber();
            if (stopped(stop))
                return false;
        }
    }
    if (!block.IsEmpty())
        endFiber();
    return complete && count == source.rows;
}

} // namespace

bool WriteFile(const Source &source, const QString &path, QString *error, const std::atomic<bool> *stop)
{
    const auto fail = [&](const QString &reason) { return FileError::WriteFailed(path, reason, error); };
    StagedFile staged(path);
    if (!staged.Open())
        return fail(staged.ErrorString());
    WorkbookFile book(NativePath::Encode(staged.TemporaryPath()));
    if (!book.get())
        return fail(tr("the workbook could not be begun"));
    setProperties(book.get(), source);
    const WorkbookFormats formats = WorkbookFormats::Make(book.get());
    FiberSheetColumns columns(*source.judge);
    const QStringList fiberHeadings = columns.Headings();
    WorkbookSheet fibers(book.get(), "Fibers", fiberHeadings, formats.heading, 1);
    noteWhatIsLeftOut(fibers, source);
    const bool banded = source.judge->WarnMargin().has_value();
    const QStringList statistics = ChannelSheet::Headings(banded);
    WorkbookSheet channels(book.get(), "Channels", statistics, formats.heading, 1);
    std::optional<WorkbookSheet> rows;
    if (source.rows <= WorkbookSheet::DataRows)
        rows.emplace(book.get(), "Rows", rowHeadings(), formats.heading, 1);

    ChannelSheet::Write(channels, *source.judge, formats);
    if (!writeFibersAndRows(source, fibers, rows ? &*rows : nullptr, columns, formats, stop) || stopped(stop))
        return fail(stopped(stop) ? tr("stopped before the last row")
                                  : tr("its rows could not be read back from their temporary file"));
    formats.MarkFailingFibers(fibers, FiberSheetColumns::WorstMarginColumn, FiberSheetColumns::FiberColumns,
                              int(fiberHeadings.size() - FiberSheetColumns::FiberColumns) / 2);
    QList<WorkbookSheet *> sheets{&fibers, &channels};
    if (rows) {
        formats.MarkFailingRows(*rows);
        sheets.append(&*rows);
    }
    QString reason;
    if (!book.Complete(sheets, staged.TemporaryPath(), &reason))
        return fail(reason);
    if (!staged.Commit())
        return fail(staged.ErrorString());
    if (error)
        *error = staged.Notice();
    return true;
}

bool ExportResultFile(const QString &fibPath, const QString &xlsxPath, const JudgeInputs &inputs, QString *error,
                      const std::atomic<bool> *stop, Misalignment *misaligned)
{
    try {
        JudgePipeline pipeline(inputs);
        QList<LoadedFile::Verdict> verdicts;
        RowSpool spool;
        QString reason;
        if (!spool.Open(&reason))
            return FileError::WriteFailed(xlsxPath, tr("no temporary file for its rows: %1").arg(reason), error);
        QByteArray header;
        const bool read = pipeline.ReadFile(
            fibPath,
            [&](qsizetype, const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first) {
                verdicts.append(LoadedFile::VerdictOf(fiber));
                for (qsizetype i = first; i < first + fiber.rows; ++i) {
                    if (!spool.Append(rows.At(i)))
                        return false;
                }
                return true;
            },
            error, stop, FileKinds::Any, nullptr, &header);
        if (!spool.Rewind(&reason))
            return FileError::WriteFailed(xlsxPath, tr("its rows could not be kept: %1").arg(reason), error);
        if (!read)
            return false;
        pipeline.Finish();
        if (misaligned)
            *misaligned = pipeline.Misaligned();
        const Source source{QFileInfo(NativePath::Display(fibPath)).fileName(), header, &pipeline.Judge(), &verdicts,
                            spool.Count(), [&spool](MeasurementRow &row) { return spool.Read(row); }};
        return WriteFile(source, xlsxPath, error, stop);
    } catch (const std::bad_alloc &) {
        return FileError::WriteFailed(xlsxPath, tr("not enough memory"), error);
    }
}

bool ExportRows(const QString &name, const QByteArray &header, const MeasurementRows &rows,
                const LoadedFile::Verdicts &verdicts, const QString &xlsxPath, QString *error,
                const std::atomic<bool> *stop)
{
    try {
        qsizetype next = 0;
        const Source source{name, header, &verdicts.judge, &verdicts.byBlock, rows.Count(), [&](MeasurementRow &row) {
                                if (next == rows.Count())
                                    return false;
                                row = rows.At(next++).Record();
                                return true;
                            }};
        return WriteFile(source, xlsxPath, error, stop);
    } catch (const std::bad_alloc &) {
        return FileError::WriteFailed(xlsxPath, tr("not enough memory"), error);
    }
}

} // namespace WorkbookExport

// libxlsxwriter zips a workbook's parts through minizip at zlib's default
// level and offers no other. The program defines minizip's function for
// adding a member itself (cmake/CoreLibrary.cmake exports it from every
// program that links the core), so that libxlsxwriter's call comes here,
// and hands it on to minizip's own, asking deflate for its quickest level:
// the workbook takes about a quarter more room and is written in two thirds
// of the time. Every other argument, and any other method, goes on as it
// came. Where the program's definition is not the one called (a
// libxlsxwriter with a minizip of its own inside), parts are deflated at
// the default level, as before; should minizip's own not be found, adding
// a part fails and the workbook with it, its older file kept.
extern "C" int zipOpenNewFileInZip4_64(void *file, const char *filename, const void *zipfi,
                                       const void *extrafield_local, unsigned size_extrafield_local,
                                       const void *extrafield_global, unsigned size_extrafield_global,
                                       const char *comment, int method, int level, int raw, int windowBits,
                                       int memLevel, int strategy, const char *password,
                                       unsigned long crcForCrypting, unsigned long versionMadeBy,
                                       unsigned long flagBase, int zip64)
{
    using Open = int (*)(void *, const char *, const void *, const void *, unsigned, const void *, unsigned,
                         const char *, int, int, int, int, int, int, const char *, unsigned long, unsigned long,
                         unsigned long, int);
    static const Open minizip = reinterpret_cast<Open>(::dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
    constexpr int kInternalError = -104; // ZIP_INTERNALERROR
    constexpr int kDeflated = 8;         // Z_DEFLATED
    constexpr int kQuickest = 1;         // Z_BEST_SPEED
    if (!minizip)
        return kInternalError;
    if (method == kDeflated && level != 0)
        level = kQuickest;
    return minizip(file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
                   size_extrafield_global, comment, method, level, raw, windowBits, memLevel, strategy, password,
                   crcForCrypting, versionMadeBy, flagBase, zip64);
}

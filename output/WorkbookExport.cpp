#include "output/WorkbookExport.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/ResultFile.h"
#include "data/Texts.h"
#include "data/ThresholdJudge.h"
#include "output/RowSpool.h"
#include "output/StagedFile.h"
#include "output/SummaryWriter.h"
#include "output/WorkbookSheet.h"
#include "output/ZipListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <cerrno>
#include <dlfcn.h>
#include <new>
#include <optional>

namespace WorkbookExport {

namespace {

// Columns of the Fibers sheet before those of the channels, and the
// channels that get a power and a margin column each.
constexpr int kFiberColumns = 7;
constexpr int kWorstMarginColumn = 6;
constexpr int kChannelsShown = 18;

// Excel's own "Bad" style: dark red on light red, bold too so that it
// shows on a printer without colour.
constexpr lxw_color_t kBadFill = 0xFFC7CE;
constexpr lxw_color_t kBadInk = 0x9C0006;

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

QString tr(const char *text)
{
    return Texts::tr(text);
}

// The workbook being written, freed unwritten unless it is closed.
class Book
{
public:
    explicit Book(const QByteArray &path)
    {
        // libxlsxwriter keeps each sheet in a temporary file of its own
        // until the workbook is closed; they go where the user's others go.
        m_folder = QFile::encodeName(QDir::tempPath());
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = m_folder.data();
        options.use_zip64 = LXW_TRUE; // a sheet's XML may pass 4 GB
        m_book = workbook_new_opt(path.constData(), &options);
    }
    ~Book()
    {
        if (m_book)
            lxw_workbook_free(m_book);
    }
    Book(const Book &) = delete;
    Book &operator=(const Book &) = delete;

    lxw_workbook *get() const { return m_book; }
    lxw_error Close()
    {
        lxw_workbook *book = m_book;
        m_book = nullptr;
        errno = 0;
        return workbook_close(book);
    }

private:
    QByteArray m_folder;
    lxw_workbook *m_book = nullptr;
};

struct Formats
{
    lxw_format *heading;
    lxw_format *margin; // two places with their sign
    lxw_format *places; // two places
    lxw_format *truth;  // TRUE or FALSE, whatever a reader makes of a boolean
    lxw_format *bad;    // of the conditional formats
};

Formats makeFormats(lxw_workbook *book)
{
    Formats formats;
    formats.heading = workbook_add_format(book);
    format_set_bold(formats.heading);
    formats.margin = workbook_add_format(book);
    format_set_num_format(formats.margin, "+0.00;-0.00;0.00");
    formats.places = workbook_add_format(book);
    format_set_num_format(formats.places, "0.00");
    formats.truth = workbook_add_format(book);
    format_set_num_format(formats.truth, "\"TRUE\";\"TRUE\";\"FALSE\"");
    formats.bad = workbook_add_format(book);
    format_set_bg_color(formats.bad, kBadFill);
    format_set_font_color(formats.bad, kBadInk);
    format_set_bold(formats.bad);
    return formats;
}

// The column of each channel in the Fibers sheet: the first channels as
// the judge tells them apart (by the text a person reads), in its order.
class ChannelColumns
{
public:
    explicit ChannelColumns(const ThresholdJudge &judge)
    {
        for (const ThresholdJudge::ChannelFigures &figures : judge.Channels()) {
            if (m_channels.size() == kChannelsShown)
                break;
            m_channels.append(figures.channel);
        }
    }

    QStringList Headings() const
    {
        QStringList headings{tr("Fiber"),          tr("Verdict"),       tr("Marginal"),
                             tr("Reasons"),        tr("Failed channels"), tr("Worst channel"),
                             tr("Worst margin (dB)")};
        for (const QByteArray &channel : m_channels) {
            const QString shown = QString::fromUtf8(channel);
            headings << tr("%1 power").arg(shown) << tr("%1 margin").arg(shown);
        }
        return headings;
    }

    // The channel's index for the channel field of the row at `position`
    // in its fiber, or -1. Fibers have their channels in the same places,
    // nearly always: the field is decoded only where it changes.
    int Of(QByteArrayView field, qsizetype position)
    {
        Last &last = m_last[size_t(qMin<qsizetype>(position, kChannelsShown))];
        if (last.index >= -1 && QByteArrayView(last.field) == field)
            return last.index;
        last.field = field.toByteArray();
        last.index = int(m_channels.indexOf(ThresholdJudge::ShownText(field)));
        return last.index;
    }

private:
    struct Last
    {
        QByteArray field;
        int index = -2; // none yet
    };
    QList<QByteArray> m_channels;
    Last m_last[kChannelsShown + 1];
};

// What stands in a margin's cell where the channel has none.
QString noMargin(ThresholdJudge::Failures failures)
{
    return failures.testFlag(ThresholdJudge::Low) ? QStringLiteral("Low") : tr("no number");
}

// The fiber of the `count` rows of `rows` from `first` on.
void writeFiber(WorkbookSheet &sheet, const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows,
                qsizetype first, qsizetype count, ChannelColumns &columns, const Formats &formats)
{
    sheet.Field(0, fiber.name);
    sheet.Text(1, fiber.passed() ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
    if (fiber.marginal)
        sheet.Boolean(2, *fiber.marginal, formats.truth);
    sheet.Text(3, SummaryWriter::Reasons(fiber.failures));
    QStringList failed;
    for (const QByteArrayView channel : fiber.failedChannels)
        failed.append(SummaryWriter::FieldText(channel));
    sheet.Text(4, failed.join(QLatin1Char(' ')));
    sheet.Field(5, fiber.worstChannel);
    if (fiber.worstMargin)
        sheet.Number(kWorstMarginColumn, *fiber.worstMargin, formats.margin);
    else if (fiber.worstRow >= 0)
        sheet.Text(kWorstMarginColumn, noMargin(fiber.worstFailures));
    for (qsizetype i = 0; i < count; ++i) {
        const MeasurementRows::Row row = rows.At(first + i);
        const int index = columns.Of(row.text(MeasurementRow::Channel), i);
        if (index < 0)
            continue;
        const int column = kFiberColumns + 2 * index;
        sheet.NumberOrField(column, row.text(MeasurementRow::Power));
        const ThresholdJudge::Channel judged = ThresholdJudge::JudgeChannel(row);
        if (judged.margin)
            sheet.Number(column + 1, *judged.margin, formats.margin);
        else
            sheet.Text(column + 1, noMargin(judged.failures));
    }
}

QStringList rowHeadings()
{
    return {tr("FiberName"), tr("Channel"), tr("WaveLength"), tr("Power"),
            tr("Threshold"), tr("Date"),    tr("Time")};
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

QStringList channelHeadings(bool banded)
{
    QStringList headings{tr("Channel"), tr("Wavelength"), tr("Rows"), tr("Failed rows"), tr("Failed fibers")};
    if (banded)
        headings << tr("Marginal fibers");
    headings << tr("Min (dB)") << tr("Max (dB)") << tr("Mean (dB)") << tr("Std dev (dB)") << tr("P01 (dB)")
             << tr("P50 (dB)") << tr("P99 (dB)") << tr("Margin mean (dB)") << tr("Margin std dev (dB)")
             << tr("Cpk");
    return headings;
}

void writeChannels(WorkbookSheet &sheet, const ThresholdJudge &judge, const Formats &formats)
{
    const bool banded = judge.WarnMargin().has_value();
    for (const ThresholdJudge::ChannelFigures &figures : judge.Channels()) {
        if (!sheet.NextRow())
            break;
        int column = 0;
        const auto number = [&](const std::optional<double> &value, lxw_format *format = nullptr) {
            if (value)
                sheet.Number(column, *value, format);
            ++column;
        };
        sheet.Text(column++, QString::fromUtf8(figures.channel));
        sheet.NumberOrField(column++, figures.waveLength);
        number(double(figures.count));
        number(double(figures.failed));
        number(double(figures.failedFibers));
        if (banded)
            number(double(figures.marginal));
        const auto powers = [&figures](double value) {
            return figures.powers > 0 ? std::optional<double>(value) : std::nullopt;
        };
        number(powers(figures.min));
        number(powers(figures.max));
        number(powers(figures.mean));
        number(figures.standardDeviation());
        number(figures.p01);
        number(figures.p50);
        number(figures.p99);
        number(figures.marginMean, formats.margin);
        number(figures.marginDeviation);
        number(figures.cpk, formats.places);
    }
}

// The rule of one conditional format.
lxw_conditional_format rule(uint8_t type, const char *criteria, lxw_format *format)
{
    lxw_conditional_format cf = {};
    cf.type = type;
    cf.value_string = const_cast<char *>(criteria);
    cf.format = format;
    return cf;
}

QByteArray columnName(int column)
{
    char name[8];
    lxw_col_to_name(name, lxw_col_t(column), LXW_TRUE);
    return QByteArray(name);
}

// Fills the cells of failing fibers and channels: the verdict FAIL, and
// each margin that is below 0 or none (Low, no number) with its power.
void markFailingFibers(WorkbookSheet &sheet, int channels, const Formats &formats)
{
    const lxw_row_t last = lxw_row_t(sheet.Row());
    if (last < 1)
        return;
    lxw_conditional_format fail = rule(LXW_CONDITIONAL_TYPE_CELL, "\"FAIL\"", formats.bad);
    fail.criteria = LXW_CONDITIONAL_CRITERIA_EQUAL_TO;
    worksheet_conditional_format_range(sheet.Sheet(), 1, 1, last, 1, &fail);
    const auto markMargin = [&](int first, int marginColumn) {
        const QByteArray cell = columnName(marginColumn) + '2';
        const QByteArray formula = "=OR(ISTEXT(" + cell + "),AND(ISNUMBER(" + cell + ")," + cell + "<0))";
        lxw_conditional_format failing = rule(LXW_CONDITIONAL_TYPE_FORMULA, formula.constData(), formats.bad);
        worksheet_conditional_format_range(sheet.Sheet(), 1, lxw_col_t(first), last, lxw_col_t(marginColumn),
                                           &failing);
    };
    markMargin(kWorstMarginColumn, kWorstMarginColumn);
    for (int index = 0; index < channels; ++index)
        markMargin(kFiberColumns + 2 * index, kFiberColumns + 2 * index + 1);
}

// The power and threshold of each failing row: not both numbers, or the
// power below the threshold.
void markFailingRows(WorkbookSheet &sheet, const Formats &formats)
{
    const lxw_row_t last = lxw_row_t(sheet.Row());
    if (last < 1)
        return;
    lxw_conditional_format failing =
        rule(LXW_CONDITIONAL_TYPE_FORMULA, "=NOT(AND(ISNUMBER($D2),ISNUMBER($E2),$D2>=$E2))", formats.bad);
    worksheet_conditional_format_range(sheet.Sheet(), 1, 3, last, 4, &failing);
}

// The channels of low capability (Cpk below 1.0).
void markLowCapability(WorkbookSheet &sheet, int cpkColumn, const Formats &formats)
{
    const lxw_row_t last = lxw_row_t(sheet.Row());
    if (last < 1)
        return;
    lxw_conditional_format low = rule(LXW_CONDITIONAL_TYPE_CELL, nullptr, formats.bad);
    low.criteria = LXW_CONDITIONAL_CRITERIA_LESS_THAN;
    low.value = 1.0;
    worksheet_conditional_format_range(sheet.Sheet(), 1, lxw_col_t(cpkColumn), last, lxw_col_t(cpkColumn), &low);
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
    QByteArray subject = SummaryWriter::YieldLine(judge.FiberCount(), judge.FailedCount(), marginal).toUtf8();
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

// Every row of the source into the Fibers sheet a fiber at a time, and
// into the Rows sheet when there is one. False when a stop came, or when
// fewer rows came than the source said.
bool writeFibersAndRows(const Source &source, WorkbookSheet &fibers, WorkbookSheet *rows,
                        ChannelColumns &columns, const Formats &formats, const std::atomic<bool> *stop)
{
    ThresholdJudge judge(ThresholdJudge::VerdictsOnly, source.judge->WarnMargin());
    MeasurementRows block;
    block.Reserve(ChannelTable::FiberSize);
    MeasurementRow record;
    qsizetype count = 0;
    const auto endFiber = [&] {
        const ThresholdJudge::Fiber fiber = judge.AddFiber(block, block.Count());
        if (fibers.NextRow())
            writeFiber(fibers, fiber, block, 0, block.Count(), columns, formats);
        block.Empty();
    };
    while (source.next(record)) {
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
    return count == source.rows;
}

// What libxlsxwriter's failure comes from: the system's reason where it
// left one (a full disk), else its own words.
QString closeFailure(lxw_error error)
{
    if (errno != 0 && (error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE
                       || error == LXW_ERROR_ZIP_FILE_OPERATION || error == LXW_ERROR_ZIP_CLOSE
                       || error == LXW_ERROR_ZIP_FILE_ADD))
        return qt_error_string(errno);
    return QString::fromUtf8(lxw_strerror(error));
}

// The sheets' data as written into their temporary files: the bytes each
// holds, by the name of its part in the workbook. False, with the reason,
// when a write into one failed.
bool sheetData(const QList<const WorkbookSheet *> &sheets, QHash<QByteArray, qint64> *bytes, QString *reason)
{
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        int error = 0;
        const qint64 size = sheets.at(i)->DataBytes(&error);
        if (size < 0) {
            *reason = qt_error_string(error);
            return false;
        }
        bytes->insert("xl/worksheets/sheet" + QByteArray::number(i + 1) + ".xml", size);
    }
    return true;
}

// libxlsxwriter copies each sheet once more into a temporary file of its
// own when the workbook is closed, and a write that fails there (a full
// disk) cuts the sheet short without a word: each sheet in the zip must
// be longer than its data alone.
bool sheetsWhole(const QString &workbook, const QHash<QByteArray, qint64> &data)
{
    ZipListing listing;
    if (!listing.Read(workbook))
        return false;
    for (auto sheet = data.constBegin(); sheet != data.constEnd(); ++sheet) {
        const auto found = listing.Sizes().constFind(sheet.key());
        if (found == listing.Sizes().constEnd() || found.value() <= quint64(sheet.value()))
            return false;
    }
    return true;
}

} // namespace

bool WriteFile(const Source &source, const QString &path, QString *error, const std::atomic<bool> *stop)
{
    const auto fail = [&](const QString &reason) { return FileError::WriteFailed(path, reason, error); };
    StagedFile staged(path);
    if (!staged.Open())
        return fail(staged.ErrorString());
    Book book(NativePath::Encode(staged.TemporaryPath()));
    if (!book.get())
        return fail(tr("the workbook could not be begun"));
    setProperties(book.get(), source);
    const Formats formats = makeFormats(book.get());
    ChannelColumns columns(*source.judge);
    const QStringList fiberHeadings = columns.Headings();
    WorkbookSheet fibers(book.get(), "Fibers", fiberHeadings, formats.heading, 1);
    noteWhatIsLeftOut(fibers, source);
    const bool banded = source.judge->WarnMargin().has_value();
    const QStringList statistics = channelHeadings(banded);
    WorkbookSheet channels(book.get(), "Channels", statistics, formats.heading, 1);
    std::optional<WorkbookSheet> rows;
    if (source.rows <= WorkbookSheet::DataRows)
        rows.emplace(book.get(), "Rows", rowHeadings(), formats.heading, 1);

    writeChannels(channels, *source.judge, formats);
    if (!writeFibersAndRows(source, fibers, rows ? &*rows : nullptr, columns, formats, stop) || stopped(stop))
        return fail(stopped(stop) ? tr("stopped before the last row")
                                  : tr("its rows could not be read back from their temporary file"));
    markFailingFibers(fibers, int(fiberHeadings.size() - kFiberColumns) / 2, formats);
    markLowCapability(channels, int(statistics.size() - 1), formats);
    lxw_error failed = fibers.Finish();
    if (const lxw_error e = channels.Finish(); !failed)
        failed = e;
    if (rows) {
        markFailingRows(*rows, formats);
        if (const lxw_error e = rows->Finish(); !failed)
            failed = e;
    }
    if (failed)
        return fail(QString::fromUtf8(lxw_strerror(failed)));
    QList<const WorkbookSheet *> sheets{&fibers, &channels};
    if (rows)
        sheets.append(&*rows);
    QHash<QByteArray, qint64> data;
    QString reason;
    if (!sheetData(sheets, &data, &reason))
        return fail(reason);
    if (const lxw_error closed = book.Close())
        return fail(closeFailure(closed));
    if (!sheetsWhole(staged.TemporaryPath(), data))
        return fail(tr("a sheet was cut short in its temporary file in %1 (is that disk full?)")
                        .arg(QDir::tempPath()));
    if (!staged.Commit())
        return fail(staged.ErrorString());
    if (error)
        *error = staged.Notice();
    return true;
}

bool ExportResultFile(const QString &fibPath, const QString &xlsxPath, std::optional<double> warnMargin,
                      QString *error, const std::atomic<bool> *stop)
{
    try {
        ThresholdJudge judge(ThresholdJudge::ChannelFiguresKept, warnMargin);
        RowSpool spool;
        QString reason;
        if (!spool.Open(&reason))
            return FileError::WriteFailed(xlsxPath, tr("no temporary file for its rows: %1").arg(reason), error);
        QByteArray header;
        const bool read = ReadResultBlocks(
            fibPath,
            [&](MeasurementRows &block, qsizetype count) {
                judge.AddFiber(block, count);
                for (qsizetype i = 0; i < count; ++i) {
                    if (!spool.Append(block.At(i)))
                        return false;
                }
                return true;
            },
            error, stop, FileKinds::Any, &header);
        if (!spool.Rewind(&reason))
            return FileError::WriteFailed(xlsxPath, tr("its rows could not be kept: %1").arg(reason), error);
        if (!read)
            return false;
        judge.Channels();
        const Source source{QFileInfo(NativePath::Display(fibPath)).fileName(), header, &judge, spool.Count(),
                            [&spool](MeasurementRow &row) { return spool.Read(row); }};
        return WriteFile(source, xlsxPath, error, stop);
    } catch (const std::bad_alloc &) {
        return FileError::WriteFailed(xlsxPath, tr("not enough memory"), error);
    }
}

bool ExportRows(const QString &name, const QByteArray &header, const MeasurementRows &rows,
                const QString &xlsxPath, std::optional<double> warnMargin, QString *error,
                const std::atomic<bool> *stop)
{
    try {
        ThresholdJudge judge(ThresholdJudge::ChannelFiguresKept, warnMargin);
        for (qsizetype first = 0; first < rows.Count(); first += ChannelTable::FiberSize) {
            judge.AddFiber(rows, first, qMin<qsizetype>(ChannelTable::FiberSize, rows.Count() - first));
            if (stopped(stop))
                return FileError::WriteFailed(xlsxPath, tr("stopped before the last row"), error);
        }
        judge.Channels();
        qsizetype next = 0;
        const Source source{name, header, &judge, rows.Count(), [&](MeasurementRow &row) {
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

#include "output/CsvExport.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/FileError.h"
#include "data/MemoryAdvice.h"
#include "data/NativePath.h"
#include "data/Texts.h"
#include "output/CsvStreamWriter.h"
#include "output/StagedFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>

namespace CsvExport {

namespace {

// What follows each field on a line, padded to a fixed size for copying.
constexpr int kSeparatorSize = 8;
struct Separator
{
    char text[kSeparatorSize];
    qsizetype length;
};

template<size_t N>
constexpr Separator separator(const char (&text)[N])
{
    static_assert(N - 1 <= kSeparatorSize, "a separator fits its slot");
    Separator s{};
    for (size_t i = 0; i + 1 < N; ++i)
        s.text[i] = text[i];
    s.length = qsizetype(N - 1);
    return s;
}

constexpr Separator kSeparators[MeasurementRow::FieldCount] = {
    separator(",  "), separator(",      "), separator(",     "), separator(",  "),
    separator(",  "), separator(", "),      separator(",\r\n"),
};

constexpr qsizetype separatorsLength()
{
    qsizetype length = 0;
    for (const Separator &s : kSeparators)
        length += s.length;
    return length;
}

static_assert(LongestLine
                  == MeasurementRow::FieldCount * MeasurementRow::MaxFieldLength
                         + separatorsLength(),
              "the longest line is seven full fields and their separators");
static_assert(LineSlack >= MeasurementRow::MaxFieldLength && LineSlack >= kSeparatorSize,
              "a whole field or separator copied at a line's end stays in the slack");

} // namespace

QList<QByteArray> BlockNames(const MeasurementRows &rows, const QList<BlockName> &renamed)
{
    QList<QByteArray> names = ChannelTable::FiberNames(rows);
    for (const BlockName &entry : renamed) {
        if (entry.block >= 0 && entry.block < names.size())
            names[entry.block] = CodePage936::Cut(entry.name, MeasurementRow::MaxFieldLength);
    }
    return names;
}

namespace {

// Copies a field whose width is known when compiling: a few moves.
template<int Field>
char *appendColumn(const char *line, char *out)
{
    constexpr MeasurementRow::Column column = MeasurementRow::Columns[Field];
    std::memcpy(out, line + column.first, size_t(column.width));
    out += column.width;
    std::memcpy(out, kSeparators[Field].text, kSeparatorSize);
    return out + kSeparators[Field].length;
}

char *appendText(QByteArrayView text, int field, char *out)
{
    std::memcpy(out, text.data(), size_t(text.size()));
    out += text.size();
    std::memcpy(out, kSeparators[field].text, kSeparatorSize);
    return out + kSeparators[field].length;
}

} // namespace

char *AppendLine(const MeasurementRows::Row &row, QByteArrayView name, char *out)
{
    out = appendText(name, MeasurementRow::FiberName, out);
    // A table line whose columns hold no zero, nearly every row: its fields
    // are whole columns, copied without measuring.
    if (const char *line = row.PlainLine()) {
        out = appendColumn<MeasurementRow::Channel>(line, out);
        out = appendColumn<MeasurementRow::WaveLength>(line, out);
        out = row.IsLow() ? appendText(row.text(MeasurementRow::Power), MeasurementRow::Power, out)
                          : appendColumn<MeasurementRow::Power>(line, out);
        out = appendColumn<MeasurementRow::Threshold>(line, out);
        out = appendColumn<MeasurementRow::Date>(line, out);
        return appendColumn<MeasurementRow::Time>(line, out);
    }
    for (int f = MeasurementRow::Channel; f < MeasurementRow::FieldCount; ++f)
        out = appendText(row.text(MeasurementRow::Field(f)), f, out);
    return out;
}

QByteArray Text(const MeasurementRows &rows)
{
    return Text(rows, {});
}

QByteArray Text(const MeasurementRows &rows, const QList<QByteArray> &names)
{
    // One pass into a buffer large enough for the longest possible lines:
    // only the pages written are ever touched, and the unused tail is
    // handed back at the end without copying.
    QByteArray text;
    if (rows.IsEmpty())
        return text;
    text.resize(rows.Count() * LongestLine + LineSlack);
    AdviseHugePages(text.data(), size_t(text.size()));
    char *const begin = text.data();
    char *out = begin;
    for (qsizetype i = 0; i < rows.Count(); ++i) {
        const MeasurementRows::Row row = rows.At(i);
        const QByteArrayView name = names.isEmpty() ? row.text(MeasurementRow::FiberName)
                                                    : QByteArrayView(names.at(i / ChannelTable::FiberSize));
        out = AppendLine(row, name, out);
    }
    text.truncate(out - begin);
    text.squeeze();
    return text;
}

namespace {

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

} // namespace

QString SavePath(const QString &chosen, bool *remember)
{
    *remember = chosen.endsWith(QLatin1String(".csv"), Qt::CaseSensitive);
    return *remember ? chosen : chosen + QLatin1String(".csv");
}

bool WriteFile(const QString &path, const QByteArray &text, QString *error)
{
    QString fileError;
    QString notice;
    const bool written = StagedFile::Write(
        path, [&](QIODevice &file) { return file.write(text) == text.size(); }, &fileError, &notice);
    if (!written)
        return FileError::WriteFailed(path, fileError, error);
    if (error)
        *error = notice;
    return true;
}

bool StreamResultFile(const QString &fibPath, const CsvSink &sink, QString *error,
                      const std::atomic<bool> *stop, qsizetype blockSize, Misalignment *misaligned)
{
    CsvStreamWriter writer(sink);
    const bool read = ReadResultTable(
        fibPath, [&](QByteArrayView table) { return !stopped(stop) && writer.Add(table); }, error,
        blockSize, stop);
    const bool written = read && !stopped(stop) && writer.Finish();
    if (misaligned)
        *misaligned = writer.Misaligned();
    return written;
}

bool ExportResultFile(const QString &fibPath, const QString &csvPath, QString *error,
                      const std::atomic<bool> *stop, qsizetype blockSize, Misalignment *misaligned)
{
    QString readError;
    QString fileError;
    QString notice;
    const bool written = StagedFile::Write(
        csvPath,
        [&](QIODevice &file) {
            auto sink = [&](QByteArrayView csv) {
                return file.write(csv.data(), csv.size()) == csv.size();
            };
            return StreamResultFile(fibPath, sink, &readError, stop, blockSize, misaligned);
        },
        &fileError, &notice);
    if (written) {
        if (error)
            *error = notice;
        return true;
    }
    if (!fileError.isEmpty())
        return FileError::WriteFailed(csvPath, fileError, error);
    if (error)
        *error = stopped(stop) ? Texts::tr("Stopped before \"%1\" was written").arg(NativePath::Display(csvPath))
                               : readError;
    return false;
}

} // namespace CsvExport

#include "output/CsvExport.h"

#include "data/ChannelTable.h"
#include "data/MemoryAdvice.h"
#include "output/CsvStreamWriter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace CsvExport {

namespace {

struct Separator
{
    const char *text;
    size_t length;
};

template<size_t N>
constexpr Separator separator(const char (&text)[N])
{
    return {text, N - 1};
}

// What follows each field on a line.
constexpr Separator kSeparators[MeasurementRow::FieldCount] = {
    separator(",  "), separator(",      "), separator(",     "), separator(",  "),
    separator(",  "), separator(", "),      separator(",\r\n"),
};

constexpr qsizetype separatorsLength()
{
    qsizetype length = 0;
    for (const Separator &s : kSeparators)
        length += qsizetype(s.length);
    return length;
}

static_assert(LongestLine
                  == MeasurementRow::FieldCount * MeasurementRow::MaxFieldLength
                         + separatorsLength(),
              "the longest line is seven full fields and their separators");

} // namespace

void StampFiberNames(MeasurementRows &rows, const QList<QByteArray> &namesByBlock)
{
    for (qsizetype block = 0; block < namesByBlock.size(); ++block) {
        const qsizetype first = block * ChannelTable::FiberSize;
        const qsizetype end = qMin(first + ChannelTable::FiberSize, rows.Count());
        for (qsizetype i = first; i < end; ++i)
            rows.SetFiberName(i, namesByBlock.at(block));
    }
}

char *AppendLine(const MeasurementRow &row, char *out)
{
    for (int f = 0; f < MeasurementRow::FieldCount; ++f) {
        const QByteArrayView field = row.text(MeasurementRow::Field(f));
        std::memcpy(out, field.data(), size_t(field.size()));
        out += field.size();
        std::memcpy(out, kSeparators[f].text, kSeparators[f].length);
        out += kSeparators[f].length;
    }
    return out;
}

QByteArray Text(const MeasurementRows &rows)
{
    // One pass into a buffer large enough for the longest possible lines:
    // only the pages written are ever touched, and the unused tail is
    // handed back at the end without copying.
    QByteArray text;
    if (rows.IsEmpty())
        return text;
    text.resize(rows.Count() * LongestLine);
    AdviseHugePages(text.data(), size_t(text.size()));
    char *const begin = text.data();
    char *out = begin;
    for (qsizetype i = 0; i < rows.Count(); ++i)
        out = AppendLine(rows.At(i), out);
    text.truncate(out - begin);
    text.squeeze();
    return text;
}

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CsvExport", text);
}

bool writeFailed(const QString &path, const QString &reason, QString *error)
{
    if (error)
        *error = tr("Cannot write \"%1\": %2").arg(path, reason);
    return false;
}

bool openTarget(QSaveFile &file, QString *error)
{
    if (QFileInfo(file.fileName()).isDir())
        return writeFailed(file.fileName(), tr("it is a folder"), error);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailed(file.fileName(), file.errorString(), error);
    return true;
}

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

} // namespace

bool WriteFile(const QString &path, const QByteArray &text, QString *error)
{
    auto fail = [&](const QString &reason) { return writeFailed(path, reason, error); };
    QSaveFile file(path);
    if (!openTarget(file, error))
        return false;
    if (file.write(text) != text.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool StreamResultFile(const QString &fibPath, const CsvSink &sink, QString *error,
                      const std::atomic<bool> *stop, qsizetype blockSize)
{
    CsvStreamWriter writer(sink);
    const bool read = ReadResultTable(
        fibPath, [&](QByteArrayView table) { return !stopped(stop) && writer.Add(table); }, error,
        blockSize);
    return read && !stopped(stop) && writer.Finish();
}

bool ExportResultFile(const QString &fibPath, const QString &csvPath, QString *error,
                      const std::atomic<bool> *stop, qsizetype blockSize)
{
    QSaveFile file(csvPath);
    if (!openTarget(file, error))
        return false;
    QString writeError;
    auto sink = [&](QByteArrayView csv) {
        if (file.write(csv.data(), csv.size()) == csv.size())
            return true;
        writeError = file.errorString();
        return false;
    };
    QString readError;
    if (!StreamResultFile(fibPath, sink, &readError, stop, blockSize)) {
        file.cancelWriting();
        if (!writeError.isEmpty())
            return writeFailed(csvPath, writeError, error);
        if (error)
            *error = stopped(stop) ? tr("Stopped before \"%1\" was written").arg(csvPath)
                                   : readError;
        return false;
    }
    if (!file.commit())
        return writeFailed(csvPath, file.errorString(), error);
    return true;
}

} // namespace CsvExport

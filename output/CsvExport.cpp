#include "output/CsvExport.h"

#include "data/ChannelTable.h"
#include "data/MemoryAdvice.h"

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

QByteArray Text(const MeasurementRows &rows)
{
    // One pass into a buffer large enough for the longest possible lines:
    // only the pages written are ever touched, and the unused tail is
    // handed back at the end without copying.
    const qsizetype longestLine =
        MeasurementRow::FieldCount * MeasurementRow::MaxFieldLength + separatorsLength();
    QByteArray text;
    if (rows.IsEmpty())
        return text;
    text.resize(rows.Count() * longestLine);
    AdviseHugePages(text.data(), size_t(text.size()));
    char *const begin = text.data();
    char *out = begin;
    for (qsizetype i = 0; i < rows.Count(); ++i) {
        const MeasurementRow &row = rows.At(i);
        for (int f = 0; f < MeasurementRow::FieldCount; ++f) {
            const QByteArrayView field = row.text(MeasurementRow::Field(f));
            std::memcpy(out, field.data(), size_t(field.size()));
            out += field.size();
            std::memcpy(out, kSeparators[f].text, kSeparators[f].length);
            out += kSeparators[f].length;
        }
    }
    text.truncate(out - begin);
    text.squeeze();
    return text;
}

bool WriteFile(const QString &path, const QByteArray &text, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = QCoreApplication::translate("CsvExport", "Cannot write \"%1\": %2")
                         .arg(path, reason);
        return false;
    };
    if (QFileInfo(path).isDir())
        return fail(QCoreApplication::translate("CsvExport", "it is a folder"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(text) != text.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace CsvExport

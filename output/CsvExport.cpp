#include "output/CsvExport.h"

#include "data/ChannelTable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace CsvExport {

namespace {

// What follows each field on a line.
constexpr const char *kSeparators[MeasurementRow::FieldCount] = {
    ",  ", ",      ", ",     ", ",  ", ",  ", ", ", ",\r\n",
};

qsizetype separatorsLength()
{
    qsizetype length = 0;
    for (const char *separator : kSeparators)
        length += qsizetype(std::strlen(separator));
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
    // Sized exactly first, then filled: one allocation for any table.
    const qsizetype fixed = separatorsLength();
    qsizetype total = 0;
    for (qsizetype i = 0; i < rows.Count(); ++i) {
        const MeasurementRow &row = rows.At(i);
        total += fixed;
        for (int f = 0; f < MeasurementRow::FieldCount; ++f)
            total += row.text(MeasurementRow::Field(f)).size();
    }

    QByteArray text;
    text.resize(total);
    char *out = text.data();
    for (qsizetype i = 0; i < rows.Count(); ++i) {
        const MeasurementRow &row = rows.At(i);
        for (int f = 0; f < MeasurementRow::FieldCount; ++f) {
            const QByteArrayView field = row.text(MeasurementRow::Field(f));
            std::memcpy(out, field.data(), size_t(field.size()));
            out += field.size();
            const size_t separator = std::strlen(kSeparators[f]);
            std::memcpy(out, kSeparators[f], separator);
            out += separator;
        }
    }
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

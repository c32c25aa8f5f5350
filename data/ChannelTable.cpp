#include "data/ChannelTable.h"

#include "data/ClassicAtof.h"

#include <cstring>

namespace ChannelTable {

namespace {

struct Column
{
    MeasurementRow::Field field;
    int first;
    int width;
};

constexpr Column kColumns[] = {
    {MeasurementRow::FiberName, 0, 8},  {MeasurementRow::Channel, 10, 2},
    {MeasurementRow::WaveLength, 18, 6}, {MeasurementRow::Power, 29, 8},
    {MeasurementRow::Threshold, 39, 8}, {MeasurementRow::Date, 49, 10},
    {MeasurementRow::Time, 60, 8},
};

constexpr double kLowLimit = -99.9;
constexpr char kLow[] = "Low";

} // namespace

int ColumnWidth(MeasurementRow::Field field)
{
    for (const Column &column : kColumns) {
        if (column.field == field)
            return column.width;
    }
    return 0;
}

bool IsLowPower(QByteArrayView power)
{
    return ClassicAtof(power.data(), power.data() + power.size()) < kLowLimit;
}

void CutLine(const char *line, MeasurementRow &row)
{
    for (const Column &column : kColumns)
        std::memcpy(row.field(column.field), line + column.first, size_t(column.width));
    // A zero inside a field would end its text early, as it does everywhere
    // a field is read; the reader has already dropped all zero bytes.
    if (IsLowPower(row.text(MeasurementRow::Power)))
        row.setText(MeasurementRow::Power, kLow);
}

QByteArray FormatLine(const MeasurementRow &row)
{
    QByteArray line(LineLength, ' ');
    line[LineLength - 1] = '\n';
    for (const Column &column : kColumns) {
        const QByteArrayView text = row.text(column.field).first(
            qMin<qsizetype>(column.width, row.text(column.field).size()));
        std::memcpy(line.data() + column.first, text.data(), size_t(text.size()));
    }
    return line;
}

MeasurementRows CutTable(const QByteArray &table)
{
    const qsizetype lines = table.size() / LineLength;
    MeasurementRows rows;
    rows.Reserve(lines);
    const char *data = table.constData();
    for (qsizetype k = 0; k < lines; ++k)
        CutLine(data + k * LineLength, rows.AppendEmpty());
    return rows;
}

QByteArray ListedPower(QByteArrayView power)
{
    if (power.size() >= 5 && power.first(5) == QByteArrayView("-99.9"))
        return QByteArray(kLow);
    return power.toByteArray();
}

qsizetype FiberCount(qsizetype rowCount)
{
    return (rowCount + FiberSize - 1) / FiberSize;
}

QList<QByteArray> FiberNames(const MeasurementRows &rows)
{
    QList<QByteArray> names;
    names.reserve(FiberCount(rows.Count()));
    for (qsizetype i = 0; i < rows.Count(); i += FiberSize)
        names.append(rows.At(i).text(MeasurementRow::FiberName).toByteArray());
    return names;
}

} // namespace ChannelTable

#include "data/ChannelTable.h"

#include "data/ClassicAtof.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <utility>

namespace ChannelTable {

namespace {

constexpr double kLowLimit = -99.9;
constexpr char kLow[] = "Low";

// Each column is copied with its width known when compiling, so that the
// copies become a few moves rather than a library call each.
template<size_t Index>
void cutColumn(const char *line, MeasurementRow &row)
{
    constexpr MeasurementRow::Column column = MeasurementRow::Columns[Index];
    char *field = row.field(MeasurementRow::Field(Index));
    std::memcpy(field, line + column.first, size_t(column.width));
    field[column.width] = '\0';
}

template<size_t... Index>
void cutColumns(const char *line, MeasurementRow &row, std::index_sequence<Index...>)
{
    (cutColumn<Index>(line, row), ...);
}

} // namespace

int ColumnWidth(MeasurementRow::Field field)
{
    return MeasurementRow::Columns[field].width;
}

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// True when the text's leading number surely lies above -90: no minus sign,
// or at most two whole digits of which the first is not 9, and no exponent.
// Nearly every power reads so; the others are converted in full.
bool surelyAboveLowLimit(const char *p, const char *end)
{
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    if (p == end || *p != '-')
        return true;
    const char *digits = ++p;
    while (p < end && isDigit(*p))
        ++p;
    const qsizetype whole = p - digits;
    if (whole > 2 || (whole == 2 && *digits == '9'))
        return false;
    if (p < end && *p == '.')
        for (++p; p < end && isDigit(*p);)
            ++p;
    return p == end || (*p != 'e' && *p != 'E');
}

} // namespace

bool IsLowPower(QByteArrayView power)
{
    const char *begin = power.data();
    const char *end = begin + power.size();
    return !surelyAboveLowLimit(begin, end) && ClassicAtof(begin, end) < kLowLimit;
}

bool IsLow(QByteArrayView power)
{
    // Compared by hand: this runs for every row judged, and a library
    // call costs more than the three bytes.
    return power.size() == 3 && power[0] == 'L' && power[1] == 'o' && power[2] == 'w';
}

bool ReadPower(QByteArrayView power, double &value)
{
    return !IsLow(power) && ReadClassicNumber(power.data(), power.data() + power.size(), value)
        && std::isfinite(value);
}

std::optional<double> PowerValue(QByteArrayView power)
{
    double value = 0;
    if (!ReadPower(power, value))
        return std::nullopt;
    return value;
}

void CutLine(const char *line, MeasurementRow &row)
{
    cutColumns(line, row, std::make_index_sequence<MeasurementRow::FieldCount>());
    // A zero inside a field would end its text early, as it does everywhere
    // a field is read; the reader has already dropped all zero bytes.
    if (IsLowPower(row.text(MeasurementRow::Power)))
        row.setText(MeasurementRow::Power, kLow);
}

QByteArray FormatLine(const MeasurementRow &row)
{
    QByteArray line(LineLength, ' ');
    line[LineLength - 1] = '\n';
    for (int f = 0; f < MeasurementRow::FieldCount; ++f) {
        const MeasurementRow::Column column = MeasurementRow::Columns[f];
        const QByteArrayView text = row.text(MeasurementRow::Field(f));
        std::memcpy(line.data() + column.first, text.data(),
                    size_t(qMin<qsizetype>(column.width, text.size())));
    }
    return line;
}

MeasurementRows CutTable(QByteArray table)
{
    return MeasurementRows::FromTable(std::move(table));
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

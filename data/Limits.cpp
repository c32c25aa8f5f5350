#include "data/Limits.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>

#include <algorithm>

#include <cmath>

namespace {

const char *const kColumns[] = {"channel", "lower", "upper", "warn"};
constexpr int kColumnCount = 4;
const qint64 kMostBytes = 1 << 20; // a limits file is a few hundred bytes

QByteArrayView unquoted(QByteArrayView cell)
{
    cell = cell.trimmed();
    if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"')
        cell = cell.sliced(1, cell.size() - 2).trimmed();
    return cell;
}

QList<QByteArrayView> cellsOf(QByteArrayView line)
{
    QList<QByteArrayView> cells;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line.at(i) == ',') {
            cells.append(unquoted(line.sliced(from, i - from)));
            from = i + 1;
        }
    }
    return cells;
}

// The cell's column where the first byte that is not UTF-8 lies.
int columnOfBadBytes(QByteArrayView line)
{
    int column = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString decoded = decoder.decode(line.first(i + 1));
        if (decoder.hasError())
            return qMin(column, kColumnCount - 1);
        if (line.at(i) == ',')
            ++column;
    }
    return 0;
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

QByteArray numberText(double value)
{
    return QByteArray::number(value, 'g', 17);
}

} // namespace

QString Limits::Source() const
{
    return m_name.isEmpty() ? QStringLiteral("file") : m_name;
}

int Limits::ChannelNumber(QByteArrayView text)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 2)
        return 0;
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + (c - '0');
    }
    return number >= 1 && number <= Channels ? number : 0;
}

const ChannelLimit *Limits::OfNumber(int channel) const
{
    if (channel < 1 || channel > Channels)
        return nullptr;
    const std::optional<ChannelLimit> &limit = m_limits[size_t(channel - 1)];
    return limit ? &*limit : nullptr;
}

const ChannelLimit *Limits::Of(QByteArrayView shownText) const
{
    return m_any ? OfNumber(ChannelNumber(shownText)) : nullptr;
}

void Limits::Set(int channel, const ChannelLimit &limit)
{
    if (channel < 1 || channel > Channels)
        return;
    m_limits[size_t(channel - 1)] = limit;
    m_any = true;
}

void Limits::Clear(int channel)
{
    if (channel < 1 || channel > Channels)
        return;
    m_limits[size_t(channel - 1)].reset();
    m_any = std::any_of(m_limits.begin(), m_limits.end(), [](const auto &limit) { return limit.has_value(); });
}

bool Limits::AnyWarn() const
{
    return std::any_of(m_limits.begin(), m_limits.end(),
                       [](const std::optional<ChannelLimit> &limit) { return limit && limit->warn; });
}

bool Limits::Parse(QByteArrayView bytes, const QString &name, Limits *limits, QString *error)
{
    const auto fail = [&](qsizetype line, int column, const QString &what) {
        if (error) {
            *error = column < 0 ? tr("%1: line %2: %3").arg(name).arg(line).arg(what)
                                : tr("%1: line %2, column %3: %4")
                                      .arg(name)
                                      .arg(line)
                                      .arg(QLatin1String(kColumns[column]), what);
        }
        return false;
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    Limits read;
    read.m_name = name;
    std::array<qsizetype, Channels> firstLine = {};
    bool headerSeen = false;
    qsizetype lineNumber = 0;
    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(from, end - from);
        from = end + 1;
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (!isUtf8(line))
            return fail(lineNumber, columnOfBadBytes(line), tr("bytes that are not UTF-8"));
        if (line.trimmed().isEmpty())
            continue;
        const QList<QByteArrayView> cells = cellsOf(line);
        if (!headerSeen) {
            bool header = cells.size() == kColumnCount;
            for (int c = 0; header && c < kColumnCount; ++c)
                header = cells.at(c).compare(kColumns[c], Qt::CaseInsensitive) == 0;
            if (!header)
                return fail(lineNumber, -1, tr("the header must be channel,lower,upper,warn"));
            headerSeen = true;
            continue;
        }
        if (cells.size() != kColumnCount) {
            return fail(lineNumber, qMin<int>(int(cells.size()), kColumnCount) - 1,
                        tr("%1 cells where there must be 4").arg(cells.size()));
        }
        const int channel = ChannelNumber(cells.at(0));
        if (channel == 0) {
            return fail(lineNumber, 0, tr("\"%1\" is not a channel (01 to 18)")
                                           .arg(QString::fromUtf8(cells.at(0).data(), cells.at(0).size())));
        }
        if (const qsizetype first = firstLine[size_t(channel - 1)]) {
            return fail(lineNumber, 0,
                        tr("channel %1 is listed again (first on line %2)").arg(channel, 2, 10, QLatin1Char('0')).arg(first));
        }
        ChannelLimit limit;
        std::optional<double> *const values[] = {&limit.lower, &limit.upper, &limit.warn};
        for (int c = 1; c < kColumnCount; ++c) {
            const QByteArrayView cell = cells.at(c);
            if (cell.isEmpty())
                continue;
            bool ok = false;
            const double value = cell.toByteArray().toDouble(&ok);
            if (!ok || !std::isfinite(value)) {
                return fail(lineNumber, c, tr("\"%1\" is not a number")
                                               .arg(QString::fromUtf8(cell.data(), cell.size())));
            }
            *values[c - 1] = value;
        }
        if (limit.warn && *limit.warn < 0)
            return fail(lineNumber, 3, tr("a band of %1 dB: it must be 0 or more").arg(*limit.warn));
        if (limit.lower && limit.upper && *limit.lower > *limit.upper)
            return fail(lineNumber, 1, tr("lower %1 is above upper %2").arg(*limit.lower).arg(*limit.upper));
        firstLine[size_t(channel - 1)] = lineNumber;
        read.Set(channel, limit);
    }
    if (!headerSeen)
        return fail(qMax<qsizetype>(lineNumber, 1), -1, tr("the header must be channel,lower,upper,warn"));
    *limits = read;
    return true;
}

bool Limits::Read(const QString &path, Limits *limits, QString *error)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = tr("%1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(kMostBytes + 1);
    if (bytes.size() > kMostBytes) {
        if (error)
            *error = tr("%1: more than 1 MB, not a file of limits").arg(path);
        return false;
    }
    return Parse(bytes, name, limits, error);
}

QByteArray Limits::ToCsv() const
{
    QByteArray csv = "channel,lower,upper,warn\n";
    const auto cell = [](const std::optional<double> &value) { return value ? numberText(*value) : QByteArray(); };
    for (int channel = 1; channel <= Channels; ++channel) {
        if (const ChannelLimit *limit = OfNumber(channel)) {
            csv += QByteArray::number(channel).rightJustified(2, '0') + ',' + cell(limit->lower) + ','
                + cell(limit->upper) + ',' + cell(limit->warn) + '\n';
        }
    }
    return csv;
}

QByteArray Limits::Signature() const
{
    return IsEmpty() ? QByteArray() : m_name.toUtf8() + '\n' + ToCsv();
}

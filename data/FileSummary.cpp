#include "data/FileSummary.h"

#include "data/ChannelColumns.h"
#include "data/FileError.h"
#include "data/Texts.h"
#include "data/TextKey.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QtEndian>

#include <cstring>
#include <new>

namespace {

// What Encode's and EncodeBand's bytes start with; a new layout takes a
// new one.
constexpr char kMagic[] = "QVS3";
constexpr char kBandMagic[] = "QVB2";

// Channel and wave length texts repeat in every file of a lot: held once.
QByteArray shared(QByteArrayView text)
{
    static QMutex mutex;
    // Each key views the bytes of its own value.
    static QHash<TextKey, QByteArray> texts;
    const QMutexLocker lock(&mutex);
    if (const auto found = texts.constFind(TextKey{text}); found != texts.constEnd())
        return *found;
    // A lot of odd files must not grow the set without end.
    const QByteArray held = text.toByteArray();
    if (texts.size() < 4096)
        texts.insert(TextKey{held}, held);
    return held;
}

class Writer
{
public:
    void Integer(qint64 value)
    {
        const quint64 little = qToLittleEndian(quint64(value));
        m_out.append(reinterpret_cast<const char *>(&little), sizeof little);
    }
    void Real(double value)
    {
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        Integer(qint64(bits));
    }
    void Bytes(QByteArrayView bytes)
    {
        Integer(bytes.size());
        m_out.append(bytes.data(), bytes.size());
    }
    QByteArray Take() { return std::move(m_out); }

private:
    QByteArray m_out;
};

// Reads what Writer wrote; once anything does not fit, every later read
// gives nothing and Ok() is false.
class Reader
{
public:
    explicit Reader(QByteArrayView in) : m_in(in) {}

    qint64 Integer()
    {
        if (!take(8))
            return 0;
        quint64 little;
        std::memcpy(&little, m_in.data() + m_at - 8, 8);
        return qint64(qFromLittleEndian(little));
    }
    double Real()
    {
        const quint64 bits = quint64(Integer());
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    QByteArray Bytes() { return View().toByteArray(); }
    // The same bytes, not copied: valid while the bytes read are.
    QByteArrayView View()
    {
        const qint64 size = Integer();
        if (size < 0 || size > m_in.size() - m_at || !take(size))
            return QByteArrayView();
        return m_in.sliced(m_at - size, size);
    }
    // A count of items of at least `itemSize` bytes each, which the bytes
    // left can hold.
    qint64 Count(qint64 itemSize)
    {
        const qint64 count = Integer();
        if (count < 0 || count > (m_in.size() - m_at) / itemSize)
            m_ok = false;
        return m_ok ? count : 0;
    }
    void Require(bool condition) { m_ok = m_ok && condition; }
    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_at == m_in.size(); }

private:
    bool take(qint64 size)
    {
        if (!m_ok || size > m_in.size() - m_at) {
            m_ok = false;
            return false;
        }
        m_at += size;
        return true;
    }

    QByteArrayView m_in;
    qsizetype m_at = 0;
    bool m_ok = true;
};

FileSummary::Channel channelOf(const ThresholdJudge::ChannelFigures &figures)
{
    FileSummary::Channel channel;
    channel.channel = shared(figures.channel);
    channel.waveLength = shared(figures.waveLength);
    channel.values.reserve(ChannelColumns::All().size());
    for (const ChannelColumns::Column &column : ChannelColumns::All())
        channel.values.append(FileSummary::Held(column.get(figures)));
    return channel;
}

// The figures that hold whatever the band; the banded ones go with the band.
void writeChannel(Writer &out, const FileSummary::Channel &channel)
{
    out.Bytes(channel.channel);
    out.Bytes(channel.waveLength);
    const QList<ChannelColumns::Column> &columns = ChannelColumns::All();
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (!columns.at(i).banded)
            out.Real(channel.Value(i));
    }
}

FileSummary::Channel readChannel(Reader &in)
{
    FileSummary::Channel channel;
    channel.channel = shared(in.View());
    channel.waveLength = shared(in.View());
    const QList<ChannelColumns::Column> &columns = ChannelColumns::All();
    channel.values.reserve(columns.size());
    for (const ChannelColumns::Column &column : columns)
        channel.values.append(column.banded ? NAN : in.Real());
    return channel;
}

// The columns kept with the band.
QList<qsizetype> bandedColumns()
{
    QList<qsizetype> banded;
    const QList<ChannelColumns::Column> &columns = ChannelColumns::All();
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns.at(i).banded)
            banded.append(i);
    }
    return banded;
}

qsizetype unbandedColumns()
{
    return ChannelColumns::All().size() - bandedColumns().size();
}

bool isReason(qint64 reason)
{
    return reason == ThresholdJudge::Incomplete || reason == ThresholdJudge::BelowThreshold
        || reason == ThresholdJudge::Low || reason == ThresholdJudge::NoNumber
        || reason == ThresholdJudge::Misaligned || reason == ThresholdJudge::BelowLimit
        || reason == ThresholdJudge::AboveLimit;
}

} // namespace

bool FileSummary::Read(const QString &path, const JudgeInputs &inputs, FileKinds kinds,
                       const std::atomic<bool> *stop, FileSummary *summary, QString *error,
                       const JudgePipeline::FiberSink &each)
{
    FileSummary read;
    JudgePipeline pipeline(inputs);
    try {
        const bool whole = pipeline.ReadFile(
            path,
            [&](qsizetype block, const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first) {
                read.Take(fiber, rows, first);
                return !each || each(block, fiber, rows, first);
            },
            error, stop, kinds, &read.m_contentHash);
        if (!whole)
            return false;
        read.End(pipeline);
    } catch (const std::bad_alloc &) {
        return FileError::ReadFailed(path, Texts::tr("not enough memory"), error);
    }
    *summary = std::move(read);
    return true;
}

void FileSummary::Take(const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first)
{
    const MeasurementRows::Row row = rows.At(first);
    StoredFiber stored;
    stored.time = RowTime::Parse(row.text(MeasurementRow::Date), row.text(MeasurementRow::Time));
    stored.passed = fiber.passed();
    if (m_fiberList.isEmpty())
        m_firstTime = stored.time;
    m_names.append(fiber.name.trimmed());
    stored.nameEnd = quint32(m_names.size());
    m_fiberList.append(stored);
}

void FileSummary::End(const JudgePipeline &pipeline)
{
    const ThresholdJudge &judge = pipeline.Judge();
    m_misaligned = pipeline.Misaligned();
    m_warnMargin = judge.WarnMargin();
    m_banded = judge.Banded();
    m_fibers = judge.FiberCount();
    m_failed = judge.FailedCount();
    m_marginal = judge.MarginalCount();
    m_channels.clear();
    for (const ThresholdJudge::ChannelFigures &figures : judge.Channels())
        m_channels.append(channelOf(figures));
    m_paretoChannels = judge.ParetoChannels();
    for (ThresholdJudge::ChannelCount &count : m_paretoChannels)
        count.channel = shared(count.channel);
    m_paretoReasons = judge.ParetoReasons();
    m_names.squeeze();
    m_fiberList.squeeze();
    findWorstChannel();
}

void FileSummary::findWorstChannel()
{
    m_worstChannel.clear();
    if (!m_paretoChannels.isEmpty()) {
        m_worstChannel = m_paretoChannels.first().channel;
        return;
    }
    double least = NAN;
    for (const Channel &channel : std::as_const(m_channels)) {
        static const qsizetype kMarginMean = ChannelColumns::IndexOf("margin_mean");
        const double mean = channel.Value(kMarginMean);
        if (!std::isnan(mean) && (std::isnan(least) || mean < least)) {
            least = mean;
            m_worstChannel = channel.channel;
        }
    }
}

double FileSummary::Channel::Value(const char *key) const
{
    return Value(ChannelColumns::IndexOf(key));
}

std::optional<double> FileSummary::MinCpk() const
{
    double least = NAN;
    for (const Channel &channel : m_channels) {
        static const qsizetype kCpk = ChannelColumns::IndexOf("cpk");
        const double cpk = channel.Value(kCpk);
        if (!std::isnan(cpk) && (std::isnan(least) || cpk < least))
            least = cpk;
    }
    return Held(least);
}

FileSummary::Fiber FileSummary::FiberAt(qsizetype index) const
{
    const StoredFiber &stored = m_fiberList.at(index);
    const quint32 start = index == 0 ? 0 : m_fiberList.at(index - 1).nameEnd;
    return {QByteArrayView(m_names.constData() + start, stored.nameEnd - start), stored.passed, stored.time};
}

QByteArray FileSummary::Encode() const
{
    Writer out;
    out.Bytes(QByteArrayView(kMagic, 4));
    for (const qint64 value : {m_fibers, m_failed, m_firstTime, qint64(m_misaligned.row), qint64(m_misaligned.line),
                               qint64(m_misaligned.length), qint64(m_misaligned.least)})
        out.Integer(value);
    out.Integer(m_channels.size());
    for (const Channel &channel : m_channels)
        writeChannel(out, channel);
    out.Integer(m_paretoChannels.size());
    for (const ThresholdJudge::ChannelCount &count : m_paretoChannels) {
        out.Bytes(count.channel);
        out.Integer(count.fibers);
    }
    out.Integer(m_paretoReasons.size());
    for (const ThresholdJudge::ReasonCount &count : m_paretoReasons) {
        out.Integer(count.reason);
        out.Integer(count.fibers);
    }
    out.Bytes(m_names);
    out.Integer(m_fiberList.size());
    for (const StoredFiber &fiber : m_fiberList) {
        out.Integer(fiber.time);
        out.Integer(qint64(fiber.nameEnd) << 1 | (fiber.passed ? 1 : 0));
    }
    return out.Take();
}

QByteArray FileSummary::EncodeBand() const
{
    Writer out;
    out.Bytes(QByteArrayView(kBandMagic, 4));
    out.Integer(m_warnMargin.has_value());
    out.Real(m_warnMargin.value_or(0));
    out.Integer(m_marginal);
    const QList<qsizetype> banded = bandedColumns();
    out.Integer(m_channels.size());
    for (const Channel &channel : m_channels) {
        for (const qsizetype column : banded)
            out.Real(channel.Value(column));
    }
    return out.Take();
}

bool FileSummary::Decode(QByteArrayView bytes, QByteArrayView bandBytes, FileSummary *summary)
{
    Reader band(bandBytes);
    FileSummary read;
    band.Require(band.Bytes() == QByteArray(kBandMagic, 4));
    const bool banded = band.Integer() != 0;
    const double margin = band.Real();
    if (banded)
        read.m_warnMargin = margin;
    read.m_banded = banded;
    read.m_marginal = band.Integer();
    const QList<qsizetype> bandColumns = bandedColumns();
    const qint64 bandChannels = band.Count(8 * qMax<qsizetype>(1, bandColumns.size()));

    Reader in(bytes);
    in.Require(in.Bytes() == QByteArray(kMagic, 4));
    for (qint64 *value : {&read.m_fibers, &read.m_failed, &read.m_firstTime})
        *value = in.Integer();
    for (qsizetype *value :
         {&read.m_misaligned.row, &read.m_misaligned.line, &read.m_misaligned.length, &read.m_misaligned.least})
        *value = qsizetype(in.Integer());
    const qint64 channels = in.Count(16 + 8 * unbandedColumns());
    read.m_channels.reserve(channels);
    for (qint64 i = 0; i < channels; ++i)
        read.m_channels.append(readChannel(in));
    const qint64 paretoChannels = in.Count(16);
    read.m_paretoChannels.reserve(paretoChannels);
    for (qint64 i = 0; i < paretoChannels; ++i) {
        ThresholdJudge::ChannelCount pareto;
        pareto.channel = shared(in.View());
        pareto.fibers = in.Integer();
        read.m_paretoChannels.append(pareto);
    }
    for (qint64 i = 0, count = in.Count(16); i < count; ++i) {
        const qint64 reason = in.Integer();
        in.Require(isReason(reason));
        read.m_paretoReasons.append({ThresholdJudge::Failure(reason), in.Integer()});
    }
    read.m_names = in.Bytes();
    const qint64 fibers = in.Count(16);
    read.m_fiberList.reserve(fibers);
    quint32 nameEnd = 0;
    for (qint64 i = 0; i < fibers; ++i) {
        StoredFiber fiber;
        fiber.time = in.Integer();
        const qint64 packed = in.Integer();
        in.Require(packed >= 0 && (packed >> 1) >= nameEnd && (packed >> 1) <= read.m_names.size());
        fiber.nameEnd = nameEnd = quint32(in.Ok() ? packed >> 1 : nameEnd);
        fiber.passed = (packed & 1) != 0;
        read.m_fiberList.append(fiber);
    }
    in.Require(in.AtEnd() && fibers == read.m_fibers && read.m_failed >= 0 && read.m_failed <= read.m_fibers
               && nameEnd == read.m_names.size());
    band.Require(bandChannels == read.m_channels.size());
    for (Channel &channel : read.m_channels) {
        for (const qsizetype column : bandColumns)
            channel.values[column] = band.Real();
    }
    band.Require(band.AtEnd() && read.m_marginal >= 0 && read.m_marginal <= read.m_fibers - read.m_failed);
    if (!in.Ok() || !band.Ok())
        return false;
    read.findWorstChannel();
    *summary = std::move(read);
    return true;
}

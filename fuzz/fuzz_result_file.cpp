// libFuzzer target: arbitrary bytes as a result file. The reader's texts
// are compared with a plain byte-at-a-time reading of the format's rules;
// the text is also read block by block, with blocks of a size that varies
// from input to input, and its streamed CSV compared with the CSV that the
// window builds from the whole table. The rows are judged too: every
// figure of a channel is a finite number or none, the percentiles lie in
// order between the least and the greatest power, and a histogram drawn
// of them counts every numeric power once, on its axis or off it.

#include "data/ChannelTable.h"
#include "data/ClassicAtof.h"
#include "data/ResultFile.h"
#include "data/ThresholdJudge.h"
#include "output/CsvExport.h"
#include "output/DistributionChart.h"
#include "output/CsvStreamWriter.h"

#include <QBuffer>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// One byte at a time, as a text-mode stream delivers them and as the
// reading procedure takes them: 0x1A ends the input; CR followed at once
// by LF arrives as LF; a zero byte is read but added to nothing; every line
// feed after the first byte read counts, and the fifth ends the header.
ResultFileText referenceRead(const QByteArray &bytes)
{
    QByteArray text;
    ResultFileText result;
    qsizetype split = -1;
    int lineFeeds = 0;
    bool first = true;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        char c = bytes.at(i);
        if (c == '\x1a')
            break;
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') {
            c = '\n';
            ++i;
        }
        if (c != '\0')
            text.append(c);
        if (!first && c == '\n' && ++lineFeeds == 5) {
            result.header = text;
            split = text.size();
        }
        first = false;
    }
    if (split >= 0)
        result.table = text.mid(split);
    return result;
}

QByteArray windowCsv(const QByteArray &table)
{
    const MeasurementRows rows = ChannelTable::CutTable(table);
    return CsvExport::Text(rows, CsvExport::BlockNames(rows));
}

// The rows, held as the table's own bytes, give every field the text that
// cutting its line into a record of seven fixed fields gives.
void checkRowsAgainstRecords(const QByteArray &table)
{
    const MeasurementRows rows = ChannelTable::CutTable(table);
    check(rows.Count() == table.size() / ChannelTable::LineLength);
    MeasurementRow record;
    for (qsizetype i = 0; i < rows.Count(); ++i) {
        ChannelTable::CutLine(table.constData() + i * ChannelTable::LineLength, record);
        for (int f = 0; f < MeasurementRow::FieldCount; ++f)
            check(rows.At(i).text(MeasurementRow::Field(f)) == record.text(MeasurementRow::Field(f)));
    }
}

bool finiteOrNone(const std::optional<double> &value)
{
    return !value || std::isfinite(*value);
}

void checkStatistics(const QByteArray &table)
{
    const MeasurementRows rows = ChannelTable::CutTable(table);
    ThresholdJudge judge(ThresholdJudge::ChannelFiguresKept, 0.5);
    for (qsizetype first = 0; first < rows.Count(); first += ChannelTable::FiberSize)
        judge.AddFiber(rows, first, qMin<qsizetype>(ChannelTable::FiberSize, rows.Count() - first));
    check(judge.MarginalCount() <= judge.FiberCount() - judge.FailedCount());
    const DistributionChart chart(judge);
    for (int i = 0; i < chart.ChannelCount(); ++i) {
        const ThresholdJudge::ChannelFigures &figures = chart.Channel(i);
        check(figures.powers + figures.lows <= figures.count && figures.margins <= figures.count);
        check(figures.failedFibers <= judge.FailedCount() && figures.marginal <= judge.FiberCount());
        for (const std::optional<double> &value : {figures.marginMean, figures.marginDeviation, figures.cpk,
                                                   figures.p01, figures.p50, figures.p99, figures.standardDeviation()})
            check(finiteOrNone(value));
        check(figures.powers == 0 || std::isfinite(figures.mean));
        if (figures.p01 && figures.p50 && figures.p99)
            check(figures.min <= *figures.p01 && *figures.p01 <= *figures.p50 && *figures.p50 <= *figures.p99
                  && *figures.p99 <= figures.max);
        const DistributionChart::Histogram histogram = chart.HistogramOf(i, 40);
        qint64 counted = histogram.below + histogram.above;
        for (const qint64 count : histogram.counts)
            counted += count;
        check(counted == figures.powers);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ResultFileText expected = referenceRead(bytes);
    const ResultFileText text = SplitResultText(bytes);
    check(text.header == expected.header);
    check(text.table == expected.table);

    // The same bytes through the block reader and the streaming export.
    const qsizetype blockSize = 1 + qsizetype((size * 2654435761u) % 211);
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    QByteArray table, streamed;
    CsvStreamWriter writer([&](QByteArrayView csv) {
        streamed.append(csv);
        return true;
    });
    check(ReadResultTable(
        device,
        [&](QByteArrayView piece) {
            table.append(piece);
            return writer.Add(piece);
        },
        nullptr, blockSize));
    check(writer.Finish());
    check(table == expected.table);
    checkRowsAgainstRecords(text.table);
    checkRowsAgainstRecords(bytes); // zero bytes in the columns too
    const QByteArray csv = windowCsv(text.table);
    check(streamed == csv);
    check(csv.count("\r\n") >= text.table.size() / ChannelTable::LineLength);
    checkStatistics(text.table);

    const double value = ClassicAtof(bytes.constData(), bytes.constData() + bytes.size());
    check(!std::isnan(value));
    return 0;
}

#include "output/VerdictPages.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/ThresholdJudge.h"
#include "output/ChannelCapability.h"
#include "output/DistributionChart.h"
#include "output/ReportPage.h"
#include "output/ReportVerdicts.h"
#include "output/SummaryTextWriter.h"
#include "output/SummaryWriter.h"
#include "output/TerminalText.h"
#include "output/Wording.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QVarLengthArray>

namespace {

using ReportPage::DrawRules;
using ReportPage::DrawText;
using ReportPage::Span;
constexpr int kLeft = ReportPage::Left;
constexpr int kRight = ReportPage::Right;
constexpr int kLine = 15; // a line of small text
constexpr int kChartHeight = 390;
constexpr int kFailingBottom = 1060;
constexpr int kMarkLeft = 13;
constexpr int kMarkWidth = 7;

constexpr int kLeftInCell = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
constexpr int kCentredInCell = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;
constexpr int kRightInCell = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;

QString field(QByteArrayView text)
{
    return TerminalText::Escaped(SummaryWriter::FieldText(text));
}

QString places(const std::optional<double> &value)
{
    QByteArray out;
    if (!value || !SummaryWriter::AppendPlaces(out, *value, 2))
        return QStringLiteral("-");
    return QString::fromLatin1(out);
}

QString margin(const ThresholdJudge::Channel &channel)
{
    if (!channel.margin)
        return channel.failures.testFlag(ThresholdJudge::Low) ? QStringLiteral("Low")
                                                             : SummaryWriter::tr("no number");
    QByteArray out;
    SummaryTextWriter::AppendMargin(out, *channel.margin);
    return QString::fromUtf8(out);
}

// The statistics' columns: left edge, heading, and the right edge last.
struct Column
{
    int left;
    const char *heading;
};
constexpr Column kStatistics[] = {{24, "Channel"},   {84, "Wavelength"}, {164, "Rows"},
                                  {220, "Failed"},   {276, "Min"},       {346, "Max"},
                                  {416, "Mean"},     {486, "Std dev"},   {556, "Margin mean"},
                                  {656, "Cpk"}};
constexpr Column kFailing[] = {
    {24, "Fiber"}, {150, "Reasons"}, {330, "Failed channels"}, {560, "Worst channel"}, {650, "Worst margin"}};
constexpr Column kRowColumns[] = {{24, "FiberName"}, {108, "Channel"}, {172, "WaveLength"},
                                  {268, "Power"},     {338, "Threshold"}, {418, "Date"},
                                  {522, "Time"},      {606, "Verdict"},   {668, "Margin"}};

template<size_t N>
QRect cell(const Column (&columns)[N], size_t index, int top, int height)
{
    const int right = index + 1 < N ? columns[index + 1].left : kRight;
    return Span(columns[index].left + 3, top, right - 3, top + height);
}

template<size_t N>
void drawHeadings(QPainter &painter, const Column (&columns)[N], int top, int height, int flags)
{
    for (size_t i = 0; i < N; ++i)
        DrawText(painter, cell(columns, i, top, height), flags, QString::fromLatin1(columns[i].heading));
}

} // namespace

QList<int> VerdictPages::RuleXs()
{
    QList<int> xs;
    for (const Column &column : kRowColumns)
        xs.append(column.left);
    xs.append(kRight);
    return xs;
}

int VerdictPages::FailingPages() const
{
    const qsizetype beyond = m_verdicts.FailingFibers().size() - FirstPageFailing;
    return beyond <= 0 ? 1 : int(1 + (beyond + LaterPageFailing - 1) / LaterPageFailing);
}

int VerdictPages::PageCount() const
{
    return FailingPages() + int((m_rows.Count() + RowsPerPage - 1) / RowsPerPage);
}

void VerdictPages::PrintPage(QPainter &painter, int page, int total) const
{
    painter.save();
    const int failingPages = FailingPages();
    if (page == 1) {
        const int top = drawFigures(painter);
        drawFailing(painter, top, 0, qMin<qsizetype>(FirstPageFailing, m_verdicts.FailingFibers().size()));
    } else if (page <= failingPages) {
        const qsizetype first = FirstPageFailing + qsizetype(page - 2) * LaterPageFailing;
        const qsizetype end = qMin<qsizetype>(first + LaterPageFailing, m_verdicts.FailingFibers().size());
        drawFailing(painter, 30, first, end);
    } else {
        drawRows(painter, page - failingPages - 1);
    }
    painter.restore();
    painter.save();
    drawFooter(painter, page, total);
    painter.restore();
}

// The name, header lines, print date, yield, statistics and chart; the
// top of what comes under them.
int VerdictPages::drawFigures(QPainter &painter) const
{
    const ThresholdJudge &judge = m_verdicts.Figures();
    painter.setFont(ReportPage::Font(20, true));
    DrawText(painter, Span(kLeft, 28, 560, 54), kLeftInCell, TerminalText::Escaped(m_verdicts.FileName()));
    painter.setFont(ReportPage::Font(12));
    DrawText(painter, Span(560, 28, kRight, 54), kRightInCell,
             QStringLiteral("Printed %1").arg(m_verdicts.Printed().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    int y = 58;
    for (const QByteArray &line : m_verdicts.Header().split('\n')) {
        const QString shown = TerminalText::Escaped(CodePage936::Decode(line).trimmed());
        if (shown.isEmpty())
            continue;
        DrawText(painter, Span(kLeft, y, kRight, y + kLine), kLeftInCell, shown);
        y += kLine;
    }
    y += 6;
    const std::optional<qsizetype> marginal =
        judge.WarnMargin() ? std::optional<qsizetype>(judge.MarginalCount()) : std::nullopt;
    painter.setFont(ReportPage::Font(16, true));
    DrawText(painter, Span(kLeft, y, 600, y + 22), kLeftInCell,
             Wording::YieldLine(judge.FiberCount(), judge.FailedCount(), marginal));
    DrawText(painter, Span(600, y, kRight, y + 22), kRightInCell,
             judge.Passed() ? QStringLiteral("File: PASS") : QStringLiteral("File: FAIL"));
    y = drawStatistics(painter, y + 30);
    DistributionChart chart(judge);
    chart.Draw(painter, QRectF(kLeft, y + 6, kRight - kLeft, kChartHeight));
    return y + 6 + kChartHeight + 10;
}

// Each channel's figures under a heading line; the table's bottom.
int VerdictPages::drawStatistics(QPainter &painter, int top) const
{
    painter.setFont(ReportPage::Font(12, true));
    drawHeadings(painter, kStatistics, top, kLine, kLeftInCell);
    QVarLengthArray<QLine, 64> rules{QLine(kLeft, top + kLine, kRight, top + kLine)};
    painter.setFont(ReportPage::Font(12));
    int y = top + kLine + 2;
    const QList<ThresholdJudge::ChannelFigures> &channels = m_verdicts.Figures().Channels();
    for (qsizetype i = 0; i < channels.size() && i < 18; ++i, y += kLine) {
        const ThresholdJudge::ChannelFigures &c = channels.at(i);
        const auto powers = [&c](double value) { return c.powers > 0 ? std::optional<double>(value) : std::nullopt; };
        QString cpk = ChannelCapability::Text(c);
        cpk.remove(QLatin1String("Cpk "));
        const QString texts[] = {QString::fromUtf8(c.channel), field(c.waveLength), QString::number(c.count),
                                 QString::number(c.failed),   places(powers(c.min)), places(powers(c.max)),
                                 places(powers(c.mean)),      places(c.standardDeviation()),
                                 places(c.marginMean),        cpk};
        for (size_t column = 0; column < std::size(texts); ++column)
            DrawText(painter, cell(kStatistics, column, y, kLine), kLeftInCell, texts[column]);
    }
    if (channels.size() > 18) {
        DrawText(painter, Span(kLeft, y, kRight, y + kLine), kLeftInCell,
                 QStringLiteral("... and %1 more channels").arg(channels.size() - 18));
        y += kLine;
    }
    DrawRules(painter, rules);
    return y;
}

void VerdictPages::drawFailing(QPainter &painter, int top, qsizetype first, qsizetype end) const
{
    const qsizetype failing = m_verdicts.FailingFibers().size();
    painter.setFont(ReportPage::Font(14, true));
    const QString title = failing == 0 ? QStringLiteral("No failing fibers")
        : first == 0 ? QStringLiteral("Failing fibers: %1 of %2").arg(failing).arg(m_verdicts.Figures().FiberCount())
                     : QStringLiteral("Failing fibers, continued");
    DrawText(painter, Span(kLeft, top, kRight, top + 20), kLeftInCell, title);
    if (failing == 0)
        return;
    int y = top + 22;
    painter.setFont(ReportPage::Font(12, true));
    drawHeadings(painter, kFailing, y, kLine, kLeftInCell);
    DrawRules(painter, {QLine(kLeft, y + kLine, kRight, y + kLine)});
    painter.setFont(ReportPage::Font(12));
    y += kLine + 2;
    for (qsizetype i = first; i < end && y + kLine <= kFailingBottom; ++i, y += kLine) {
        const ReportVerdicts::Failing &fiber = m_verdicts.FailingFibers().at(i);
        const qsizetype start = fiber.block * ChannelTable::FiberSize;
        const qsizetype count = qMin<qsizetype>(ChannelTable::FiberSize, m_rows.Count() - start);
        const LoadedFile::Verdict &verdict = fiber.verdict;
        QStringList failed;
        for (qsizetype r = 0; r < count; ++r) {
            if (verdict.failedRows & (quint32(1) << r))
                failed.append(field(m_rows.At(start + r).text(MeasurementRow::Channel)));
        }
        QString worstChannel, worstMargin;
        if (verdict.worstRow >= 0 && start + verdict.worstRow < m_rows.Count()) {
            const MeasurementRows::Row worst = m_rows.At(start + verdict.worstRow);
            worstChannel = field(worst.text(MeasurementRow::Channel));
            worstMargin = margin({verdict.worstFailures, verdict.worstMargin});
        }
        const QString texts[] = {field(m_rows.At(start).text(MeasurementRow::FiberName)),
                                 Wording::Reasons(verdict.failures), failed.join(QLatin1Char(' ')),
                                 worstChannel, worstMargin};
        for (size_t column = 0; column < std::size(texts); ++column)
            DrawText(painter, cell(kFailing, column, y, kLine), kLeftInCell, texts[column]);
    }
}

void VerdictPages::drawRows(QPainter &painter, int rowPage) const
{
    const qsizetype first = qsizetype(rowPage) * RowsPerPage;
    const qsizetype end = qMin<qsizetype>(first + RowsPerPage, m_rows.Count());
    const QFont rowFont = painter.font();
    painter.setFont(ReportPage::Font(16, false, 6));
    drawHeadings(painter, kRowColumns, 0, RowHeight, kCentredInCell);
    QVarLengthArray<QLine, 64> rules;
    const int bottom = int(end - first + 1) * RowHeight;
    for (int x : RuleXs())
        rules.append(QLine(x, 0, x, bottom));
    for (int y = 0; y <= bottom; y += RowHeight)
        rules.append(QLine(kLeft, y, kRight, y));
    DrawRules(painter, rules);
    QFont bold = rowFont;
    bold.setBold(true);
    int top = RowHeight;
    for (qsizetype index = first; index < end; ++index, top += RowHeight) {
        const MeasurementRows::Row row = m_rows.At(index);
        const ThresholdJudge::Channel judged = ThresholdJudge::JudgeChannel(row, m_verdicts.Figures().LimitsOf());
        const bool failed = judged.failures != ThresholdJudge::NoFailure;
        painter.setFont(failed ? bold : rowFont);
        if (failed) // a mark in the margin that needs neither colour nor a glyph
            painter.fillRect(QRect(kMarkLeft, top + 6, kMarkWidth, RowHeight - 12), Qt::black);
        for (int f = 0; f < MeasurementRow::FieldCount; ++f)
            DrawText(painter, cell(kRowColumns, size_t(f), top, RowHeight), kCentredInCell,
                     CodePage936::Decode(row.text(MeasurementRow::Field(f))));
        DrawText(painter, cell(kRowColumns, 7, top, RowHeight), kCentredInCell,
                 failed ? QStringLiteral("FAIL") : QStringLiteral("pass"));
        DrawText(painter, cell(kRowColumns, 8, top, RowHeight), kCentredInCell, margin(judged));
    }
}

void VerdictPages::drawFooter(QPainter &painter, int page, int total) const
{
    ReportPage::DrawFooter(painter, TerminalText::Escaped(m_verdicts.FileName()), page, total);
}

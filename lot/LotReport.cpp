#include "lot/LotReport.h"

#include "data/CompareSide.h"
#include "data/NativePath.h"
#include "lot/ControlWriter.h"
#include "lot/LotTrend.h"
#include "output/DistributionChart.h"
#include "output/ReportPage.h"
#include "output/ReportPdf.h"
#include "output/TerminalText.h"
#include "output/TrendAxis.h"
#include "output/TrendChart.h"
#include "output/Wording.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace {

using ReportPage::DrawText;
using ReportPage::Font;
using ReportPage::Span;

constexpr int kLeft = ReportPage::Left;
constexpr int kRight = ReportPage::Right;
constexpr int kLine = 20;
constexpr int kTrendHeight = 560;
constexpr int kLeftInCell = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
constexpr int kRightInCell = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;

QString tr(const char *text)
{
    return QCoreApplication::translate("LotReport", text);
}

// The files' columns: left edge, heading and alignment; the last ends at
// the page's right.
struct Column
{
    int left;
    const char *heading;
    int flags;
    LotModel::Column shows;
};
const Column kColumns[] = {
    {kLeft, QT_TRANSLATE_NOOP("LotReport", "First row"), kLeftInCell, LotModel::Time},
    {170, QT_TRANSLATE_NOOP("LotReport", "File"), kLeftInCell, LotModel::File},
    {470, QT_TRANSLATE_NOOP("LotReport", "Fibers"), kRightInCell, LotModel::Fibers},
    {530, QT_TRANSLATE_NOOP("LotReport", "Passed"), kRightInCell, LotModel::Passed},
    {590, QT_TRANSLATE_NOOP("LotReport", "Yield"), kRightInCell, LotModel::Yield},
    {650, QT_TRANSLATE_NOOP("LotReport", "Worst"), kRightInCell, LotModel::WorstChannel},
    {700, QT_TRANSLATE_NOOP("LotReport", "Least Cpk"), kRightInCell, LotModel::MinCpk},
};
constexpr int kColumnCount = int(std::size(kColumns));

QRect cell(int column, int top)
{
    const int right = column + 1 < kColumnCount ? kColumns[column + 1].left - 6 : kRight;
    return Span(kColumns[column].left, top, right, top + kLine);
}

} // namespace

LotReport::LotReport(const QString &name, QList<LotFile> files, std::shared_ptr<const CompareSide> side,
                     std::optional<LotControl::Result> control)
    : m_name(name), m_side(std::move(side)), m_control(std::move(control)),
      m_printed(QDateTime::currentDateTime())
{
    auto lot = std::make_shared<LotModel>();
    lot->Reset(std::move(files));
    m_lot = std::move(lot);
}

int LotReport::PageCount() const
{
    const int filePages = std::max(1, int((m_lot->FileCount() + FilesPerPage - 1) / FilesPerPage));
    return 2 + filePages;
}

void LotReport::PrintPage(QPainter &painter, int page, int total) const
{
    if (page == 1)
        drawFirstPage(painter);
    else if (page == 2)
        drawDistributions(painter);
    else
        drawFiles(painter, page - 3);
    ReportPage::DrawFooter(painter, TerminalText::Escaped(m_name), page, total);
}

void LotReport::drawFirstPage(QPainter &painter) const
{
    painter.setFont(Font(20, true));
    DrawText(painter, Span(kLeft, 28, 560, 54), kLeftInCell, TerminalText::Escaped(m_name));
    painter.setFont(Font(12));
    DrawText(painter, Span(560, 28, kRight, 54), kRightInCell,
             tr("Printed %1").arg(m_printed.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    painter.setFont(Font(14));
    const QRect figures = Span(kLeft, 60, kRight, 120);
    painter.drawText(figures, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Wording::LotLine(m_lot->Figures()));
    const QByteArray channel = m_lot->Figures().failingChannel;
    const QList<TrendChart::Panel> panels =
        LotTrend::Panels(*m_lot, channel, m_control ? &*m_control : nullptr);
    const QList<qint64> times = LotTrend::Times(*m_lot);
    const bool timed = !times.isEmpty() && !times.contains(RowTime::None);
    painter.setFont(Font(12));
    TrendChart::Draw(painter, QRectF(kLeft, 126, kRight - kLeft, kTrendHeight), panels,
                     timed ? TrendAxis::ByTime(times) : TrendAxis::ByFile(times.size()), -1,
                     TrendChart::Colours::On(Qt::black, Qt::white));
    if (m_control)
        drawAlarms(painter, 126 + kTrendHeight + 12);
}

int LotReport::drawAlarms(QPainter &painter, int top) const
{
    const QList<LotControl::Alarm> &alarms = m_control->alarms;
    painter.setFont(Font(14, true));
    DrawText(painter, Span(kLeft, top, kRight, top + kLine), kLeftInCell,
             alarms.isEmpty() ? tr("No alarms") : tr("Alarms: %1").arg(alarms.size()));
    top += kLine + 4;
    painter.setFont(Font(12));
    const qsizetype shown = std::min<qsizetype>(alarms.size(), AlarmLines);
    for (qsizetype i = 0; i < shown; ++i, top += kLine - 4)
        DrawText(painter, Span(kLeft, top, kRight, top + kLine - 4), kLeftInCell,
                 TerminalText::Escaped(ControlWriter::Sentence(*m_lot, alarms.at(i))));
    if (alarms.size() > shown) {
        DrawText(painter, Span(kLeft, top, kRight, top + kLine - 4), kLeftInCell,
                 tr("... and %1 more").arg(alarms.size() - shown));
        top += kLine - 4;
    }
    return top;
}

void LotReport::drawDistributions(QPainter &painter) const
{
    if (!m_side)
        return;
    painter.setFont(Font(12));
    DistributionChart chart(m_side->Pipeline().Judge());
    chart.SetTitle(TerminalText::Escaped(m_name));
    chart.Draw(painter, QRectF(kLeft, 28, kRight - kLeft, ReportPage::FooterRule - 40));
}

void LotReport::drawFiles(QPainter &painter, int filesPage) const
{
    painter.setFont(Font(13, true));
    int top = 28;
    for (int column = 0; column < kColumnCount; ++column)
        DrawText(painter, cell(column, top), kColumns[column].flags, tr(kColumns[column].heading));
    ReportPage::DrawRules(painter, {QLine(kLeft, top + kLine + 2, kRight, top + kLine + 2)});
    top += kLine + 6;
    painter.setFont(Font(12));
    const int first = filesPage * FilesPerPage;
    const int end = std::min(m_lot->FileCount(), first + FilesPerPage);
    for (int row = first; row < end; ++row, top += kLine) {
        const LotFile &file = m_lot->FileAt(row);
        // The model's texts, so that the page says what the lot's table says;
        // a file not read has its reason after its name.
        const int columns = file.IsRead() ? kColumnCount : 2;
        for (int column = 0; column < columns; ++column) {
            const QString text = m_lot->data(m_lot->index(row, kColumns[column].shows)).toString();
            DrawText(painter, cell(column, top), kColumns[column].flags, TerminalText::Escaped(text));
        }
        if (!file.IsRead())
            DrawText(painter, Span(kColumns[2].left, top, kRight, top + kLine), kLeftInCell,
                     TerminalText::Escaped(file.error));
    }
}

bool LotReport::WritePdf(const CompareReader::Side &lot, const QString &pdfPath, const QString &pageSize,
                         QString *error, const std::atomic<bool> *stop)
{
    const QString name = QFileInfo(QDir::cleanPath(NativePath::Display(lot.about.path))).fileName();
    LotModel model;
    model.Reset(lot.files);
    LotReport report(name, lot.files, lot.side, LotControl::Of(model, ControlPlan()));
    const QPageSize paper(pageSize.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0 ? QPageSize::Letter
                                                                                               : QPageSize::A4);
    return ReportPdf::WriteFile(report, pdfPath, paper, error, stop, name);
}

#include "output/PrintReport.h"

#include "data/CodePage936.h"
#include "output/ReportFont.h"
#include "output/ReportPage.h"
#include "output/ReportVerdicts.h"
#include "output/VerdictPages.h"

#include <QPaintDevice>
#include <QPainter>
#include <QVarLengthArray>

#include <cstdio>

PrintReport::~PrintReport() = default;

void PrintReport::Clear()
{
    m_rows.Clear();
    m_verdicts.reset();
}

void PrintReport::SetRows(const MeasurementRows &rows)
{
    m_rows = rows;
    m_verdicts.reset();
}

void PrintReport::SetVerdicts(std::shared_ptr<const ReportVerdicts> verdicts)
{
    m_verdicts = std::move(verdicts);
}

MeasurementRows::Row PrintReport::Row(qsizetype index) const
{
    return m_rows.At(index);
}

void PrintReport::SetupDC(QPainter &painter, const QPaintDevice *attributes) const
{
    const QPaintDevice *device = attributes ? attributes : painter.device();
    const int dpiX = device->logicalDpiX();
    const int dpiY = device->logicalDpiY();
    painter.setWindow(0, 0, WindowWidth, WindowHeight);
    painter.setViewport(0, 0, dpiX * WindowWidth / UnitsPerInch,
                        dpiY * WindowHeight / UnitsPerInch);
}

namespace {

constexpr char kReportFace[] = "Boldface";

constexpr int kTableLeft = 24;
constexpr int kTableRight = 745;
constexpr int kFirstPageHeadingTop = 80;
constexpr int kLaterPageHeadingTop = 0;

constexpr int kCentredInCell = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;
constexpr int kCentredAtTop = Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine;
constexpr int kRightInCell = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;

// (left, top, right, bottom), right and bottom edges excluded.
constexpr int kTitle[] = {24, 35, 745, 70};
constexpr int kFooter[] = {24, 1010, 745, 1210};

constexpr int kRuleXs[] = {24, 122, 212, 327, 458, 565, 671, 745};

struct Column
{
    MeasurementRow::Field field;
    const char *heading;
    int headingLeft, headingRight;
    int cellLeft, cellRight;
};

// The text rectangles overlap their neighbours and are not the ruled
// columns. The Power cell is widened on every page of a longer job.
constexpr Column kColumns[] = {
    {MeasurementRow::FiberName, "FiberName", 24, 122, 24, 122},
    {MeasurementRow::Channel, "Channel", 24, 311, 122, 212},
    {MeasurementRow::WaveLength, "WaveLength", 188, 352, 212, 335},
    {MeasurementRow::Power, "Power", 343, 458, 335, 434},
    {MeasurementRow::Threshold, "Threshold", 434, 598, 434, 598},
    {MeasurementRow::Date, "Date", 557, 680, 548, 680},
    {MeasurementRow::Time, "Time", 639, 762, 655, 762},
};
constexpr int kPowerRightOfLongerJob = 475;

QRect spanRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// Selects a report font for the lifetime of one drawing step and selects
// the painter's previous font back afterwards.
class SelectedFont
{
public:
    SelectedFont(QPainter &painter, ReportFont &font)
        : m_painter(painter), m_previous(painter.font())
    {
        m_painter.setFont(font.Font());
    }
    ~SelectedFont() { m_painter.setFont(m_previous); }

private:
    QPainter &m_painter;
    QFont m_previous;
};

} // namespace

int PrintReport::PageCount() const
{
    if (m_verdicts)
        return VerdictPages(m_rows, *m_verdicts).PageCount();
    const qsizetype n = RowCount();
    if (n <= FirstPageRows)
        return 1;
    return int(2 + (n - FirstPageRows - 1) / LaterPageRows);
}

PrintReport::RowSpan PrintReport::PageRows(int page) const
{
    const qsizetype n = RowCount();
    RowSpan span;
    if (page <= 1) {
        span.end = qMin<qsizetype>(n, FirstPageRows);
    } else {
        span.first = qMin<qsizetype>(n, FirstPageRows + qsizetype(LaterPageRows) * (page - 2));
        span.end = qMin<qsizetype>(n, span.first + LaterPageRows);
    }
    return span;
}

QRect PrintReport::CellRect(int column, int top, int total)
{
    const Column &c = kColumns[column];
    const int right = (c.field == MeasurementRow::Power && total > 1) ? kPowerRightOfLongerJob
                                                                      : c.cellRight;
    return spanRect(c.cellLeft, top, right, top + RowHeight);
}

QRect PrintReport::HeadingRect(int column, int top)
{
    const Column &c = kColumns[column];
    return spanRect(c.headingLeft, top, c.headingRight, top + RowHeight);
}

int PrintReport::HeadingTop(int page)
{
    return page <= 1 ? kFirstPageHeadingTop : kLaterPageHeadingTop;
}

PrintReport::GridSpan PrintReport::Grid(int page) const
{
    const RowSpan rows = PageRows(page);
    // The heading row and each row are boxed: one rule above each, one below
    // the last.
    return {HeadingTop(page), int(rows.end - rows.first) + 2};
}

void PrintReport::PrintPage(QPainter &painter, int page, int total) const
{
    if (m_verdicts) {
        VerdictPages(m_rows, *m_verdicts).PrintPage(painter, page, total);
        return;
    }
    if (page == 1)
        DrawTitle(painter);
    DrawHeadings(painter, page);
    DrawGrid(painter, page);
    DrawRows(painter, page, total);
    DrawFooter(painter, page, total);
}

void PrintReport::DrawTitle(QPainter &painter) const
{
    ReportFont font(kReportFace);
    font.SetHeight(18);
    font.SetWidth(7);
    font.SetBold(false);
    {
        SelectedFont selected(painter, font);
        painter.drawText(spanRect(kTitle[0], kTitle[1], kTitle[2], kTitle[3]), kCentredAtTop,
                         QStringLiteral("Quenvale"));
    }
    font.DeleteObject();
}

void PrintReport::DrawHeadings(QPainter &painter, int page) const
{
    ReportFont font(kReportFace);
    font.SetHeight(18);
    font.SetWidth(7);
    {
        SelectedFont selected(painter, font);
        const int top = HeadingTop(page);
        for (int column = 0; column < MeasurementRow::FieldCount; ++column)
            painter.drawText(HeadingRect(column, top), kCentredInCell,
                             QString::fromLatin1(kColumns[column].heading));
    }
    font.DeleteObject();
}

void PrintReport::DrawGrid(QPainter &painter, int page) const
{
    const GridSpan grid = Grid(page);
    const int bottom = grid.top + RowHeight * (grid.rules - 1);
    QVarLengthArray<QLine, 64> rules;
    for (int x : kRuleXs)
        rules.append(QLine(x, grid.top, x, bottom));
    for (int k = 0; k < grid.rules; ++k) {
        const int y = grid.top + RowHeight * k;
        rules.append(QLine(kTableLeft, y, kTableRight, y));
    }
    ReportPage::DrawRules(painter, rules);
}

void PrintReport::DrawRows(QPainter &painter, int page, int total) const
{
    const RowSpan rows = PageRows(page);
    int top = HeadingTop(page) + RowHeight;
    for (qsizetype index = rows.first; index < rows.end; ++index, top += RowHeight) {
        const MeasurementRows::Row row = Row(index);
        for (int column = 0; column < MeasurementRow::FieldCount; ++column)
            painter.drawText(CellRect(column, top, total), kCentredInCell,
                             CodePage936::Decode(row.text(kColumns[column].field)));
    }
}

void PrintReport::DrawFooter(QPainter &painter, int page, int total) const
{
    ReportFont font(kReportFace);
    font.SetHeight(20);
    font.SetWidth(10);
    {
        SelectedFont selected(painter, font);
        char counter[100];
        // "，" is the full-width comma, A3 AC in code page 936.
        std::snprintf(counter, sizeof counter, "Total:%d\xA3\xAC" "Current:%d", total, page);
        painter.drawText(spanRect(kFooter[0], kFooter[1], kFooter[2], kFooter[3]), kRightInCell,
                         CodePage936::Decode(counter));
    }
    font.DeleteObject();
}

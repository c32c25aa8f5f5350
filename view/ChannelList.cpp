#include "view/ChannelList.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "document/ResultDocument.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"
#include "view/FormGeometry.h"
#include "view/Resources.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <cmath>

namespace {

const char *const kColumnHeadings[ChannelList::MarginColumn + 1] = {
    "Channel", "WaveLength", "Power", "Threshold", "Date", "Time", "Margin"};

// The fields shown in the design's columns.
constexpr MeasurementRow::Field kColumnFields[ChannelList::DesignColumns] = {
    MeasurementRow::Channel, MeasurementRow::WaveLength, MeasurementRow::Power,
    MeasurementRow::Threshold, MeasurementRow::Date, MeasurementRow::Time};

// The first column stands left, the others are centred.
Qt::Alignment columnAlignment(int column)
{
    return column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
}

} // namespace

ChannelList::ChannelList(QWidget *parent) : QTableWidget(parent)
{
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
}

// Made once, whatever runs it again: the columns' widths follow every run.
// A field's column is as wide as its widest text: as many digits as the
// field has bytes, the widest text of a number in any font.
void ChannelList::SetUpColumns(bool margins, const FormGeometry &geometry)
{
    const int columns = margins ? MarginColumn + 1 : DesignColumns;
    if (columnCount() != columns) {
        setColumnCount(columns);
        for (int column = 0; column < columns; ++column) {
            auto *heading = new QTableWidgetItem(QString::fromLatin1(kColumnHeadings[column]));
            heading->setTextAlignment(columnAlignment(column));
            setHorizontalHeaderItem(column, heading);
        }
    }
    QStringList widest;
    for (const MeasurementRow::Field field : kColumnFields)
        widest.append(QString(ChannelTable::ColumnWidth(field), QLatin1Char('0')));
    widest.append(QStringLiteral("MM-000.00")); // a margin with its mark
    QList<int> least;
    for (int column = 0; column <= MarginColumn; ++column)
        least.append(geometry.ColumnWidth(qMin(column, DesignColumns - 1)));
    FitColumns(least, widest);
}

void ChannelList::ShowFiber(const ResultDocument &document, qsizetype block,
                            const QList<ThresholdJudge::Channel> &channels)
{
    setRowCount(0);
    const MeasurementRows &rows = document.Rows();
    const qsizetype first = block * ChannelTable::FiberSize;
    for (qsizetype r = first; r < first + document.FiberRows(block); ++r) {
        const MeasurementRows::Row row = rows.At(r);
        const int n = rowCount();
        insertRow(n);
        for (int column = 0; column < DesignColumns; ++column) {
            const QByteArrayView field = row.text(kColumnFields[column]);
            auto *item = new QTableWidgetItem(CodePage936::Decode(
                column == 2 ? ChannelTable::ListedPower(field) : field.toByteArray()));
            item->setTextAlignment(columnAlignment(column));
            setItem(n, column, item);
        }
    }
    ShowMargins(channels);
}

void ChannelList::ShowMargins(const QList<ThresholdJudge::Channel> &channels)
{
    for (int row = 0; row < rowCount() && row < channels.size() && ShowsMargins(); ++row) {
        const ThresholdJudge::Channel &channel = channels.at(row);
        QByteArray margin;
        if (channel.margin)
            SummaryWriter::AppendPlaces(margin, *channel.margin, 2);
        auto *item = new QTableWidgetItem(QString::fromLatin1(margin));
        item->setTextAlignment(columnAlignment(MarginColumn));
        if (channel.failures != ThresholdJudge::NoFailure) {
            item->setIcon(Resources::VerdictIcon(false));
            const QString why = tr("fails: %1").arg(Wording::Reasons(channel.failures));
            item->setToolTip(why);
            item->setData(Qt::AccessibleTextRole, item->text() + QLatin1String(", ") + why);
        }
        setItem(row, MarginColumn, item);
    }
}

// A fiber's 18 rows bring the vertical scroll bar.
int ChannelList::WholeWidth() const
{
    int width = 2 * frameWidth();
    for (int column = 0; column < columnCount(); ++column)
        width += columnWidth(column);
    const QStyle *style = this->style();
    width += style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (style->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, this))
        width += style->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, this);
    return width;
}

int ChannelList::WholeHeight(int rows) const
{
    return 2 * frameWidth() + horizontalHeader()->sizeHint().height()
        + rows * verticalHeader()->defaultSectionSize();
}

// At a fractional device pixel ratio (fonts at 120 dpi on X11 make 1.25)
// each glyph is drawn on whole device pixels, up to one wider than its
// advance in the widget's units: the cell leaves room for that, so that a
// number is never cut. At a whole ratio the texts are drawn as measured.
int ChannelList::roundingSlack(const QString &text) const
{
    const qreal ratio = devicePixelRatioF();
    if (ratio == std::floor(ratio))
        return 0;
    return int(std::ceil(text.size() / ratio));
}

void ChannelList::FitColumns(const QList<int> &least, const QStringList &widestTexts)
{
    ensurePolished();
    horizontalHeader()->ensurePolished();
    int rowHeight = fontMetrics().height() + 2;
    for (int column = 0; column < columnCount() && column < least.size(); ++column) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.text = widestTexts.value(column);
        option.features |= QStyleOptionViewItem::HasDisplay;
        const QSize cell = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
        const int heading = horizontalHeader()->sectionSizeHint(column);
        setColumnWidth(column, std::max({least.at(column), cell.width() + roundingSlack(option.text), heading}));
        rowHeight = qMax(rowHeight, cell.height());
    }
    verticalHeader()->setDefaultSectionSize(rowHeight);
}

void ChannelList::mousePressEvent(QMouseEvent *event)
{
    m_bLeftPressed = event->button() == Qt::LeftButton;
    QTableWidget::mousePressEvent(event);
}

// A click that starts on a selected row settles the selection only on
// release, so the signal waits for the table's own handling.
void ChannelList::mouseReleaseEvent(QMouseEvent *event)
{
    QTableWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && m_bLeftPressed) {
        m_bLeftPressed = false;
        emit mouseClicked();
    }
}

void ChannelList::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex before = currentIndex();
    const bool chosen = !selectionModel()->selectedRows().isEmpty();
    QTableWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // A first row taken while none was selected counts as a move.
        if (currentIndex().row() != before.row() || (!chosen && currentIndex().isValid()))
            emit keyMoved();
        break;
    default:
        break;
    }
}

// Home and End go to the first and the last row, as in a list of rows,
// not along the current row's cells. While no row is selected, Down
// selects the first row rather than passing it by.
QModelIndex ChannelList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if ((action == MoveHome || action == MoveEnd) && rowCount() > 0)
        return model()->index(action == MoveHome ? 0 : rowCount() - 1,
                              qMax(0, currentIndex().column()));
    if ((action == MoveDown || action == MoveNext) && rowCount() > 0
        && selectionModel()->selectedRows().isEmpty())
        return model()->index(0, qMax(0, currentIndex().column()));
    return QTableWidget::moveCursor(action, modifiers);
}

// A list with the focus and no current row to mark it (an empty list)
// shows the focus around its rows' area.
void ChannelList::paintEvent(QPaintEvent *event)
{
    QTableWidget::paintEvent(event);
    if (!hasFocus() || currentIndex().isValid())
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    focus.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

void ChannelList::focusInEvent(QFocusEvent *event)
{
    QTableWidget::focusInEvent(event);
    viewport()->update();
}

void ChannelList::focusOutEvent(QFocusEvent *event)
{
    QTableWidget::focusOutEvent(event);
    viewport()->update();
}

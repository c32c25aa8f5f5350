#include "view/ChannelList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>

#include <algorithm>

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

void ChannelList::FitColumns(const QList<int> &least, const QStringList &widestTexts)
{
    ensurePolished();
    horizontalHeader()->ensurePolished();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    for (int column = 0; column < columnCount() && column < least.size(); ++column) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.text = widestTexts.value(column);
        option.features |= QStyleOptionViewItem::HasDisplay;
        const int cell = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width();
        const int heading = horizontalHeader()->sectionSizeHint(column);
        setColumnWidth(column, std::max({least.at(column), cell, heading}));
    }
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

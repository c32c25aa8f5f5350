#include "view/ChannelList.h"

#include <QMouseEvent>

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

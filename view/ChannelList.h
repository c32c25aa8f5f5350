#pragma once

#include <QTableWidget>

// The channel list. Besides the table's own signals it tells of every left
// mouse click inside its rows area, on a row or below the last one, once the
// click has settled the selection; keys never raise it.
class ChannelList : public QTableWidget
{
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;

signals:
    void mouseClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_bLeftPressed = false;
};

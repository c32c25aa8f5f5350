#pragma once

#include <QTableWidget>

// The channel list. Besides the table's own signals it tells of every left
// mouse click inside its rows area, on a row or below the last one, once the
// click has settled the selection, and of every move of the current row by
// Up, Down, Home, End, Page Up or Page Down.
class ChannelList : public QTableWidget
{
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;

    // The width at which every column shows whole beside the vertical
    // scroll bar, so that the list never scrolls sideways.
    int WholeWidth() const;
    // The height at which `rows` rows show whole under the headings.
    int WholeHeight(int rows) const;
    // Widens each column to what its heading and the widest text of its
    // cells take in the list's own font and style (whatever a style sheet
    // makes of them), never narrower than `least`. Rows are as high as the
    // list's font needs.
    void FitColumns(const QList<int> &least, const QStringList &widestTexts);

signals:
    void mouseClicked();
    void keyMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    bool m_bLeftPressed = false;
};

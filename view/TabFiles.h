#pragma once

#include <QTabBar>

class DocumentManager;

// The strip of tabs, one per file the manager holds open, in the order
// opened. It shows the manager's tabs and hands the user's choices to it:
// a left click on a tab, Left, Right, Home and End with the focus on the
// strip, and Close from its menu each show a tab's file through the
// manager; the strip itself reads nothing. A tab being read shows a busy
// sign.
class TabFiles : public QTabBar
{
    Q_OBJECT
public:
    explicit TabFiles(DocumentManager &manager, QWidget *parent = nullptr);

    // Close: removes the selected tab (see DocumentManager::CloseTab).
    void OnCloseTab();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private slots:
    void OnClickTabFiles(int index);
    void OnRclickTabFiles(const QPoint &pos);

private:
    void showBusy(int index, bool busy);

    DocumentManager &m_manager;
    Qt::MouseButton m_button = Qt::NoButton; // of the last press on the strip
};

#include "view/TabFiles.h"

#include "document/DocumentManager.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>

TabFiles::TabFiles(DocumentManager &manager, QWidget *parent) : QTabBar(parent), m_manager(manager)
{
    setExpanding(false);
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
    // A stop for Tab, where the arrow keys choose a tab as a click does; a
    // click leaves the focus where it was. The wheel must not move the
    // selection away from the file on screen.
    setFocusPolicy(Qt::TabFocus);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QTabBar::tabBarClicked, this, &TabFiles::OnClickTabFiles);
    connect(this, &QTabBar::customContextMenuRequested, this, &TabFiles::OnRclickTabFiles);

    // The manager's tabs, as they come and go.
    connect(&manager, &DocumentManager::tabOpened, this, [this](int index) {
        const QSignalBlocker quiet(this);
        insertTab(index, m_manager.Record(index).name);
    });
    connect(&manager, &DocumentManager::tabClosed, this, [this](int index) {
        const QSignalBlocker quiet(this);
        removeTab(index);
    });
    connect(&manager, &DocumentManager::currentTabChanged, this, [this](int index) {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index);
    });
    connect(&manager, &DocumentManager::tabBusy, this, &TabFiles::showBusy);
}

// A double click arrives here too.
void TabFiles::mousePressEvent(QMouseEvent *event)
{
    m_button = event->button();
    QTabBar::mousePressEvent(event);
}

// The strip's own keys would select a tab without showing its file.
void TabFiles::keyPressEvent(QKeyEvent *event)
{
    const int current = currentIndex();
    int index = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        index = current - 1;
        break;
    case Qt::Key_Right:
        index = current + 1;
        break;
    case Qt::Key_Home:
        index = 0;
        break;
    case Qt::Key_End:
        index = count() - 1;
        break;
    default:
        QTabBar::keyPressEvent(event);
        return;
    }
    event->accept();
    if (index >= 0 && index < count() && index != current)
        m_manager.ShowTab(index);
}

void TabFiles::wheelEvent(QWheelEvent *event)
{
    event->accept();
}

// Only the left button shows a tab's file.
void TabFiles::OnClickTabFiles(int index)
{
    if (m_button == Qt::LeftButton)
        m_manager.ShowTab(index);
}

void TabFiles::OnRclickTabFiles(const QPoint &)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Close"), this, &TabFiles::OnCloseTab);
    menu.exec(QCursor::pos());
}

void TabFiles::OnCloseTab()
{
    m_manager.CloseTab();
}

void TabFiles::showBusy(int index, bool busy)
{
    if (index < 0 || index >= count())
        return;
    setTabIcon(index, busy ? style()->standardIcon(QStyle::SP_BrowserReload) : QIcon());
    setTabToolTip(index, busy ? tr("Reading %1").arg(m_manager.Record(index).path) : QString());
}

#pragma once

#include "app/Commands.h"

#include "app/ScreenFit.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QTimer>

#include <functional>

class CSDIQVLView;
class QAction;
class QMenu;
class QScrollArea;
class QToolBar;
class RecentFiles;
class StatusPanes;

// The main window: fixed size, captioned "Quenvale", with the menus, the
// tool bar and the keys of the commands (all made from Commands' table),
// the status bar's panes, the recent files in the File menu, and the form,
// scrolled if the window were too small for it. Files dropped anywhere on
// it are handed on.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int CreateWidth = 980;
    static constexpr int CreateHeight = 1050;

    explicit CMainFrame(QWidget *parent = nullptr);
    ~CMainFrame() override;

    // The form shown in the window; the window fits itself to the form
    // whenever the form takes its size.
    void SetView(CSDIQVLView *view);
    // Enables each command where it works (Commands::Where) for `where`;
    // a lot's tab names itself in the title, "NAME — Quenvale", where the
    // form's fixed title is not required.
    void SetTabKind(unsigned where, const QString &name = QString());
    // Sizes the window so that the form fits exactly, then fixes its size
    // (see ScreenFit), again once the window is on the screen.
    void ResizeParentToFit(const QSize &form);

    // The action of a command, by its number (StringTable ids); null if none.
    QAction *Action(int id) const { return m_actions.value(id); }
    StatusPanes &Status() const { return *m_status; }
    RecentFiles &Recent() const { return *m_recent; }

    QMenu *createPopupMenu() override;

    // Runs `task` once the window is on the screen where the window system
    // placed it, at once if it is already, so that a message the task shows
    // is centred on the window.
    void WhenShown(std::function<void()> task);

signals:
    void filesDropped(const QStringList &paths);
    // The window was moved, and has stood still a moment since.
    void placeChanged(const QPoint &place);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createActions();
    void enableCommands();
    void fillWithView(bool fill);
    void createMenus();
    void createToolBar();
    void updateToolBarIcons();

    QList<std::function<void()>> m_whenShown;
    QHash<int, QAction *> m_actions;
    unsigned m_where = Commands::WithoutTab;
    QScrollArea *m_scrollArea;
    ScreenFit m_fit;
    CSDIQVLView *m_view = nullptr;
    QToolBar *m_toolBar = nullptr;
    StatusPanes *m_status = nullptr;
    RecentFiles *m_recent = nullptr;
    QColor m_toolBarInk;
    QTimer m_placeSettles;
};

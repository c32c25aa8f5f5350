#pragma once

#include <functional>

#include <QColor>
#include <QHash>
#include <QList>
#include <QMainWindow>

class CSDIQVLView;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QScreen;
class QScrollArea;
class QToolBar;

// The main window: fixed size, captioned "Quenvale", with the File and Help
// menus, the tool bar, the keys of the commands and a status bar that says
// "Ok" when idle and a command's prompt while it is under the pointer, and
// the states of the lock keys.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int CreateWidth = 980;
    static constexpr int CreateHeight = 1050;

    explicit CMainFrame(QWidget *parent = nullptr);

    // The form shown in the window, scrolled if the window were too small;
    // the window fits itself to the form whenever the form takes its size.
    void SetView(CSDIQVLView *view);
    // Sizes the window so that the form fits exactly, then fixes its size;
    // on a screen without room for that, the window takes the screen's
    // available area and the form scrolls inside it.
    void ResizeParentToFit(const QSize &form);
    // Shows a long task's progress in the status bar: `text` and a bar at
    // `percent`; a percent below 0 ends it, and the status bar is idle again.
    void ShowProgress(const QString &text, int percent);
    // The recent files, newest first, as numbered entries of the File menu.
    void SetRecentFiles(const QStringList &paths);
    // The file's yield while the verdicts are shown; empty hides it.
    void ShowYield(const QString &text);
    // What stays said of the file shown, whatever passes under the
    // pointer; empty hides it.
    void ShowNotice(const QString &text);

    // The action of a command, by its number (StringTable ids); null if none.
    QAction *Action(int id) const { return m_actions.value(id); }

    QMenu *createPopupMenu() override;

    // Runs `task` once the window is on the screen where the window system
    // placed it, at once if it is already, so that a message the task shows
    // is centred on the window.
    void WhenShown(std::function<void()> task);

signals:
    void filesDropped(const QStringList &paths);
    void recentFileChosen(const QString &path);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QAction *createAction(int id, const QString &text, const QKeySequence &key = {});
    void createMenus();
    void createToolBar();
    void updateToolBarIcons();
    void createStatusBar();
    void updateLockKeys();
    void fitToScreen();
    static int unknownBars(const QScreen &screen);
    static QString recentFileText(const QString &path);

    QList<std::function<void()>> m_whenShown;
    QHash<int, QAction *> m_actions;
    QHash<int, QLabel *> m_indicators;
    QMenu *m_fileMenu = nullptr;
    QAction *m_recentSeparator = nullptr;
    QAction *m_exitSeparator = nullptr;
    QList<QAction *> m_recentActions;
    QScrollArea *m_scrollArea;
    CSDIQVLView *m_view = nullptr;
    QToolBar *m_toolBar = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_yield = nullptr;
    QLabel *m_notice = nullptr;
    QColor m_toolBarInk;
    QSize m_formSize;
};

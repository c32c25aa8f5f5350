#include "app/CMainFrame.h"

#include "app/Commands.h"
#include "app/RecentFiles.h"
#include "app/StatusPanes.h"
#include "output/StringTable.h"
#include "view/CSDIQVLView.h"
#include "view/Resources.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QWindow>

#include <utility>

using namespace StringTable;

namespace {

QStringList localFiles(const QMimeData *data)
{
    QStringList paths;
    if (data && data->hasUrls()) {
        for (const QUrl &url : data->urls()) {
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        }
    }
    return paths;
}

} // namespace

CMainFrame::CMainFrame(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_scrollArea(new QScrollArea(this)), m_fit(*this, *m_scrollArea)
{
    Resources::Init();
    setWindowIcon(QIcon(QStringLiteral(":/res/quenvale-16.png")));
    resize(CreateWidth, CreateHeight);
    setAcceptDrops(true);

    createActions();
    createMenus();
    createToolBar();
    m_status = new StatusPanes(statusBar());
    // Every key reaches a window of the program before any widget.
    qApp->installEventFilter(this);

    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(false);
    // Not a stop of its own for Tab: the keys belong to the controls in it.
    m_scrollArea->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(m_scrollArea);
    setWindowTitle(LoadString(AFX_IDS_APP_TITLE));

    m_placeSettles.setSingleShot(true);
    m_placeSettles.setInterval(500);
    connect(&m_placeSettles, &QTimer::timeout, this, [this] { emit placeChanged(pos()); });
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
}

// Each key works without a menu item.
void CMainFrame::createActions()
{
    QHash<int, QActionGroup *> groups;
    for (const Commands::Command &command : Commands::Table()) {
        if (command.id <= 0)
            continue;
        auto *action = new QAction(QCoreApplication::translate("Commands", command.text), this);
        action->setShortcuts(command.keys);
        action->setStatusTip(Prompt(command.id));
        action->setToolTip(ToolTip(command.id));
        action->setCheckable(command.checkable);
        if (command.group > 0) {
            QActionGroup *&group = groups[command.group];
            if (!group)
                group = new QActionGroup(this);
            group->addAction(action);
        }
        addAction(action);
        m_actions.insert(command.id, action);
    }
    connect(m_actions.value(ID_VIEW_VERDICTS), &QAction::toggled, this, &CMainFrame::enableCommands);
    enableCommands();
}

void CMainFrame::SetTabKind(unsigned where, const QString &name)
{
    m_where = where;
    const QString title = LoadString(AFX_IDS_APP_TITLE);
    setWindowTitle(where == Commands::InLotTab && !name.isEmpty() ? tr("%1 \u2014 %2").arg(name, title) : title);
    enableCommands();
}

void CMainFrame::enableCommands()
{
    for (const Commands::Command &command : Commands::Table()) {
        if (QAction *action = m_actions.value(command.id))
            action->setEnabled((command.where & m_where) != 0);
    }
    // Failing fibers are found only while the verdicts are shown.
    if (!m_actions.value(ID_VIEW_VERDICTS)->isChecked()) {
        m_actions.value(ID_NEXT_FAILURE)->setEnabled(false);
        m_actions.value(ID_PREV_FAILURE)->setEnabled(false);
    }
}

void CMainFrame::createMenus()
{
    for (const auto &[which, title] : Commands::Menus()) {
        QMenu *menu = menuBar()->addMenu(QCoreApplication::translate("Commands", title));
        for (const Commands::Command &command : Commands::Table()) {
            if (command.menu != which)
                continue;
            if (command.id == Commands::Separator) {
                menu->addSeparator();
            } else if (command.id == Commands::RecentFiles) {
                QAction *separator = menu->addSeparator();
                m_recent = new RecentFiles(menu, separator, menu->addSeparator(), this);
            } else {
                menu->addAction(m_actions.value(command.id));
            }
        }
    }
}

void CMainFrame::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setFloatable(true);
    m_toolBar->setMovable(true);
    QList<const Commands::Command *> buttons;
    for (const Commands::Command &command : Commands::Table()) {
        if (command.toolBarPlace > 0)
            buttons.append(&command);
    }
    std::sort(buttons.begin(), buttons.end(),
              [](const Commands::Command *a, const Commands::Command *b) { return a->toolBarPlace < b->toolBarPlace; });
    int place = 0;
    for (const Commands::Command *button : std::as_const(buttons)) {
        if (place > 0 && button->toolBarPlace > place + 1)
            m_toolBar->addSeparator();
        m_toolBar->addAction(m_actions.value(button->id));
        place = button->toolBarPlace;
    }
    updateToolBarIcons();
}

// The icons' black outlines vanish on a dark tool bar (a dark palette, or a
// style sheet's background): there they are drawn in the bar's text colour.
void CMainFrame::updateToolBarIcons()
{
    const QPalette palette = m_toolBar->palette();
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    const QColor ink = dark ? palette.color(QPalette::WindowText) : QColor(Qt::black);
    if (ink == m_toolBarInk && !m_actions.value(ID_FILE_OPEN)->icon().isNull())
        return;
    m_toolBarInk = ink;
    for (const Commands::Command &command : Commands::Table()) {
        if (command.image)
            m_actions.value(command.id)->setIcon(Resources::PixelArtIcon(QString::fromLatin1(command.image), ink));
    }
}

void CMainFrame::WhenShown(std::function<void()> task)
{
    if (windowHandle() && windowHandle()->isExposed())
        task();
    else
        m_whenShown.append(std::move(task));
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && watched->isWindowType())
        m_status->UpdateLockKeys();
    if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) && watched == m_toolBar)
        updateToolBarIcons();
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()
        && !m_whenShown.isEmpty()) {
        // After the window's own handling of the event, not in the middle of it.
        const QList<std::function<void()>> tasks = std::exchange(m_whenShown, {});
        QMetaObject::invokeMethod(
            this, [tasks] { for (const auto &task : tasks) task(); }, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

// The tool bar cannot be hidden: no menu of tool bars on a right click.
QMenu *CMainFrame::createPopupMenu()
{
    return nullptr;
}

void CMainFrame::SetView(CSDIQVLView *view)
{
    m_view = view;
    m_scrollArea->setWidget(view);
    connect(view, &CSDIQVLView::formSized, this, &CMainFrame::ResizeParentToFit);
    connect(view, &CSDIQVLView::fillsWindow, this, &CMainFrame::fillWithView);
}

// The form's window keeps the form's size; a lot's tab lets the user make
// the window as large as the screen, the tab filling it.
void CMainFrame::fillWithView(bool fill)
{
    if (fill == m_scrollArea->widgetResizable())
        return;
    m_scrollArea->setWidgetResizable(fill);
    if (fill) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        ResizeParentToFit(m_view->size());
    }
}

void CMainFrame::ResizeParentToFit(const QSize &form)
{
    m_fit.Fit(form, m_view);
    // The window system tells the size of the frame's border and caption
    // only once the window is on the screen: fitted again then.
    WhenShown([this] { m_fit.Refit(m_view); });
}

bool CMainFrame::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        m_status->UpdateLockKeys(); // the locks may have changed in another program
    if (event->type() == QEvent::StatusTip) {
        m_status->ShowPrompt(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (isVisible())
        m_placeSettles.start();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}

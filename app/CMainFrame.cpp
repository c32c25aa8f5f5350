#include "app/CMainFrame.h"

#include "app/LockKeyState.h"
#include "data/NativePath.h"
#include "output/StringTable.h"
#include "view/CSDIQVLView.h"
#include "view/Resources.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
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
      m_scrollArea(new QScrollArea(this))
{
    Resources::Init();
    setWindowIcon(QIcon(QStringLiteral(":/res/quenvale-16.png")));
    resize(CreateWidth, CreateHeight);
    setAcceptDrops(true);

    createMenus();
    createToolBar();
    createStatusBar();

    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(false);
    // Not a stop of its own for Tab: the keys belong to the controls in it.
    m_scrollArea->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(m_scrollArea);
    setWindowTitle(LoadString(AFX_IDS_APP_TITLE));
}

QAction *CMainFrame::createAction(int id, const QString &text, const QKeySequence &key)
{
    auto *action = new QAction(text, this);
    action->setShortcut(key);
    action->setStatusTip(Prompt(id));
    action->setToolTip(ToolTip(id));
    addAction(action); // its key works without a menu item
    m_actions.insert(id, action);
    return action;
}

void CMainFrame::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("File(&F)"));
    file->addAction(createAction(ID_FILE_OPEN, QStringLiteral("Open(&O)..."),
                                 QKeySequence(Qt::CTRL | Qt::Key_O)));
    QAction *close = createAction(ID_CLOSE_TAB, QStringLiteral("Close(&C)"));
    close->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});
    file->addAction(close);
    file->addAction(createAction(ID_FILE_SAVE_AS, QStringLiteral("Save As(&A)...")));
    file->addSeparator();
    file->addAction(createAction(ID_FILE_PRINT, QStringLiteral("Print(&P)..."),
                                 QKeySequence(Qt::CTRL | Qt::Key_P)));
    file->addAction(createAction(ID_FILE_PRINT_PREVIEW, QStringLiteral("Print Preview(&V)")));
    m_recentSeparator = file->addSeparator();
    m_exitSeparator = file->addSeparator();
    file->addAction(createAction(ID_APP_EXIT, QStringLiteral("Exit(&X)")));
    m_fileMenu = file;
    SetRecentFiles({});

    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit(&E)"));
    QAction *copy = createAction(ID_EDIT_COPY, QStringLiteral("Copy(&C)"));
    copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    edit->addAction(copy);
    edit->addSeparator();
    edit->addAction(createAction(ID_FIND_FIBER, QStringLiteral("Find Fiber(&F)..."),
                                 QKeySequence(Qt::CTRL | Qt::Key_F)));
    QMenu *verdicts = menuBar()->addMenu(QStringLiteral("Verdicts(&V)"));
    QAction *shown = createAction(ID_VIEW_VERDICTS, QStringLiteral("Show Verdicts(&S)"),
                                  QKeySequence(Qt::CTRL | Qt::Key_J));
    shown->setCheckable(true);
    verdicts->addAction(shown);
    verdicts->addSeparator();
    verdicts->addAction(createAction(ID_NEXT_FAILURE, QStringLiteral("Next Failing Fiber(&N)"),
                                     QKeySequence(Qt::Key_F8)));
    verdicts->addAction(createAction(ID_PREV_FAILURE, QStringLiteral("Previous Failing Fiber(&P)"),
                                     QKeySequence(Qt::SHIFT | Qt::Key_F8)));
    verdicts->addSeparator();
    verdicts->addAction(createAction(ID_VIEW_SUMMARY, QStringLiteral("Summary(&U)...")));
    // Failing fibers are found only while the verdicts are shown.
    const auto follow = [this](bool on) {
        m_actions.value(ID_NEXT_FAILURE)->setEnabled(on);
        m_actions.value(ID_PREV_FAILURE)->setEnabled(on);
    };
    connect(shown, &QAction::toggled, this, follow);
    follow(false);
    QMenu *help = menuBar()->addMenu(QStringLiteral("Help(&H)"));
    help->addAction(createAction(ID_APP_ABOUT, QStringLiteral("About Quenvale(&A)...")));

    // Commands with a key but no menu item.
    createAction(ID_FILE_NEW, QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    createAction(ID_FILE_SAVE, QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    createAction(ID_NEXT_TAB, QStringLiteral("Next Tab"))
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    // Shift turns Tab into Backtab before a shortcut sees it.
    createAction(ID_PREV_TAB, QStringLiteral("Previous Tab"))
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                        QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    // The edit and pane keys are taken, as the program always had them, and
    // do nothing; an edit field with the focus still gets its own keys.
    const struct { int id; QKeySequence key; } idle[] = {
        {ID_EDIT_UNDO, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {ID_EDIT_CUT, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {ID_EDIT_PASTE, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {ID_NEXT_PANE, QKeySequence(Qt::Key_F6)},
        {ID_PREV_PANE, QKeySequence(Qt::SHIFT | Qt::Key_F6)},
    };
    for (const auto &command : idle)
        createAction(command.id, QString(), command.key);
    m_actions.value(ID_EDIT_UNDO)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    m_actions.value(ID_EDIT_CUT)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    m_actions.value(ID_EDIT_PASTE)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});

    connect(m_actions.value(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
}

namespace {

const struct
{
    int id;
    const char *image;
} kToolBarButtons[] = {
    {ID_FILE_OPEN, ":/res/toolbar-open.png"},
    {ID_FILE_SAVE, ":/res/toolbar-save.png"},
    {0, nullptr},
    {ID_FILE_PRINT, ":/res/toolbar-print.png"},
    {0, nullptr},
    {ID_VIEW_VERDICTS, ":/res/toolbar-verdicts.png"},
    {ID_VIEW_SUMMARY, ":/res/toolbar-summary.png"},
};

} // namespace

void CMainFrame::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setFloatable(true);
    m_toolBar->setMovable(true);
    for (const auto &button : kToolBarButtons) {
        if (button.image)
            m_toolBar->addAction(m_actions.value(button.id));
        else
            m_toolBar->addSeparator();
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
    for (const auto &button : kToolBarButtons) {
        if (button.image)
            m_actions.value(button.id)->setIcon(Resources::PixelArtIcon(QString::fromLatin1(button.image), ink));
    }
}


void CMainFrame::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(false); // the window has a fixed size
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        auto *pane = new QLabel(bar);
        pane->setObjectName(QStringLiteral("indicator%1").arg(id));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(LoadString(id)) + 12);
        bar->addPermanentWidget(pane);
        m_indicators.insert(id, pane);
    }
    m_yield = new QLabel(bar);
    m_yield->setObjectName(QStringLiteral("yield"));
    m_yield->hide();
    bar->insertPermanentWidget(0, m_yield);
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 100);
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    bar->insertPermanentWidget(1, m_progress); // left of the lock panes
    // The message pane shows "Ok" and the prompts: a notice stands apart.
    m_notice = new QLabel(bar);
    m_notice->setObjectName(QStringLiteral("fileNotice"));
    m_notice->hide();
    bar->insertPermanentWidget(0, m_notice);
    bar->showMessage(LoadString(AFX_IDS_IDLEMESSAGE));
    // Every key reaches a window of the program before any widget.
    qApp->installEventFilter(this);
    updateLockKeys();
}

// A pane shows its name while its lock is on and nothing while it is off,
// whatever colours a style sheet gives the panes; where the window system
// does not tell the locks, all three stay empty.
void CMainFrame::updateLockKeys()
{
    LockKeyState state;
    LockKeyState::Read(state);
    const auto show = [this](int id, bool on) { m_indicators.value(id)->setText(on ? LoadString(id) : QString()); };
    show(ID_INDICATOR_CAPS, state.caps);
    show(ID_INDICATOR_NUM, state.num);
    show(ID_INDICATOR_SCRL, state.scroll);
}

// The recent files between Print Preview and Exit, numbered, newest first;
// the status bar shows an entry's whole path, its menu text a short one.
void CMainFrame::SetRecentFiles(const QStringList &paths)
{
    for (QAction *action : std::as_const(m_recentActions)) {
        m_fileMenu->removeAction(action);
        delete action;
    }
    m_recentActions.clear();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths.at(i);
        auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(recentFileText(path)), m_fileMenu);
        action->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        action->setStatusTip(NativePath::Display(path));
        connect(action, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
        m_fileMenu->insertAction(m_exitSeparator, action);
        m_recentActions.append(action);
    }
    m_recentSeparator->setVisible(!m_recentActions.isEmpty());
}

// A path as a menu shows it: the home folder as "~", a long one cut in the
// middle, its "&" not taken for a mnemonic.
QString CMainFrame::recentFileText(const QString &path)
{
    constexpr int kLongest = 60;
    QString text = NativePath::Display(path);
    const QString home = QDir::homePath();
    if (home.size() > 1 && text.startsWith(home + QLatin1Char('/')))
        text = QLatin1Char('~') + text.mid(home.size());
    if (text.size() > kLongest) {
        const int keep = kLongest - 3;
        text = text.left(keep / 3) + QStringLiteral("...") + text.right(keep - keep / 3);
    }
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// A long notice is cut in the middle, all of it in its tip: the window's
// width is fixed.
void CMainFrame::ShowNotice(const QString &text)
{
    const int widest = qMax(200, width() / 2);
    m_notice->setText(m_notice->fontMetrics().elidedText(text, Qt::ElideMiddle, widest));
    m_notice->setToolTip(text);
    m_notice->setVisible(!text.isEmpty());
}

void CMainFrame::ShowYield(const QString &text)
{
    m_yield->setText(text);
    m_yield->setVisible(!text.isEmpty());
}

void CMainFrame::ShowProgress(const QString &text, int percent)
{
    if (percent < 0) {
        m_progress->hide();
        statusBar()->showMessage(LoadString(AFX_IDS_IDLEMESSAGE));
        return;
    }
    m_progress->setValue(percent);
    m_progress->show();
    statusBar()->showMessage(text);
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
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        && watched->isWindowType())
        updateLockKeys();
    if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        && watched == m_toolBar)
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
    connect(view, &CSDIQVLView::readProgress, this, &CMainFrame::ShowProgress);
    connect(view, &CSDIQVLView::yieldChanged, this, &CMainFrame::ShowYield);
    connect(view, &CSDIQVLView::noticeChanged, this, &CMainFrame::ShowNotice);
}

void CMainFrame::ResizeParentToFit(const QSize &form)
{
    m_formSize = form;
    fitToScreen();
    // The window system tells the size of the frame's border and caption
    // only once the window is on the screen: fitted again then.
    WhenShown([this] { fitToScreen(); });
}

// A Wayland compositor tells neither where it puts the window nor what its
// own bars take of the screen: where the screen's available area is all of
// it, room is kept for a desktop's bar, so that the window's foot stays on
// the screen wherever the bar pushes it.
int CMainFrame::unknownBars(const QScreen &screen)
{
    constexpr int kDesktopBar = 48;
    const bool toldNothing = screen.availableGeometry() == screen.geometry();
    return toldNothing && QGuiApplication::platformName() == QLatin1String("wayland") ? kDesktopBar : 0;
}

// The window holds the form exactly where the screen has room for that;
// where it has not, the window takes the room there is and the form
// scrolls inside it.
void CMainFrame::fitToScreen()
{
    m_scrollArea->setMinimumSize(m_formSize);
    layout()->invalidate();
    layout()->activate();
    const QSize needed = layout()->totalMinimumSize(); // with the menu bar
    m_scrollArea->setMinimumSize(0, 0);
    QSize size = needed;
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        const QSize room = available.size() - (frameGeometry().size() - geometry().size())
            - QSize(0, unknownBars(*screen));
        // A form that does not fit first gives up the rows its list grew by.
        if (m_view && needed.height() > room.height()) {
            const QSize before = m_formSize;
            m_view->LimitHeight(m_formSize.height() - (needed.height() - room.height()));
            if (m_formSize != before)
                return; // fitted again by now, to the smaller form
        }
        // A scroll bar one way takes room the other way.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scrollArea);
        if (needed.height() > room.height())
            size.rwidth() += bar;
        if (needed.width() > room.width())
            size.rheight() += bar;
        size = size.boundedTo(room);
        // A window that does not fit starts at the corner of the room.
        if (needed != size && isVisible() && !available.contains(frameGeometry()))
            move(available.topLeft());
    }
    setFixedSize(size);
    // From now on the size is ours, not the layout's.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
}

bool CMainFrame::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        updateLockKeys(); // the locks may have changed in another program
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        statusBar()->showMessage(tip.isEmpty() ? LoadString(AFX_IDS_IDLEMESSAGE) : tip);
        return true;
    }
    return QMainWindow::event(event);
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

#include "view/TabFiles.h"

#include "data/FileError.h"
#include "data/NativePath.h"
#include "view/FileDialogs.h"

#include <QCursor>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPromise>
#include <QStyle>
#include <QWheelEvent>
#include <QtConcurrent/QtConcurrentRun>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// One read under way: the tab whose file it reads, and how to stop it.
struct TabFiles::Reading
{
    QString path;
    QString name;
    int tab = -1;        // no tab moves while it is read: a close stops it
    bool newTab = false; // the tab was opened for it, and goes if it fails
    bool again = false;  // the file shown, read again since it changed
    LiveFile::Identity identity; // of the file before it was read
    std::atomic<bool> stop{false};
};

// What a read hands over: first the file, or why it could not be read;
// then, while the window shows the file, the verdicts on its fibers.
struct TabFiles::Outcome
{
    bool read = false;
    LoadedFile file;
    QString error;
    LoadedFile::Verdicts verdicts;
};

namespace {

// What a read cannot even begin with is told before a tab is opened for
// it: a name that does not exist, a file that may not be read, a folder.
bool canOpen(const QString &path, QString *error)
{
    const int fd = NativePath::Open(path, O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return FileError::ReadFailed(path, qt_error_string(errno), error);
    struct stat info = {};
    const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(fd);
    if (folder)
        return FileError::ReadFailed(path, TabFiles::tr("it is a folder, not a file"), error);
    return true;
}

} // namespace

TabFiles::TabFiles(QWidget *parent) : QTabBar(parent)
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
    connect(&m_live, &LiveFile::changed, this, &TabFiles::readAgain);
    connect(&m_live, &LiveFile::gone, this, [this] {
        const int index = currentIndex();
        if (index >= 0 && index < m_nTabCount)
            emit fileGone(m_tabRecords.at(index).name);
    });
}

TabFiles::~TabFiles()
{
    stopReading();
}

FileDialogs &TabFiles::Dialogs() const
{
    return m_pDialogs ? *m_pDialogs : FileDialogs::Default();
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
        index = m_nTabCount - 1;
        break;
    default:
        QTabBar::keyPressEvent(event);
        return;
    }
    event->accept();
    if (index >= 0 && index < m_nTabCount && index != current)
        ShowTab(index);
}

void TabFiles::ShowTab(int index)
{
    if (index < 0 || index >= m_nTabCount)
        return;
    setCurrentIndex(index);
    startReading(index, false);
}

void TabFiles::showTabAlong(int step)
{
    if (m_nTabCount == 0)
        return;
    const int from = qMax(0, currentIndex());
    ShowTab(((from + step) % m_nTabCount + m_nTabCount) % m_nTabCount);
}

void TabFiles::wheelEvent(QWheelEvent *event)
{
    event->accept();
}

bool TabFiles::addTab(const QString &path)
{
    if (m_nTabCount >= MaxTabs) {
        Dialogs().ShowMessage(parentWidget(),
                              tr("Cannot open \"%1\": %2 files are open already. "
                                 "Close a tab first.")
                                  .arg(path)
                                  .arg(MaxTabs));
        return false;
    }
    const QFileInfo file(path);
    // The label shows a name of code page 936 bytes as the characters it means.
    TabRecord record{file.absoluteFilePath(), TabRecord::Label(NativePath::Display(file.fileName()))};
    m_tabRecords.append(record);
    setCurrentIndex(insertTab(m_nTabCount, record.name));
    ++m_nTabCount;
    return true;
}

QStringList TabFiles::OpenFiles(const QStringList &paths)
{
    QStringList opened;
    for (const QString &path : paths) {
        if (m_nTabCount >= MaxTabs) {
            addTab(path); // says why it cannot
            break;
        }
        QString error;
        if (!canOpen(path, &error)) {
            Dialogs().ShowMessage(parentWidget(), error);
            continue;
        }
        addTab(path);
        opened.append(path);
    }
    // None of the files could be opened: the file on screen, whose tab is
    // still the selected one, stays.
    if (!opened.isEmpty()) {
        startReading(m_nTabCount - 1, true);
        emit filesOpened(opened);
    }
    return opened;
}

// Cancelling the dialog changes nothing: the tabs, the file shown, the
// names typed into the fiber box, the list and the chart all stay.
void TabFiles::OnFileOpen()
{
    OpenFiles(Dialogs().GetOpenFileNames(parentWidget(), FileDialogs::OpenFilter()));
}

// Only the left button shows a tab's file.
void TabFiles::OnClickTabFiles(int index)
{
    if (m_button != Qt::LeftButton)
        return;
    ShowTab(index);
}

void TabFiles::OnRclickTabFiles(const QPoint &)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Close"), this, &TabFiles::OnCloseTab);
    menu.exec(QCursor::pos());
}

void TabFiles::OnCloseTab()
{
    const int closed = currentIndex();
    if (closed < 0 || closed >= m_nTabCount)
        return;
    stopReading();
    m_tabRecords.removeAt(closed);
    --m_nTabCount;
    removeTab(closed);
    // The tab left of the closed one is shown and selected. After the first
    // tab the strip selects the new first tab, so that one is shown.
    const int shown = closed > 0 ? closed - 1 : (m_nTabCount > 0 ? 0 : -1);
    if (shown < 0) {
        showNothing();
        return;
    }
    ShowTab(shown);
}

// The file shown changed on disk: read again, unless another read is under
// way, which shows a file anew anyway.
void TabFiles::readAgain()
{
    const int index = currentIndex();
    if (m_reading || index < 0 || index >= m_nTabCount || m_tabRecords.at(index).path != m_live.Path())
        return;
    startReading(index, false, true);
}

void TabFiles::startReading(int index, bool newTab, bool again)
{
    stopReading();
    m_live.Stop();
    auto reading = std::make_shared<Reading>();
    reading->path = m_tabRecords.at(index).path;
    reading->name = m_tabRecords.at(index).name;
    reading->tab = index;
    reading->newTab = newTab;
    reading->again = again;
    // Taken before the read: a change while it reads shows as one after it.
    reading->identity = LiveFile::IdentityOf(reading->path);
    m_reading = reading;
    showBusy(index, true);
    if (again)
        emit rereadStarted(reading->name);
    else
        emit readStarted(reading->name);

    auto *watcher = new QFutureWatcher<Outcome>(this);
    connect(watcher, &QFutureWatcherBase::finished, watcher, &QObject::deleteLater);
    connect(watcher, &QFutureWatcherBase::progressValueChanged, this, [this, reading](int percent) {
        if (reading == m_reading)
            emit readProgress(reading->name, percent);
    });
    connect(watcher, &QFutureWatcherBase::resultReadyAt, this, [this, watcher, reading](int index) {
        Outcome outcome = watcher->resultAt(index);
        if (index == 0 && reading == m_reading)
            finishReading(reading, outcome);
        else if (index == 1 && reading == m_judging)
            emit verdictsRead(outcome.verdicts);
    });
    watcher->setFuture(QtConcurrent::run([reading](QPromise<Outcome> &promise) {
        promise.setProgressRange(0, 100);
        Outcome outcome;
        const auto progress = [&promise](qint64 done, qint64 size) {
            if (size > 0)
                promise.setProgressValue(int(qMin<qint64>(100, done * 100 / size)));
        };
        outcome.read = LoadedFile::Load(reading->path, &outcome.file, &outcome.error,
                                        &reading->stop, progress);
        const MeasurementRows rows = outcome.file.rows; // shared, not copied
        const bool read = outcome.read;
        promise.addResult(std::move(outcome));
        // The fibers are judged while the window shows the file.
        Outcome judged;
        if (read && LoadedFile::Judge(rows, &judged.verdicts, &reading->stop))
            promise.addResult(std::move(judged));
    }));
}

// The read under way goes on by itself until it next looks at its stop,
// then ends unheard.
void TabFiles::stopReading()
{
    if (m_judging)
        m_judging->stop = true;
    m_judging.reset();
    if (!m_reading)
        return;
    m_reading->stop = true;
    showBusy(m_reading->tab, false);
    m_reading.reset();
}

void TabFiles::finishReading(const std::shared_ptr<Reading> &reading, Outcome &outcome)
{
    const int index = reading->tab;
    m_reading.reset();
    showBusy(index, false);
    if (outcome.read) {
        m_judging = reading;
        m_live.Watch(reading->path, reading->identity);
        if (reading->again)
            emit fileReread(outcome.file);
        else
            emit fileRead(outcome.file);
        return;
    }
    if (reading->again) {
        // What was shown stays, and so does the watch: the writer may not
        // be done yet.
        m_live.Watch(reading->path, LiveFile::IdentityOf(reading->path));
        emit rereadFailed(outcome.error);
        return;
    }
    Dialogs().ShowMessage(parentWidget(), outcome.error);
    // A file opened just now that turns out unreadable keeps no tab.
    if (reading->newTab && index >= 0 && index < m_nTabCount) {
        m_tabRecords.removeAt(index);
        --m_nTabCount;
        removeTab(index);
    }
    showNothing();
}

void TabFiles::showBusy(int index, bool busy)
{
    if (index < 0 || index >= count())
        return;
    setTabIcon(index, busy ? style()->standardIcon(QStyle::SP_BrowserReload) : QIcon());
    setTabToolTip(index, busy ? tr("Reading %1").arg(m_tabRecords.value(index).path) : QString());
}

void TabFiles::showNothing()
{
    m_live.Stop();
    emit fileRead(LoadedFile());
}

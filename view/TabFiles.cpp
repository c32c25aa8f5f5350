#include "view/TabFiles.h"

#include "data/FileError.h"
#include "data/NativePath.h"
#include "view/FileDialogs.h"

#include <QCursor>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QWheelEvent>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// One read under way: the tab whose file it reads, and its number with
// the reader.
struct TabFiles::Reading
{
    quint64 id = 0;
    QString path;
    QString name;
    int tab = -1;        // no tab moves while it is read: a close stops it
    bool newTab = false; // the tab was opened for it, and goes if it fails
    bool again = false;  // the file shown, read again since it changed
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
    connect(&m_reader, &FileReader::progress, this, [this](quint64 id, int percent) {
        if (m_reading && m_reading->id == id)
            emit readProgress(m_reading->name, percent);
    });
    connect(&m_reader, &FileReader::waiting, this, [this](quint64 id, bool waiting) {
        if (m_reading && m_reading->id == id)
            emit readWaiting(m_reading->name, waiting);
    });
    connect(&m_reader, &FileReader::finished, this, [this](quint64 id, const FileReader::Read &read) {
        if (m_reading && m_reading->id == id)
            finishReading(std::shared_ptr<Reading>(m_reading), read); // a copy: it resets m_reading
    });
    connect(&m_reader, &FileReader::judged, this,
            [this](quint64 id, const LoadedFile::Verdicts &verdicts) {
                if (m_judging && m_judging->id == id)
                    emit verdictsRead(verdicts);
            });
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
    m_reading = reading;
    showBusy(index, true);
    if (again)
        emit rereadStarted(reading->name);
    else
        emit readStarted(reading->name);
    reading->id = m_reader.Start(reading->path);
}

// The read under way is heard of no more; the reader does not wait for it.
void TabFiles::stopReading()
{
    if (m_judging)
        m_reader.Stop(m_judging->id);
    m_judging.reset();
    if (!m_reading)
        return;
    m_reader.Stop(m_reading->id);
    showBusy(m_reading->tab, false);
    m_reading.reset();
}

void TabFiles::finishReading(const std::shared_ptr<Reading> &reading, const FileReader::Read &read)
{
    const int index = reading->tab;
    m_reading.reset();
    showBusy(index, false);
    if (read.read) {
        m_judging = reading;
        m_live.Watch(reading->path, read.identity);
        if (reading->again)
            emit fileReread(read.file);
        else
            emit fileRead(read.file);
        return;
    }
    if (reading->again) {
        // What was shown stays, and so does the watch: the writer may not
        // be done yet.
        m_live.Watch(reading->path, LiveFile::IdentityOf(reading->path));
        emit rereadFailed(read.error);
        return;
    }
    Dialogs().ShowMessage(parentWidget(), read.error);
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

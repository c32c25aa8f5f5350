#include "document/DocumentManager.h"

#include "data/FileError.h"
#include "data/NativePath.h"
#include "lot/ControlWriter.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

struct DocumentManager::Reading
{
    quint64 id = 0;
    int tab = -1; // no tab moves while it is read: a close stops it
    QString path;
    QString name;
    bool newTab = false; // the tab was opened for it, and goes if it fails
    bool again = false;  // the file shown, read again since it changed
    bool growing = false;
    std::shared_ptr<HeldFile> held; // read in place of a file gone from `path`
};

namespace {

// What a read cannot even begin with is told before a tab is opened for
// it: a name that does not exist, a file that may not be read, a folder.
// The descriptor opened to look at it, or -1.
int openToRead(const QString &path, QString *error)
{
    const int fd = NativePath::Open(path, O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        FileError::ReadFailed(path, qt_error_string(errno), error);
        return -1;
    }
    struct stat info = {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        FileError::ReadFailed(path, DocumentManager::tr("it is a folder, not a file"), error);
        return -1;
    }
    return fd;
}

bool isGone(const QString &path)
{
    struct stat info = {};
    return ::stat(NativePath::Encode(path).constData(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

} // namespace

DocumentManager::DocumentManager(QObject *parent) : QObject(parent)
{
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
            finishReading(read);
    });
    connect(&m_reader, &FileReader::judged, this, [this](quint64 id, const LoadedFile::Verdicts &verdicts) {
        if (id != m_judging)
            return;
        m_judging = 0;
        m_document.ShowVerdicts(verdicts);
        // The band changed while the file was read.
        if (verdicts.judge.WarnMargin() != m_warnMargin || verdicts.judge.LimitsOf() != m_limits)
            judgeAgain();
    });
    connect(&m_live, &LiveFile::changed, this, &DocumentManager::readAgain);
    connect(&m_live, &LiveFile::quiet, &m_document, &ResultDocument::StopGrowing);
    connect(&m_live, &LiveFile::gone, this, [this] {
        if (m_shownTab >= 0)
            m_document.ShowGone(Record(m_shownTab).path, Record(m_shownTab).name);
    });
}

DocumentManager::~DocumentManager()
{
    stopReading();
}

QList<TabRecord> DocumentManager::Records() const
{
    QList<TabRecord> records;
    for (const Tab &tab : m_tabs)
        records.append(tab.record);
    return records;
}

int DocumentManager::ReadingTab() const
{
    return m_reading ? m_reading->tab : -1;
}

bool DocumentManager::addTab(const QString &path, std::shared_ptr<LotDocument> lot, const QString &label)
{
    if (m_tabs.size() >= MaxTabs) {
        emit failed(tr("Cannot open \"%1\": %2 files are open already. Close a tab first.")
                        .arg(path)
                        .arg(MaxTabs));
        return false;
    }
    const QFileInfo file(path);
    // The label shows a name of code page 936 bytes as the characters it means.
    Tab tab;
    tab.record = label.isEmpty() ? TabRecord{file.absoluteFilePath(), TabRecord::Label(NativePath::Display(file.fileName()))}
                                 : TabRecord{path, TabRecord::Label(label)};
    tab.lot = std::move(lot);
    m_tabs.append(tab);
    emit tabOpened(TabCount() - 1);
    setCurrent(TabCount() - 1);
    return true;
}

QStringList DocumentManager::OpenFiles(const QStringList &paths)
{
    QStringList opened;
    for (const QString &path : paths) {
        if (m_tabs.size() >= MaxTabs) {
            addTab(path); // says why it cannot
            break;
        }
        QString error;
        const int fd = openToRead(path, &error);
        if (fd < 0) {
            emit failed(error);
            continue;
        }
        // The file as it is now, kept until a version of it is read.
        std::shared_ptr<HeldFile> held = HeldFile::Adopt(fd);
        if (addTab(path))
            hold(m_tabs.last(), std::move(held));
        opened.append(path);
    }
    // None of the files could be opened: the file on screen, whose tab is
    // still the selected one, stays.
    if (!opened.isEmpty()) {
        startReading(TabCount() - 1, true);
        emit filesOpened(opened);
    }
    return opened;
}

void DocumentManager::setCurrent(int index)
{
    if (index == m_current)
        return;
    m_current = index;
    emit currentTabChanged(index);
}

void DocumentManager::ShowTab(int index)
{
    if (index < 0 || index >= TabCount())
        return;
    setCurrent(index);
    startReading(index, false);
}

void DocumentManager::ShowTabAlong(int step)
{
    if (m_tabs.isEmpty())
        return;
    const int from = qMax(0, m_current);
    const int count = TabCount();
    ShowTab(((from + step) % count + count) % count);
}

void DocumentManager::CloseTab()
{
    const int closed = m_current;
    if (closed < 0 || closed >= TabCount())
        return;
    const bool wasReading = stopReading();
    m_tabs.removeAt(closed);
    if (m_shownTab == closed)
        m_shownTab = -1;
    else if (m_shownTab > closed)
        --m_shownTab;
    m_current = -1;
    emit tabClosed(closed);
    // The tab left of the closed one is shown and selected; after the first
    // tab, the new first tab.
    const int shown = closed > 0 ? closed - 1 : (m_tabs.isEmpty() ? -1 : 0);
    if (shown >= 0) {
        ShowTab(shown);
        return;
    }
    emit currentTabChanged(-1);
    m_live.Stop();
    m_shownTab = -1;
    m_document.Clear();
    if (wasReading)
        emit readEnded();
}

// The file of tab `index` is no longer on disk: the document says so and
// shows what it can without reading (the file it shows, if it is that
// one). False where the tab's version kept open is to be read instead.
bool DocumentManager::showGone(int index)
{
    const Tab &tab = m_tabs.at(index);
    const bool shown = index == m_shownTab && m_document.HasFile() && m_document.Path() == tab.record.path;
    if (!shown && tab.held)
        return false;
    m_live.Watch(tab.record.path, LiveFile::IdentityOf(tab.record.path)); // for its coming back
    m_shownTab = index;
    m_document.ShowGone(tab.record.path, tab.record.name);
    return true;
}

// A lot's tab is shown: no file is read or watched, and the document is
// empty until a file's tab is chosen again.
void DocumentManager::showLot()
{
    const bool wasReading = stopReading();
    m_live.Stop();
    m_shownTab = -1;
    m_document.Clear();
    if (wasReading)
        emit readEnded();
}

bool DocumentManager::OpenFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable()) {
        QString error;
        FileError::ReadFailed(folder, info.exists() ? tr("it cannot be read") : tr("it does not exist"), &error);
        emit failed(error);
        return false;
    }
    QString name = info.absoluteFilePath();
    while (name.size() > 1 && name.endsWith(QLatin1Char('/')))
        name.chop(1);
    return openLot(name, std::make_shared<LotDocument>(name));
}

bool DocumentManager::OpenDatabase(const QString &url, const FactoryDatabase::Query &query)
{
    const QString stations = query.stations.isEmpty() ? tr("every station") : query.stations.join(QLatin1String(", "));
    return openLot(url, std::make_shared<LotDocument>(url, query), tr("%1 (database)").arg(stations));
}

bool DocumentManager::openLot(const QString &name, std::shared_ptr<LotDocument> lot, const QString &label)
{
    LotDocument *document = lot.get();
    connect(document, &LotDocument::notice, this, &DocumentManager::lotNotice);
    if (m_planFor)
        document->SetPlan(m_planFor(name));
    connect(document, &LotDocument::alarmsRaised, this, [this, document](const QList<LotControl::Alarm> &alarms) {
        QStringList sentences;
        for (const LotControl::Alarm &alarm : alarms)
            sentences.append(ControlWriter::Sentence(document->Model(), alarm));
        emit lotAlarms(document->Folder(), sentences);
        emit lotNotice(alarms.size() == 1 ? sentences.first()
                                          : tr("%1 new alarms; the last: %2").arg(alarms.size()).arg(sentences.last()));
    });
    connect(document, &LotDocument::planChanged, this, [this, document, name] {
        if (m_planKept)
            m_planKept(name, document->Plan());
    });
    if (!addTab(name, std::move(lot), label))
        return false;
    showLot();
    document->Start();
    return true;
}

LotDocument *DocumentManager::Lot(int index) const
{
    return index >= 0 && index < TabCount() ? m_tabs.at(index).lot.get() : nullptr;
}

void DocumentManager::startReading(int index, bool newTab, bool again, bool growing)
{
    if (m_tabs.at(index).lot) {
        showLot();
        return;
    }
    const bool wasReading = stopReading();
    Tab &tab = m_tabs[index];
    auto reading = std::make_unique<Reading>();
    reading->path = tab.record.path;
    reading->name = tab.record.name;
    reading->tab = index;
    reading->newTab = newTab;
    reading->again = again;
    reading->growing = growing;
    if (!again) {
        m_live.Stop();
        if (isGone(tab.record.path)) {
            if (showGone(index)) {
                if (wasReading)
                    emit readEnded();
                return;
            }
            reading->held = tab.held;
        }
        m_shownTab = -1;
        m_document.Clear();
    }
    if (m_limitsFor) {
        if (const Limits limits = m_limitsFor(reading->path); limits != m_limits) {
            m_limits = limits;
            m_document.SetLimits(limits);
        }
    }
    reading->id = m_reader.Start(reading->held ? reading->held->Path() : reading->path, reading->held, Inputs());
    m_reading = std::move(reading);
    emit tabBusy(index, true);
    emit readStarted(tab.record.name, again);
}

// The file shown changed on disk: read again, unless another read is under
// way, after which the watch sees the change anew.
void DocumentManager::readAgain(bool growing)
{
    if (m_reading || m_shownTab < 0 || Record(m_shownTab).path != m_live.Path())
        return;
    startReading(m_shownTab, false, true, growing);
}

void DocumentManager::SetLimits(const Limits &limits)
{
    if (limits == m_limits)
        return;
    m_limits = limits;
    m_document.SetLimits(limits);
    judgeAgain();
}

void DocumentManager::SetWarnMargin(std::optional<double> warnMargin)
{
    if (warnMargin == m_warnMargin)
        return;
    m_warnMargin = warnMargin;
    m_document.SetWarnMargin(warnMargin);
    judgeAgain();
}

// A read under way judges its file with the band it started with, and is
// judged again once its verdicts are in.
void DocumentManager::judgeAgain()
{
    if (m_reading || !m_document.HasFile())
        return;
    if (m_judging)
        m_reader.Stop(m_judging);
    m_judging = m_reader.Judge(m_document.RowsToJudge(), Inputs());
    m_document.AwaitVerdicts();
}

// The read under way is heard of no more; the reader does not wait for it.
bool DocumentManager::stopReading()
{
    if (m_judging)
        m_reader.Stop(std::exchange(m_judging, 0));
    if (!m_reading)
        return false;
    m_reader.Stop(m_reading->id);
    const int tab = m_reading->tab;
    m_reading.reset();
    emit tabBusy(tab, false);
    return true;
}

void DocumentManager::hold(Tab &tab, std::shared_ptr<HeldFile> held)
{
    tab.held.reset();
    tab.lastRead = ++m_reads;
    if (!held)
        return;
    int count = 0;
    Tab *oldest = nullptr;
    for (Tab &other : m_tabs) {
        if (!other.held)
            continue;
        ++count;
        if (!oldest || other.lastRead < oldest->lastRead)
            oldest = &other;
    }
    if (count >= HeldFile::Budget() && oldest)
        oldest->held.reset();
    tab.held = std::move(held);
}

void DocumentManager::finishReading(const FileReader::Read &read)
{
    const std::unique_ptr<Reading> reading = std::move(m_reading);
    const int index = reading->tab;
    emit tabBusy(index, false);
    if (read.read) {
        m_judging = reading->id;
        if (!reading->held)
            hold(m_tabs[index], read.held);
        m_shownTab = index;
        m_document.Show({reading->path, reading->name, read.file, reading->again, reading->growing});
        if (reading->held)
            m_document.ShowGone(reading->path, reading->name);
        m_live.Watch(reading->path, reading->held ? LiveFile::IdentityOf(reading->path) : read.identity);
        emit readEnded();
        return;
    }
    if (reading->again) {
        // What was shown stays, and so does the watch: the writer may not
        // be done yet.
        m_live.Watch(reading->path, LiveFile::IdentityOf(reading->path));
        m_document.ShowUnreadable(read.error);
        emit readEnded();
        return;
    }
    emit failed(read.error);
    // A file opened just now that turns out unreadable keeps no tab.
    if (reading->newTab && index >= 0 && index < TabCount()) {
        m_tabs.removeAt(index);
        if (m_current == index)
            m_current = -1;
        emit tabClosed(index);
        setCurrent(TabCount() - 1);
    }
    m_live.Stop();
    m_shownTab = -1;
    m_document.Clear();
    emit readEnded();
}

#include "lot/LotDocument.h"

#include "data/NativePath.h"
#include "data/ResultFileFinder.h"
#include "lot/LotScan.h"
#include "lot/SummaryCache.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSet>
#include <QThread>

#include <dirent.h>
#include <vector>

// One look at the folders: what it was given, done on its own thread, and
// what it found, taken up on the lot's.
struct LotDocument::Look
{
    struct Known
    {
        FileStamp stamp;
        bool growing = false;
        bool gone = false;
        QString error;
    };
    // Given.
    bool full = false;
    quint64 generation = 0;
    QString folder; // or the database's URL
    std::optional<FactoryDatabase::Query> database;
    bool subfolders = false;
    JudgeInputs inputs;
    QList<LotFile> before;           // the lot's files
    QHash<QString, Known> known;     // the same, by path
    QHash<QString, FileStamp> seen;  // at the look before
    // Found.
    QList<LotFile> files;            // all of them (full), or those new or changed
    QStringList gone;
    QStringList folders;             // to watch
    QStringList notices;
    std::optional<LotModel::Batch> merged; // `before` with the files found put in
    qint64 elapsedMs = 0;
};

namespace {

// Runs work(0) to work(count - 1) on every core, this thread among them.
void runEverywhere(qsizetype count, const LotScan::Work &work, const std::function<void()> &done)
{
    std::atomic<qsizetype> next{0};
    auto take = [&] {
        for (qsizetype i; (i = next++) < count;) {
            QString error;
            work(i, &error);
            done();
        }
    };
    std::vector<std::thread> helpers;
    const qsizetype wanted = qMin<qsizetype>(count, QThread::idealThreadCount()) - 1;
    for (qsizetype i = 0; i < wanted; ++i)
        helpers.emplace_back(take);
    take();
    for (std::thread &helper : helpers)
        helper.join();
}

// Whether `path`, found under `folder`, lies in it rather than in a subfolder.
bool directlyIn(const QString &folder, const QString &path)
{
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(prefix) && path.indexOf(QLatin1Char('/'), prefix.size()) < 0;
}

bool listable(const QString &folder)
{
    DIR *dir = ::opendir(NativePath::Encode(folder).constData());
    if (dir)
        ::closedir(dir);
    return dir != nullptr;
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash > 0 ? path.left(slash) : QStringLiteral("/");
}

} // namespace

LotDocument::LotDocument(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(QFileInfo(folder).absoluteFilePath()), m_watcher(new QFileSystemWatcher(this))
{
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { startLook(false); });
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, [this] { startLook(false); });
    m_soon.setSingleShot(true);
    connect(&m_soon, &QTimer::timeout, this, [this] { startLook(false); });
}

LotDocument::LotDocument(const QString &url, const FactoryDatabase::Query &query, QObject *parent)
    : LotDocument(QString(), parent)
{
    m_folder = url;
    m_database = query;
    m_poll.setInterval(DatabasePollMs);
}

LotDocument::~LotDocument()
{
    m_stop = true;
    join();
}

void LotDocument::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void LotDocument::SetSubfolders(bool subfolders)
{
    if (subfolders == m_subfolders)
        return;
    m_subfolders = subfolders;
    Start();
}

void LotDocument::SetPlan(const ControlPlan &plan)
{
    if (plan == m_plan)
        return;
    m_plan = plan;
    emit planChanged();
    if (!m_scanning)
        updateControl(false);
}

void LotDocument::updateControl(bool tell)
{
    m_control = LotControl::Of(m_model, m_plan);
    QList<LotControl::Alarm> raised;
    QSet<QString> keys;
    for (const LotControl::Alarm &alarm : std::as_const(m_control.alarms)) {
        const QString key = LotControl::Key(m_model, alarm);
        keys.insert(key);
        if (!m_alarmKeys.contains(key))
            raised.append(alarm);
    }
    m_alarmKeys = keys;
    emit controlChanged();
    if (tell && !raised.isEmpty())
        emit alarmsRaised(raised);
}

void LotDocument::Start()
{
    if (m_database && !m_listener) {
        m_listener = std::make_unique<FactoryDatabase>();
        QString error;
        if (!m_listener->Open(m_folder, &error) || !m_listener->Listen(this, [this] { startLook(false); }))
            m_listener.reset(); // looked at every DatabasePollMs alone
    }
    startLook(true);
}

// The database's files, all of them or those changed since the look
// before, as a look of a folder finds them.
void LotDocument::lookAtDatabase(Look &look)
{
    FactoryDatabase database;
    QString error;
    const bool read = database.Open(look.folder, &error)
        && (look.full ? database.Read(*look.database, &look.files, &error)
                      : database.ReadChanges(*look.database, look.before, &look.files, &look.gone, &error));
    if (!read)
        look.notices.append(error);
    if (!look.full && (!look.files.isEmpty() || !look.gone.isEmpty()))
        look.merged = LotModel::Merged(look.before, look.files, look.gone);
}

void LotDocument::startLook(bool full)
{
    if (!full && !m_looking && m_lastLook.isValid() && m_lastLook.elapsed() < MinLookMs) {
        // Told of changes faster than that (a station writing many files a
        // second): they are taken together by the next look.
        if (!m_soon.isActive())
            m_soon.start(int(MinLookMs - m_lastLook.elapsed()));
        return;
    }
    if (m_looking) {
        if (full) {
            // The look under way is given up; its files are no longer the lot's.
            m_stop = true;
            join();
            m_stop = false;
            m_looking = false;
        } else {
            m_lookAgain = true;
            return;
        }
    }
    join();
    auto look = std::make_shared<Look>();
    look->full = full;
    if (full) {
        ++m_generation;
        m_scanning = true;
        m_seen.clear();
        emit scanStarted();
    }
    look->generation = m_generation;
    look->folder = m_folder;
    look->database = m_database;
    look->subfolders = m_subfolders;
    look->inputs = m_inputs;
    look->seen = m_seen;
    if (!full)
        look->before = m_model.Files(); // shared, not copied: the look reads it on its own thread
    m_looking = true;
    m_lookAgain = false;
    m_soon.stop();
    m_lastLook.start();
    const std::atomic<bool> *stop = &m_stop;
    m_thread = std::thread([this, look, stop] {
        if (look->database) {
            lookAtDatabase(*look);
            QMetaObject::invokeMethod(this, [this, look] { lookEnded(look); }, Qt::QueuedConnection);
            return;
        }
        QElapsedTimer timer;
        timer.start();
        const auto within = [look](const QString &path) {
            return look->subfolders || directlyIn(look->folder, path);
        };
        SummaryCache cache;
        bool cacheOpen = false;
        const auto openCache = [&]() -> SummaryCache * {
            if (!cacheOpen) {
                cacheOpen = true;
                cache.Open(); // without one every file is read, and a notice says why
            }
            return cache.IsOpen() ? &cache : nullptr;
        };
        if (look->full) {
            std::atomic<qsizetype> done{0};
            std::atomic<int> shown{-1};
            qsizetype count = 0;
            const LotScan::Result result = LotScan::Scan(
                {look->folder}, look->inputs, openCache(),
                [&](qsizetype n, const LotScan::Work &work) {
                    count = n;
                    runEverywhere(n, work, [&] {
                        const qsizetype now = ++done;
                        const int percent = int(now * 100 / qMax<qsizetype>(count, 1));
                        if (shown.exchange(percent) != percent)
                            QMetaObject::invokeMethod(this, [this, now, n] { emit scanProgress(now, n); },
                                                      Qt::QueuedConnection);
                    });
                },
                // What cannot be walked is listed among the files, with its reason.
                stop, [](const QString &) {}, within);
            look->files = result.files;
            for (const LotFile &file : look->files)
                look->seen.insert(file.path, file.stamp);
        } else {
            for (const LotFile &file : std::as_const(look->before))
                look->known.insert(file.path, {file.stamp, file.growing, file.gone, file.error});
            QList<ResultFileFinder::PathError> errors;
            const ResultFileFinder::ResultFiles list =
                ResultFileFinder::Find({look->folder}, &errors, [stop] { return stop->load(); });
            QHash<QString, FileStamp> seen;
            QSet<QString> present;
            for (const ResultFileFinder::ResultFile &found : list.files) {
                if (!within(found.path))
                    continue;
                present.insert(found.path);
                seen.insert(found.path, found.stamp);
                const auto before = look->seen.constFind(found.path);
                const bool growing = before == look->seen.cend() || *before != found.stamp;
                const auto known = look->known.constFind(found.path);
                // The very version the lot holds, read or not, is not read again.
                if (known != look->known.cend() && known->stamp == found.stamp && !known->gone) {
                    if (known->growing && !growing) {
                        // Stood still since: the same version, no longer growing.
                        LotFile file = LotScan::ScanFile(found.path, true, look->inputs, openCache(), stop);
                        look->files.append(std::move(file));
                    }
                    continue;
                }
                LotFile file = LotScan::ScanFile(found.path, true, look->inputs, openCache(), stop);
                file.growing = growing;
                look->files.append(std::move(file));
            }
            for (const ResultFileFinder::PathError &error : std::as_const(errors)) {
                if (error.found && !within(error.path))
                    continue;
                present.insert(error.path);
                const auto known = look->known.constFind(error.path);
                if (known != look->known.cend() && known->error == error.message && !known->gone)
                    continue;
                LotFile file{error.path, error.found};
                file.error = error.message;
                look->files.append(std::move(file));
            }
            for (auto it = look->known.cbegin(); it != look->known.cend(); ++it) {
                if (!it->gone && !present.contains(it.key()))
                    look->gone.append(it.key());
            }
            look->seen = seen;
        }
        // Every folder of the lot is watched, for its new files.
        QSet<QString> folders{look->folder};
        if (look->subfolders) {
            for (auto it = look->seen.cbegin(); it != look->seen.cend(); ++it)
                folders.insert(folderOf(it.key()));
        }
        look->folders = QStringList(folders.cbegin(), folders.cend());
        // The lot's own folder is no file of it: one without result files
        // yet is an empty lot, one that cannot be listed is told.
        const auto own = [](const LotFile &file) { return !file.found; };
        for (const LotFile &file : std::as_const(look->files)) {
            if (own(file) && !file.error.isEmpty() && !listable(file.path))
                look->notices.append(file.error);
        }
        look->files.removeIf(own);
        // The lot after this look, and its figures, made here rather than
        // on the window's thread, where they took most of a batch's time.
        if (!look->full && (!look->files.isEmpty() || !look->gone.isEmpty()))
            look->merged = LotModel::Merged(look->before, look->files, look->gone);
        look->notices += cache.TakeNotices();
        look->elapsedMs = timer.elapsed();
        QMetaObject::invokeMethod(this, [this, look] { lookEnded(look); }, Qt::QueuedConnection);
    });
}

void LotDocument::lookEnded(std::shared_ptr<Look> look)
{
    if (look->generation != m_generation)
        return; // of a lot read anew since
    join();
    m_looking = false;
    if (m_stop)
        return;
    for (const QString &text : std::as_const(look->notices)) {
        if (m_told.contains(text)) // once, however often the folder is looked at
            continue;
        m_told.insert(text);
        m_notices.append(text);
        emit notice(text);
    }
    m_seen = look->seen;
    if (look->full) {
        m_model.Reset(std::move(look->files));
        m_scanning = false;
        updateControl(false);
        emit scanEnded();
        m_poll.start();
    } else {
        // A look that brought nothing changes no chart.
        const bool brought = look->merged || !look->files.isEmpty() || !look->gone.isEmpty();
        // All in one: a station writing many files a second gives a batch
        // a look, not a change of the table and the trend a file.
        if (look->merged && m_model.Files().isSharedWith(look->before)) {
            look->before.clear(); // the model's files are its own again, not copied when changed
            m_model.Update(std::move(*look->merged));
        } else {
            m_model.Update(std::move(look->files), look->gone);
        }
        if (brought)
            updateControl(true);
        // A folder so big that a look takes long is looked at less often,
        // so that watching it never takes more than a tenth of a core.
        if (!m_database)
            m_poll.setInterval(int(qBound(qint64(PollMs), 10 * look->elapsedMs, qint64(10000))));
    }
    const QStringList watched = m_watcher->directories();
    for (const QString &folder : std::as_const(look->folders)) {
        if (!watched.contains(folder))
            m_watcher->addPath(folder);
    }
    if (m_lookAgain)
        startLook(false);
}

#include "cli/PushFollower.h"

#include "data/NativePath.h"
#include "lot/LotScan.h"

#include <QDir>

PushFollower::PushFollower(const QString &url, const QString &station, const QString &folder, bool rows, Tell out,
                           Tell err)
    : m_url(url), m_station(station), m_rows(rows), m_lot(QDir(folder).absolutePath()), m_out(std::move(out)),
      m_err(std::move(err))
{
    m_soon.setSingleShot(true);
    connect(&m_soon, &QTimer::timeout, this, &PushFollower::pushSettled);
    const auto soon = [this] { m_soon.start(0); };
    LotModel &model = m_lot.Model();
    connect(&model, &QAbstractItemModel::rowsInserted, this, soon);
    connect(&model, &QAbstractItemModel::dataChanged, this, soon);
    connect(&model, &QAbstractItemModel::modelReset, this, soon);
    connect(&m_lot, &LotDocument::scanEnded, this, soon);
    connect(&m_lot, &LotDocument::notice, this, [this](const QString &text) { m_err(text.toUtf8()); });
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, &PushFollower::pushSettled);
}

void PushFollower::Start()
{
    QString error;
    m_spoolOpen = m_spool.Open(&error);
    if (!m_spoolOpen)
        m_err(error.toUtf8());
    m_lot.Start();
    m_retry.start();
}

bool PushFollower::connectDatabase()
{
    if (m_database)
        return true;
    auto database = std::make_unique<FactoryDatabase>();
    QString error;
    if (!database->Open(m_url, &error)) {
        if (!m_unreachable) {
            m_err(error.toUtf8());
            m_err(tr("%1: the files wait until it can be reached again").arg(m_url).toUtf8());
        }
        m_unreachable = true;
        return false;
    }
    if (m_unreachable)
        m_err((m_waiting == 1 ? tr("%1: reached again; pushing the file waiting").arg(m_url)
                              : tr("%1: reached again; pushing the %2 files waiting").arg(m_url).arg(m_waiting))
                  .toUtf8());
    m_unreachable = false;
    if (m_spoolOpen && !m_spool.Drain(
                           m_url, *database,
                           [this](const LotFile &file) {
                               m_out("pushed from the spool " + NativePath::Escaped(file.path).toUtf8() + '\n');
                           },
                           &error)) {
        m_err(error.toUtf8());
        m_unreachable = true;
        return false;
    }
    m_database = std::move(database);
    return true;
}

// Kept on this machine until the database can be reached; the folder's
// version is then the spool's to push.
void PushFollower::spool(const LotFile &file)
{
    QString error;
    if (m_spoolOpen && m_spool.Put(m_url, m_station, file, &error))
        m_pushed.insert(file.path, file.stamp);
    else if (m_spoolOpen)
        m_err(error.toUtf8());
}

void PushFollower::pushSettled()
{
    qsizetype waiting = 0;
    const LotModel &model = m_lot.Model();
    for (int row = 0; row < model.FileCount(); ++row) {
        const LotFile &file = model.FileAt(row);
        if (!file.IsRead() || file.growing || file.gone)
            continue;
        const auto pushed = m_pushed.constFind(file.path);
        if (pushed != m_pushed.constEnd() && *pushed == file.stamp)
            continue;
        if (!connectDatabase()) {
            spool(file);
            ++waiting;
            continue;
        }
        // With its rows, the file is read again: they are kept for no lot.
        MeasurementRows rows;
        const LotFile withRows = m_rows ? LotScan::ScanFileWithRows(file.path, true, nullptr, &rows) : LotFile();
        if (m_rows && !withRows.IsRead()) {
            m_err(withRows.error.toUtf8());
            continue;
        }
        // Changed since the look: the next look brings it again.
        if (m_rows && withRows.stamp != file.stamp)
            continue;
        FactoryDatabase::Pushed how = FactoryDatabase::Pushed::Unchanged;
        QString error;
        if (!m_database->Push(m_station, m_rows ? withRows : file, m_rows ? &rows : nullptr, &how, &error)) {
            // The connection is taken anew at the next try.
            m_err(error.toUtf8());
            m_err(tr("%1: the files wait until it can be reached again").arg(m_url).toUtf8());
            m_database.reset();
            m_unreachable = true;
            spool(file);
            ++waiting;
            continue;
        }
        m_pushed.insert(file.path, file.stamp);
        const char *word = how == FactoryDatabase::Pushed::Added ? "added"
            : how == FactoryDatabase::Pushed::Replaced           ? "replaced"
                                                                 : "already there";
        m_out(QByteArray(word) + ' ' + NativePath::Escaped(file.path).toUtf8() + '\n');
    }
    QList<PushSpool::Entry> spooled;
    QString error;
    m_waiting = m_spoolOpen && m_spool.Waiting(m_url, &spooled, &error) ? spooled.size() : waiting;
    // What waits is pushed at the next try, even with no file new.
    if (m_waiting > 0 && !m_database && connectDatabase())
        m_waiting = 0;
}

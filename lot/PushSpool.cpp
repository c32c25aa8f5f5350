#include "lot/PushSpool.h"

#include "data/NativePath.h"
#include "lot/CacheFolder.h"
#include "lot/FactoryDatabase.h"

#include <QAtomicInteger>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QAtomicInteger<int> g_connections;

} // namespace

PushSpool::PushSpool() : m_connection(QStringLiteral("quenvale-spool-%1").arg(g_connections.fetchAndAddRelaxed(1)))
{
}

PushSpool::~PushSpool()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool PushSpool::fail(const QString &what, QString *error) const
{
    const QString why = QSqlDatabase::contains(m_connection)
        ? QSqlDatabase::database(m_connection, false).lastError().text()
        : QString();
    if (error)
        *error = tr("the spool %1: %2%3").arg(NativePath::Display(m_path), what,
                                              why.trimmed().isEmpty() ? QString() : QLatin1String(": ") + why.trimmed());
    return false;
}

bool PushSpool::Open(QString *error, const QString &folder)
{
    const QString in = folder.isEmpty() ? CacheFolder::DefaultFolder() : folder;
    m_path = QDir(in).filePath(FileName());
    if (in.isEmpty() || !QDir().mkpath(in))
        return fail(tr("its folder cannot be made"), error);
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    database.setDatabaseName(m_path);
    if (!database.open())
        return fail(tr("it cannot be opened"), error);
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA busy_timeout = 5000"))
        || !query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS spool (id INTEGER PRIMARY KEY, url TEXT NOT NULL, "
                                      "station TEXT NOT NULL, path BLOB NOT NULL, size INTEGER NOT NULL, mtime_ns "
                                      "INTEGER NOT NULL, content_hash INTEGER NOT NULL, summary BLOB NOT NULL, band BLOB NOT NULL, "
                                      "UNIQUE (url, station, path))")))
        return fail(tr("it cannot be made"), error);
    return true;
}

bool PushSpool::Put(const QString &url, const QString &station, const LotFile &file, QString *error)
{
    if (!file.summary)
        return fail(tr("%1 has no summary to keep").arg(NativePath::Display(file.path)), error);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO spool (url, station, path, size, mtime_ns, content_hash, "
                                 "summary, band) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(url);
    query.addBindValue(station);
    query.addBindValue(file.stamp.path);
    query.addBindValue(file.stamp.size);
    query.addBindValue(file.stamp.modifiedNs);
    query.addBindValue(qint64(file.summary->ContentHashValue()));
    query.addBindValue(file.summary->Encode());
    query.addBindValue(file.summary->EncodeBand());
    return query.exec() || fail(tr("%1 cannot be kept").arg(NativePath::Display(file.path)), error);
}

bool PushSpool::Waiting(const QString &url, QList<Entry> *entries, QString *error)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT id, station, path, size, mtime_ns, summary, band, content_hash FROM spool "
                                 "WHERE url = ? ORDER BY id"));
    query.addBindValue(url);
    if (!query.exec())
        return fail(tr("it cannot be read"), error);
    QList<Entry> read;
    while (query.next()) {
        Entry entry;
        entry.id = query.value(0).toLongLong();
        entry.station = query.value(1).toString();
        const QByteArray path = query.value(2).toByteArray();
        entry.file = LotFile(NativePath::Decode(path));
        entry.file.stamp.path = path;
        entry.file.stamp.size = query.value(3).toLongLong();
        entry.file.stamp.modifiedNs = query.value(4).toLongLong();
        auto summary = std::make_shared<FileSummary>();
        if (FileSummary::Decode(query.value(5).toByteArray(), query.value(6).toByteArray(), summary.get())) {
            summary->SetContentHash(quint64(query.value(7).toLongLong()));
            entry.file.summary = std::move(summary);
        }
        read.append(std::move(entry));
    }
    *entries = std::move(read);
    return true;
}

bool PushSpool::Remove(qint64 id, QString *error)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("DELETE FROM spool WHERE id = ?"));
    query.addBindValue(id);
    return query.exec() || fail(tr("an entry cannot be dropped"), error);
}

bool PushSpool::Drain(const QString &url, FactoryDatabase &database, const std::function<void(const LotFile &)> &told,
                      QString *error)
{
    QList<Entry> entries;
    if (!Waiting(url, &entries, error))
        return false;
    for (const Entry &entry : std::as_const(entries)) {
        FactoryDatabase::Pushed pushed = FactoryDatabase::Pushed::Unchanged;
        if (!database.Push(entry.station, entry.file, nullptr, &pushed, error))
            return false;
        if (!Remove(entry.id, error))
            return false;
        told(entry.file);
    }
    return true;
}

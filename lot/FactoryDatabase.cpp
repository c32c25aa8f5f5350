#include "lot/FactoryDatabase.h"

#include "lot/FactorySchema.h"
#include "lot/PostgresRows.h"
#include "lot/RowCopy.h"

#include "data/NativePath.h"

#include <QAtomicInteger>
#include <QSqlDatabase>
#include <QHash>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <QVariant>

#include <memory>

namespace {

QAtomicInteger<int> g_connections;

// What a push that adds or replaces a file tells the lots listening.
const char kChannel[] = "quenvale_file";

// Added, replaced where the file changed (or where its rows come and the
// version kept has none), or nothing at all.
const char kPush[] = R"(
INSERT INTO quenvale_file (station, path, size, mtime_ns, content_hash, first_time, fibers, failed, summary, band,
                           rows)
VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)
ON CONFLICT (station, path) DO UPDATE SET
    size = EXCLUDED.size, mtime_ns = EXCLUDED.mtime_ns, content_hash = EXCLUDED.content_hash,
    first_time = EXCLUDED.first_time, fibers = EXCLUDED.fibers, failed = EXCLUDED.failed,
    summary = EXCLUDED.summary, band = EXCLUDED.band, rows = EXCLUDED.rows, pushed_at = now()
WHERE (quenvale_file.size, quenvale_file.mtime_ns, quenvale_file.content_hash)
    IS DISTINCT FROM (EXCLUDED.size, EXCLUDED.mtime_ns, EXCLUDED.content_hash)
    OR (EXCLUDED.rows IS NOT NULL AND quenvale_file.rows IS NULL)
RETURNING id, (xmax = 0))";

} // namespace

bool FactoryDatabase::IsUrl(const QString &text)
{
    return text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"))
        || text.startsWith(QLatin1String("service="));
}

FactoryDatabase::FactoryDatabase()
    : m_connection(QStringLiteral("quenvale-factory-%1").arg(g_connections.fetchAndAddRelaxed(1)))
{
}

FactoryDatabase::~FactoryDatabase()
{
    m_push.reset();
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool FactoryDatabase::fail(const QString &what, const QString &why, QString *error) const
{
    if (error)
        *error = tr("%1: %2: %3").arg(m_url, what, why);
    return false;
}

bool FactoryDatabase::configure(const QString &url, QString *error)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return fail(tr("cannot connect"),
                    tr("Qt's PostgreSQL driver is not installed (Debian: libqt6sql6-psql)"), error);
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
    if (url.startsWith(QLatin1String("service="))) {
        database.setConnectOptions(url);
        return true;
    }
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid())
        return fail(tr("not a database's URL"), parsed.errorString(), error);
    if (!parsed.password().isEmpty())
        return fail(tr("a password is not taken from the command line"),
                    tr("give it in ~/.pgpass or PGPASSWORD"), error);
    database.setUserName(parsed.userName());
    database.setHostName(parsed.host());
    database.setPort(parsed.port(-1));
    database.setDatabaseName(parsed.path().mid(1));
    QStringList options;
    for (const auto &[key, value] : QUrlQuery(parsed).queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("host"))
            database.setHostName(value);
        else if (key == QLatin1String("port"))
            database.setPort(value.toInt());
        else
            options.append(key + QLatin1Char('=') + value);
    }
    options.append(QStringLiteral("application_name=quenvale"));
    database.setConnectOptions(options.join(QLatin1Char(';')));
    return true;
}

bool FactoryDatabase::Open(const QString &url, QString *error)
{
    m_url = url;
    if (!configure(url, error))
        return false;
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    if (!database.open())
        return fail(tr("cannot connect"), FactorySchema::ErrorText(database.lastError()), error);
    // The server's notices ("already exists, skipping") are no news here.
    QSqlQuery(database).exec(QStringLiteral("SET client_min_messages TO warning"));
    QString what, why;
    if (!FactorySchema::Make(QSqlDatabase::database(m_connection, false), &what, &why)
        || !FactorySchema::Check(QSqlDatabase::database(m_connection, false), &what, &why))
        return fail(what, why, error);
    return true;
}

// One transaction: the file's summary, its rows where they come, and the
// notice to the lots listening, all or nothing.
bool FactoryDatabase::Push(const QString &station, const LotFile &file, const MeasurementRows *rows, Pushed *pushed,
                           QString *error)
{
    if (!file.summary)
        return fail(NativePath::Display(file.path), file.error, error);
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    const QString what = tr("cannot keep %1").arg(NativePath::Display(file.path));
    if (!database.transaction())
        return fail(what, FactorySchema::ErrorText(database.lastError()), error);
    QString why;
    if (!pushIn(station, file, rows, pushed, &why) || !database.commit()) {
        if (why.isEmpty())
            why = FactorySchema::ErrorText(database.lastError());
        database.rollback();
        return fail(what, why, error);
    }
    return true;
}

bool FactoryDatabase::pushIn(const QString &station, const LotFile &file, const MeasurementRows *rows, Pushed *pushed,
                             QString *error)
{
    const FileSummary &summary = *file.summary;
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    // Prepared once for every push of the connection.
    if (!m_push) {
        m_push = std::make_unique<QSqlQuery>(database);
        if (!m_push->prepare(QLatin1String(kPush))) {
            *error = FactorySchema::ErrorText(m_push->lastError());
            m_push.reset();
            return false;
        }
    }
    QSqlQuery &query = *m_push;
    query.addBindValue(station);
    query.addBindValue(file.stamp.path);
    query.addBindValue(file.stamp.size);
    query.addBindValue(file.stamp.modifiedNs);
    query.addBindValue(qint64(summary.ContentHashValue()));
    const QVariant none(QMetaType(QMetaType::LongLong));
    query.addBindValue(summary.FirstTime() == RowTime::None ? none : QVariant(summary.FirstTime()));
    query.addBindValue(qint64(summary.Fibers()));
    query.addBindValue(qint64(summary.Failed()));
    query.addBindValue(summary.Encode());
    query.addBindValue(summary.EncodeBand());
    query.addBindValue(rows ? QVariant(qint64(rows->Count())) : none);
    if (!query.exec())
        return (*error = FactorySchema::ErrorText(query.lastError()), false);
    if (!query.next()) {
        *pushed = Pushed::Unchanged;
        return true;
    }
    const qint64 id = query.value(0).toLongLong();
    *pushed = query.value(1).toBool() ? Pushed::Added : Pushed::Replaced;
    query.finish();
    QSqlQuery more(database);
    // The rows of the version replaced are no rows of this one.
    if (*pushed == Pushed::Replaced
        && !more.exec(QStringLiteral("DELETE FROM quenvale_row WHERE file_id = %1").arg(id)))
        return (*error = FactorySchema::ErrorText(more.lastError()), false);
    if (rows && !RowCopy::Send(database, id, *rows, error))
        return false;
    // The lots open on the database look again, once this is committed.
    if (!more.exec(QStringLiteral("NOTIFY %1").arg(QLatin1String(kChannel))))
        return (*error = FactorySchema::ErrorText(more.lastError()), false);
    return true;
}

bool FactoryDatabase::ParseTime(const QString &text, qint64 *time)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('T'));
    if (parts.size() > 2)
        return false;
    *time = RowTime::Parse(parts.at(0).toLatin1(), parts.size() == 2 ? parts.at(1).toLatin1() : "00:00:00");
    return *time != RowTime::None;
}

bool FactoryDatabase::Read(const Query &query, QList<LotFile> *files, QString *error)
{
    QList<QByteArray> parameters;
    const QString where = whereOf(query, &parameters);
    return select(where, parameters, true, files, error);
}

bool FactoryDatabase::ReadChanges(const Query &query, const QList<LotFile> &before, QList<LotFile> *changed,
                                  QStringList *gone, QString *error)
{
    // The versions first, which are small; the summaries only of the
    // files new or changed since, for a push tells every lot open.
    QList<QByteArray> parameters;
    const QString where = whereOf(query, &parameters);
    QList<LotFile> now;
    if (!select(where, parameters, false, &now, error))
        return false;
    QHash<QString, const LotFile *> held;
    for (const LotFile &file : before)
        held.insert(file.path, &file);
    QSet<QString> present;
    QStringList ids;
    for (const LotFile &file : std::as_const(now)) {
        present.insert(file.path);
        const LotFile *was = held.value(file.path);
        if (!was || was->gone || was->stamp != file.stamp || !was->summary)
            ids.append(QString::number(file.stamp.device));
    }
    for (const LotFile &file : before) {
        if (!file.gone && !present.contains(file.path))
            gone->append(file.path);
    }
    // A few hundred at a time: a statement of any length is no statement.
    for (qsizetype from = 0; from < ids.size(); from += 500) {
        QList<LotFile> read;
        const QString chosen = QStringLiteral("id IN (%1)").arg(ids.mid(from, 500).join(QLatin1Char(',')));
        if (!select(QLatin1String(" WHERE ") + chosen, {}, true, &read, error))
            return false;
        *changed += read;
    }
    return true;
}

bool FactoryDatabase::Listen(QObject *context, const std::function<void()> &changed)
{
    QSqlDriver *driver = QSqlDatabase::database(m_connection, false).driver();
    if (!driver || !driver->subscribeToNotification(QLatin1String(kChannel)))
        return false;
    QObject::connect(driver, qOverload<const QString &, QSqlDriver::NotificationSource, const QVariant &>(
                                 &QSqlDriver::notification),
                     context, [changed](const QString &, QSqlDriver::NotificationSource, const QVariant &) { changed(); });
    return true;
}

QString FactoryDatabase::whereOf(const Query &query, QList<QByteArray> *parameters)
{
    QStringList where;
    const auto next = [parameters](const QByteArray &value) {
        parameters->append(value);
        return QStringLiteral("$%1").arg(parameters->size());
    };
    if (!query.stations.isEmpty()) {
        QStringList stations;
        for (const QString &station : query.stations)
            stations.append(next(station.toUtf8()));
        where.append(QStringLiteral("station IN (%1)").arg(stations.join(QLatin1String(", "))));
    }
    if (query.since != RowTime::None)
        where.append(QStringLiteral("first_time >= ") + next(QByteArray::number(query.since)));
    if (query.until != RowTime::None)
        where.append(QStringLiteral("first_time < ") + next(QByteArray::number(query.until)));
    return where.isEmpty() ? QString() : QLatin1String(" WHERE ") + where.join(QLatin1String(" AND "));
}

// A lot's file of each row: known by its station and path together, for
// two stations may well write files of the same path. Without
// `summaries`, only what tells a version from another: the row's id in
// the stamp's device, the hash of its bytes in its inode.
bool FactoryDatabase::select(const QString &where, const QList<QByteArray> &parameters, bool summaries,
                             QList<LotFile> *files, QString *error)
{
    PostgresRows rows(QSqlDatabase::database(m_connection, false));
    const QString statement = QStringLiteral("SELECT id, station, path, size, mtime_ns, content_hash%1 FROM quenvale_file%2")
                                  .arg(summaries ? QStringLiteral(", summary, band") : QString(), where);
    if (!rows.Start(statement.toUtf8(), parameters, error))
        return fail(tr("cannot read"), *error, error);
    QList<LotFile> read;
    while (rows.Next()) {
        const QByteArray path = rows.Bytes(2).toByteArray();
        LotFile file(QString::fromUtf8(rows.Bytes(1)) + QLatin1Char(':') + NativePath::Decode(path));
        file.stamp.path = path;
        file.stamp.size = rows.Integer(3);
        file.stamp.modifiedNs = rows.Integer(4);
        file.stamp.device = quint64(rows.Integer(0));
        file.stamp.inode = quint64(rows.Integer(5));
        if (summaries) {
            auto summary = std::make_shared<FileSummary>();
            if (FileSummary::Decode(rows.Bytes(6), rows.Bytes(7), summary.get())) {
                summary->SetContentHash(file.stamp.inode);
                file.summary = std::move(summary);
            } else {
                file.error = tr("its summary in the database is not one this Quenvale reads");
            }
        }
        read.append(std::move(file));
    }
    if (rows.Failed(error))
        return fail(tr("cannot read"), *error, error);
    *files = std::move(read);
    return true;
}

#pragma once

#include "lot/LotFile.h"

#include "data/RowTime.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class MeasurementRows;
class QObject;
class QSqlQuery;

// The factory's database: every station's result files, summed up as a
// lot sums them, in PostgreSQL (Qt SQL's QPSQL driver), so that a lot of
// any station, or of all of them, is read back on any machine.
//
// A file is kept once for its station and path: pushed again unchanged
// (the same size, time and hash of its bytes) it adds nothing; changed, it
// replaces its earlier version. Each push is one transaction: a push cut
// short leaves nothing of the file behind. The
// schema carries its version; it is made on first use and taken forward,
// never back: a database of a newer schema is refused.
class FactoryDatabase
{
    Q_DECLARE_TR_FUNCTIONS(FactoryDatabase)
public:

    // Whether `text` names a database rather than a path:
    // "postgresql://USER@HOST[:PORT]/DB" (a socket's folder as
    // "?host=/path"), or "service=NAME" of ~/.pg_service.conf.
    static bool IsUrl(const QString &text);

    // What a lot reads of the database: the files of `stations` (every
    // station's where none is named) whose first row lies from `since` to
    // before `until` (RowTime seconds; RowTime::None for no bound).
    struct Query
    {
        QStringList stations;
        qint64 since = RowTime::None;
        qint64 until = RowTime::None;
    };
    // "2018-05-21" or "2018-05-21T14:00[:00]", as the stations' clocks
    // read; false for anything else.
    static bool ParseTime(const QString &text, qint64 *time);

    FactoryDatabase();
    ~FactoryDatabase();
    FactoryDatabase(const FactoryDatabase &) = delete;
    FactoryDatabase &operator=(const FactoryDatabase &) = delete;

    // Connects and makes or checks the schema. A password comes from
    // ~/.pgpass or PGPASSWORD, never from the URL. False with a message.
    bool Open(const QString &url, QString *error);

    enum class Pushed { Added, Replaced, Unchanged };
    // Keeps a file read and summed up (judged by its rows' thresholds) as
    // `station`'s, with its rows where `rows` is given; a file added or
    // replaced is told to every listener. An unchanged file kept without
    // its rows takes them when they come.
    bool Push(const QString &station, const LotFile &file, const MeasurementRows *rows, Pushed *pushed,
              QString *error);

    // The files of the query, as a lot reads them.
    bool Read(const Query &query, QList<LotFile> *files, QString *error);
    // The same as a look of a lot that holds `before`: the files new or
    // changed since, and the paths of those no longer there.
    bool ReadChanges(const Query &query, const QList<LotFile> &before, QList<LotFile> *changed, QStringList *gone,
                     QString *error);

    // Calls `changed` (in `context`'s thread, this connection's) whenever
    // any station's push adds or replaces a file. False where the server
    // cannot listen.
    bool Listen(QObject *context, const std::function<void()> &changed);

private:
    bool configure(const QString &url, QString *error);
    bool pushIn(const QString &station, const LotFile &file, const MeasurementRows *rows, Pushed *pushed,
                QString *error);
    bool fail(const QString &what, const QString &why, QString *error) const;
    static QString whereOf(const Query &query, QList<QByteArray> *parameters);
    bool select(const QString &where, const QList<QByteArray> &parameters, bool summaries, QList<LotFile> *files,
                QString *error);

    QString m_connection;
    QString m_url;
    std::unique_ptr<QSqlQuery> m_push;
};

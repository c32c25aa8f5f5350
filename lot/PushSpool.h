#pragma once

#include "lot/LotFile.h"

#include <QCoreApplication>
#include <functional>

class FactoryDatabase;
#include <QList>
#include <QString>

// The files a push could not hand to the factory's database, kept on this
// machine until it can: their summaries (not the files themselves, which
// may be gone by then), in spool.sqlite beside the summary cache, one
// entry for each database, station and path, the latest version kept.
class PushSpool
{
    Q_DECLARE_TR_FUNCTIONS(PushSpool)
public:
    PushSpool();
    ~PushSpool();
    PushSpool(const PushSpool &) = delete;
    PushSpool &operator=(const PushSpool &) = delete;

    // Opens (or makes) the spool in `folder`, the summary cache's by
    // default. False with a message.
    bool Open(QString *error, const QString &folder = QString());

    struct Entry
    {
        qint64 id = 0;
        QString station;
        LotFile file;
    };
    // Keeps `file` (read and summed up) for `url` as `station`'s, in place
    // of any version kept before.
    bool Put(const QString &url, const QString &station, const LotFile &file, QString *error);
    // What waits for `url`, oldest first.
    bool Waiting(const QString &url, QList<Entry> *entries, QString *error);
    // Drops an entry once it is in the database.
    bool Remove(qint64 id, QString *error);

    // Pushes what waits for `url` into `database`, dropping each entry once
    // it is there; `told` hears of each. False where the database fails
    // (what was not pushed stays).
    bool Drain(const QString &url, FactoryDatabase &database, const std::function<void(const LotFile &)> &told,
               QString *error);

    static QString FileName() { return QStringLiteral("spool.sqlite"); }

private:
    bool fail(const QString &what, QString *error) const;
    QString m_connection;
    QString m_path;
};

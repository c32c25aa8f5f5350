#pragma once

#include "data/FileStamp.h"
#include "lot/FactoryDatabase.h"
#include "lot/LotDocument.h"
#include "lot/PushSpool.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

// --push --follow: a folder watched as a lot tab watches it, and each file
// pushed once it has settled (read, and its stamp still since the look
// before), again whenever it changes. While the database cannot be
// reached, the files wait in the spool on this machine (PushSpool), which
// outlives the program, and are pushed when it can again: nothing lost,
// nothing twice, for a push of a file already there adds nothing.
class PushFollower : public QObject
{
    Q_OBJECT
public:
    using Tell = std::function<void(const QByteArray &line)>;
    // With `rows`, each file's rows go with its summary (a file spooled
    // goes without them).
    PushFollower(const QString &url, const QString &station, const QString &folder, bool rows, Tell out, Tell err);

    void Start();
    // Files waiting to be pushed.
    qsizetype Waiting() const { return m_waiting; }

    static constexpr int RetryMs = 2000;

private:
    void pushSettled();
    bool connectDatabase();
    void spool(const LotFile &file);

    QString m_url;
    QString m_station;
    bool m_rows = false;
    LotDocument m_lot;
    Tell m_out;
    Tell m_err;
    std::unique_ptr<FactoryDatabase> m_database;
    PushSpool m_spool;
    bool m_spoolOpen = false;
    QHash<QString, FileStamp> m_pushed; // the version of each file the database holds
    QTimer m_retry;
    QTimer m_soon;
    qsizetype m_waiting = 0;
    bool m_unreachable = false;
};

#pragma once

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>

class QSqlError;

// The factory database's tables and their version: made on first use
// under a lock (two first pushes at once make them once), taken forward
// a version at a time, never back; a database of a newer version, or a
// table changed by hand, is refused before anything is written.
class FactorySchema
{
    Q_DECLARE_TR_FUNCTIONS(FactorySchema)
public:
    static constexpr int Version = 2;

    // Makes the tables or takes them forward. False with what failed and why.
    static bool Make(QSqlDatabase database, QString *what, QString *why);
    // Whether the tables are as this Quenvale makes them.
    static bool Check(QSqlDatabase database, QString *what, QString *why);
    // The server's own words for a failure where it gave any, else Qt's.
    static QString ErrorText(const QSqlError &error);
};

#pragma once

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>

class QSqlError;
class QSqlQuery;

// The summary cache's schema: its tables, the marks that tell the
// program's own database (an application id, a version, the figures'
// signature), and what an SQLite error says of the database.
class CacheSchema
{
    Q_DECLARE_TR_FUNCTIONS(SummaryCache)
public:
    // A database of an older schema is made anew, one of a newer one set
    // aside.
    static constexpr int Version = 3;

    // What went wrong: the database cannot be trusted (set it aside), or
    // this attempt failed (busy past the wait, a full disk) and the next
    // may not.
    struct Problem
    {
        bool unusable = false;
        bool busy = false; // another connection holds a lock it could not wait for
        QString reason;
    };
    static Problem ProblemOf(const QSqlError &error);

    // Sets the database up (WAL, its pragmas) and checks its schema, making
    // it where need be, in one transaction that holds the write lock: a
    // process that comes second finds it made. False for a database that
    // is not this program's cache of a schema it can use.
    static bool Prepare(QSqlDatabase &database, Problem *problem);

private:
    static bool sameFigures(QSqlQuery &query);
    static bool make(QSqlQuery &query, Problem *problem);
};

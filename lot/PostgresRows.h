#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QList>
#include <QString>

class QSqlDatabase;
struct pg_conn;
struct pg_result;

// One SELECT on a QPSQL connection, through libpq itself: the rows come
// in binary, one at a time. Qt's driver has every value sent as text, and a
// month's summaries sent as hex are twice their size, unescaped again here.
//
// Columns are read as the types they are sent as: Integer() for bigint,
// Bytes() for bytea and text. Nothing else may use the connection while
// rows are read.
class PostgresRows
{
    Q_DECLARE_TR_FUNCTIONS(PostgresRows)
public:
    // libpq's connection of a QPSQL database; null for any other.
    static pg_conn *ConnectionOf(const QSqlDatabase &database);

    explicit PostgresRows(const QSqlDatabase &database);
    ~PostgresRows();
    PostgresRows(const PostgresRows &) = delete;
    PostgresRows &operator=(const PostgresRows &) = delete;

    // Sends `statement` with its parameters ($1, $2... as texts the server
    // takes as their columns' types). False with a message.
    bool Start(const QByteArray &statement, const QList<QByteArray> &parameters, QString *error);
    // The next row; false once every row is read, or with Failed() true.
    bool Next();
    bool Failed(QString *error) const;

    qint64 Integer(int column) const;
    bool IsNull(int column) const;
    // Valid until the next call of Next().
    QByteArrayView Bytes(int column) const;

private:
    void drain();

    pg_conn *m_connection = nullptr;
    pg_result *m_row = nullptr;
    QString m_error;
    bool m_running = false;
};

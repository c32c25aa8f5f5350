#include "lot/PostgresRows.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <QtEndian>

#include <libpq-fe.h>

#include <cstring>

namespace {

constexpr int kBinary = 1;

} // namespace

pg_conn *PostgresRows::ConnectionOf(const QSqlDatabase &database)
{
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    // The driver's handle is named by the struct PGconn stands for.
    const char *type = handle.isValid() ? handle.typeName() : "";
    if (qstrcmp(type, "pg_conn*") != 0 && qstrcmp(type, "PGconn*") != 0)
        return nullptr;
    return *static_cast<PGconn *const *>(handle.constData());
}

PostgresRows::PostgresRows(const QSqlDatabase &database) : m_connection(ConnectionOf(database))
{
}

PostgresRows::~PostgresRows()
{
    drain();
}

bool PostgresRows::Start(const QByteArray &statement, const QList<QByteArray> &parameters, QString *error)
{
    drain();
    m_error.clear();
    if (!m_connection || PQstatus(m_connection) != CONNECTION_OK) {
        m_error = tr("not connected");
        return Failed(error);
    }
    QList<const char *> values;
    for (const QByteArray &parameter : parameters)
        values.append(parameter.constData());
    m_running = PQsendQueryParams(m_connection, statement.constData(), int(values.size()), nullptr,
                                  values.constData(), nullptr, nullptr, kBinary);
    if (!m_running || !PQsetSingleRowMode(m_connection)) {
        m_error = QString::fromUtf8(PQerrorMessage(m_connection)).trimmed();
        drain();
        return Failed(error);
    }
    return true;
}

bool PostgresRows::Next()
{
    if (m_row)
        PQclear(m_row), m_row = nullptr;
    if (!m_running)
        return false;
    m_row = PQgetResult(m_connection);
    if (m_row && PQresultStatus(m_row) == PGRES_SINGLE_TUPLE)
        return true;
    if (m_row && PQresultStatus(m_row) != PGRES_TUPLES_OK)
        m_error = QString::fromUtf8(PQresultErrorMessage(m_row)).trimmed();
    if (!m_row && m_error.isEmpty())
        m_error = QString::fromUtf8(PQerrorMessage(m_connection)).trimmed();
    drain();
    return false;
}

bool PostgresRows::Failed(QString *error) const
{
    if (error && !m_error.isEmpty())
        *error = m_error;
    return !m_error.isEmpty();
}

bool PostgresRows::IsNull(int column) const
{
    return PQgetisnull(m_row, 0, column);
}

qint64 PostgresRows::Integer(int column) const
{
    if (IsNull(column) || PQgetlength(m_row, 0, column) != 8)
        return 0;
    quint64 big;
    std::memcpy(&big, PQgetvalue(m_row, 0, column), sizeof big);
    return qint64(qFromBigEndian(big));
}

QByteArrayView PostgresRows::Bytes(int column) const
{
    return QByteArrayView(PQgetvalue(m_row, 0, column), PQgetlength(m_row, 0, column));
}

// Whatever is left of the statement is read and thrown away, for the
// connection takes no other statement before.
void PostgresRows::drain()
{
    if (m_row)
        PQclear(m_row), m_row = nullptr;
    if (!m_running || !m_connection)
        return;
    while (PGresult *rest = PQgetResult(m_connection))
        PQclear(rest);
    m_running = false;
}

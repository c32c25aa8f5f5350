#include "lot/RowCopy.h"

#include "lot/PostgresRows.h"

#include <QtEndian>

#include <libpq-fe.h>

namespace {

constexpr MeasurementRow::Field kFields[] = {MeasurementRow::FiberName, MeasurementRow::Channel,
                                             MeasurementRow::WaveLength, MeasurementRow::Power,
                                             MeasurementRow::Threshold, MeasurementRow::Date,
                                             MeasurementRow::Time};
// The file's id, the row's number, then the fields.
constexpr qint16 kColumnCount = 2 + qint16(std::size(kFields));
// What is handed to libpq at a time.
constexpr qsizetype kChunk = 1 << 20;

template <typename T> void appendBig(QByteArray &out, T value)
{
    const T big = qToBigEndian(value);
    out.append(reinterpret_cast<const char *>(&big), sizeof big);
}

void appendField(QByteArray &out, QByteArrayView bytes)
{
    appendBig<qint32>(out, qint32(bytes.size()));
    out.append(bytes.data(), bytes.size());
}

QString lastError(PGconn *connection)
{
    return QString::fromUtf8(PQerrorMessage(connection)).trimmed();
}

} // namespace

const char *RowCopy::Columns()
{
    return "file_id, line, fiber_name, channel, wave_length, power, threshold, date, time";
}

bool RowCopy::Send(const QSqlDatabase &database, qint64 fileId, const MeasurementRows &rows, QString *error)
{
    PGconn *connection = PostgresRows::ConnectionOf(database);
    if (!connection) {
        *error = tr("not connected");
        return false;
    }
    const QByteArray statement = QByteArray("COPY quenvale_row (") + Columns() + ") FROM STDIN (FORMAT binary)";
    PGresult *started = PQexec(connection, statement.constData());
    const bool copying = PQresultStatus(started) == PGRES_COPY_IN;
    if (!copying)
        *error = QString::fromUtf8(PQresultErrorMessage(started)).trimmed();
    PQclear(started);
    if (!copying)
        return false;

    QByteArray out("PGCOPY\n\377\r\n\0", 11);
    out.reserve(kChunk + 1024);
    appendBig<qint32>(out, 0); // flags
    appendBig<qint32>(out, 0); // no header extension
    bool sent = true;
    for (qsizetype i = 0; i < rows.Count() && sent; ++i) {
        const MeasurementRows::Row row = rows.At(i);
        appendBig<qint16>(out, kColumnCount);
        appendBig<qint32>(out, 8);
        appendBig<qint64>(out, fileId);
        appendBig<qint32>(out, 4);
        appendBig<qint32>(out, qint32(i));
        for (const MeasurementRow::Field field : kFields)
            appendField(out, row.text(field));
        if (out.size() >= kChunk) {
            sent = PQputCopyData(connection, out.constData(), int(out.size())) == 1;
            out.clear();
        }
    }
    appendBig<qint16>(out, -1);
    sent = sent && PQputCopyData(connection, out.constData(), int(out.size())) == 1;
    if (!sent)
        *error = lastError(connection);
    // Ended either way, so that the connection takes statements again.
    if (PQputCopyEnd(connection, sent ? nullptr : "the rows could not be sent") != 1 && sent) {
        *error = lastError(connection);
        sent = false;
    }
    bool done = sent;
    while (PGresult *result = PQgetResult(connection)) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK) {
            if (done)
                *error = QString::fromUtf8(PQresultErrorMessage(result)).trimmed();
            done = false;
        }
        PQclear(result);
    }
    return done;
}

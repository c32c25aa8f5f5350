#pragma once

#include "data/MeasurementRows.h"

#include <QCoreApplication>
#include <QString>

class QSqlDatabase;

// A result file's rows into the factory's database by COPY, in binary,
// through libpq on the QPSQL connection (Qt's driver has no COPY): each
// row's seven fields as the file's bytes, numbered from 0 in file order.
class RowCopy
{
    Q_DECLARE_TR_FUNCTIONS(RowCopy)
public:
    // The columns the rows go into, in the order sent.
    static const char *Columns();

    // Sends `rows` as the rows of file `fileId`, inside the transaction
    // the caller holds. False with a message.
    static bool Send(const QSqlDatabase &database, qint64 fileId, const MeasurementRows &rows, QString *error);
};

#include "lot/FactorySchema.h"

#include "lot/RowCopy.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// The lock every Quenvale takes while it makes or takes the schema
// forward, so that two first pushes at once make it once.
constexpr qint64 kSchemaLock = 0x5175656e76616c65; // "Quenvale"

const char kCreate[] = R"(
CREATE TABLE quenvale_file (
    id bigserial PRIMARY KEY,
    station text NOT NULL,
    path bytea NOT NULL,
    size bigint NOT NULL,
    mtime_ns bigint NOT NULL,
    content_hash bigint NOT NULL,
    first_time bigint,
    fibers integer NOT NULL,
    failed integer NOT NULL,
    summary bytea NOT NULL,
    band bytea NOT NULL,
    pushed_at timestamptz NOT NULL DEFAULT now(),
    UNIQUE (station, path)
))";

const char kIndex[] = "CREATE INDEX quenvale_file_time ON quenvale_file (station, first_time)";

// Each version's steps from the one before, in order: a database is
// taken forward through every step it lacks.
const char *const kVersion2[] = {
    "ALTER TABLE quenvale_file ADD COLUMN rows integer",
    R"(CREATE TABLE quenvale_row (
    file_id bigint NOT NULL REFERENCES quenvale_file (id) ON DELETE CASCADE,
    line integer NOT NULL,
    fiber_name bytea NOT NULL,
    channel bytea NOT NULL,
    wave_length bytea NOT NULL,
    power bytea NOT NULL,
    threshold bytea NOT NULL,
    date bytea NOT NULL,
    time bytea NOT NULL,
    PRIMARY KEY (file_id, line)
))",
};

bool fail(const QString &what, const QString &why, QString *whatOut, QString *whyOut)
{
    *whatOut = what;
    *whyOut = why;
    return false;
}

} // namespace

QString FactorySchema::ErrorText(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

bool FactorySchema::Make(QSqlDatabase database, QString *what, QString *why)
{
    if (!database.transaction())
        return fail(tr("cannot begin"), ErrorText(database.lastError()), what, why);
    QSqlQuery query(database);
    const auto run = [&](const QString &statement) {
        return query.exec(statement) || fail(tr("cannot make the schema"), ErrorText(query.lastError()), what, why);
    };
    const auto undo = [&] {
        database.rollback();
        return false;
    };
    if (!run(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLock))
        || !run(QStringLiteral("CREATE TABLE IF NOT EXISTS quenvale_schema (version integer NOT NULL)"))
        || !run(QStringLiteral("SELECT max(version) FROM quenvale_schema")))
        return undo();
    const int version = query.next() && !query.value(0).isNull() ? query.value(0).toInt() : 0;
    if (version > Version) {
        undo();
        return fail(tr("cannot use it"),
                    tr("its schema is version %1, newer than this Quenvale's (%2): update Quenvale")
                        .arg(version)
                        .arg(Version),
                    what, why);
    }
    if (version == 0
        && (!run(QLatin1String(kCreate)) || !run(QLatin1String(kIndex))
            || !run(QStringLiteral("INSERT INTO quenvale_schema (version) VALUES (1)"))))
        return undo();
    if (version < 2) {
        for (const char *step : kVersion2) {
            if (!run(QLatin1String(step)))
                return undo();
        }
    }
    if (version < Version && !run(QStringLiteral("UPDATE quenvale_schema SET version = %1").arg(Version)))
        return undo();
    if (!database.commit())
        return fail(tr("cannot make the schema"), ErrorText(database.lastError()), what, why);
    return true;
}

// A table changed by hand is told before anything is written to it.
bool FactorySchema::Check(QSqlDatabase database, QString *what, QString *why)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("SELECT id, station, path, size, mtime_ns, content_hash, first_time, fibers, "
                                   "failed, summary, band, rows, pushed_at FROM quenvale_file LIMIT 0")))
        return fail(tr("its table quenvale_file is not as Quenvale made it"), ErrorText(query.lastError()), what, why);
    if (!query.exec(QStringLiteral("SELECT %1 FROM quenvale_row LIMIT 0").arg(QLatin1String(RowCopy::Columns()))))
        return fail(tr("its table quenvale_row is not as Quenvale made it"), ErrorText(query.lastError()), what, why);
    return true;
}

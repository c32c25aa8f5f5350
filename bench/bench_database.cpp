// The factory's database on a server of its own (as the tests start one):
// --push of 1,000 files of 48 fibers over a local socket, the same push
// again (every file already there), the same files with their rows (by
// COPY, as another station's), and --trend of the database read back
// once the table holds 100,000 files (the pushed ones, copied under other
// names by the server itself).
//
//   quenvale_bench_database [--files N] [--copies K]

#include "../tests/PostgresServer.h"
#include "BenchSupport.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int files = 1000, copies = 100;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--files"))
            files = qMax(1, arguments[++i].toInt());
        else if (arguments[i] == QLatin1String("--copies"))
            copies = qMax(1, arguments[++i].toInt());
    }
    PostgresServer server;
    QString why;
    bool missing = false;
    if (!server.Start(&why, &missing))
        qFatal("%s", qPrintable(why));
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("lot"));
    const QByteArray file = BenchSupport::GenerateResultFile(48 * 18);
    if (!BenchSupport::WriteLot(folder, files, [&file](int) { return file; }))
        qFatal("cannot write the lot");
    const QString program = QStringLiteral(QUENVALE_BINARY);
    long peak = 0;
    const QStringList push{QStringLiteral("--push"), server.Url(), QStringLiteral("--station"),
                           QStringLiteral("bench"), folder};
    const double first = BenchSupport::RunChild(program, push, QString(), &peak);
    const double again = BenchSupport::RunChild(program, push, QString(), &peak);
    const double rows = BenchSupport::RunChild(program,
                                               {QStringLiteral("--push"), server.Url(), QStringLiteral("--station"),
                                                QStringLiteral("rows"), QStringLiteral("--rows"), folder},
                                               QString(), &peak);
    const QByteArray rowCount = server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_row"));
    server.Psql(QStringLiteral("DELETE FROM quenvale_file WHERE station = 'rows'"));
    server.Psql(QStringLiteral("INSERT INTO quenvale_file (station, path, size, mtime_ns, content_hash, first_time, "
                               "fibers, failed, summary, band) SELECT station, path || convert_to('#' || g, 'UTF8'), "
                               "size, mtime_ns, content_hash, first_time, fibers, failed, summary, band FROM "
                               "quenvale_file, generate_series(1, %1) AS g")
                    .arg(copies - 1));
    // As a server's autovacuum leaves a table that has settled.
    server.Psql(QStringLiteral("VACUUM ANALYZE quenvale_file"));
    const QByteArray count = server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file"));
    long trendPeak = 0;
    const double trend = BenchSupport::RunChild(
        program, {QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json"), server.Url()},
        dir.filePath(QStringLiteral("trend.json")), &trendPeak, nullptr, 3);
    std::printf("push of %d files of 48 fibers: %.3f s; again (all there): %.3f s; with their %s rows: %.3f s | "
                "--trend of %s files from the database: %.3f s, peak %ld MB\n",
                files, first, again, rowCount.constData(), rows, count.constData(), trend, trendPeak / 1024);
    return 0;
}

// A channel's figures are written once and read alike everywhere: for the
// sample, every column of the figures' table in --summary's JSON, the
// workbook's Channels sheet and the summary cache's bytes holds the same
// value, and --trend's least Cpk and yield are --summary's.

#include "TestSupport.h"
#include "WorkbookReader.h"

#include "data/ChannelColumns.h"
#include "data/FileSummary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>

using namespace TestSupport;

namespace {

// The workbook's column letter of column `index` (0 is A).
QString letter(int index)
{
    QString name;
    for (++index; index > 0; index = (index - 1) / 26)
        name.prepend(QChar(u'A' + (index - 1) % 26));
    return name;
}

} // namespace

class TestFiguresAgree : public QObject
{
    Q_OBJECT

private slots:
    void everyOutputHoldsTheSameFigures();
};

void TestFiguresAgree::everyOutputHoldsTheSameFigures()
{
    const QString sample = sourcePath(QStringLiteral("samples/cwdm-48-fibers.fib"));
    const QStringList band{QStringLiteral("--warn-margin"), QStringLiteral("15")};
    const ProgramRun summary = runProgram(QStringList{"--summary", "--format", "json"} + band + QStringList{sample});
    const QJsonObject file = QJsonDocument::fromJson(summary.out)[QLatin1String("files")][0].toObject();
    const QJsonArray json = file[QLatin1String("channels")].toArray();
    QCOMPARE(json.size(), 18);

    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("s.xlsx"));
    QCOMPARE(runProgram(QStringList{"--export-xlsx", workbook} + band + QStringList{sample}).exitCode, 0);
    const QHash<QString, WorkbookReader::Cell> cells =
        WorkbookReader::Cells(WorkbookReader::Part(workbook, QStringLiteral("xl/worksheets/sheet2.xml")), 40);

    FileSummary read, cached;
    QString error;
    QVERIFY(FileSummary::Read(sample, JudgeInputs{15.0}, FileKinds::Any, nullptr, &read, &error));
    QVERIFY(FileSummary::Decode(read.Encode(), read.EncodeBand(), &cached));

    const QList<ChannelColumns::Column> &columns = ChannelColumns::All();
    for (int row = 0; row < json.size(); ++row) {
        const QJsonObject channel = json.at(row).toObject();
        const FileSummary::Channel &kept = cached.Channels().at(row);
        QCOMPARE(QString::fromUtf8(kept.channel), channel[QLatin1String("channel")].toString());
        QCOMPARE(cells.value(QStringLiteral("A%1").arg(row + 2)).text, channel[QLatin1String("channel")].toString());
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const ChannelColumns::Column &column = columns.at(i);
            const QString where = QStringLiteral("channel %1, %2").arg(row + 1).arg(QLatin1String(column.key));
            const QJsonValue value = channel[QLatin1String(column.key)];
            const WorkbookReader::Cell cell = cells.value(letter(int(2 + i)) + QString::number(row + 2));
            const double inCache = kept.Value(i);
            if (value.isNull()) {
                QVERIFY2(cell.text.isEmpty() && std::isnan(inCache), qPrintable(where));
            } else if (column.kind == ChannelColumns::Kind::Capability) {
                QCOMPARE(cell.text, value.toString());
                QVERIFY2(!std::isnan(inCache), qPrintable(where));
            } else {
                // The cache and the workbook hold the very double; JSON
                // writes it to six places.
                QVERIFY2(cell.type == QLatin1String("n") && cell.text.toDouble() == inCache, qPrintable(where));
                QVERIFY2(std::abs(value.toDouble() - inCache) <= 5e-7 * qMax(1.0, std::abs(inCache)),
                         qPrintable(where));
            }
        }
    }
    // Channel 07 fails 9 of 48 fibers: low, whatever its margins' Cpk.
    QCOMPARE(json.at(6)[QLatin1String("capability")].toString(), QStringLiteral("low"));

    const ProgramRun trend = runProgram(QStringList{"--trend", "--no-cache", "--format", "json"} + band + QStringList{sample});
    const QJsonObject line = QJsonDocument::fromJson(trend.out)[QLatin1String("files")][0].toObject();
    double least = INFINITY;
    for (const QJsonValue &channel : json) {
        if (channel[QLatin1String("cpk")].isDouble())
            least = qMin(least, channel[QLatin1String("cpk")].toDouble());
    }
    QCOMPARE(line[QLatin1String("min_cpk")].toDouble(), least);
    QCOMPARE(line[QLatin1String("yield")].toDouble(), file[QLatin1String("yield")].toDouble());
}

QTEST_GUILESS_MAIN(TestFiguresAgree)
#include "tst_figuresagree.moc"

// A channel's figures are written once and read alike everywhere: for the
// sample, every column of the figures' table in --summary's JSON, the
// workbook's Channels sheet and the summary cache's bytes holds the same
// value, --trend's least Cpk and yield are --summary's, and the report and
// --plot say the yield line and each channel's capability as --summary
// gives them.

#include "TestSupport.h"
#include "WorkbookReader.h"

#include "data/ChannelColumns.h"
#include "data/FileSummary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
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

// Every "0.30 low" a text holds, in its order.
QStringList capabilities(const QString &text)
{
    static const QRegularExpression said(QStringLiteral("(-?\\d+\\.\\d\\d (?:good|fair|low))\\b"));
    QStringList found;
    for (QRegularExpressionMatchIterator it = said.globalMatch(text); it.hasNext();)
        found.append(it.next().captured(1));
    return found;
}

QString pdfText(const QString &path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                             path, QStringLiteral("-")});
    return tool.waitForFinished(30000) && tool.exitCode() == 0 ? QString::fromUtf8(tool.readAllStandardOutput())
                                                             : QString();
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
    QVERIFY(FileSummary::Read(sample, JudgeInputs{15.0, {}}, FileKinds::Any, nullptr, &read, &error));
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

    // The report (its table, then its panels) and the plot's panels: the
    // lower Cpk of each channel to two places and its word.
    QStringList expected;
    for (const QJsonValue &channel : json) {
        const double capability = qMin(channel[QLatin1String("cpk")].toDouble(INFINITY),
                                       channel[QLatin1String("cpk_observed")].toDouble(INFINITY));
        expected.append(QString::number(capability, 'f', 2) + QLatin1Char(' ')
                        + channel[QLatin1String("capability")].toString());
    }
    const int fibers = file[QLatin1String("fibers")].toInt(), failed = file[QLatin1String("failed")].toInt();
    const QString yieldLine = QStringLiteral("%1 of %2 fibers pass (%3 %), %4 marginal")
                                  .arg(fibers - failed)
                                  .arg(fibers)
                                  .arg(std::floor(file[QLatin1String("yield")].toDouble() * 1000) / 10, 0, 'f', 1)
                                  .arg(file[QLatin1String("marginal")].toInt());
    const QString report = dir.filePath(QStringLiteral("s.pdf"));
    QCOMPARE(runProgram(QStringList{"--print-pdf", report, "--verdicts"} + band + QStringList{sample}).exitCode, 0);
    const QString reportText = pdfText(report);
    QVERIFY2(reportText.contains(yieldLine), qPrintable(reportText.left(2000)));
    QCOMPARE(capabilities(reportText), expected + expected);

    const QString plot = dir.filePath(QStringLiteral("s.svg"));
    QCOMPARE(runProgram(QStringList{"--plot", plot} + band + QStringList{sample}).exitCode, 0);
    const QString plotText = QString::fromUtf8(readFile(plot));
    QVERIFY(plotText.contains(yieldLine));
    QCOMPARE(capabilities(plotText), expected);
}

QTEST_GUILESS_MAIN(TestFiguresAgree)
#include "tst_figuresagree.moc"

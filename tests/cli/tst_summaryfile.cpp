// The summary of one file written into a named file (the Summary window's
// export) holds exactly what `quenvale --summary` writes of that file in
// the format the name asks for, and replaces an older file only whole.

#include "TestSupport.h"

#include "data/LoadedFile.h"
#include "output/SummaryFile.h"

#include <QtTest>

using namespace TestSupport;

class TestSummaryFile : public QObject
{
    Q_OBJECT

private slots:
    void writesWhatTheSummaryWrites_data();
    void writesWhatTheSummaryWrites();
    void anUnwritableTargetKeepsNothing();
};

void TestSummaryFile::writesWhatTheSummaryWrites_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("band"); // empty: none
    QTest::newRow("csv") << "summary.csv" << "csv" << QString();
    QTest::newRow("csv with a band") << "summary.csv" << "csv" << "2.5";
    QTest::newRow("any other name: csv") << "summary.txt" << "csv" << QString();
    QTest::newRow("json") << "summary.json" << "json" << QString();
    QTest::newRow("JSON with a band") << "SUMMARY.JSON" << "json" << "2.5";
    QTest::newRow("json lines") << "summary.jsonl" << "jsonl" << QString();
}

void TestSummaryFile::writesWhatTheSummaryWrites()
{
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(QString, band);
    const QString sample = sourcePath(QStringLiteral("samples/cwdm-48-fibers.fib"));
    QStringList arguments{QStringLiteral("--summary"), QStringLiteral("--format"), format};
    if (!band.isEmpty())
        arguments << QStringLiteral("--warn-margin") << band;
    const ProgramRun run = runProgram(arguments << sample);
    QCOMPARE(run.exitCode, 3); // the sample has failing fibers
    QVERIFY(run.out.size() > 1000);

    LoadedFile file;
    QVERIFY(LoadedFile::Load(sample, &file));
    QTemporaryDir dir;
    const QString target = dir.filePath(name);
    QVERIFY(writeFile(target, "an older summary"));
    const std::optional<double> margin = band.isEmpty() ? std::nullopt : std::optional<double>(band.toDouble());
    QString error;
    QVERIFY2(SummaryFile::WriteFile(sample, file.rows, JudgeInputs{margin, {}}, target, &error), qPrintable(error));
    QCOMPARE(error, QString());
    QCOMPARE(readFile(target), run.out);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
}

void TestSummaryFile::anUnwritableTargetKeepsNothing()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("no/such/folder/summary.csv"));
    QString error;
    QVERIFY(!SummaryFile::WriteFile(QStringLiteral("a.fib"), MeasurementRows(), JudgeInputs(), target, &error));
    QVERIFY2(error.startsWith(QStringLiteral("Cannot write \"%1\": ").arg(target)), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestSummaryFile)
#include "tst_summaryfile.moc"

// `quenvale --trend --rules` as a line's monitor runs it: the control
// limits of a channel worked out by hand, the alarm a shifted file raises
// and the exit status it gives, too few files for a baseline, the
// arguments, and --follow telling an alarm as a station writes its file.

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <signal.h>

using namespace TestSupport;

namespace {

// The margins of channel 05 over the first 20 files: a pattern with no run
// (no rule broken), 12.9 to 13.1 dB against a -25 dB threshold.
const double kPattern[] = {0.0, 0.1, -0.1, 0.05, -0.05, 0.1, 0.0, -0.1, 0.05, 0.0};

// A file of two fibers at 09:00 + 5 minutes a file, channel 05 at the
// margin given, the other channels at 13 dB.
QByteArray stationFile(int index, double margin05)
{
    QByteArray bytes = standardHeader();
    const QByteArray time =
        QStringLiteral("%1:%2:00").arg(9 + index * 5 / 60, 2, 10, QLatin1Char('0')).arg(index * 5 % 60, 2, 10, QLatin1Char('0')).toLatin1();
    for (const char *name : {"A", "B"}) {
        const QByteArray fiber = QByteArray(name) + QByteArray::number(index);
        for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel) {
            const double power = channel == 5 ? -25.0 + margin05 : -12.0;
            bytes += line(fiber.constData(), channel, QByteArray::number(power, 'f', 2).constData(), "2018-05-17",
                          time.constData());
        }
    }
    return bytes;
}

double marginOf(int index)
{
    return 13.0 + kPattern[index % 10];
}

QJsonObject jsonOf(const QByteArray &out)
{
    return QJsonDocument::fromJson(out).object();
}

} // namespace

class TestTrendRules : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void aShiftRaisesAnAlarm();
    void tooFewFilesForABaseline();
    void arguments_data();
    void arguments();
    void followTellsAnAlarmAsItIsRaised();

private:
    // Writes files 0 to count - 1 into a new folder; file `shifted` has its
    // channel 05 at 12 dB.
    QString writeStation(int count, int shifted = -1);

    QTemporaryDir m_dir;
    std::unique_ptr<QTemporaryDir> m_cache;
    int m_folders = 0;
};

void TestTrendRules::init()
{
    m_cache = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache->path()));
}

QString TestTrendRules::writeStation(int count, int shifted)
{
    const QString folder = m_dir.filePath(QString::number(m_folders++));
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        if (!writeFile(QStringLiteral("%1/f%2.fib").arg(folder).arg(i, 2, 10, QLatin1Char('0')),
                       stationFile(i, i == shifted ? 12.0 : marginOf(i))))
            return QString();
    }
    return folder;
}

// The baseline: 13 dB plus the pattern twice. The pattern sums to 0.05,
// so the centre is 13 + 0.1 / 20 = 13.005; its steps are .1 .2 .15 .1 .15
// .1 .1 .15 .05 = 1.1, and 0 from its end to its start again: 2.2 over 19
// moving ranges.
void TestTrendRules::aShiftRaisesAnAlarm()
{
    const QString folder = writeStation(30, 25);
    QVERIFY(!folder.isEmpty());
    const ProgramRun run = runProgram({"--trend", "--rules", "--format", "json", folder});
    QCOMPARE(run.exitCode, 3); // every fiber passed: the alarm alone fails it
    const QJsonObject json = jsonOf(run.out);
    const double sigma = 2.2 / 19 / 1.128;
    const QJsonObject channel = json[QLatin1String("control")][QLatin1String("05")].toObject();
    QCOMPARE(channel[QLatin1String("baseline_files")].toInt(), 20);
    QVERIFY(std::abs(channel[QLatin1String("centre")].toDouble() - 13.005) < 1e-6);
    QVERIFY(std::abs(channel[QLatin1String("sigma")].toDouble() - sigma) < 1e-6);
    QVERIFY(std::abs(channel[QLatin1String("lower")].toDouble() - (13.005 - 3 * sigma)) < 1e-5);

    // The shifted file raises rule 1 on channel 05, and it is the first alarm.
    const QJsonArray alarms = json[QLatin1String("alarms")].toArray();
    QVERIFY(!alarms.isEmpty());
    const QJsonObject first = alarms.first().toObject();
    QCOMPARE(first[QLatin1String("series")].toString(), QStringLiteral("margin_mean"));
    QCOMPARE(first[QLatin1String("channel")].toString(), QStringLiteral("05"));
    QCOMPARE(first[QLatin1String("rule")].toInt(), 1);
    QCOMPARE(QFileInfo(first[QLatin1String("file")].toString()).fileName(), QStringLiteral("f25.fib"));
    QCOMPARE(first[QLatin1String("time")].toString(), QStringLiteral("2018-05-17T11:05:00"));
    QCOMPARE(first[QLatin1String("value")].toDouble(), 12.0);
    for (const QJsonValue &alarm : alarms)
        QVERIFY2(alarm[QLatin1String("channel")].toString() == QLatin1String("05"),
                 qPrintable(QJsonDocument(alarm.toObject()).toJson(QJsonDocument::Compact)));
    // The first pass and the lot's yield: every fiber passed the first time.
    QCOMPARE(json[QLatin1String("lot")][QLatin1String("first_pass_yield")].toDouble(), 1.0);

    // The text lists it after the lot's line.
    const ProgramRun text = runProgram({"--trend", "--rules", folder});
    QCOMPARE(text.exitCode, 3);
    const QString out = QString::fromUtf8(text.out);
    const qsizetype lotLine = out.indexOf(QLatin1String("lot: "));
    QVERIFY(lotLine > 0);
    QVERIFY2(out.indexOf(QLatin1String("channel 05 margin mean, rule 1: one beyond 3 sigma, from 2018-05-17 11:05:00"),
                         lotLine) > lotLine,
             qPrintable(out));
    // Without --rules, the same lot passes.
    QCOMPARE(runProgram({"--trend", folder}).exitCode, 0);
}

void TestTrendRules::tooFewFilesForABaseline()
{
    const QString folder = writeStation(6, 5);
    const ProgramRun run = runProgram({"--trend", "--rules", "--format", "json", folder});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = jsonOf(run.out);
    QCOMPARE(json[QLatin1String("alarms")].toArray().size(), 0);
    QVERIFY(json[QLatin1String("control")][QLatin1String("05")][QLatin1String("centre")].isNull());
    const QJsonArray notes = json[QLatin1String("control_notes")].toArray();
    QCOMPARE(notes.size(), 1);
    QVERIFY(notes.first().toString().contains(QLatin1String("need 20 files")));
    // A baseline of five is enough: file 5 is out.
    const ProgramRun five = runProgram({"--trend", "--baseline", "5", "--format", "json", folder});
    QCOMPARE(five.exitCode, 3);
    QCOMPARE(jsonOf(five.out)[QLatin1String("control")][QLatin1String("05")][QLatin1String("baseline_files")].toInt(), 5);
}

void TestTrendRules::arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("a baseline of one") << QStringList{"--trend", "--baseline", "1", "."} << "--baseline";
    QTest::newRow("a baseline that is no number") << QStringList{"--trend", "--baseline", "x", "."} << "--baseline";
    QTest::newRow("rules without a trend") << QStringList{"--summary", "--rules", "."} << "--rules is only for --trend";
    QTest::newRow("following two folders") << QStringList{"--trend", "--follow", ".", ".."} << "--follow watches one folder";
    QTest::newRow("following as csv") << QStringList{"--trend", "--follow", "--format", "csv", "."} << "--follow";
}

void TestTrendRules::arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const ProgramRun run = runProgram(arguments, m_dir.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
}

// The trend once the folder is read, then a JSON line for the alarm of
// the file the station writes next, until TERM.
void TestTrendRules::followTellsAnAlarmAsItIsRaised()
{
    const QString folder = writeStation(24);
    QProcess process;
    process.setProcessEnvironment(headlessEnvironment());
    process.start(programPath(), {"--trend", "--follow", "--format", "jsonl", folder});
    QByteArray out;
    const auto waitFor = [&](const QByteArray &text) {
        QElapsedTimer timer;
        timer.start();
        while (!out.contains(text) && timer.elapsed() < 20000) {
            process.waitForReadyRead(200);
            out += process.readAllStandardOutput();
        }
        return out.contains(text);
    };
    QVERIFY2(waitFor("\"type\": \"control\""), out.constData());
    QVERIFY(!out.contains("\"type\": \"alarm\""));
    // Written whole under another name, then named: read once, as it stands.
    QVERIFY(writeFile(folder + QStringLiteral("/f24.part"), stationFile(24, 12.0)));
    QVERIFY(QFile::rename(folder + QStringLiteral("/f24.part"), folder + QStringLiteral("/f24.fib")));
    QVERIFY2(waitFor("\"type\": \"alarm\""), out.constData());
    const QByteArray line = out.mid(out.lastIndexOf("{\"type\": \"alarm\""));
    const QJsonObject alarm = QJsonDocument::fromJson(line.left(line.indexOf('\n'))).object();
    QCOMPARE(alarm[QLatin1String("channel")].toString(), QStringLiteral("05"));
    QCOMPARE(alarm[QLatin1String("rule")].toInt(), 1);
    QCOMPARE(QFileInfo(alarm[QLatin1String("raised_file")].toString()).fileName(), QStringLiteral("f24.fib"));
    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(5000));
}

QTEST_MAIN(TestTrendRules)
#include "tst_trendrules.moc"

// `quenvale --compare A B` as an engineer gates a change with it: two small
// files whose one channel moves by a known step, a file against itself,
// sides with nothing to compare, and the two halves of a station's day,
// where one channel drifts. Reference values are SciPy 1.10.1's
// (stats.ttest_ind(b, a, equal_var=False), stats.ks_2samp).

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace TestSupport;

namespace {

// Channel 05's powers of F1..F4 on side A; B has each 1 dB higher and a
// fifth fiber at B's mean. F4 fails on A at channel 03 and passes on B.
const char *const kPowers05[] = {"-20.00", "-21.00", "-19.50", "-20.50"};
const char *const kNames[] = {"F1", "F2", "F3", "F4"};

QByteArray sideFile(bool b)
{
    QByteArray bytes = standardHeader();
    for (int i = 0; i < 4; ++i) {
        for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel) {
            QByteArray power = "-12.34";
            if (channel == 5)
                power = QByteArray::number(QByteArray(kPowers05[i]).toDouble() + (b ? 1 : 0), 'f', 2);
            if (channel == 3 && i == 3 && !b)
                power = "-26.00";
            bytes += line(kNames[i], channel, power.constData());
        }
    }
    if (b) {
        for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
            bytes += line("F5", channel, channel == 5 ? "-19.25" : "-12.34");
    }
    return bytes;
}

QJsonObject channelOf(const QJsonObject &json, const QString &name, const char *list = "channels")
{
    const QJsonArray channels = list == QByteArray("channels") ? json.value(QStringLiteral("channels")).toArray()
                                                               : json.value(QStringLiteral("matched"))
                                                                     .toObject()
                                                                     .value(QStringLiteral("channels"))
                                                                     .toArray();
    for (const QJsonValue &channel : channels) {
        if (channel.toObject().value(QStringLiteral("channel")).toString() == name)
            return channel.toObject();
    }
    return {};
}

QJsonObject compare(const QStringList &arguments, int *status)
{
    const ProgramRun run = runProgram(QStringList{QStringLiteral("--compare"), QStringLiteral("--format"),
                                                  QStringLiteral("json")}
                                      + arguments);
    *status = run.exitCode;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << "not JSON:" << error.errorString() << run.out.left(400) << run.err;
    return document.object();
}

bool near(const QJsonValue &value, double expected, double tolerance = 1e-6)
{
    return value.isDouble() && std::abs(value.toDouble() - expected) < tolerance;
}

} // namespace

class TestCompare : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void aKnownStep();
    void aFileAgainstItself();
    void nothingToCompare();
    void theTwoHalvesOfADay();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCompare::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CACHE_HOME", m_dir->filePath(QStringLiteral("cache")).toLocal8Bit());
}

void TestCompare::aKnownStep()
{
    const QString a = m_dir->filePath(QStringLiteral("a.fib")), b = m_dir->filePath(QStringLiteral("b.fib"));
    QVERIFY(writeFile(a, sideFile(false)));
    QVERIFY(writeFile(b, sideFile(true)));
    int status = -1;
    const QJsonObject json = compare({a, b}, &status);
    QCOMPARE(status, 0); // Welch p 0.0495: no shift at 0.001
    const QJsonObject ch05 = channelOf(json, QStringLiteral("05"));
    QVERIFY(near(ch05.value(QStringLiteral("delta_mean")), 1.0));
    QVERIFY(near(ch05.value(QStringLiteral("welch_p")), 0.049511150631082, 1e-6));
    const QJsonArray interval = ch05.value(QStringLiteral("delta_ci95")).toArray();
    QVERIFY(near(interval.at(0), 0.002941151728171998, 1e-5));
    QVERIFY(near(interval.at(1), 1.997058848271828, 1e-5));
    QVERIFY(near(ch05.value(QStringLiteral("ks")), 0.6));
    QCOMPARE(ch05.value(QStringLiteral("a")).toObject().value(QStringLiteral("count")).toInt(), 4);
    QCOMPARE(ch05.value(QStringLiteral("b")).toObject().value(QStringLiteral("count")).toInt(), 5);
    // Channel 03 moves most (F4 mended): it comes first.
    QCOMPARE(json.value(QStringLiteral("channels")).toArray().at(0).toObject().value(QStringLiteral("channel")),
             QStringLiteral("03"));

    const QJsonObject matched = json.value(QStringLiteral("matched")).toObject();
    QCOMPARE(matched.value(QStringLiteral("fibers")).toInt(), 4);
    const QJsonObject agreement = matched.value(QStringLiteral("agreement")).toObject();
    QCOMPARE(agreement.value(QStringLiteral("pp")).toInt(), 3);
    QCOMPARE(agreement.value(QStringLiteral("pf")).toInt(), 0);
    QCOMPARE(agreement.value(QStringLiteral("fp")).toInt(), 1);
    QCOMPARE(agreement.value(QStringLiteral("ff")).toInt(), 0);
    QVERIFY(near(matched.value(QStringLiteral("kappa")), 0.0)); // B passes all: no agreement beyond chance
    const QJsonObject paired05 = channelOf(json, QStringLiteral("05"), "matched");
    QVERIFY(near(paired05.value(QStringLiteral("paired_delta_mean")), 1.0));
    QVERIFY(near(paired05.value(QStringLiteral("paired_ci95")).toArray().at(1), 1.0));
    QVERIFY(near(channelOf(json, QStringLiteral("03"), "matched").value(QStringLiteral("paired_delta_mean")),
                 13.66 / 4));

    // A script gates the change at 5 %: the step is a shift there.
    compare({QStringLiteral("--alpha"), QStringLiteral("0.05"), a, b}, &status);
    QCOMPARE(status, 3);
    QCOMPARE(runProgram({QStringLiteral("--compare"), a}).exitCode, 2);
    QCOMPARE(runProgram({QStringLiteral("--compare"), QStringLiteral("--alpha"), QStringLiteral("0"), a, b}).exitCode, 2);
    QCOMPARE(runProgram({QStringLiteral("--compare"), a, m_dir->filePath(QStringLiteral("none.fib"))}).exitCode, 1);
}

void TestCompare::aFileAgainstItself()
{
    const QString sample = sourcePath(QStringLiteral("samples/cwdm-48-fibers.fib"));
    int status = -1;
    const QJsonObject json = compare({sample, sample}, &status);
    QCOMPARE(status, 0);
    const QJsonArray channels = json.value(QStringLiteral("channels")).toArray();
    QCOMPARE(channels.size(), 18);
    for (const QJsonValue &value : channels) {
        const QJsonObject channel = value.toObject();
        QVERIFY(near(channel.value(QStringLiteral("delta_mean")), 0));
        QVERIFY(near(channel.value(QStringLiteral("welch_p")), 1));
        QVERIFY(near(channel.value(QStringLiteral("ks")), 0));
        QCOMPARE(channel.value(QStringLiteral("shifted")).toBool(), false);
    }
    const QJsonObject matched = json.value(QStringLiteral("matched")).toObject();
    QCOMPARE(matched.value(QStringLiteral("fibers")).toInt(), 48);
    QVERIFY(near(matched.value(QStringLiteral("kappa")), 1));
    QCOMPARE(matched.value(QStringLiteral("agreement")).toObject().value(QStringLiteral("pf")).toInt(), 0);
}

void TestCompare::nothingToCompare()
{
    const QString empty = m_dir->filePath(QStringLiteral("empty.fib"));
    const QString other = m_dir->filePath(QStringLiteral("other.fib"));
    QVERIFY(writeFile(empty, standardHeader()));
    // One fiber, its last channel named 19: a channel A has and B has not.
    QByteArray one = standardHeader();
    for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
        one += line("G1", channel == 18 ? 19 : channel);
    QVERIFY(writeFile(other, one));
    const QString sample = sourcePath(QStringLiteral("samples/cwdm-48-fibers.fib"));

    int status = -1;
    QJsonObject json = compare({empty, sample}, &status);
    QCOMPARE(status, 0);
    QCOMPARE(json.value(QStringLiteral("matched")).toObject().value(QStringLiteral("fibers")).toInt(), 0);
    QVERIFY(json.value(QStringLiteral("matched")).toObject().value(QStringLiteral("kappa")).isNull());
    const QJsonObject ch01 = channelOf(json, QStringLiteral("01"));
    QVERIFY(ch01.value(QStringLiteral("a")).isNull());
    QVERIFY(ch01.value(QStringLiteral("delta_mean")).isNull());
    const QStringList notes = json.value(QStringLiteral("notes")).toVariant().toStringList();
    QVERIFY2(notes.contains(QStringLiteral("A has no fibers")), qPrintable(notes.join(QLatin1Char('|'))));
    QVERIFY(notes.contains(QStringLiteral("channel 01 is only in B")));

    // A single value a side: no spread, so no test; a channel on one side.
    json = compare({sample, other}, &status);
    const QJsonObject ch02 = channelOf(json, QStringLiteral("02"));
    QVERIFY(ch02.value(QStringLiteral("welch_p")).isNull());
    QVERIFY(ch02.value(QStringLiteral("delta_ci95")).isNull());
    QVERIFY(ch02.value(QStringLiteral("delta_mean")).isDouble());
    QVERIFY(channelOf(json, QStringLiteral("19")).value(QStringLiteral("a")).isNull());
    const QStringList oneSided = json.value(QStringLiteral("notes")).toVariant().toStringList();
    QVERIFY(oneSided.contains(QStringLiteral("channel 18 is only in A")));
    QVERIFY(oneSided.contains(QStringLiteral("channel 19 is only in B")));
}

void TestCompare::theTwoHalvesOfADay()
{
    const QString day = m_dir->filePath(QStringLiteral("day"));
    QVERIFY(makeLot(day));
    QDir dir(day);
    QVERIFY(dir.mkdir(QStringLiteral("morning")) && dir.mkdir(QStringLiteral("afternoon")));
    const QStringList files = dir.entryList({QStringLiteral("*.fib")}, QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 200);
    for (int i = 0; i < files.size(); ++i)
        QVERIFY(dir.rename(files.at(i), (i < 100 ? QStringLiteral("morning/") : QStringLiteral("afternoon/")) + files.at(i)));

    int status = -1;
    const QJsonObject json = compare({dir.filePath(QStringLiteral("morning")), dir.filePath(QStringLiteral("afternoon"))},
                                     &status);
    QCOMPARE(status, 3);
    QCOMPARE(json.value(QStringLiteral("a")).toObject().value(QStringLiteral("files")).toInt(), 100);
    // Each fiber once, as the lot's trend counts the morning's retests.
    const ProgramRun trend = runProgram({QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json"),
                                         dir.filePath(QStringLiteral("morning"))});
    const int fibersOnce = QJsonDocument::fromJson(trend.out).object().value(QStringLiteral("lot")).toObject()
                               .value(QStringLiteral("fibers")).toInt();
    QVERIFY(fibersOnce > 4000);
    QCOMPARE(json.value(QStringLiteral("a")).toObject().value(QStringLiteral("fibers")).toInt(), fibersOnce);
    const QJsonArray channels = json.value(QStringLiteral("channels")).toArray();
    QCOMPARE(channels.size(), 18);
    const QJsonObject first = channels.at(0).toObject();
    QCOMPARE(first.value(QStringLiteral("channel")).toString(), QStringLiteral("07"));
    QVERIFY(first.value(QStringLiteral("delta_mean")).toDouble() < -3);
    QCOMPARE(first.value(QStringLiteral("shifted")).toBool(), true);
    for (qsizetype i = 1; i < channels.size(); ++i)
        QCOMPARE(channels.at(i).toObject().value(QStringLiteral("shifted")).toBool(), false);
}

QTEST_GUILESS_MAIN(TestCompare)
#include "tst_compare.moc"

// A lot's order and figures: retests counted once with their latest
// result, files in time order, and the model's rows as files come, change
// and go. Expected values come from the rules, worked out by hand.

#include "TestSupport.h"

#include "data/FileSummary.h"
#include "lot/LotModel.h"

#include <QSignalSpy>
#include <QtTest>

using namespace TestSupport;

namespace {

// A fiber of a file: its name, whether it passes, its rows' date and time.
struct Measured
{
    const char *name;
    bool passes;
    const char *time;
    const char *date = "2018-05-17";
};

QByteArray fiberRows(const Measured &fiber)
{
    QByteArray rows;
    for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
        rows += line(fiber.name, channel, fiber.passes ? "-12.00" : "-40.00", fiber.date, fiber.time);
    return rows;
}

using Files = QList<QList<Measured>>;

} // namespace

class TestLot : public QObject
{
    Q_OBJECT

private slots:
    void retestsCountOnce_data();
    void retestsCountOnce();
    void fileYields();
    void filesInTimeOrder();
    void fileKeepsItsFibersInOrder();
    void rowTimes_data();
    void rowTimes();
    void modelFollowsFiles();
    void batchKeepsTheChosenFile();
    void summaryOutlivesItsBytes();

private:
    // Writes the files into a new folder, as f0.fib, f1.fib ... or as
    // `names` say, and reads them.
    QList<LotFile> readFiles(const Files &files, const QStringList &names = {});
    QTemporaryDir m_dir;
    int m_written = 0;
};

QList<LotFile> TestLot::readFiles(const Files &files, const QStringList &names)
{
    QList<LotFile> read;
    const QString folder = m_dir.filePath(QString::number(m_written++));
    QDir().mkpath(folder);
    for (qsizetype i = 0; i < files.size(); ++i) {
        QByteArray bytes = standardHeader();
        for (const Measured &fiber : files.at(i))
            bytes += fiberRows(fiber);
        const QString name = names.value(i, QStringLiteral("f%1.fib").arg(i));
        const QString path = folder + QLatin1Char('/') + name;
        if (!writeFile(path, bytes))
            return {};
        LotFile file{path};
        FileStamp::Of(path, &file.stamp);
        auto summary = std::make_shared<FileSummary>();
        if (!FileSummary::Read(path, JudgeInputs{}, FileKinds::Any, nullptr, summary.get(), &file.error))
            return {};
        file.summary = summary;
        read.append(file);
    }
    return read;
}

void TestLot::retestsCountOnce_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("names");
    // fibers counted once, passed, retested, retested that passed in the end,
    // passed the first time (at the earliest result, by the same order)
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("fail, then pass") << Files{{{"A", false, "09:00:00"}}, {{"A", true, "10:00:00"}}}
                                     << QStringList{} << QList<int>{1, 1, 1, 1, 0};
    QTest::newRow("pass, then fail") << Files{{{"A", true, "09:00:00"}}, {{"A", false, "10:00:00"}}}
                                     << QStringList{} << QList<int>{1, 0, 1, 0, 1};
    // The later file comes first by name: time decides, not the name.
    QTest::newRow("the latest time, whatever the file's name")
        << Files{{{"A", false, "11:00:00"}}, {{"A", true, "09:00:00"}}} << QStringList{"a.fib", "b.fib"}
        << QList<int>{1, 0, 1, 0, 1};
    // Equal times: the file later in the lot's order, by path.
    QTest::newRow("same time, b.fib after a.fib")
        << Files{{{"A", false, "09:00:00"}}, {{"A", true, "09:00:00"}}} << QStringList{"a.fib", "b.fib"}
        << QList<int>{1, 1, 1, 1, 0};
    QTest::newRow("same time, a.fib before b.fib")
        << Files{{{"A", false, "09:00:00"}}, {{"A", true, "09:00:00"}}} << QStringList{"b.fib", "a.fib"}
        << QList<int>{1, 0, 1, 0, 1};
    QTest::newRow("twice in one file") << Files{{{"A", false, "09:00:00"}, {"A", true, "09:05:00"}, {"B", true, "09:10:00"}}}
                                       << QStringList{} << QList<int>{2, 2, 1, 1, 1};
    QTest::newRow("twice in one file at one time: the later place")
        << Files{{{"A", true, "09:00:00"}, {"A", false, "09:00:00"}}} << QStringList{} << QList<int>{1, 0, 1, 0, 1};
    // A clock set back between two tests of a fiber: the time still rules.
    QTest::newRow("clock set back in one file")
        << Files{{{"A", true, "10:00:00"}, {"A", false, "09:00:00"}}} << QStringList{} << QList<int>{1, 1, 1, 1, 0};
    QTest::newRow("a time that cannot be read is the earliest")
        << Files{{{"B", true, "08:00:00"}, {"A", false, "09:00:00"}}, {{"A", true, "25:00:00"}}}
        << QStringList{} << QList<int>{2, 1, 1, 0, 2};
    QTest::newRow("three times, and a fiber tested once")
        << Files{{{"A", false, "09:00:00"}, {"C", false, "09:01:00"}},
                 {{"A", false, "10:00:00"}},
                 {{"A", true, "11:00:00"}, {"B", true, "11:01:00"}}}
        << QStringList{} << QList<int>{3, 2, 1, 1, 1};
    QTest::newRow("blank names are no retests")
        << Files{{{"", true, "09:00:00"}}, {{"", false, "10:00:00"}}} << QStringList{} << QList<int>{2, 1, 0, 0, 1};
}

void TestLot::retestsCountOnce()
{
    QFETCH(Files, files);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, expected);
    LotModel lot;
    lot.Reset(readFiles(files, names));
    QCOMPARE(lot.FileCount(), files.size());
    const LotFigures &figures = lot.Figures();
    QCOMPARE(QList<int>({int(figures.fibers), int(figures.passed), int(figures.retested),
                         int(figures.retestedPassed), int(figures.firstPassed)}),
             expected);
    qsizetype results = 0;
    for (const QList<Measured> &file : files)
        results += file.size();
    QCOMPARE(figures.results, results);
}

// A file's first-pass and final yields are of the fibers it measured
// first: a retest counts where the fiber began, not where it was mended.
void TestLot::fileYields()
{
    const QList<LotFile> files = readFiles({{{"F1", true, "09:00:00"}, {"F2", false, "09:01:00"}, {"F3", false, "09:02:00"}},
                                            {{"F2", true, "10:00:00"}, {"F4", true, "10:01:00"}},
                                            {{"F3", false, "11:00:00"}, {"F5", true, "11:01:00"}},
                                            {{"F3", true, "12:00:00"}}});
    QCOMPARE(files.size(), 4);
    QList<const FileSummary *> summaries;
    for (const LotFile &file : files)
        summaries.append(file.summary.get());
    QList<QList<int>> got;
    for (const LotFigures::FileYield &yield : LotFigures::FileYields(summaries))
        got.append({int(yield.fibers), int(yield.firstPassed), int(yield.finalPassed)});
    QCOMPARE(got, (QList<QList<int>>{{3, 1, 3}, {1, 1, 1}, {1, 1, 1}, {0, 0, 0}}));
    const LotFigures figures = LotFigures::Of(summaries, 0);
    QCOMPARE(QList<int>({int(figures.fibers), int(figures.passed), int(figures.firstPassed)}), QList<int>({5, 5, 3}));
}

// By the first row's time, equal times by path; files without a time,
// then files not read, after them.
void TestLot::filesInTimeOrder()
{
    QList<LotFile> files = readFiles({{{"A", true, "10:00:00"}},
                                      {{"B", true, "09:00:00", "2018-05-18"}},
                                      {{"C", true, "10:00:00"}},
                                      {{"D", true, "07:00:00"}},
                                      {{"E", true, "no time"}}},
                                     {"z.fib", "a.fib", "m.fib", "y.fib", "b.fib"});
    LotFile unread{m_dir.filePath(QStringLiteral("0-unread.fib"))};
    unread.error = QStringLiteral("Cannot read");
    files.prepend(unread);
    LotModel lot;
    lot.Reset(files);
    QStringList order;
    for (int row = 0; row < lot.FileCount(); ++row)
        order.append(QFileInfo(lot.FileAt(row).path).fileName());
    QCOMPARE(order, QStringList({"y.fib", "m.fib", "z.fib", "a.fib", "b.fib", "0-unread.fib"}));
    QCOMPARE(lot.Figures().files, 5);
    QCOMPARE(lot.Figures().unread, 1);
}

void TestLot::fileKeepsItsFibersInOrder()
{
    const QList<LotFile> files =
        readFiles({{{"C", true, "10:00:00"}, {"A", false, "08:00:00"}, {"B", true, "09:00:00"}}});
    QCOMPARE(files.size(), 1);
    const FileSummary &summary = *files.first().summary;
    QCOMPARE(summary.FiberCount(), 3);
    QCOMPARE(summary.FiberAt(0).name, QByteArrayView("C"));
    QCOMPARE(summary.FiberAt(1).name, QByteArrayView("A"));
    QCOMPARE(summary.FiberAt(2).name, QByteArrayView("B"));
    QCOMPARE(summary.FiberAt(1).passed, false);
    QCOMPARE(summary.FirstTime(), RowTime::Parse("2018-05-17", "10:00:00"));
}

void TestLot::rowTimes_data()
{
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QByteArray>("iso"); // empty for none
    QTest::newRow("as stations write") << QByteArray("2018-05-17") << QByteArray("09:00:07")
                                       << QByteArray("2018-05-17T09:00:07");
    QTest::newRow("padded, slashes, no seconds") << QByteArray(" 2018/5/7 ") << QByteArray("9:05  ")
                                                 << QByteArray("2018-05-07T09:05:00");
    QTest::newRow("a leap day") << QByteArray("2020-02-29") << QByteArray("23:59:59")
                                << QByteArray("2020-02-29T23:59:59");
    QTest::newRow("no such day") << QByteArray("2019-02-29") << QByteArray("10:00:00") << QByteArray();
    QTest::newRow("no such hour") << QByteArray("2019-02-28") << QByteArray("24:00:00") << QByteArray();
    QTest::newRow("letters") << QByteArray("2019-02-2x") << QByteArray("10:00:00") << QByteArray();
    QTest::newRow("blank") << QByteArray("          ") << QByteArray("        ") << QByteArray();
    QTest::newRow("before 1970") << QByteArray("1969-12-31") << QByteArray("23:59:59")
                                 << QByteArray("1969-12-31T23:59:59");
}

void TestLot::rowTimes()
{
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, time);
    QFETCH(QByteArray, iso);
    const qint64 seconds = RowTime::Parse(date, time);
    QCOMPARE(RowTime::Iso(seconds), iso);
    if (!iso.isEmpty()) {
        QDateTime moment = QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
        moment.setTimeSpec(Qt::UTC);
        QCOMPARE(seconds, moment.toSecsSinceEpoch());
    }
}

// A batch of new files, a file rewritten later in the day and one deleted,
// all at once: one insert and one reordering, the files in time order, and
// a row chosen in a view (a persistent index) still on its file.
void TestLot::batchKeepsTheChosenFile()
{
    const QList<LotFile> files =
        readFiles({{{"A", false, "09:00:00"}}, {{"B", true, "11:00:00"}}, {{"C", true, "13:00:00"}}});
    LotModel lot;
    lot.Reset(files);
    const QPersistentModelIndex chosen = lot.index(0, LotModel::File); // A, 09:00
    QSignalSpy inserted(&lot, &QAbstractItemModel::rowsInserted);
    QSignalSpy reordered(&lot, &QAbstractItemModel::layoutChanged);
    QSignalSpy figures(&lot, &LotModel::FiguresChanged);

    QList<LotFile> batch = readFiles({{{"D", true, "12:00:00"}}, {{"E", true, "08:00:00"}}});
    LotFile rewritten = readFiles({{{"A", true, "14:00:00"}}}).first();
    rewritten.path = files.at(0).path;
    batch.append(rewritten);
    lot.Update(batch, {files.at(2).path});

    QCOMPARE(inserted.size(), 1);
    QCOMPARE(reordered.size(), 1);
    QCOMPARE(figures.size(), 1);
    QStringList order;
    for (int row = 0; row < lot.FileCount(); ++row)
        order.append(lot.FileAt(row).path);
    // E 08:00, B 11:00, D 12:00, C 13:00 (gone), A 14:00.
    QCOMPARE(order, (QStringList{batch.at(1).path, files.at(1).path, batch.at(0).path, files.at(2).path,
                                 files.at(0).path}));
    QCOMPARE(chosen.row(), 4);
    QCOMPARE(lot.data(lot.index(3, 0), LotModel::StateRole).toInt(), int(LotModel::Gone));
    QCOMPARE(lot.Figures().files, 5);
}

// A new file takes its place in time, a changed one moves with its time,
// a deleted one stays marked gone and still counts.
void TestLot::modelFollowsFiles()
{
    QList<LotFile> files = readFiles({{{"A", false, "09:00:00"}}, {{"B", true, "11:00:00"}}});
    LotModel lot;
    lot.Reset(files.mid(0, 2));
    QSignalSpy inserted(&lot, &QAbstractItemModel::rowsInserted);
    QSignalSpy figures(&lot, &LotModel::FiguresChanged);

    const QList<LotFile> arriving = readFiles({{{"A", true, "10:00:00"}}});
    QCOMPARE(lot.Put(arriving.first()), 1);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(figures.size(), 1);
    QCOMPARE(lot.Figures().fibers, 2);
    QCOMPARE(lot.Figures().passed, 2);
    QCOMPARE(lot.Figures().retestedPassed, 1);

    // The first file rewritten later in the day: it moves to the end.
    LotFile rewritten = readFiles({{{"A", false, "12:00:00"}}}).first();
    rewritten.path = files.at(0).path;
    rewritten.stamp = files.at(0).stamp;
    QCOMPARE(lot.Put(rewritten), 2);
    QCOMPARE(lot.FileCount(), 3);
    QCOMPARE(lot.FileAt(2).path, files.at(0).path);
    QCOMPARE(lot.Figures().passed, 1);

    QVERIFY(lot.MarkGone(files.at(1).path));
    const int gone = lot.RowOf(files.at(1).path);
    QCOMPARE(lot.data(lot.index(gone, LotModel::File), LotModel::StateRole).toInt(), int(LotModel::Gone));
    QCOMPARE(lot.FileCount(), 3);
    QCOMPARE(lot.Figures().files, 3);
    QVERIFY(!lot.MarkGone(m_dir.filePath(QStringLiteral("never.fib"))));
}

// What the cache keeps is the summary whole: read back from its bytes it
// gives the very same figures; bytes cut short or changed give none.
void TestLot::summaryOutlivesItsBytes()
{
    const QList<LotFile> files = readFiles({{{"A", false, "09:00:00"}, {"B", true, "09:00:05"}}});
    const FileSummary &summary = *files.first().summary;
    const QByteArray bytes = summary.Encode(), band = summary.EncodeBand();
    FileSummary decoded;
    QVERIFY(FileSummary::Decode(bytes, band, &decoded));
    QCOMPARE(decoded.Encode(), bytes);
    QCOMPARE(decoded.EncodeBand(), band);
    QCOMPARE(decoded.Fibers(), 2);
    QCOMPARE(decoded.Failed(), 1);
    QCOMPARE(decoded.WorstChannel(), QByteArray("01"));
    QCOMPARE(decoded.FiberAt(1).name, QByteArrayView("B"));
    QCOMPARE(decoded.Channels().size(), ChannelTable::FiberSize);
    for (qsizetype cut = 0; cut < bytes.size(); cut += 7)
        QVERIFY(!FileSummary::Decode(bytes.left(cut), band, &decoded));
    for (qsizetype cut = 0; cut < band.size(); cut += 7)
        QVERIFY(!FileSummary::Decode(bytes, band.left(cut), &decoded));
    QVERIFY(!FileSummary::Decode(bytes + QByteArray(8, '\0'), band, &decoded));
    QVERIFY(!FileSummary::Decode(bytes, band + QByteArray(8, '\0'), &decoded));
    QByteArray changed = bytes;
    changed[changed.size() - 1] = char(0x40); // a name's end beyond the names
    QVERIFY(!FileSummary::Decode(changed, band, &decoded));
}

QTEST_GUILESS_MAIN(TestLot)
#include "tst_lot.moc"

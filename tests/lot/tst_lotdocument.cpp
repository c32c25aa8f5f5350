// A lot open in a window: read off the window's thread, with or without its
// subfolders, and kept up to date as a station writes, rewrites and deletes
// files. Expected values come from the files' rules: a fiber passes at
// -12 dBm against -25, fails at -40; a retest counts once, its latest
// result standing.

#include "TestSupport.h"

#include "lot/LotDocument.h"
#include "lot/LotTrend.h"
#include "lot/SummaryCache.h"

#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <sys/stat.h>

using namespace TestSupport;

namespace {

// A file of fibers, each passing or failing, all at `time`.
QByteArray lotFile(const QList<QPair<const char *, bool>> &fibers, const char *time)
{
    QByteArray bytes = standardHeader();
    for (const auto &[name, passes] : fibers) {
        for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
            bytes += line(name, channel, passes ? "-12.00" : "-40.00", "2018-05-21", time);
    }
    return bytes;
}

// fibers counted once, passed, retested, retested that passed in the end
QList<qsizetype> figuresOf(const LotDocument &lot)
{
    const LotFigures &figures = lot.Model().Figures();
    return {figures.fibers, figures.passed, figures.retested, figures.retestedPassed};
}

} // namespace

class TestLotDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsFolderAndSubfolders();
    void followsTheStation();
    void poolsEveryFilesMargins();
    void ownFolderIsNoFile();
    void burstComesInFewBatches();

private:
    QTemporaryDir m_cache;
};

void TestLotDocument::initTestCase()
{
    QVERIFY(m_cache.isValid());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
}

void TestLotDocument::readsFolderAndSubfolders()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("b.fib")), lotFile({{"A", true}, {"B", false}}, "09:00:00")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("a.fib")), lotFile({{"B", true}}, "10:00:00")));
    // A FIFO is no file of the lot's: listed with its reason, never read.
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.fib"))).constData(), 0600), 0);
    QVERIFY(writeFile(dir.filePath(QStringLiteral("sub/c.fib")), lotFile({{"C", false}}, "08:00:00")));

    LotDocument lot(dir.path());
    QSignalSpy ended(&lot, &LotDocument::scanEnded);
    lot.Start();
    QVERIFY(lot.Scanning());
    QVERIFY(ended.wait(10000));
    // In time order, the one that cannot be read last, with its reason.
    const LotModel &model = lot.Model();
    QCOMPARE(model.FileCount(), 3);
    QCOMPARE(model.FileAt(0).path, dir.filePath(QStringLiteral("b.fib")));
    QCOMPARE(model.FileAt(1).path, dir.filePath(QStringLiteral("a.fib")));
    QVERIFY(!model.FileAt(2).IsRead());
    QVERIFY(!model.FileAt(2).error.isEmpty());
    QCOMPARE(model.Figures().unread, 1);
    QCOMPARE(figuresOf(lot), (QList<qsizetype>{2, 2, 1, 1}));

    lot.SetSubfolders(true);
    QVERIFY(ended.wait(10000));
    QCOMPARE(model.FileCount(), 4);
    QCOMPARE(model.FileAt(0).path, dir.filePath(QStringLiteral("sub/c.fib")));
    QCOMPARE(figuresOf(lot), (QList<qsizetype>{3, 2, 1, 1}));
    // The summaries went to the lot's cache, for the next time.
    SummaryCache cache;
    QVERIFY(cache.Open());
    FileStamp stamp;
    QVERIFY(FileStamp::Of(dir.filePath(QStringLiteral("a.fib")), &stamp));
    QVERIFY(cache.Find({stamp}, std::nullopt).value(0).has_value());
}

void TestLotDocument::followsTheStation()
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("s-0001.fib"));
    QVERIFY(writeFile(first, lotFile({{"A", false}, {"B", true}}, "09:00:00")));
    LotDocument lot(dir.path());
    QSignalSpy ended(&lot, &LotDocument::scanEnded);
    lot.Start();
    QVERIFY(ended.wait(10000));
    QCOMPARE(figuresOf(lot), (QList<qsizetype>{2, 1, 0, 0}));

    // A retest written while the lot is open: in within a second of its
    // writes settling, no longer growing once it stands still.
    const QString second = dir.filePath(QStringLiteral("s-0002.fib"));
    QVERIFY(writeFile(second, lotFile({{"A", true}}, "10:00:00")));
    QTRY_COMPARE_WITH_TIMEOUT(lot.Model().FileCount(), 2, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!lot.Model().FileAt(1).growing, 5000);
    QCOMPARE(lot.Model().FileAt(1).path, second);
    QCOMPARE(figuresOf(lot), (QList<qsizetype>{2, 2, 1, 1}));

    // Rewritten in place: read again; its fiber failed after all.
    QVERIFY(writeFile(second, lotFile({{"A", false}, {"C", true}}, "10:00:00")));
    QTRY_COMPARE_WITH_TIMEOUT(lot.Model().FileAt(1).summary->Fibers(), 2, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!lot.Model().FileAt(1).growing, 5000);
    QCOMPARE(figuresOf(lot), (QList<qsizetype>{3, 2, 1, 0}));

    // Deleted: marked gone and kept, its results still counted.
    QVERIFY(QFile::remove(first));
    QTRY_COMPARE_WITH_TIMEOUT(lot.Model().data(lot.Model().index(0, 0), LotModel::StateRole).toInt(),
                              int(LotModel::Gone), 5000);
    QCOMPARE(lot.Model().FileCount(), 2);
    QCOMPARE(figuresOf(lot), (QList<qsizetype>{3, 2, 1, 0}));
}

// The lot's margin mean and Cpk of a channel are those of all its files'
// margins taken together: {1, 3} and {5, 7} pool to {1, 3, 5, 7}, of mean 4
// and sample deviation sqrt(20 / 3); a file of one margin has no deviation.
void TestLotDocument::poolsEveryFilesMargins()
{
    const LotTrend::Pooled pooled = LotTrend::Pool({2, 2}, {2.0, 6.0}, {std::sqrt(2.0), std::sqrt(2.0)});
    QVERIFY(pooled.mean && pooled.cpk);
    QCOMPARE(*pooled.mean, 4.0);
    QVERIFY(qAbs(*pooled.cpk - 4.0 / (3 * std::sqrt(20.0 / 3))) < 1e-12);
    // {2} and {4, 6}: mean 4, deviation 2.
    const LotTrend::Pooled single = LotTrend::Pool({1, 2}, {2.0, 5.0}, {NAN, std::sqrt(2.0)});
    QCOMPARE(*single.mean, 4.0);
    QVERIFY(qAbs(*single.cpk - 4.0 / 6.0) < 1e-12);
    QVERIFY(!LotTrend::Pool({}, {}, {}).mean);
}

// A lot opened on a folder without result files yet is an empty lot, not a
// row for the folder; the files written later are its only rows.
void TestLotDocument::ownFolderIsNoFile()
{
    QTemporaryDir dir;
    LotDocument lot(dir.path());
    QSignalSpy ended(&lot, &LotDocument::scanEnded);
    lot.SetSubfolders(true); // reads it, its subfolders' files with its own
    QVERIFY(ended.wait(10000));
    QCOMPARE(lot.Model().FileCount(), 0);
    QTest::qWait(2 * LotDocument::PollMs); // the looks at it while it is empty
    QCOMPARE(lot.Model().FileCount(), 0);
    QVERIFY(writeFile(dir.filePath(QStringLiteral("a.fib")), lotFile({{"A", true}}, "09:00:00")));
    QTRY_COMPARE_WITH_TIMEOUT(lot.Model().FileCount(), 1, 5000);
    QTest::qWait(2 * LotDocument::PollMs);
    QCOMPARE(lot.Model().FileCount(), 1);
    QCOMPARE(lot.Model().FileAt(0).path, dir.filePath(QStringLiteral("a.fib")));
    QCOMPARE(lot.Model().Figures().unread, 0);
    QVERIFY(lot.Notices().isEmpty());
}

// A station writing files as fast as it can while the lot is open: the
// model takes them in a few batches (one insert, one reordering each),
// never a change a file, and every file is listed in the end.
void TestLotDocument::burstComesInFewBatches()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("s-0000.fib")), lotFile({{"A", true}}, "08:00:00")));
    LotDocument lot(dir.path());
    QSignalSpy ended(&lot, &LotDocument::scanEnded);
    lot.Start();
    QVERIFY(ended.wait(10000));
    const LotModel &model = lot.Model();
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy figures(&model, &LotModel::FiguresChanged);

    constexpr int kFiles = 300;
    std::atomic<bool> written{false};
    std::thread station([&] {
        for (int i = 1; i <= kFiles; ++i) {
            // Written in the reverse of their times, so that each batch
            // must be put in order too.
            const QByteArray time = QByteArray::number(10 + (kFiles - i) / 60) + ':'
                + QByteArray::number((kFiles - i) % 60).rightJustified(2, '0') + ":00";
            writeFile(dir.filePath(QStringLiteral("s-%1.fib").arg(i, 4, 10, QLatin1Char('0'))),
                      lotFile({{"B", i % 2 == 0}}, time.constData()));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        written = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(written && model.FileCount() == kFiles + 1, 60000);
    station.join();
    QTRY_VERIFY_WITH_TIMEOUT(!model.FileAt(model.FileCount() - 1).growing, 10000);
    QCOMPARE(reset.size(), 0);
    QVERIFY2(inserted.size() <= kFiles / 10, qPrintable(QString::number(inserted.size())));
    QVERIFY2(figures.size() <= kFiles / 5, qPrintable(QString::number(figures.size())));
    // In time order, the last written first among the new ones.
    QCOMPARE(model.FileAt(0).path, dir.filePath(QStringLiteral("s-0000.fib")));
    QCOMPARE(model.FileAt(1).path, dir.filePath(QStringLiteral("s-0300.fib")));
    QCOMPARE(model.FileAt(kFiles).path, dir.filePath(QStringLiteral("s-0001.fib")));
}

QTEST_GUILESS_MAIN(TestLotDocument)
#include "tst_lotdocument.moc"

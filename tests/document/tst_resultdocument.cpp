// The document of the file shown, fed by its manager from real files on
// disk: what each thing that happens to the file makes it tell, through its
// signals, and what it holds then; and a file that a station writes on
// while it is shown.

#include "TestSupport.h"

#include "document/DocumentManager.h"
#include "document/ResultDocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

QByteArray fibers(const QList<QByteArray> &names)
{
    QByteArray bytes = TestSupport::standardHeader();
    for (const QByteArray &name : names)
        bytes += TestSupport::fiber(name.constData());
    return bytes;
}

// A new version under the name, as a station writes one.
bool replace(const QString &path, const QByteArray &bytes)
{
    const QString next = path + QStringLiteral(".next");
    return TestSupport::writeFile(next, bytes)
        && std::rename(QFile::encodeName(next).constData(), QFile::encodeName(path).constData()) == 0;
}

using Changes = ResultDocument::Changes;
constexpr int kNewFile = ResultDocument::NewFile | ResultDocument::Verdicts | ResultDocument::Notice;
constexpr int kNewVersion = ResultDocument::NewVersion | ResultDocument::Verdicts | ResultDocument::Notice;

} // namespace

class TestResultDocument : public QObject
{
    Q_OBJECT
private slots:
    void tellsWhatChanged_data();
    void tellsWhatChanged();
    void growingFileIsReadAsItGrows();
};

void TestResultDocument::tellsWhatChanged_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<QList<int>>("changes"); // what `changed` tells, in turn
    QTest::addColumn<QList<QByteArray>>("names");
    QTest::addColumn<QString>("notice");
    QTest::newRow("read") << "" << QList<int>{kNewFile, ResultDocument::Verdicts}
                          << QList<QByteArray>{"A", "B"} << QString();
    QTest::newRow("read again") << "replace" << QList<int>{kNewVersion, ResultDocument::Verdicts}
                                << QList<QByteArray>{"C", "A", "B"} << QString();
    QTest::newRow("gone") << "remove" << QList<int>{ResultDocument::Notice} << QList<QByteArray>{"A", "B"}
                          << "f.fib is no longer on disk; the window shows it as it was read.";
    QTest::newRow("gone and back") << "remove, replace"
                                   << QList<int>{ResultDocument::Notice, kNewVersion, ResultDocument::Verdicts}
                                   << QList<QByteArray>{"C", "A", "B"} << QString();
    QTest::newRow("empty") << "truncate" << QList<int>{ResultDocument::Notice} << QList<QByteArray>{"A", "B"}
                           << "f.fib is empty now; the window shows it as it was read";
    QTest::newRow("empty and rows back")
        << "truncate, replace" << QList<int>{ResultDocument::Notice, kNewVersion, ResultDocument::Verdicts}
        << QList<QByteArray>{"C", "A", "B"} << QString();
    QTest::newRow("renamed") << "rename" << QList<int>{} << QList<QByteArray>{"A", "Bx"} << QString();
}

// f.fib of fibers A and B is opened, then `event` happens to it.
void TestResultDocument::tellsWhatChanged()
{
    QFETCH(QString, event);
    QFETCH(QList<int>, changes);
    QFETCH(QList<QByteArray>, names);
    QFETCH(QString, notice);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.fib"));
    QVERIFY(TestSupport::writeFile(path, fibers({"A", "B"})));
    DocumentManager manager;
    ResultDocument &document = manager.Document();
    QList<int> told;
    connect(&document, &ResultDocument::changed, this, [&told](Changes what) { told.append(int(what)); });
    QSignalSpy renamed(&document, &ResultDocument::fiberRenamed);
    QCOMPARE(manager.OpenFiles({path}), QStringList{path});
    QTRY_VERIFY(document.VerdictsKnown());
    if (!event.isEmpty())
        told.clear();

    for (const QString &step : event.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const int before = told.size();
        if (step == QLatin1String("replace"))
            QVERIFY(replace(path, fibers({"C", "A", "B"})));
        else if (step == QLatin1String("remove"))
            QVERIFY(QFile::remove(path));
        else if (step == QLatin1String("truncate"))
            QVERIFY(QFile::resize(path, 0));
        else if (step == QLatin1String("rename"))
            document.RenameFiber(1, "Bx");
        if (step != QLatin1String("rename"))
            QTRY_VERIFY(told.size() > before);
    }
    QTRY_COMPARE(told.size(), changes.size());
    QTest::qWait(2 * LiveFile::SettleMilliseconds); // and nothing more
    QCOMPARE(told, changes);
    QList<QByteArray> shown;
    for (const QByteArray &name : document.FiberNames())
        shown.append(name.trimmed());
    QCOMPARE(shown, names);
    QCOMPARE(document.NoticeText(), notice);
    QCOMPARE(document.Rows().Count(), 18 * names.size());
    QCOMPARE(renamed.size(), event == QLatin1String("rename") ? 1 : 0);
    QCOMPARE(document.ShownName(1).trimmed(), QString::fromLatin1(names.at(1)));
}

// A station appends a fiber and a third every 200 ms: the file
// is read again about once a second while it is written, never more often;
// meanwhile its short last fiber is being written, counted neither passing
// nor failing, and the notice says how far it has come. Once the file is
// left alone, the usual rules judge it: its short last fiber fails.
void TestResultDocument::growingFileIsReadAsItGrows()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("g.fib"));
    QVERIFY(TestSupport::writeFile(path, fibers({"F00"})));
    DocumentManager manager;
    ResultDocument &document = manager.Document();
    QCOMPARE(manager.OpenFiles({path}), QStringList{path});
    QTRY_VERIFY(document.VerdictsKnown());

    QElapsedTimer clock;
    clock.start();
    QList<qint64> readsAgain;
    connect(&manager, &DocumentManager::readStarted, this, [&](const QString &, bool again) {
        if (again)
            readsAgain.append(clock.elapsed());
    });
    QStringList seen; // of each version judged while it grows
    connect(&document, &ResultDocument::changed, this, [&](Changes what) {
        const qsizetype last = document.FiberCount() - 1;
        if (!(what & ResultDocument::Verdicts) || !document.VerdictsKnown() || !document.Growing()
            || document.FiberRows(last) == 18)
            return;
        seen.append(QStringLiteral("%1 %2 %3 %4")
                        .arg(int(document.MarkOf(last)) == int(ResultDocument::Mark::BeingWritten))
                        .arg(document.JudgedFibers() == last)
                        .arg(document.PassedFibers() == last)
                        .arg(document.NoticeText() == QStringLiteral("g.fib is growing: %1 fibers so far").arg(last)));
    });

    std::atomic<bool> writing{true};
    std::thread station([&path, &writing] {
        QFile file(path);
        if (file.open(QIODevice::Append)) {
            for (int tick = 1; tick <= 16; ++tick) {
                QByteArray rows;
                for (int row = 0; row < 24; ++row) {
                    const QByteArray name = QByteArray("F") + QByteArray::number((18 + 24 * (tick - 1) + row) / 18);
                    rows += TestSupport::line(name.constData(), row % 18 + 1);
                }
                file.write(rows);
                file.flush();
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        }
        writing = false;
    });
    while (writing)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    station.join();
    const qint64 written = clock.elapsed();
    QTRY_VERIFY_WITH_TIMEOUT(!document.Growing() && document.NoticeText().isEmpty(), 10000);

    int whileWriting = 0;
    for (int i = 0; i < readsAgain.size(); ++i) {
        whileWriting += readsAgain.at(i) < written ? 1 : 0;
        if (i > 0)
            QVERIFY2(readsAgain.at(i) - readsAgain.at(i - 1) >= 950,
                     qPrintable(QStringLiteral("read again %1 ms after the read before")
                                    .arg(readsAgain.at(i) - readsAgain.at(i - 1))));
    }
    QVERIFY2(whileWriting >= 2, qPrintable(QString::number(whileWriting)));
    QVERIFY(!seen.isEmpty());
    QCOMPARE(seen, QStringList(seen.size(), QStringLiteral("1 1 1 1")));

    const qsizetype last = document.FiberCount() - 1;
    QCOMPARE(document.Rows().Count(), 18 + 16 * 24);
    QVERIFY(document.FiberRows(last) < 18);
    QCOMPARE(document.MarkOf(last), ResultDocument::Mark::Fails);
    QCOMPARE(document.JudgedFibers(), last + 1);
    QCOMPARE(document.PassedFibers(), last);
}

QTEST_GUILESS_MAIN(TestResultDocument)
#include "tst_resultdocument.moc"

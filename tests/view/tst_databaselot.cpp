// A lot tab of the factory's database, against a PostgreSQL server of the
// test's own: it shows the files pushed, takes in a station's new files as
// soon as they are pushed (the push's notice, not the slow poll), keeps to
// the stations asked for, tells apart two stations' files of one path;
// and the dialog that asks for it refuses what it cannot use.

#include "PostgresServer.h"
#include "ViewTestSupport.h"

#include "lot/LotDocument.h"
#include "view/OpenDatabaseDialog.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

using namespace ViewTestSupport;

class TestDatabaseLot : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aTabOfTheDatabase();
    void theDialog();

private:
    bool make(const QString &folder, int files, int seed);
    bool push(const QString &station, const QString &folder);

    PostgresServer m_server;
    QTemporaryDir m_dir;
};

bool TestDatabaseLot::make(const QString &folder, int files, int seed)
{
    return TestSupport::makeLot(folder, {QStringLiteral("--files"), QString::number(files), QStringLiteral("--fibers"),
                                         QStringLiteral("8"), QStringLiteral("--seed"), QString::number(seed)});
}

bool TestDatabaseLot::push(const QString &station, const QString &folder)
{
    return TestSupport::runProgram({QStringLiteral("--push"), m_server.Url(), QStringLiteral("--station"), station,
                                    folder})
               .exitCode
        == 0;
}

void TestDatabaseLot::initTestCase()
{
    QUENVALE_START_SERVER(m_server);
    qputenv("XDG_CACHE_HOME", m_dir.filePath(QStringLiteral("cache")).toLocal8Bit());
    QVERIFY(make(m_dir.filePath(QStringLiteral("s1")), 6, 1));
    QVERIFY(push(QStringLiteral("s1"), m_dir.filePath(QStringLiteral("s1"))));
}

void TestDatabaseLot::aTabOfTheDatabase()
{
    DocumentManager manager;
    QVERIFY(manager.OpenDatabase(m_server.Url(), {}));
    LotDocument *lot = manager.Lot(0);
    QVERIFY(lot && lot->FromDatabase());
    QSignalSpy scanned(lot, &LotDocument::scanEnded);
    QVERIFY(scanned.wait(20000));
    QCOMPARE(lot->Model().FileCount(), 6);
    QCOMPARE(manager.Record(0).name, QStringLiteral("every station (database)"));

    // Another station pushes: the tab takes its files in well before its poll.
    QVERIFY(make(m_dir.filePath(QStringLiteral("s2")), 3, 2));
    QElapsedTimer pushed;
    pushed.start();
    QVERIFY(push(QStringLiteral("s2"), m_dir.filePath(QStringLiteral("s2"))));
    QTRY_COMPARE_WITH_TIMEOUT(lot->Model().FileCount(), 9, LotDocument::DatabasePollMs - 2000);
    QVERIFY(pushed.elapsed() < LotDocument::DatabasePollMs);
    // A second station whose files have the very same paths: files of their own.
    QVERIFY(push(QStringLiteral("s2b"), m_dir.filePath(QStringLiteral("s2"))));
    QTRY_COMPARE_WITH_TIMEOUT(lot->Model().FileCount(), 12, LotDocument::DatabasePollMs - 2000);

    QVERIFY(manager.OpenDatabase(m_server.Url(), {{QStringLiteral("s2")}}));
    LotDocument *second = manager.Lot(1);
    QSignalSpy secondScanned(second, &LotDocument::scanEnded);
    QVERIFY(secondScanned.wait(20000));
    QCOMPARE(second->Model().FileCount(), 3);
}

void TestDatabaseLot::theDialog()
{
    OpenDatabaseDialog dialog;
    dialog.findChild<QLineEdit *>(QStringLiteral("databaseUrl"))->setText(QStringLiteral("/some/folder"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("databaseMessage"))->text().contains(QLatin1String("postgresql://")));
    dialog.SetUrl(m_server.Url());
    dialog.findChild<QLineEdit *>(QStringLiteral("databaseStations"))->setText(QStringLiteral(" s1, s2 ,"));
    dialog.findChild<QLineEdit *>(QStringLiteral("databaseSince"))->setText(QStringLiteral("21 May"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    dialog.findChild<QLineEdit *>(QStringLiteral("databaseSince"))->setText(QStringLiteral("2018-05-21T12:00"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    FactoryDatabase::Query query;
    QString error;
    QVERIFY(dialog.QueryOf(&query, &error));
    QCOMPARE(query.stations, (QStringList{"s1", "s2"}));
    QVERIFY(query.since != RowTime::None);
    QCOMPARE(query.until, RowTime::None);
}

QTEST_MAIN(TestDatabaseLot)
#include "tst_databaselot.moc"

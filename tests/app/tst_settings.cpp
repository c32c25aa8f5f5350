// The settings of two windows program running at once, each in a process
// of its own: what each changes is on the disk at once, so that neither a
// window killed nor the other window closing last loses any of it.

#include "TestSupport.h"

#include "app/AppSettings.h"
#include "app/CMainFrame.h"
#include "app/CSDIQVLApp.h"
#include "output/StringTable.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

constexpr char kChildOption[] = "--settings-child";

// A window program that opens `file` and shows the verdicts when told
// "open" on its standard input, moves its window to `x`,`y`, and quits when
// its input ends.
int runChild(char *program, const QString &file, int x, int y)
{
    int argc = 1;
    char *argv[] = {program, nullptr};
    QApplication app(argc, argv);
    CSDIQVLApp theApp;
    if (!theApp.InitInstance())
        return 1;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[64] = {};
        if (::read(STDIN_FILENO, line, sizeof line - 1) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        theApp.OpenDocumentFiles({file});
        theApp.MainFrame()->Action(StringTable::ID_VIEW_VERDICTS)->setChecked(true);
        theApp.MainFrame()->move(x, y);
        const bool placed = QTest::qWaitFor([&] { return AppSettings::WindowPlace() == QPoint(x, y); }, 5000);
        std::puts(placed ? "opened" : "not placed");
        std::fflush(stdout);
    });
    std::puts("ready");
    std::fflush(stdout);
    const int code = QApplication::exec();
    theApp.ExitInstance();
    return code;
}

bool waitFor(QProcess &child, const QByteArray &word)
{
    QByteArray said;
    while (!said.contains(word + '\n')) {
        if (!child.waitForReadyRead(20000))
            return false;
        said += child.readAllStandardOutput();
    }
    return true;
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void eachChangeIsKept_data();
    void eachChangeIsKept();
};

void TestSettings::eachChangeIsKept_data()
{
    QTest::addColumn<bool>("killed"); // or closed
    QTest::newRow("both killed") << true;
    QTest::newRow("both closed") << false;
}

// Two windows start with the same settings; the first opens a.fib and
// moves, then the second opens b.fib and moves; then both end.
void TestSettings::eachChangeIsKept()
{
    QFETCH(bool, killed);
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.fib"));
    const QString b = dir.filePath(QStringLiteral("b.fib"));
    QVERIFY(TestSupport::writeFile(a, TestSupport::standardHeader() + TestSupport::fiber("A")));
    QVERIFY(TestSupport::writeFile(b, TestSupport::standardHeader() + TestSupport::fiber("B")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());

    QProcess first;
    QProcess second;
    const struct { QProcess *child; QString file; QPoint place; } windows[] = {
        {&first, a, QPoint(31, 47)}, {&second, b, QPoint(73, 29)}};
    for (const auto &window : windows) {
        window.child->setProcessEnvironment(environment);
        window.child->start(QCoreApplication::applicationFilePath(),
                            {QString::fromLatin1(kChildOption), window.file,
                             QString::number(window.place.x()), QString::number(window.place.y())});
        QVERIFY(window.child->waitForStarted());
        QVERIFY(waitFor(*window.child, "ready"));
    }
    for (const auto &window : windows) {
        window.child->write("open\n");
        QVERIFY(waitFor(*window.child, "opened"));
    }
    for (const auto &window : windows) {
        if (killed)
            window.child->kill(); // SIGKILL
        else
            window.child->closeWriteChannel();
        QVERIFY(window.child->waitForFinished(10000));
        QCOMPARE(window.child->exitStatus(), killed ? QProcess::CrashExit : QProcess::NormalExit);
    }

    QSettings settings(dir.filePath(QStringLiteral("config/%1/%2.conf"))
                           .arg(AppSettings::RegistryKey(), AppSettings::AppName()),
                       QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File1")).toString(), b);
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File2")).toString(), a);
    QVERIFY(!settings.contains(QStringLiteral("Recent File List/File3")));
    QCOMPARE(settings.value(QStringLiteral("Settings/Verdicts")).toBool(), true);
    QCOMPARE(settings.value(QStringLiteral("Settings/WindowPlace")).toPoint(), QPoint(73, 29));
}

int main(int argc, char *argv[])
{
    if (argc == 5 && std::strcmp(argv[1], kChildOption) == 0)
        return runChild(argv[0], QFile::decodeName(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    QCoreApplication app(argc, argv);
    TestSettings test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"

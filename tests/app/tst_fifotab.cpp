// A FIFO opened into a tab, in the window program as it runs: waited on
// while the window goes on, read when a writer comes, read again and given
// up at will, and never waited for when the program ends.

#include "TestSupport.h"
#include "view/ViewTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CSDIQVLApp.h"
#include "output/StringTable.h"
#include "view/CSDIQVLView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr char kChildOption[] = "--fifo-tab-child";

// True while this process holds the file at `path` open. (Opening a FIFO
// to look would be a writer coming and going, which ends its reads.)
bool heldOpen(const QString &path)
{
    const QString fds = QStringLiteral("/proc/self/fd/");
    for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System)) {
        if (QFile::symLinkTarget(fds + fd) == path)
            return true;
    }
    return false;
}

int failed(const char *step)
{
    std::fprintf(stderr, "%s\n", step);
    return 1;
}

// The window program with the FIFO `fifo` (named fifo.fib) on its command
// line, up to its end; `other` is the file File Open opens then.
int runChild(char *program, const QString &fifo, const QString &other)
{
    int argc = 1;
    char *argv[] = {program, nullptr};
    QApplication app(argc, argv);
    CSDIQVLApp theApp;
    if (!theApp.InitInstance({fifo}))
        return failed("no window");
    CMainFrame *frame = theApp.MainFrame();
    CSDIQVLView *view = theApp.View();
    ScriptedDialogs dialogs;
    dialogs.openAnswers.append(QStringList{other});
    view->SetFileDialogs(&dialogs);
    const auto waiting = [frame] {
        return frame->statusBar()->currentMessage() == QLatin1String("fifo.fib: waiting for data");
    };
    const auto fibers = [view] { return ViewTestSupport::comboFiber(view)->GetCount(); };

    if (!QTest::qWaitFor(waiting, 5000))
        return failed("no word of waiting for the FIFO");
    std::thread writer([&fifo] {
        TestSupport::writeFile(fifo, ViewTestSupport::resultFile({"F1", "F2"}));
    });
    const bool shown = QTest::qWaitFor([&] { return fibers() == 2; }, 5000);
    writer.join();
    if (!shown)
        return failed("what the writer wrote was not shown");
    // Read again twice with no writer: each read waits, the window goes on.
    for (int i = 0; i < 2; ++i) {
        frame->Action(StringTable::ID_NEXT_TAB)->trigger();
        if (!QTest::qWaitFor(waiting, 5000))
            return failed("no word of waiting after reading again");
    }
    frame->Action(StringTable::ID_FILE_OPEN)->trigger();
    if (!QTest::qWaitFor([&] { return fibers() == 1; }, 5000))
        return failed("the other file was not shown");
    if (!QTest::qWaitFor([&] { return !heldOpen(fifo); }, 5000))
        return failed("the FIFO is still open to read");

    std::puts("leaving");
    std::fflush(stdout);
    // The window program's own way out.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    QApplication::exec();
    theApp.ExitInstance();
    return 0;
}

} // namespace

class TestFifoTab : public QObject
{
    Q_OBJECT
private slots:
    void neverHoldsTheWindowOrItsEnd();
};

void TestFifoTab::neverHoldsTheWindowOrItsEnd()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo.fib"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString other = dir.filePath(QStringLiteral("other.fib"));
    QVERIFY(TestSupport::writeFile(other, ViewTestSupport::resultFile({"OTHER"})));

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kChildOption), fifo, other});
    QVERIFY(child.waitForStarted());
    QByteArray said;
    while (!said.contains("leaving\n") && child.waitForReadyRead(30000))
        said += child.readAllStandardOutput();
    // It ends within a second, or it is ended.
    QElapsedTimer leaving;
    leaving.start();
    const bool ended = child.waitForFinished(1000);
    const qint64 took = leaving.elapsed();
    if (!ended) {
        child.kill();
        child.waitForFinished();
    }
    const QByteArray why = child.readAllStandardError();
    QVERIFY2(said.contains("leaving\n"), why.constData());
    QVERIFY2(ended, qPrintable(QStringLiteral("still running after %1 ms").arg(took)));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, why.constData());
}

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], kChildOption) == 0)
        return runChild(argv[0], QFile::decodeName(argv[2]), QFile::decodeName(argv[3]));
    QCoreApplication app(argc, argv);
    TestFifoTab test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fifotab.moc"

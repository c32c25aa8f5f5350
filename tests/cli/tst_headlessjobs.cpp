// The jobs without a window on the odd targets, inputs, names, signals and
// limits that scripts meet.

#include "NamedTemporaries.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

QString sample()
{
    return sourcePath(QStringLiteral("samples/cwdm-4-fibers.fib"));
}

// The sample's CSV: 72 lines.
constexpr int kSampleLines = 72;

mode_t fileType(const QString &path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

mode_t permissions(const QString &path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// A Unix socket listening at `path`; -1 on failure.
int listenAt(const QString &path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::listen(fd, 1) != 0)
        return -1;
    return fd;
}

QByteArray readAll(int fd)
{
    QByteArray bytes;
    char buffer[65536];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, got);
    return bytes;
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A result file of `fibers` fibers of 18 rows.
QByteArray resultFile(int fibers)
{
    const QByteArray block = fiber("FIB00001");
    QByteArray bytes = standardHeader();
    bytes.reserve(bytes.size() + block.size() * fibers);
    for (int i = 0; i < fibers; ++i)
        bytes += block;
    return bytes;
}

// True once process `pid` holds a file of its own open in `folder` (other
// than `besides`): a temporary file, named or not.
bool writingIn(qint64 pid, const QString &folder, const QStringList &besides)
{
    const QString fds = QStringLiteral("/proc/%1/fd/").arg(pid);
    for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System)) {
        const QString open = QFile::symLinkTarget(fds + fd);
        if (open.startsWith(folder + '/') && !besides.contains(open))
            return true;
    }
    return false;
}

ProgramRun runShell(const QString &script, const QStringList &arguments)
{
    return runProcess(QStringLiteral("bash"), QStringList{"-c", script, programPath()} + arguments);
}

} // namespace

class TestHeadlessJobs : public QObject
{
    Q_OBJECT

private slots:
    void targetsKeepTheirKind_data();
    void targetsKeepTheirKind();
    void temporaryFiles();
    void stopsWhateverItDoes_data();
    void stopsWhateverItDoes();
    void everyFatalSignalLeavesNoTrace_data();
    void everyFatalSignalLeavesNoTrace();
    void replacementKeepsAttributesAndTellsOfLinks_data();
    void replacementKeepsAttributesAndTellsOfLinks();
    void namesAreBytes();
    void writeErrorsNameTheirCause_data();
    void writeErrorsNameTheirCause();
    void namesCannotDriveTheTerminal_data();
    void namesCannotDriveTheTerminal();
    void closedStandardOutput_data();
    void closedStandardOutput();
    void rowsBeyondMemory();
};

void TestHeadlessJobs::targetsKeepTheirKind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("device") << QStringLiteral("device");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
    QTest::newRow("socket") << QStringLiteral("socket");
    QTest::newRow("/dev/stdout") << QStringLiteral("stdout");
    QTest::newRow("link to a file") << QStringLiteral("link");
    QTest::newRow("dangling link") << QStringLiteral("dangling link");
}

// What is under the target's name is still that afterwards, and got the
// CSV. The readers take what came once the job has ended (the CSV fits in
// a pipe's and a socket's buffer), so that a job that wrongly replaces the
// target fails the test instead of hanging it.
void TestHeadlessJobs::targetsKeepTheirKind()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("target"));
    const QByteArray targetName = QFile::encodeName(target);
    const QString file = dir.filePath(QStringLiteral("file.csv"));
    int reader = -1;
    if (kind == QLatin1String("device")) {
        // A /dev/null of the test's own, not the machine's.
        if (::mknod(targetName.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("no device can be made here");
    } else if (kind == QLatin1String("stdout")) {
        target = QStringLiteral("/dev/stdout");
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(targetName.constData(), 0600), 0);
        reader = ::open(targetName.constData(), O_RDONLY | O_NONBLOCK);
    } else if (kind == QLatin1String("socket")) {
        reader = listenAt(target);
    } else {
        QVERIFY(QFile::link(file, target));
        if (kind == QLatin1String("link"))
            QVERIFY(writeFile(file, "older"));
    }
    const mode_t type = fileType(target);

    const ProgramRun run = runProgram({QStringLiteral("--export-csv"), target, sample()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QByteArray received = run.out;
    if (kind == QLatin1String("fifo")) {
        received = readAll(reader);
    } else if (kind == QLatin1String("socket")) {
        const int peer = ::accept4(reader, nullptr, nullptr, SOCK_NONBLOCK);
        received = readAll(peer);
        ::close(peer);
    } else if (kind.contains(QLatin1String("link"))) {
        received = readFile(file);
        QCOMPARE(fileType(file), mode_t(S_IFREG));
    }
    ::close(reader);

    QCOMPARE(fileType(target), type);
    if (kind != QLatin1String("device"))
        QCOMPARE(received.count("\r\n"), kSampleLines);
}

// Where files cannot be made without a name, the temporary file beside a
// target is private while it is written and recognisable; the one a killed
// job left is removed, one in use is not; the result takes the older file's
// mode and owner; a name too long for the temporary file's own name still
// works.
void TestHeadlessJobs::temporaryFiles()
{
    if (!NamedTemporaries::Available())
        QSKIP("no file system without unnamed files can be made up here");
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("input.fib"));
    QCOMPARE(::mkfifo(QFile::encodeName(input).constData(), 0600), 0);
    const QString out = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkdir(out));
    const QString target = out + QLatin1Char('/') + QString(251, QLatin1Char('t')) + ".csv";
    QVERIFY(writeFile(target, "older"));
    QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    const struct passwd *nobody = ::getpwnam("nobody");
    const bool root = ::geteuid() == 0 && nobody;
    if (root)
        QCOMPARE(::chown(QFile::encodeName(target).constData(), nobody->pw_uid, nobody->pw_gid), 0);
    const QString abandoned = out + QStringLiteral("/.quenvale-abcd1234-old.csv");
    const QString inUse = out + QStringLiteral("/.quenvale-wxyz6789-other.csv");
    QVERIFY(writeFile(abandoned, "left by a killed job"));
    QVERIFY(writeFile(inUse, "being written"));
    const int held = ::open(QFile::encodeName(inUse).constData(), O_RDONLY);
    QCOMPARE(::flock(held, LOCK_EX), 0);

    QProcess job;
    job.setProcessEnvironment(headlessEnvironment());
    job.setChildProcessModifier(NamedTemporaries::RefuseUnnamedFiles);
    job.start(programPath(), {QStringLiteral("--export-csv"), target, input});
    QFile writer(input);
    QVERIFY(writer.open(QIODevice::WriteOnly)); // the job has made its temporary file
    QStringList temporaries = QDir(out).entryList({QStringLiteral(".quenvale-*")}, QDir::Files | QDir::Hidden);
    temporaries.removeOne(QStringLiteral(".quenvale-wxyz6789-other.csv"));
    QCOMPARE(temporaries.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\.quenvale-[0-9a-z]{8}$")).match(temporaries.first()).hasMatch(),
             qPrintable(temporaries.first()));
    QCOMPARE(permissions(out + '/' + temporaries.first()), mode_t(0600));
    writer.write(resultFile(4));
    writer.close();
    QVERIFY(job.waitForFinished(60000));
    ::close(held);

    QCOMPARE(job.exitCode(), 0);
    QCOMPARE(readFile(target).count("\r\n"), 72);
    QCOMPARE(permissions(target), mode_t(0640));
    if (root)
        QCOMPARE(QFileInfo(target).ownerId(), nobody->pw_uid);
    QCOMPARE(entries(out), (QStringList{".quenvale-wxyz6789-other.csv", QFileInfo(target).fileName()}));
}

void TestHeadlessJobs::stopsWhateverItDoes_data()
{
    QTest::addColumn<QStringList>("arguments"); // @DIR@: a folder with "result" and "in.fib"
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("stalledReader"); // opens in.fib to read and never reads
    QTest::newRow("csv, reading endless zero bytes")
        << QStringList{"--export-csv", "@DIR@/result", "/dev/zero"} << int(SIGINT) << false;
    QTest::newRow("pdf, reading endless zero bytes")
        << QStringList{"--print-pdf", "@DIR@/result", "/dev/zero"} << int(SIGTERM) << false;
    QTest::newRow("csv, opening a FIFO no one writes")
        << QStringList{"--export-csv", "@DIR@/result", "@DIR@/in.fib"} << int(SIGTERM) << false;
    QTest::newRow("pdf, opening a FIFO no one writes")
        << QStringList{"--print-pdf", "@DIR@/result", "@DIR@/in.fib"} << int(SIGINT) << false;
    QTest::newRow("summary, reading endless zero bytes")
        << QStringList{"--summary", "/dev/zero"} << int(SIGTERM) << false;
    QTest::newRow("csv, writing to a reader that has stalled")
        << QStringList{"--export-csv", "@DIR@/in.fib", "@DIR@/big.fib"} << int(SIGINT) << true;
}

// Ended by the signal within moments, with the older result as it was and
// no temporary file.
void TestHeadlessJobs::stopsWhateverItDoes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, signal);
    QFETCH(bool, stalledReader);
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("in.fib"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(writeFile(dir.filePath(QStringLiteral("result")), "an older result"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("big.fib")), resultFile(2000)));
    arguments.replaceInStrings(QStringLiteral("@DIR@"), dir.path());

    QProcess job;
    job.setProcessEnvironment(headlessEnvironment());
    job.setChildProcessModifier(NamedTemporaries::RefuseUnnamedFiles); // a temporary to remove
    job.start(programPath(), arguments);
    QFile stalled(fifo);
    if (stalledReader)
        QVERIFY(stalled.open(QIODevice::ReadOnly));
    QTest::qWait(500); // well into the job
    QElapsedTimer stopping;
    stopping.start();
    ::kill(pid_t(job.processId()), signal);
    QVERIFY(job.waitForFinished(10000));
    QVERIFY2(stopping.elapsed() < 3000, qPrintable(QString::number(stopping.elapsed())));
    QCOMPARE(job.exitStatus(), QProcess::CrashExit);
    QCOMPARE(job.readAllStandardError(), QByteArray());
    QCOMPARE(readFile(dir.filePath(QStringLiteral("result"))), QByteArray("an older result"));
    QCOMPARE(entries(dir.path()), (QStringList{"big.fib", "in.fib", "result"}));
}

void TestHeadlessJobs::everyFatalSignalLeavesNoTrace_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("named"); // the folder's file system makes no unnamed files
    for (const int signal : {SIGHUP, SIGQUIT, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2, SIGXFSZ, SIGXCPU})
        QTest::newRow(sigabbrev_np(signal)) << signal << true;
    // Nothing can remove a file after SIGKILL: the file has no name.
    QTest::newRow("KILL, unnamed temporary") << int(SIGKILL) << false;
}

// An export half written, stopped by a signal from outside (a closed ssh
// session, a limit, a script): it ends by that signal with its temporary
// file gone and the older result as it was.
void TestHeadlessJobs::everyFatalSignalLeavesNoTrace()
{
    QFETCH(int, signal);
    QFETCH(bool, named);
    if (named && !NamedTemporaries::Available())
        QSKIP("no file system without unnamed files can be made up here");
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("in.fib"));
    const QString result = dir.filePath(QStringLiteral("result.csv"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(writeFile(result, "an older result"));

    QProcess job;
    job.setProcessEnvironment(headlessEnvironment());
    if (named)
        job.setChildProcessModifier(NamedTemporaries::RefuseUnnamedFiles);
    job.start(programPath(), {QStringLiteral("--export-csv"), result, fifo});
    QFile input(fifo);
    QVERIFY(input.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    QVERIFY(input.write(resultFile(40)) > 0); // the rest never comes
    QTRY_VERIFY_WITH_TIMEOUT(writingIn(job.processId(), dir.path(), {fifo, result}), 10000);
    ::kill(pid_t(job.processId()), signal);

    QVERIFY(job.waitForFinished(10000));
    QCOMPARE(job.exitStatus(), QProcess::CrashExit);
    QCOMPARE(job.exitCode(), signal);
    QCOMPARE(job.readAllStandardError(), QByteArray());
    QCOMPARE(readFile(result), QByteArray("an older result"));
    QCOMPARE(entries(dir.path()), (QStringList{"in.fib", "result.csv"}));
}

void TestHeadlessJobs::replacementKeepsAttributesAndTellsOfLinks_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("start"); // what the new result begins with
    QTest::newRow("csv") << "--export-csv" << "result.csv" << QByteArray("FIB0001 ,");
    QTest::newRow("plot") << "--plot" << "result.png" << QByteArray("\x89PNG");
}

// A replaced result keeps the older file's extended attributes (ACLs are
// some); a result that had other names (hard links) is replaced under the
// name given alone, and the job says so.
void TestHeadlessJobs::replacementKeepsAttributesAndTellsOfLinks()
{
    QFETCH(QString, job);
    QFETCH(QString, target);
    QFETCH(QByteArray, start);
    QTemporaryDir dir;
    const QString result = dir.filePath(target);
    const QString other = dir.filePath(QStringLiteral("other"));
    QVERIFY(writeFile(result, "older"));
    QCOMPARE(::link(QFile::encodeName(result).constData(), QFile::encodeName(other).constData()), 0);
    const QByteArray name = QFile::encodeName(result);
    if (::setxattr(name.constData(), "user.quenvale.test", "kept", 4, 0) != 0)
        QSKIP("this file system takes no user attributes");

    const ProgramRun run = runProgram({job, result, sample()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.err),
             QStringLiteral("quenvale: \"%1\" had 2 links; the others keep the old content\n").arg(result));
    QVERIFY(readFile(result).startsWith(start));
    QCOMPARE(readFile(other), QByteArray("older"));
    char value[16] = {};
    QCOMPARE(::getxattr(name.constData(), "user.quenvale.test", value, sizeof value), ssize_t(4));
    QCOMPARE(QByteArray(value), QByteArray("kept"));
}

// A name in code page 936 bytes, as Chinese-language stations write them,
// is read, its result carries the same bytes, and messages show it readably.
void TestHeadlessJobs::namesAreBytes()
{
    QTemporaryDir dir;
    const ProgramRun run = runShell(
        QStringLiteral("cd \"$1\" && cp \"$2\" $'\\xb9\\xe2\\xcf\\xcb.fib' && mkdir out && "
                       "\"$0\" --export-csv out $'\\xb9\\xe2\\xcf\\xcb.fib' $'\\xcf\\xcb.fib'; "
                       "echo \"status $?\"; wc -l < out/$'\\xb9\\xe2\\xcf\\xcb.csv'; rm -r \"$1\"/*"),
        {dir.path(), sample()});
    QCOMPARE(run.out, QByteArray("status 1\n72\n"));
    QCOMPARE(QString::fromUtf8(run.err), QStringLiteral("quenvale: Cannot read \"纤.fib\": No such file or directory\n"));
}

// The job's one message names the target and the reason; what the
// libraries that write it print of their own (libxlsxwriter's "[ERROR]"
// lines naming the descriptor it was given under /proc, libpng's "Write
// Error") never reaches the user.
void TestHeadlessJobs::writeErrorsNameTheirCause_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("fileSizeLimit"); // bytes; 0: none
    QTest::addColumn<QString>("reason");
    QTest::newRow("a full device") << QStringLiteral("--export-csv") << QStringLiteral("@DIR@/full") << 0
                                   << QStringLiteral("No space left on device");
    QTest::newRow("a limit reached after the first megabyte")
        << QStringLiteral("--export-csv") << QStringLiteral("@DIR@/result.csv") << 1500000
        << QStringLiteral("File too large");
    QTest::newRow("a workbook on a full device") << QStringLiteral("--export-xlsx") << QStringLiteral("@DIR@/full")
                                                 << 0 << QStringLiteral("No space left on device");
    QTest::newRow("an image on a full device") << QStringLiteral("--plot") << QStringLiteral("@DIR@/full") << 0
                                               << QStringLiteral("No space left on device");
}

void TestHeadlessJobs::writeErrorsNameTheirCause()
{
    QFETCH(QString, job);
    QFETCH(QString, target);
    QFETCH(int, fileSizeLimit);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    target.replace(QStringLiteral("@DIR@"), dir.path());
    const QString input = dir.filePath(QStringLiteral("big.fib"));
    QVERIFY(writeFile(input, resultFile(2000))); // 2.8 MB of CSV
    if (fileSizeLimit)
        QVERIFY(writeFile(target, "older"));
    else if (::mknod(QFile::encodeName(target).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        QSKIP("no device can be made here"); // a /dev/full of the test's own

    QProcess process;
    process.setProcessEnvironment(headlessEnvironment());
    process.setChildProcessModifier([fileSizeLimit] {
        if (fileSizeLimit) { // SIGXFSZ as a shell leaves it: it would end the job
            const struct rlimit limit = {rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
    });
    QStringList arguments{job, target, input};
    if (job == QLatin1String("--plot"))
        arguments << QStringLiteral("--format") << QStringLiteral("png");
    process.start(programPath(), arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
             QStringLiteral("quenvale: Cannot write \"%1\": %2\n").arg(target, reason));
    if (fileSizeLimit) {
        QCOMPARE(readFile(target), QByteArray("older"));
        QCOMPARE(entries(dir.path()).size(), 2);
    }
}

// A name holding an escape sequence that would retitle the terminal, a
// bell and a C1 control (CSI, the bytes C2 9B) shows each of their bytes
// as \xNN in the job's message, as its results on standard output show it.
void TestHeadlessJobs::namesCannotDriveTheTerminal_data()
{
    QTest::addColumn<QStringList>("job");
    QTest::newRow("--summary") << QStringList{QStringLiteral("--summary")};
    QTest::newRow("--trend") << QStringList{QStringLiteral("--trend")};
    QTest::newRow("--export-xlsx") << QStringList{QStringLiteral("--export-xlsx"), QStringLiteral("@DIR@/out.xlsx")};
    QTest::newRow("--plot") << QStringList{QStringLiteral("--plot"), QStringLiteral("@DIR@/out.png")};
}

void TestHeadlessJobs::namesCannotDriveTheTerminal()
{
    QFETCH(QStringList, job);
    QTemporaryDir dir;
    job.replaceInStrings(QStringLiteral("@DIR@"), dir.path());
    const QString name = dir.filePath(QString::fromUtf8("a\x1b]0;pwned\x07\xc2\x9b" "b.fib"));
    QProcessEnvironment environment = headlessEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(programPath(), job << name);
    QVERIFY(process.waitForFinished(60000));
    QVERIFY(process.exitCode() != 0); // a file that is not there fails every job
    const QByteArray err = process.readAllStandardError();
    for (qsizetype i = 0; i < err.size(); ++i) {
        const uchar byte = uchar(err.at(i));
        const bool c1 = byte == 0xc2 && i + 1 < err.size() && uchar(err.at(i + 1)) >= 0x80 && uchar(err.at(i + 1)) < 0xa0;
        QVERIFY2((byte >= 0x20 || byte == '\n') && byte != 0x7f && !c1, err.toPercentEncoding().constData());
    }
    QVERIFY2(err.contains("a\\x1b]0;pwned\\x07\\xc2\\x9bb.fib"), err.constData());
}

void TestHeadlessJobs::closedStandardOutput_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("export") << QStringLiteral("\"$0\" --export-csv - \"$1\" >&-");
    QTest::newRow("version") << QStringLiteral("\"$0\" --version >&-");
    QTest::newRow("help") << QStringLiteral("\"$0\" --help >&-");
}

void TestHeadlessJobs::closedStandardOutput()
{
    QFETCH(QString, script);
    const ProgramRun run = runShell(script, {sample()});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QByteArray("quenvale: Cannot write to standard output: it is closed\n"));
}

// A file whose rows do not fit in the memory the job may have is a failure
// like any other; the other files of the batch are still printed.
void TestHeadlessJobs::rowsBeyondMemory()
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.fib"));
    QVERIFY(writeFile(big, resultFile(68000))); // 1,224,000 rows: 84 MB as they are held
    const QString out = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkdir(out));

    QProcess job;
    job.setProcessEnvironment(headlessEnvironment());
    job.setChildProcessModifier([] {
        const struct rlimit limit = {rlim_t(200) << 20, rlim_t(200) << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        // One file at a time, in their order: the big file's failure, not a
        // race with it for memory, decides what becomes of the small one.
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(0, &one);
        ::sched_setaffinity(0, sizeof one, &one);
    });
    job.start(programPath(), {QStringLiteral("--print-pdf"), out, big, sample()});
    QVERIFY(job.waitForFinished(60000));
    QCOMPARE(job.exitStatus(), QProcess::NormalExit);
    QCOMPARE(job.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(job.readAllStandardError()),
             QStringLiteral("quenvale: Cannot read \"%1\": its rows do not fit in this computer's memory\n")
                 .arg(big));
    QCOMPARE(entries(out), QStringList{"cwdm-4-fibers.pdf"});
}

QTEST_GUILESS_MAIN(TestHeadlessJobs)
#include "tst_headlessjobs.moc"

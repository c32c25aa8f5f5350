#include "TestSupport.h"

#include "cli/Options.h"

#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

// The first group of each line of `text` that `pattern` matches.
QStringList linesMatching(const QString &text, const char *pattern)
{
    const QRegularExpression expression(QLatin1String(pattern), QRegularExpression::MultilineOption);
    QStringList found;
    for (auto it = expression.globalMatch(text); it.hasNext();)
        found.append(it.next().captured(1));
    return found;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void versionAndHelp();
    void speaksTheLocalesLanguage();
    void exportsCsv();
    void matchesGoldenFiles_data();
    void matchesGoldenFiles();
    void readmeListsTheFormsOfTheHelp();
    void reportsErrors_data();
    void reportsErrors();
    void runsManyFiles_data();
    void runsManyFiles();
    void closedPipeEndsQuietly();
    void stopsWithoutATrace_data();
    void stopsWithoutATrace();
    void parsesOnce_data();
    void parsesOnce();
};

void TestCommandLine::versionAndHelp()
{
    const ProgramRun version = runProgram({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out.trimmed(), QByteArray("Quenvale 2.13"));

    const ProgramRun help = runProgram({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--export-csv <OUT>"));
}

// Under a Simplified Chinese locale the help and a refusal are Chinese;
// under any other the very bytes of the C locale's.
void TestCommandLine::speaksTheLocalesLanguage()
{
    const auto run = [](const char *lang, const QStringList &arguments) {
        QProcess process;
        QProcessEnvironment environment = headlessEnvironment();
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.remove(QStringLiteral("LANGUAGE"));
        environment.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
        process.setProcessEnvironment(environment);
        process.start(programPath(), arguments);
        process.waitForFinished(30000);
        return process.readAllStandardOutput() + process.readAllStandardError();
    };
    const QByteArray english = run("C.UTF-8", {QStringLiteral("--help")});
    QVERIFY(english.contains("Quenvale, a viewer for fiber measurement result files (.fib)."));
    QCOMPARE(run("en_US.UTF-8", {QStringLiteral("--help")}), english);
    QCOMPARE(run("de_DE.UTF-8", {QStringLiteral("--help")}), english);
    const QString chinese = QString::fromUtf8(run("zh_CN.UTF-8", {QStringLiteral("--help")}));
    QVERIFY2(chinese.contains(QStringLiteral("Quenvale：光纤测量结果文件（.fib）查看器。")), qPrintable(chinese.left(300)));
    // Each form of the command is kept as it is, for the manual's synopsis.
    QVERIFY(chinese.contains(QStringLiteral("\n  --export-xlsx OUT.xlsx FOLDER --lot [--warn-margin DB] [--limits FILE]\n")));
    const QString refused = QString::fromUtf8(run("zh_CN.UTF-8", {QStringLiteral("--lot"), QStringLiteral("a.fib")}));
    QVERIFY2(refused.contains(QStringLiteral("--lot 只能与 --export-xlsx 和 --print-pdf 一起使用")), qPrintable(refused));
}

void TestCommandLine::exportsCsv()
{
    // Fibers out of name order, a low power, a short tail after the table,
    // and rows of the first block that carry names of their own: the block
    // is exported under its first row's name.
    QTemporaryDir dir;
    const QString fib = dir.filePath("in.fib");
    QByteArray zeta = line("ZETA", 1, "-120.00");
    for (int channel = 2; channel <= 18; ++channel)
        zeta += line(QByteArray("Z" + QByteArray::number(channel)).constData(), channel);
    QVERIFY(writeFile(fib, standardHeader() + zeta + fiber("ALPHA") + "tail"));
    const QString csv = dir.filePath("out.csv");

    const ProgramRun run = runProgram({QStringLiteral("--export-csv"), csv, fib});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());

    const QByteArray bytes = readFile(csv);
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size(), 37);
    for (int i = 0; i < 18; ++i)
        QVERIFY2(lines.at(i).startsWith("ZETA    ,  "), lines.at(i).constData());
    QVERIFY(bytes.startsWith("ZETA    ,  01,      1271.0,     Low,    -25.00,  2018-05-17, 10:23:45,\r\n"));
    QVERIFY(bytes.endsWith("ALPHA   ,  18,      1611.0,       -12.34,    -25.00,  2018-05-17, 10:23:45,\r\n"));
}

// Each result file in tests/fixtures beside what the program writes of it,
// byte for byte: NAME.csv its CSV export, NAME.summary.FORMAT its verdicts.
// passing.fib: CR LF line ends, two fibers, a power exactly at its
// threshold. failing.fib: Low powers, a power and a threshold that hold no
// number, a power 0.01 dB below its threshold, an incomplete last fiber and
// a tail shorter than a line. names-936.fib: fiber names and header in code
// page 936, one fiber failing.
void TestCommandLine::matchesGoldenFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("exitCode");
    const struct
    {
        const char *name;
        int summaryExitCode;
    } fixtures[] = {{"passing", 0}, {"failing", 3}, {"names-936", 3}};
    for (const auto &fixture : fixtures) {
        const QString name = QLatin1String(fixture.name);
        QTest::addRow("%s, CSV", fixture.name)
            << QStringList{"--export-csv", "-", name + ".fib"} << name + ".csv" << 0;
        for (const char *format : {"text", "json", "jsonl", "csv"})
            QTest::addRow("%s, summary as %s", fixture.name, format)
                << QStringList{"--summary", "--format", format, name + ".fib"}
                << name + ".summary." + format << fixture.summaryExitCode;
    }
}

void TestCommandLine::matchesGoldenFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QFETCH(int, exitCode);
    const QDir fixtures(sourcePath(QStringLiteral("tests/fixtures")));
    QVERIFY(fixtures.exists(expected));
    const ProgramRun run = runProgram(arguments, fixtures.path());
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, readFile(fixtures.filePath(expected)));
    QCOMPARE(run.exitCode, exitCode);
}

// The README's commands are the help's forms, the text that the manual
// page's synopsis is made of too. The rule: each line of the code block
// under "## Using it" that starts "build/quenvale --", its comment cut off,
// is either one of the help's options alone (--help, --version) or a form
// the help lists on a line of its own two blanks in; the README has every
// such form, in the help's order.
void TestCommandLine::readmeListsTheFormsOfTheHelp()
{
    const QString readme = QString::fromUtf8(readFile(sourcePath(QStringLiteral("README.md"))));
    const qsizetype block =
        readme.indexOf(QLatin1String("```sh\n"), readme.indexOf(QLatin1String("## Using it")));
    QVERIFY(block > 0);
    const QString commands =
        readme.mid(block, readme.indexOf(QLatin1String("```"), block + 3) - block);
    const QString help = QString::fromUtf8(runProgram({QStringLiteral("--help")}).out);
    const QString options = QStringLiteral("\nOptions:\n");
    const QStringList helpForms = linesMatching(help.section(options, 0, 0), "^  (--\\S.*)$");
    const QStringList helpOptions =
        linesMatching(help.section(options, 1), "^  (?:-\\S, )?(--\\S+)");
    QVERIFY(!helpForms.isEmpty() && helpOptions.contains(QStringLiteral("--version")));

    QStringList readmeForms = linesMatching(commands, "^build/quenvale (--.*?)(?:\\s+#.*)?$");
    readmeForms.removeIf(
        [&](const QString &form) { return helpOptions.contains(form) && !helpForms.contains(form); });
    QCOMPARE(readmeForms, helpForms);
}

void TestCommandLine::reportsErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing input") << QStringList{"--export-csv", "@DIR@/out.csv", "@DIR@/none.fib"}
                                   << QStringLiteral("none.fib");
    QTest::newRow("unwritable target")
        << QStringList{"--export-csv", "@DIR@/no/such/folder/out.csv", "@SAMPLE@"}
        << QStringLiteral("out.csv");
    QTest::newRow("no input") << QStringList{"--export-csv", "@DIR@/out.csv"}
                              << QStringLiteral("at least one");
    QTest::newRow("two inputs, one file") << QStringList{"--export-csv", "@DIR@/out.csv", "@SAMPLE@", "@SAMPLE@"}
                                << QStringLiteral("not a folder");
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << QStringLiteral("frobnicate");
    QTest::newRow("verdicts beside another job") << QStringList{"--export-csv", "@DIR@/out.csv", "--verdicts", "@SAMPLE@"}
                                                 << QStringLiteral("--verdicts is only for --print-pdf");
    QTest::newRow("a band on a report without verdicts")
        << QStringList{"--print-pdf", "@DIR@/out.pdf", "--warn-margin", "2", "@SAMPLE@"}
        << QStringLiteral("--warn-margin is only for --summary, --trend, --plot, --export-xlsx or --print-pdf --verdicts");
    QTest::newRow("a workbook to standard output") << QStringList{"--export-xlsx", "-", "@SAMPLE@"}
                                                   << QStringLiteral("writes files only");
    QTest::newRow("a plot named for no image format") << QStringList{"--plot", "@DIR@/plot.txt", "@SAMPLE@"}
                                                      << QStringLiteral("ending in .png, .svg or .pdf");
}

void TestCommandLine::reportsErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString sample = sourcePath(QStringLiteral("samples/cwdm-4-fibers.fib"));
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("@DIR@"), dir.path()).replace(QStringLiteral("@SAMPLE@"), sample);

    const ProgramRun run = runProgram(arguments);
    QVERIFY(run.exitCode > 0);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestCommandLine::runsManyFiles_data()
{
    // @4@ and @48@ are samples of 72 and 864 rows, @BAD@ a file that does
    // not exist; results go to @OUT@, a folder. The program runs in @IN@.
    // `written` lists the files expected there, each with its CSV line
    // count (0 for a PDF, a PNG or an SVG, told by their first bytes).
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // empty: nothing at all on stderr
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<int>("stdoutLines");

    QTest::newRow("csv, one bad file among good ones")
        << QStringList{"--export-csv", "@OUT@", "@4@", "@BAD@", "@48@"} << 1
        << QStringLiteral("missing.fib")
        << QStringList{"cwdm-4-fibers.csv:72", "cwdm-48-fibers.csv:864"} << 0;
    QTest::newRow("pdf, one bad file among good ones")
        << QStringList{"--print-pdf", "@OUT@", "@BAD@", "@4@", "@48@"} << 1
        << QStringLiteral("missing.fib")
        << QStringList{"cwdm-4-fibers.pdf:0", "cwdm-48-fibers.pdf:0"} << 0;
    QTest::newRow("one file into a folder, .FIB in capitals")
        << QStringList{"--export-csv", "@OUT@", "@CAPS@"} << 0 << QString()
        << QStringList{"CAPS.csv:72"} << 0;
    QTest::newRow("name clash") << QStringList{"--export-csv", "@OUT@", "@4@", "@OTHER4@"} << 2
                                << QStringLiteral("both") << QStringList() << 0;
    QTest::newRow("same file twice") << QStringList{"--print-pdf", "@OUT@", "@48@", "@48@"} << 2
                                     << QStringLiteral("both") << QStringList() << 0;
    QTest::newRow("result over an input")
        << QStringList{"--export-csv", "@IN@/cwdm-4-fibers.csv", "@IN@/cwdm-4-fibers.csv"} << 2
        << QStringLiteral("written over") << QStringList() << 0;
    QTest::newRow("stdout, file after file, a bad one between")
        << QStringList{"--export-csv", "-", "@4@", "@BAD@", "@48@"} << 1
        << QStringLiteral("missing.fib") << QStringList() << 72 + 864;
    QTest::newRow("stdout") << QStringList{"--export-csv", "-", "@48@"} << 0 << QString()
                            << QStringList() << 864;
    QTest::newRow("Qt's options beside a job")
        << QStringList{"-style", "Fusion", "--export-csv", "@OUT@", "@4@"} << 0 << QString()
        << QStringList{"cwdm-4-fibers.csv:72"} << 0;
    // Files named like Qt's options, which the drawing job's Qt must not take.
    QTest::newRow("pdf, files after --")
        << QStringList{"--print-pdf", "@OUT@", "--", "-platform", "CAPS.FIB"} << 0 << QString()
        << QStringList{"-platform.pdf:0", "CAPS.pdf:0"} << 0;
    QTest::newRow("plots, one bad file among good ones")
        << QStringList{"--plot", "@OUT@", "@4@", "@BAD@", "@48@"} << 1 << QStringLiteral("missing.fib")
        << QStringList{"cwdm-4-fibers.png:0", "cwdm-48-fibers.png:0"} << 0;
    QTest::newRow("a plot of one file into a folder") << QStringList{"--plot", "@OUT@", "@CAPS@"} << 0 << QString()
                                                      << QStringList{"CAPS.png:0"} << 0;
    QTest::newRow("plots as SVG") << QStringList{"--plot", "@OUT@", "--format", "svg", "@4@", "@CAPS@"} << 0
                                  << QString() << QStringList{"CAPS.svg:0", "cwdm-4-fibers.svg:0"} << 0;
    QTest::newRow("a plot named .PDF, with a band")
        << QStringList{"--plot", "@OUT@/plot.PDF", "--warn-margin", "2", "@48@"} << 0 << QString()
        << QStringList{"plot.PDF:0"} << 0;
    QTest::newRow("workbooks, one bad file among good ones, with a band")
        << QStringList{"--export-xlsx", "@OUT@", "--warn-margin", "1", "@4@", "@BAD@", "@48@"} << 1
        << QStringLiteral("missing.fib") << QStringList{"cwdm-4-fibers.xlsx:0", "cwdm-48-fibers.xlsx:0"} << 0;
    QTest::newRow("reports with verdicts") << QStringList{"--print-pdf", "@OUT@", "--verdicts", "@4@", "@CAPS@"}
                                           << 0 << QString() << QStringList{"CAPS.pdf:0", "cwdm-4-fibers.pdf:0"} << 0;
    QTest::newRow("a plot of a size") << QStringList{"--plot", "@OUT@/plot.png", "--size", "800x600", "@48@"}
                                      << 0 << QString() << QStringList{"plot.png:0"} << 0;
}

void TestCommandLine::runsManyFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QStringList, written);
    QFETCH(int, stdoutLines);

    QTemporaryDir in, out;
    const QString sample4 = sourcePath(QStringLiteral("samples/cwdm-4-fibers.fib"));
    QVERIFY(QDir(in.path()).mkdir(QStringLiteral("other")));
    QVERIFY(QFile::copy(sample4, in.filePath(QStringLiteral("other/cwdm-4-fibers.FIB"))));
    QVERIFY(QFile::copy(sample4, in.filePath(QStringLiteral("CAPS.FIB"))));
    QVERIFY(QFile::copy(sample4, in.filePath(QStringLiteral("-platform"))));
    QVERIFY(QFile::copy(sample4, in.filePath(QStringLiteral("cwdm-4-fibers.csv"))));
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("@OUT@"), out.path())
            .replace(QStringLiteral("@IN@"), in.path())
            .replace(QStringLiteral("@48@"), sourcePath(QStringLiteral("samples/cwdm-48-fibers.fib")))
            .replace(QStringLiteral("@4@"), sample4)
            .replace(QStringLiteral("@OTHER4@"), in.filePath(QStringLiteral("other/cwdm-4-fibers.FIB")))
            .replace(QStringLiteral("@CAPS@"), in.filePath(QStringLiteral("CAPS.FIB")))
            .replace(QStringLiteral("@BAD@"), in.filePath(QStringLiteral("missing.fib")));

    const ProgramRun run = runProgram(arguments, in.path());
    QCOMPARE(run.exitCode, exitCode);
    if (message.isEmpty())
        QCOMPARE(run.err, QByteArray());
    else
        QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QCOMPARE(run.out.count("\r\n"), stdoutLines);

    QStringList names;
    for (const QString &file : written) {
        const QString name = file.section(':', 0, 0);
        const int lines = file.section(':', 1).toInt();
        const QByteArray bytes = readFile(out.filePath(name));
        names.append(name);
        if (lines > 0)
            QCOMPARE(bytes.count("\r\n"), lines);
        else if (name.endsWith(QLatin1String(".png")))
            QVERIFY2(bytes.startsWith("\x89PNG\r\n\x1a\n"), qPrintable(name));
        else if (name.endsWith(QLatin1String(".xlsx"))) // a zip whose first part is the types'
            QVERIFY2(bytes.startsWith("PK\x03\x04") && bytes.contains("[Content_Types].xml"), qPrintable(name));
        else if (name.endsWith(QLatin1String(".svg")))
            QVERIFY2(bytes.contains("<svg") && bytes.trimmed().endsWith("</svg>"), qPrintable(name));
        else
            QVERIFY2(bytes.startsWith("%PDF-") && bytes.contains("%%EOF"), qPrintable(name));
        // A PNG's size stands in its header: width and height, big-endian.
        if (arguments.contains(QStringLiteral("--size")))
            QCOMPARE(bytes.mid(16, 8), QByteArray::fromHex("0000032000000258"));
    }
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), names);
    QCOMPARE(readFile(in.filePath(QStringLiteral("cwdm-4-fibers.csv"))), readFile(sample4));
}

void TestCommandLine::closedPipeEndsQuietly()
{
    // Far more CSV than a pipe holds, and a reader that stops after 100 bytes.
    QTemporaryDir dir;
    QByteArray table;
    for (int i = 0; i < 200; ++i)
        table += fiber(QByteArray("F" + QByteArray::number(i)).constData());
    QVERIFY(writeFile(dir.filePath("big.fib"), standardHeader() + table));
    QProcess shell;
    shell.setProcessEnvironment(headlessEnvironment());
    shell.start(QStringLiteral("bash"),
                {QStringLiteral("-c"),
                 QStringLiteral("set -o pipefail; \"$0\" --export-csv - \"$1\" | head -c 100 >/dev/null"),
                 programPath(), dir.filePath("big.fib")});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.readAllStandardError(), QByteArray());
    QCOMPARE(shell.exitCode(), 0);
}

void TestCommandLine::stopsWithoutATrace_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("inputEndsFirst");
    // The CSV is written while the input comes: the signal arrives with the
    // input still open. The PDF is drawn once the whole input is read: the
    // signal arrives among its pages.
    QTest::newRow("csv, SIGTERM") << QStringLiteral("--export-csv") << int(SIGTERM) << false;
    QTest::newRow("pdf, SIGINT") << QStringLiteral("--print-pdf") << int(SIGINT) << true;
}

void TestCommandLine::stopsWithoutATrace()
{
    QFETCH(QString, option);
    QFETCH(int, signal);
    QFETCH(bool, inputEndsFirst);
    QTemporaryDir dir, temporaries;
    const QString fifo = dir.filePath(QStringLiteral("in.fib"));
    const QString target = dir.filePath(QStringLiteral("result"));
    QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QVERIFY(writeFile(target, "an older result"));

    QProcess job;
    QProcessEnvironment environment = headlessEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), temporaries.path()); // its runtime folder
    job.setProcessEnvironment(environment);
    job.start(programPath(), {option, target, fifo});
    QVERIFY(job.waitForStarted());
    // The job holds a file of its own open in the folder: it is writing the
    // result (the temporary may have no name to look for).
    auto writing = [&] {
        const QString fds = QStringLiteral("/proc/%1/fd/").arg(job.processId());
        for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System)) {
            char link[4096];
            const ssize_t length = readlink(QFile::encodeName(fds + fd).constData(), link, sizeof link);
            const QString open = QFile::decodeName(QByteArray(link, qMax<ssize_t>(length, 0)));
            if (open.startsWith(dir.path() + '/') && open != fifo && open != target)
                return true;
        }
        return false;
    };

    QFile input(fifo);
    QVERIFY(input.open(QIODevice::WriteOnly | QIODevice::Unbuffered)); // once the job opens its end
    QByteArray table;
    for (int i = 0; i < 1700; ++i) // 30,600 rows, over a thousand pages
        table += fiber(QByteArray("F" + QByteArray::number(i)).constData());
    QCOMPARE(input.write(standardHeader() + table), standardHeader().size() + table.size());
    if (inputEndsFirst)
        input.close();
    QTRY_VERIFY_WITH_TIMEOUT(writing(), 30000);
    ::kill(pid_t(job.processId()), signal);
    input.close();

    QVERIFY(job.waitForFinished(60000));
    QCOMPARE(job.exitStatus(), QProcess::CrashExit); // ended by the signal
    QCOMPARE(job.readAllStandardError(), QByteArray());
    QCOMPARE(readFile(target), QByteArray("an older result"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             (QStringList{"in.fib", "result"}));
    QVERIFY(QDir(temporaries.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void TestCommandLine::parsesOnce_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("job"); // Options::Job
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("error"); // a part of it; empty: none
    const int window = int(Options::Job::Window);
    // Qt's own GUI options, with their values, are Qt's to handle: none of
    // them is refused or taken for a file.
    QTest::newRow("style and platform") << QStringList{"-style", "Fusion", "a.fib", "-platform", "xcb"}
                                        << window << QString() << QStringList{"a.fib"} << QString();
    QTest::newRow("X11 display and geometry, two dashes")
        << QStringList{"--display", ":1", "-geometry", "800x600+0+0", "a.fib", "b.fib"} << window
        << QString() << QStringList{"a.fib", "b.fib"} << QString();
    QTest::newRow("joined values and flags")
        << QStringList{"-style=Fusion", "-reverse", "a.fib", "-stylesheet=s.qss", "-widgetcount"}
        << window << QString() << QStringList{"a.fib"} << QString();
    // After "--" every argument is a file, for the window as for a job.
    QTest::newRow("after --, Qt's option") << QStringList{"--", "-style", "a.fib"} << window << QString()
                                          << QStringList{"-style", "a.fib"} << QString();
    QTest::newRow("after --, a job's option") << QStringList{"--", "--summary"} << window << QString()
                                             << QStringList{"--summary"} << QString();
    QTest::newRow("a job, then files like options")
        << QStringList{"--export-csv", "out", "--", "--help", "-v"} << int(Options::Job::ExportCsv)
        << QStringLiteral("out") << QStringList{"--help", "-v"} << QString();
    QTest::newRow("a PDF on standard output") << QStringList{"--print-pdf", "-", "a.fib"} << 0 << QString()
                                             << QStringList() << QStringLiteral("writes files only");
    QTest::newRow("a plot on standard output") << QStringList{"--plot", "-", "a.fib"} << 0 << QString()
                                              << QStringList() << QStringLiteral("writes files only");
    // The values of the band and of the image, and the jobs they are for.
    QTest::newRow("a band below 0") << QStringList{"--summary", "--warn-margin", "-0.5", "a.fib"} << 0 << QString()
                                   << QStringList() << QStringLiteral("--warn-margin -0.5: unknown value");
    QTest::newRow("a band of no number") << QStringList{"--plot", "p.png", "--warn-margin", "nan", "a.fib"} << 0
                                        << QString() << QStringList() << QStringLiteral("unknown value");
    QTest::newRow("a band beside --export-csv") << QStringList{"--export-csv", "o", "--warn-margin", "1", "a.fib"}
                                               << 0 << QString() << QStringList()
                                               << QStringLiteral("--warn-margin is only for --summary, --trend, --plot, --export-xlsx or --print-pdf --verdicts");
    QTest::newRow("a band") << QStringList{"--summary", "--warn-margin", "0.5", "a.fib"} << int(Options::Job::Summary)
                            << QString() << QStringList{"a.fib"} << QString();
    QTest::newRow("a size too small") << QStringList{"--plot", "p.png", "--size", "319x240", "a.fib"} << 0
                                     << QString() << QStringList() << QStringLiteral("--size 319x240");
    QTest::newRow("a size without a height") << QStringList{"--plot", "p.png", "--size", "800x", "a.fib"} << 0
                                            << QString() << QStringList() << QStringLiteral("--size 800x");
    QTest::newRow("a size beside --summary") << QStringList{"--summary", "--size", "800x600", "a.fib"} << 0
                                            << QString() << QStringList() << QStringLiteral("only for --plot");
    QTest::newRow("a summary's format for a plot") << QStringList{"--plot", "p", "--format", "csv", "a.fib"} << 0
                                                  << QString() << QStringList() << QStringLiteral("png, svg or pdf");
    QTest::newRow("a plot's format for a summary") << QStringList{"--summary", "--format", "png", "a.fib"} << 0
                                                  << QString() << QStringList()
                                                  << QStringLiteral("text, json, jsonl or csv");
    QTest::newRow("a plot") << QStringList{"--plot", "p", "--format", "SVG", "--size", "8192x240", "a.fib"}
                            << int(Options::Job::Plot) << QStringLiteral("p") << QStringList{"a.fib"} << QString();
}

void TestCommandLine::parsesOnce()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, job);
    QFETCH(QString, target);
    QFETCH(QStringList, files);
    QFETCH(QString, error);
    Options options;
    QString message;
    const bool usable = Options::Parse(QStringList{"quenvale"} + arguments, &options, &message);
    if (!error.isEmpty()) {
        QVERIFY2(!usable && message.contains(error), qPrintable(message));
        return;
    }
    QVERIFY2(usable, qPrintable(message));
    QCOMPARE(int(options.job), job);
    QCOMPARE(options.target, target);
    QCOMPARE(options.files, files);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"

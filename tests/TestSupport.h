#pragma once

// Small helpers shared by the test programs: result files built from rows,
// temporary folders, and the built program's path.

#include "data/ChannelTable.h"
#include "data/MeasurementRow.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

inline QString sourcePath(const QString &relative)
{
    return QStringLiteral(QUENVALE_SOURCE_DIR "/") + relative;
}

inline QString programPath()
{
    return QStringLiteral(QUENVALE_BINARY);
}

inline const QByteArray &standardHeader()
{
    static const QByteArray header =
        "Quenvale test result\n"
        "Operator: test\n"
        "Device: CWDM 18\n"
        "Unit: dBm\n"
        "Fiber   Ch      Wave     Power     Thres     Date       Time\n";
    return header;
}

// A well-formed channel line (68 characters and LF).
inline QByteArray line(const char *fiber, int channel, const char *power = "-12.34",
                       const char *date = "2018-05-17", const char *time = "10:23:45")
{
    const QByteArray ch = QByteArray::number(channel).rightJustified(2, '0');
    const QByteArray wave = QByteArray::number(1271 + 20 * (channel - 1)) + ".0";
    const QByteArray pow = QByteArray(power).rightJustified(8, ' ');
    MeasurementRow row(fiber, ch.constData(), wave.constData(), pow.constData(), "  -25.00",
                       date, time);
    return ChannelTable::FormatLine(row);
}

// A channel line with a threshold of its own.
inline QByteArray thresholdLine(const char *fiber, int channel, const char *power,
                                const char *threshold)
{
    const QByteArray ch = QByteArray::number(channel).rightJustified(2, '0');
    const QByteArray wave = QByteArray::number(1271 + 20 * (channel - 1)) + ".0";
    return ChannelTable::FormatLine(MeasurementRow(
        fiber, ch.constData(), wave.constData(), QByteArray(power).rightJustified(8).constData(),
        QByteArray(threshold).rightJustified(8).constData(), "2018-05-17", "10:23:45"));
}

// The 18 lines of one fiber.
inline QByteArray fiber(const char *name, const char *power = "-12.34")
{
    QByteArray lines;
    for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
        lines += line(name, channel, power);
    return lines;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ProgramRun
{
    int exitCode = -1; // -1: did not finish, -2: crashed
    QByteArray out;
    QByteArray err;
};

// The environment of a job run from cron or a service: no display and no
// session, so no runtime folder either.
inline QProcessEnvironment headlessEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    return environment;
}

// Runs a program as a user would on a machine without a display, in
// `folder` when one is given.
inline ProgramRun runProcess(const QString &program, const QStringList &arguments,
                             const QString &folder = QString())
{
    QProcess process;
    process.setProcessEnvironment(headlessEnvironment());
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A station's day of result files in `folder`, by scripts/make_lot.py
// with `options` (--files N, --fibers N, --seed S).
inline bool makeLot(const QString &folder, const QStringList &options = {})
{
    QProcess make;
    make.start(QStringLiteral("python3"), QStringList{sourcePath(QStringLiteral("scripts/make_lot.py")), folder} + options);
    return make.waitForFinished(120000) && make.exitStatus() == QProcess::NormalExit && make.exitCode() == 0;
}

// Runs the built program so.
inline ProgramRun runProgram(const QStringList &arguments, const QString &folder = QString())
{
    return runProcess(programPath(), arguments, folder);
}

} // namespace TestSupport

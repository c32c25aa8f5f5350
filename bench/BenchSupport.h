#pragma once

// What the benchmark programs share: generated result files, timing, and
// running the program as a child whose own peak memory can be read.

#include "data/ChannelTable.h"
#include "data/MeasurementRow.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <functional>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char **environ;

namespace BenchSupport {

// What the thresholds make of the generated powers (-5 to -30 dB): every
// 97th row below -99.9 against -30 dB (about one fiber in six fails); no
// row Low against -30 dB (every fiber passes); or the same powers against
// -5.5 dB (nearly every fiber fails, at nearly every channel).
enum class Verdicts { SomeLow, AllPass, MostFail };

// Rows first..first+count-1 of a well-formed result file of `total` rows:
// powers spread over the scale. With `shuffleFibers` the fiber names come
// in a fixed scrambled order, so sorting them is real work.
inline QByteArray GenerateRows(qsizetype first, qsizetype count, qsizetype total,
                               bool shuffleFibers = false, Verdicts verdicts = Verdicts::SomeLow)
{
    const char *const threshold = verdicts == Verdicts::MostFail ? "   -5.50" : "  -30.00";
    QByteArray bytes;
    bytes.reserve(count * ChannelTable::LineLength);
    const qsizetype fibers = ChannelTable::FiberCount(total);
    char name[24], channel[16], wave[24], power[24], time[24];
    for (qsizetype i = first; i < first + count; ++i) {
        const int ch = int(i % ChannelTable::FiberSize) + 1;
        const qsizetype block = i / ChannelTable::FiberSize;
        const long long fiber = shuffleFibers ? (block * 7919) % (fibers + 1) : block;
        std::snprintf(name, sizeof name, "F%07lld", fiber);
        std::snprintf(channel, sizeof channel, "%02d", ch);
        std::snprintf(wave, sizeof wave, "%d.0", 1271 + 20 * (ch - 1));
        if (i % 97 == 5 && verdicts == Verdicts::SomeLow)
            std::snprintf(power, sizeof power, "%8s", "-100.00");
        else
            std::snprintf(power, sizeof power, "%8.2f", -5.0 - double(i % 2500) / 100.0);
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", int(i / 3600 % 24), int(i / 60 % 60),
                      int(i % 60));
        bytes += ChannelTable::FormatLine(
            MeasurementRow(name, channel, wave, power, threshold, "2018-05-17", time));
    }
    return bytes;
}

inline QByteArray GeneratedHeader()
{
    return "Quenvale benchmark\nline 2\nline 3\nline 4\nFiber Ch Wave Power\n";
}

// A well-formed result file of `rows` rows (see GenerateRows).
inline QByteArray GenerateResultFile(qsizetype rows, bool shuffleFibers = false)
{
    return GeneratedHeader() + GenerateRows(0, rows, rows, shuffleFibers);
}

// The same file written piece by piece, so that this process stays small
// and the children it runs later report peaks of their own.
inline bool WriteResultFile(const QString &path, qsizetype rows, bool shuffleFibers = false,
                            Verdicts verdicts = Verdicts::SomeLow)
{
    constexpr qsizetype kPiece = 18000;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(GeneratedHeader()) < 0)
        return false;
    for (qsizetype first = 0; first < rows; first += kPiece) {
        const QByteArray piece =
            GenerateRows(first, qMin(kPiece, rows - first), rows, shuffleFibers, verdicts);
        if (file.write(piece) != piece.size())
            return false;
    }
    return true;
}

// A lot of `files` result files in `folder`, s00000.fib on, the content of
// each made by `content` from its number.
inline bool WriteLot(const QString &folder, int files, const std::function<QByteArray(int)> &content)
{
    QDir().mkpath(folder);
    for (int i = 0; i < files; ++i) {
        QFile file(QStringLiteral("%1/s%2.fib").arg(folder).arg(i, 5, 10, QLatin1Char('0')));
        const QByteArray bytes = content(i);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

inline double Seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// Kilobytes from a line of /proc/self/status ("VmHWM:", "VmRSS:").
inline long statusKilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    return -1;
}

// Lets VmHWM start again from the present size.
inline void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Runs a program to its end; its standard output goes to `stdoutFile` when
// one is named; it succeeds when it exits with `expectedStatus`. Returns
// wall seconds; `peakKilobytes` gets the child's peak
// resident size. The kernel counts this process's own peak into a spawned
// child's, so children are run before this process grows.
inline double RunChild(const QString &program, const QStringList &arguments,
                       const QString &stdoutFile, long *peakKilobytes, bool *ok = nullptr,
                       int expectedStatus = 0)
{
    QList<QByteArray> storage{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        storage.append(QFile::encodeName(argument));
    QList<char *> argv;
    for (QByteArray &argument : storage)
        argv.append(argument.data());
    argv.append(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray output = QFile::encodeName(stdoutFile);
    if (!stdoutFile.isEmpty())
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.constData(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);

    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    int status = -1;
    rusage usage{};
    if (posix_spawnp(&pid, argv.first(), &actions, nullptr, argv.data(), environ) == 0)
        wait4(pid, &status, 0, &usage);
    const double elapsed = Seconds(timer);
    posix_spawn_file_actions_destroy(&actions);

    const bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == expectedStatus;
    if (!succeeded)
        std::fprintf(stderr, "%s failed\n", argv.first());
    if (ok)
        *ok = succeeded;
    if (peakKilobytes)
        *peakKilobytes = usage.ru_maxrss;
    return elapsed;
}

} // namespace BenchSupport
